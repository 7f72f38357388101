#include "ui/base/PVLocalizedBundle.h"

void Quirel_PVLocalizedBundle::postDataSourceQuestion(const std::shared_ptr<Quirel_PVLocalizedBundle>& carrier,
                                                      fnd::NotificationCenter& center) {
  center.post(kDataSourcePostName, carrier.get(), fnd::makeShared({{kCarrierKey, fnd::Value::object(carrier)}}));
}

std::string Quirel_PVLocalizedBundle::askDataSource(fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Quirel_PVLocalizedBundle>();
  postDataSourceQuestion(carrier, center);
  return carrier->getLocalizedBundleStr();
}

std::string Quirel_PVLocalizedBundle::askWindowController(const void* asker, fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Quirel_PVLocalizedBundle>();
  fnd::SharedDictionary info = fnd::makeShared();
  info->set(kSetToLC, fnd::Value::object(carrier));
  center.post(kLocalizePostName, asker, info);
  return carrier->getLocalizedBundleStr();
}

Quirel_PVLocalizedBundle* Quirel_PVLocalizedBundle::fromNotification(const fnd::Notification& notification) {
  if (notification.name != kDataSourcePostName || !notification.sender || !notification.info()) return nullptr;
  // The sender is only an address: trust it as a carrier only when the typed handle beside it
  // names the same object, so another poster of this name gets no answer instead of a bad cast.
  const auto carrier = notification.info()->get(kCarrierKey).toObject<Quirel_PVLocalizedBundle>();
  return carrier.get() == notification.sender ? carrier.get() : nullptr;
}

std::shared_ptr<Quirel_PVLocalizedBundle> Quirel_PVLocalizedBundle::fromLocalizeRequest(
    const fnd::Notification& notification) {
  if (!notification.info()) return nullptr;
  return notification.info()->get(kSetToLC).toObject<Quirel_PVLocalizedBundle>();
}
