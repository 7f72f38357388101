#pragma once

#include "ui/controls/CTRLS_MSPictureView.h"

// The multi-scan tab's picture of the chosen source.
class Quirel_CTRLS_MSImageSourceView : public Quirel_CTRLS_MSPictureView {};
