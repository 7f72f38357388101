#include "ui/base/PVLanguageNum.h"

std::int32_t Quirel_PVLanguageNum::ask(fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Quirel_PVLanguageNum>();
  center.post(kPostName, carrier.get(), fnd::makeShared({{kCarrierKey, fnd::Value::object(carrier)}}));
  return carrier->getLanguageNum();
}

Quirel_PVLanguageNum* Quirel_PVLanguageNum::fromNotification(const fnd::Notification& notification) {
  if (notification.name != kPostName || !notification.sender || !notification.info()) return nullptr;
  // The sender is only an address: trust it as a carrier only when the typed handle beside it
  // names the same object, so another poster of this name gets no answer instead of a bad cast.
  const auto carrier = notification.info()->get(kCarrierKey).toObject<Quirel_PVLanguageNum>();
  return carrier.get() == notification.sender ? carrier.get() : nullptr;
}
