#pragma once

#include <cstdint>

#include "foundation/NotificationCenter.h"

// Carrier of "UILanguageNumPost": the asking side posts a new one as the notification's object,
// and the data source stores its supported language number in it during the post.
class Quirel_PVLanguageNum {
 public:
  static constexpr const char* kPostName = "UILanguageNumPost";

  void setLanguageNum(std::int32_t num) { mlngNum = num; }
  std::int32_t getLanguageNum() const { return mlngNum; }

  // Posts the question with a new carrier; 0 when nobody answered.
  static std::int32_t ask(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  // Answering side: the carrier of a "UILanguageNumPost", or null for any other notification.
  static Quirel_PVLanguageNum* fromNotification(const fnd::Notification& notification);

 private:
  std::int32_t mlngNum = 0;
};
