#include "ui/base/DSBundleStr.h"

std::string Quirel_DSBundleStr::ask(const void* asker, fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Quirel_DSBundleStr>();
  fnd::SharedDictionary info = fnd::makeShared();
  info->set(kSetToMN, fnd::Value::object(carrier));
  center.post(kPostName, asker, info);
  return carrier->getDSBundleString();
}

std::shared_ptr<Quirel_DSBundleStr> Quirel_DSBundleStr::fromNotification(const fnd::Notification& notification) {
  if (!notification.info()) return nullptr;
  return notification.info()->get(kSetToMN).toObject<Quirel_DSBundleStr>();
}
