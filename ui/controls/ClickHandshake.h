#pragma once

// The one-shot click hand-shake shared by the clickable controls. A press is announced first
// (the control's own notification); an observer may clear the control's flag during that post,
// and the press is then swallowed: the flag returns to true and "CONTROL_YES" tells the owner
// to re-arm its controls.
class Quirel_ClickHandshake {
 public:
  static constexpr const char* kControlYesPost = "CONTROL_YES";

  // Posts downPost (when given) with the sender, then answers whether the press may act. A
  // swallowed press sets the flag back and posts "CONTROL_YES".
  static bool pass(const char* downPost, const void* sender, bool& flag);
  // Posts a notification of the default centre with the sender as object.
  static void post(const char* name, const void* sender);
};
