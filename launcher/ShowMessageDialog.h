#pragma once

#include <cstdint>
#include <string>

#include "kit/Window.h"
#include "kit/WindowDelegate.h"

namespace kit {
class Button;
class Control;
class ImageView;
class TextField;
}  // namespace kit

// The launcher's message box: a caution icon badged with the program's (or, while the
// driver's main window answers, the driver's) icon, the text, and OK or OK and Cancel. It is
// its own delegate and keeps itself at level 12. OK stops the modal run with 1, Cancel with 0.
//
// Button kinds: 0 OK alone; 1 OK and Cancel, Escape cancels; 2 OK and Cancel, Return answers
// Cancel; any other OK and Cancel, Return answers OK. Message type 1 widens the box for a
// long text.
class Zorvik_ShowMessageDialog : public kit::Window, public kit::WindowDelegate {
 public:
  static constexpr int kLevel = 12;
  static constexpr const char* kShowMessagePost = "showMessagePost";
  static constexpr const char* kDSBundleURLPost = "getDSBundleURLPost";

  Zorvik_ShowMessageDialog(const std::string& text, std::int32_t buttonKind, std::int32_t messageType);
  ~Zorvik_ShowMessageDialog() override;

  // Handed over by the scan modes in answer to "showMessagePost"; the box does not read it.
  void setMainWindow(kit::Window* window) { mainWindow = window; }

  void clickOkBtn(kit::Control* sender);
  void clickCancelBtn(kit::Control* sender);
  void mouseMoved(const kit::Event& event) override;
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

  kit::Button* okButton() const { return mOkBtn; }
  kit::Button* cancelButton() const { return mCancelBtn; }
  kit::TextField* textView() const { return mMsgTextF; }
  kit::ImageView* badgeView() const { return mImageView2; }

  // The widest a text may grow for a visible screen width (message type 1), never narrower
  // than the standard 300 so that a small or missing screen still gives a sensible box.
  static double maximumTextWidth(double visibleWidth);

 private:
  kit::Window* mainWindow = nullptr;
  kit::TextField* mMsgTextF = nullptr;  // views owned by the content view
  kit::ImageView* mImageView = nullptr;
  kit::ImageView* mImageView2 = nullptr;
  kit::Button* mOkBtn = nullptr;
  kit::Button* mCancelBtn = nullptr;
};
