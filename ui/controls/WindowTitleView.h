#pragma once

#include <memory>
#include <string>

#include "kit/TextField.h"
#include "kit/View.h"

// A small caption that localises its own key: the text of the key in the "UserInterface"
// table of the bundle the main-window controller names ("getDSBundleLocalizePost").
class Quirel_WindowTitleView : public kit::View {
 public:
  Quirel_WindowTitleView(const fnd::Rect& frame, const std::string& titleKey);
  kit::TextField* getTitle() const { return mTitle; }

 private:
  kit::TextField* mTitle = nullptr;  // a subview, owned by the view tree
};
