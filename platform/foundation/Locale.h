#pragma once

#include <string>

namespace fnd {

// What the user's locale says about units and country, for defaults that depend on them.
struct LocaleFacts {
  // Two-letter ISO country code ("US", "FR"); empty when the locale names no country.
  std::string countryCode;
  // The locale measures in metric units.
  bool metric = true;
};

// The facts of the current (system) locale.
LocaleFacts currentLocaleFacts();

}  // namespace fnd
