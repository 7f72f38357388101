#pragma once

#include "ui/controls/CTRLS_MSPictureView.h"

// The multi-scan tab's picture of the chosen destination.
class Quirel_CTRLS_MSDestinationView : public Quirel_CTRLS_MSPictureView {};
