#pragma once

#include "ui/controls/CTRLS_TextField.h"

// The heading of the multi-scan tab's settings, in bold blue.
class Quirel_CTRLS_MSScanSettingTitle : public Quirel_CTRLS_TextField {
 public:
  Quirel_CTRLS_MSScanSettingTitle();
};
