#pragma once

#include <memory>
#include <string>

#include "foundation/NotificationCenter.h"

// Carrier of the data source's bundle identifier for a message box's badge. The box posts it
// under "SetToMN" with "getDSBundleURLPost"; the main-window controller fills it in, except in
// the mode without a main window. Empty means none.
class Quirel_DSBundleStr {
 public:
  static constexpr const char* kPostName = "getDSBundleURLPost";
  static constexpr const char* kSetToMN = "SetToMN";

  void setDSBundleString(std::string bundleStr) { dsBundleURL = std::move(bundleStr); }
  const std::string& getDSBundleString() const { return dsBundleURL; }

  // Asks the controller with `asker` as the notification's object; empty when nobody answered.
  static std::string ask(const void* asker, fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  // Answering side: the carrier under "SetToMN", or null.
  static std::shared_ptr<Quirel_DSBundleStr> fromNotification(const fnd::Notification& notification);

 private:
  std::string dsBundleURL;
};
