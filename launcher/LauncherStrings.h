#pragma once

#include <string_view>

#include "foundation/Bundle.h"
#include "foundation/Value.h"

// The launcher's strings files read whole: the resource "<table>.strings" of a bundle (its
// folder first, then its language folders) as a dictionary of texts. A missing or
// unreadable file gives an empty dictionary.
class Zorvik_LauncherStrings {
 public:
  static fnd::Dictionary readTable(const fnd::Bundle& bundle, std::string_view table);
};
