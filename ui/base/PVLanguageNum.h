#pragma once

#include <cstdint>
#include <memory>

#include "foundation/NotificationCenter.h"

// Carrier of "UILanguageNumPost": the asking side posts a new one as the notification's object,
// and the data source stores its supported language number in it during the post.
class Quirel_PVLanguageNum {
 public:
  static constexpr const char* kPostName = "UILanguageNumPost";
  // The carrier also travels as a typed handle under this key, so the answering side can
  // check what the sender address is.
  static constexpr const char* kCarrierKey = "PVLanguageNum";

  void setLanguageNum(std::int32_t num) { mlngNum = num; }
  std::int32_t getLanguageNum() const { return mlngNum; }

  // Posts the question with a new carrier; 0 when nobody answered.
  static std::int32_t ask(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  // Answering side: the carrier of a "UILanguageNumPost", or null for any other notification
  // and for a post of that name that does not carry one.
  static Quirel_PVLanguageNum* fromNotification(const fnd::Notification& notification);

 private:
  std::int32_t mlngNum = 0;
};
