#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kit/Button.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "kit/WindowDelegate.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/windows/MessageBoxLayout.h"

// What the two message boxes share: a titled window at level 12 that is its own delegate, the
// wrapped text (a wrapping label in the message font), the caution sign and the badge of the driver (or of the program), laid out by
// Quirel_MessageBoxLayout. The boxes add their buttons.
class Quirel_MessageBoxWindow : public kit::Window, public kit::WindowDelegate {
 public:
  static constexpr int kLevel = 12;
  static constexpr const char* kCautionPicture = "caution";

  ~Quirel_MessageBoxWindow() override;

  kit::TextField* textField() const { return mMsgTextF; }
  Quirel_NoFocusImageView* cautionView() const { return mImageView; }
  Quirel_NoFocusImageView* badgeView() const { return mImageView2; }
  const Quirel_MessageBoxLayout::Result& layout() const { return layout_; }

  // Arrow cursor over the box whatever view is under the pointer.
  void mouseMoved(const kit::Event& event) override;
  // The box stays at its level whatever the application did to it.
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

 protected:
  struct Measured {
    std::unique_ptr<kit::TextField> text;
    Quirel_MessageBoxLayout::Result layout;
  };
  static Measured measure(const std::string& text, std::int32_t messageType, double textX);

  explicit Quirel_MessageBoxWindow(Measured measured);

  // The "UserInterface" text of a key (the key itself when there is none).
  std::string uiText(const std::string& key) const;
  // A rounded momentary push button aimed at this box, added to the content.
  kit::Button* addButton(const fnd::Rect& frame, const std::string& titleKey);

 private:
  kit::Image badgeImage();

  Quirel_MessageBoxLayout::Result layout_;
  Quirel_PVLocalizedString ls_;
  kit::TextField* mMsgTextF = nullptr;  // views are owned by the content view
  Quirel_NoFocusImageView* mImageView = nullptr;
  Quirel_NoFocusImageView* mImageView2 = nullptr;
};
