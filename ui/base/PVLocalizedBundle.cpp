#include "ui/base/PVLocalizedBundle.h"

std::string Quirel_PVLocalizedBundle::askDataSource(fnd::NotificationCenter& center) {
  Quirel_PVLocalizedBundle carrier;
  center.post(kDataSourcePostName, &carrier, nullptr);
  return carrier.getLocalizedBundleStr();
}

std::string Quirel_PVLocalizedBundle::askWindowController(const void* asker, fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Quirel_PVLocalizedBundle>();
  fnd::SharedDictionary info = fnd::makeShared();
  info->set(kSetToLC, fnd::Value::object(carrier));
  center.post(kLocalizePostName, asker, info);
  return carrier->getLocalizedBundleStr();
}

Quirel_PVLocalizedBundle* Quirel_PVLocalizedBundle::fromNotification(const fnd::Notification& notification) {
  if (notification.name != kDataSourcePostName || !notification.sender) return nullptr;
  // Only askDataSource() posts this name, always with a live carrier it owns for the post.
  return const_cast<Quirel_PVLocalizedBundle*>(static_cast<const Quirel_PVLocalizedBundle*>(notification.sender));
}

std::shared_ptr<Quirel_PVLocalizedBundle> Quirel_PVLocalizedBundle::fromLocalizeRequest(
    const fnd::Notification& notification) {
  if (!notification.info()) return nullptr;
  return notification.info()->get(kSetToLC).toObject<Quirel_PVLocalizedBundle>();
}
