#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"

// The user interface's one way out: a request leaves wrapped in "Uthric_OverrideNotification",
// and the root object that owns the sender re-posts it under the request's own name. Nothing in
// the library calls the data source directly.
class Quirel_PostNotification {
 public:
  static constexpr const char* kOverrideNotification = "Uthric_OverrideNotification";
  static constexpr const char* kOverrideNotificationName = "OverrideNotificationName";
  // Answer slot: a shared int that the answering side writes during the post.
  static constexpr const char* kSMResult = "SMResult";

  explicit Quirel_PostNotification(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter())
      : center_(center) {}

  // Stores `name` under "OverrideNotificationName" in userInfo (a new dictionary when null; the
  // caller's dictionary is changed, so it is the very object the observers see) and posts the
  // wrapper with `sender` as object.
  void postExternalNotificationName(std::string_view name, const void* sender, fnd::SharedDictionary userInfo);

  // Puts a new answer slot, set to 0, under "SMResult" and hands it back to the poster.
  static std::shared_ptr<int> addResultSlot(fnd::Dictionary& userInfo);
  // Answering side: writes the answer into the slot; false when the dictionary carries none.
  static bool setResult(const fnd::Dictionary* userInfo, int answer);

 private:
  fnd::NotificationCenter& center_;
};
