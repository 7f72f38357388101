#include "ui/controls/ClickHandshake.h"

#include "foundation/NotificationCenter.h"

void Quirel_ClickHandshake::post(const char* name, const void* sender) {
  fnd::NotificationCenter::defaultCenter().post(name, sender);
}

bool Quirel_ClickHandshake::pass(const char* downPost, const void* sender, bool& flag) {
  if (downPost) post(downPost, sender);
  if (flag) return true;
  flag = true;
  post(kControlYesPost, sender);
  return false;
}
