#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kit/Box.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "kit/WindowDelegate.h"
#include "ui/controls/NoFocusImageView.h"

// A modal question with a caution sign, a message, a "do not show again" check box, Cancel and
// OK. Callers show it while their own setting for the message is on and turn the setting off
// when it ends with the box ticked. It stays at level 12, and once its run has ended it takes
// no more events (a late click cannot answer twice).
class Quirel_CheckBoxDialog : public kit::Window, public kit::WindowDelegate {
 public:
  static constexpr int kLevel = 12;
  // Default buttons.
  static constexpr std::int32_t kFocusCancel = 0;
  static constexpr std::int32_t kFocusOK = 1;
  static constexpr double kTextWidth = 310;
  static constexpr double kLineHeight = 23;

  // The message is the text of `key` from "Message" (tableSelector 1) or "UserInterface".
  static std::unique_ptr<Quirel_CheckBoxDialog> initWithLStringKey(const std::string& key, std::int32_t tableSelector,
                                                                   std::int32_t focusBtn);
  // The message is the catalogue text of the message number.
  static std::unique_ptr<Quirel_CheckBoxDialog> initWithMessageID(std::int32_t messageNumber, std::int32_t focusBtn);
  ~Quirel_CheckBoxDialog() override;

  // 1 OK, 0 Cancel (also when the run was aborted). The window is closed when it returns.
  std::int32_t runModal();
  void clickOkBtn(kit::Control* sender);
  void clickCancelBtn(kit::Control* sender);
  void clickCheckBox(kit::Control* sender);
  bool isChecked() const { return mChecked; }

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  void sendEvent(const kit::Event& event) override;

  // The text height of the message-number variant: each line's one-line width in 310-wide
  // lines (at least one a line), 23 a line, plus 10.
  static double messageTextHeight(const std::vector<double>& lineWidths);

  // Tests.
  kit::Button* okButton() const { return mOkBtn; }
  kit::Button* cancelButton() const { return mCancelBtn; }
  kit::Button* checkBox() const { return mCheckBox; }
  kit::TextField* messageField() const { return mMsgTextF; }
  Quirel_NoFocusImageView* imageView() const { return mImageView; }
  std::int32_t focusBtn() const { return mFocusBtn; }

 private:
  Quirel_CheckBoxDialog(const std::string& message, bool messageVariant, std::int32_t focusBtn,
                        const std::string& bundleStr);
  std::string uiText(const std::string& key) const;

  std::string mBundleStr;
  kit::Button* mCancelBtn = nullptr;  // views are owned by the content view
  kit::Button* mOkBtn = nullptr;
  kit::Box* mSeparator = nullptr;
  kit::Button* mCheckBox = nullptr;
  kit::TextField* mMsgTextF = nullptr;
  Quirel_NoFocusImageView* mImageView = nullptr;
  std::int32_t mFocusBtn = kFocusCancel;
  bool mChecked = false;
  bool mCloseFlg = false;
};
