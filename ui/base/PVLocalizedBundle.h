#pragma once

#include <memory>
#include <string>

#include "foundation/NotificationCenter.h"

// Carrier of the localisation bundle's identifier. Filled by the data source for
// "UIDSBundleIDPost" (the carrier is the notification's object) and by the main-window
// controller for "getDSBundleLocalizePost" (the carrier travels under "SetToLC").
// An empty identifier means none.
class Quirel_PVLocalizedBundle {
 public:
  static constexpr const char* kDataSourcePostName = "UIDSBundleIDPost";
  static constexpr const char* kLocalizePostName = "getDSBundleLocalizePost";
  static constexpr const char* kSetToLC = "SetToLC";
  // For "UIDSBundleIDPost" the carrier also travels as a typed handle under this key, so the
  // answering side can check what the sender address is.
  static constexpr const char* kCarrierKey = "PVLocalizedBundle";

  void setLocalizedBundleStr(std::string bundleStr) { bundleStr_ = std::move(bundleStr); }
  const std::string& getLocalizedBundleStr() const { return bundleStr_; }

  // Asks the data source ("UIDSBundleIDPost"); empty when nobody answered.
  static std::string askDataSource(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  // Asks the main-window controller ("getDSBundleLocalizePost", object `asker`); empty when
  // nobody answered.
  static std::string askWindowController(const void* asker,
                                         fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());

  // Answering side of "UIDSBundleIDPost": the posted carrier, or null for any other notification
  // and for a post of that name that does not carry one.
  static Quirel_PVLocalizedBundle* fromNotification(const fnd::Notification& notification);
  // Posts "UIDSBundleIDPost" with `carrier` as its object and typed handle.
  static void postDataSourceQuestion(const std::shared_ptr<Quirel_PVLocalizedBundle>& carrier,
                                     fnd::NotificationCenter& center);
  // Answering side of "getDSBundleLocalizePost": the carrier under "SetToLC", or null.
  static std::shared_ptr<Quirel_PVLocalizedBundle> fromLocalizeRequest(const fnd::Notification& notification);

 private:
  std::string bundleStr_;
};
