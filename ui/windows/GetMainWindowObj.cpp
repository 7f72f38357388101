#include "ui/windows/GetMainWindowObj.h"

std::shared_ptr<Quirel_GetMainWindowObj> Quirel_GetMainWindowObj::ask(fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Quirel_GetMainWindowObj>();
  fnd::SharedDictionary info = fnd::makeShared();
  info->set(kSetToMN, fnd::Value::object(carrier));
  center.post(kPostName, nullptr, info);
  return carrier;
}

std::shared_ptr<Quirel_GetMainWindowObj> Quirel_GetMainWindowObj::fromNotification(
    const fnd::Notification& notification) {
  if (!notification.info()) return nullptr;
  return notification.info()->get(kSetToMN).toObject<Quirel_GetMainWindowObj>();
}
