#include "ui/base/PVLanguageNum.h"

std::int32_t Quirel_PVLanguageNum::ask(fnd::NotificationCenter& center) {
  Quirel_PVLanguageNum carrier;
  center.post(kPostName, &carrier, nullptr);
  return carrier.getLanguageNum();
}

Quirel_PVLanguageNum* Quirel_PVLanguageNum::fromNotification(const fnd::Notification& notification) {
  if (notification.name != kPostName || !notification.sender) return nullptr;
  // Only ask() posts this name, always with a live carrier it owns for the length of the post.
  return const_cast<Quirel_PVLanguageNum*>(static_cast<const Quirel_PVLanguageNum*>(notification.sender));
}
