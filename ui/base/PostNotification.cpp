#include "ui/base/PostNotification.h"

void Quirel_PostNotification::postExternalNotificationName(std::string_view name, const void* sender,
                                                           fnd::SharedDictionary userInfo) {
  if (!userInfo) userInfo = fnd::makeShared();
  userInfo->set(kOverrideNotificationName, fnd::Value(std::string(name)));
  center_.post(kOverrideNotification, sender, std::move(userInfo));
}

std::shared_ptr<int> Quirel_PostNotification::addResultSlot(fnd::Dictionary& userInfo) {
  auto slot = std::make_shared<int>(0);
  userInfo.set(kSMResult, fnd::Value::object(slot));
  return slot;
}

bool Quirel_PostNotification::setResult(const fnd::Dictionary* userInfo, int answer) {
  if (!userInfo) return false;
  std::shared_ptr<int> slot = userInfo->get(kSMResult).toObject<int>();
  if (!slot) return false;
  *slot = answer;
  return true;
}
