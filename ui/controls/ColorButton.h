#pragma once

#include <optional>
#include <string>

#include "kit/Color.h"
#include "kit/Control.h"
#include "kit/Font.h"
#include "kit/Image.h"

namespace kit {
class TextField;
}

// A button painted by itself: a background colour, one of four pictures (pointer over,
// pointer away, pressed, disabled) and a centred title. It tracks the mouse in its own loop
// and sends its action only when released inside; it announces each press ("BUTTON_DOWN") and
// follows the click hand-shake.
class Quirel_ColorButton : public kit::Control {
 public:
  static constexpr const char* kButtonDownPost = "BUTTON_DOWN";
  static constexpr double kTitleHeight = 17;

  explicit Quirel_ColorButton(const fnd::Rect& frame = {});
  ~Quirel_ColorButton() override;

  void setImage(const kit::Image& enter, const kit::Image& exit, const kit::Image& down,
                const kit::Image& disable);
  // The centred label. Colours and font are optional; a second call replaces the label's
  // title and look instead of adding another label.
  void setTitle(const std::string& title, const std::optional<kit::Color>& enabledColor,
                const std::optional<kit::Color>& disabledColor, const std::optional<kit::Font>& font);
  void setBackgroundColor(const kit::Color& color) { mBgColor = color; }
  kit::TextField* getTextField() const { return mTextF; }
  void updateTitleTextField();

  void setEnabled(bool enabled) override;
  void setFrame(const fnd::Rect& frame) override;
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }
  bool isDown() const { return mDown; }
  bool isEnter() const { return mEnter; }
  kit::TrackingRectTag trackingRectTag() const { return mTrackingRectTag; }

  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void mouseEntered(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;
  void resetCursorRects() override;
  void drawRect(const fnd::Rect& dirty) override;
  // The whole picture scaled into the bounds at the opacity; nothing for no picture.
  void drawImage(const kit::Image& image, double fraction);

 private:
  void installTrackingRect();
  void redraw() { setNeedsDisplay(); }
  kit::Image mEnterImage, mExitImage, mDownImage, mDisableImage;
  std::optional<kit::Color> mBgColor;
  kit::TextField* mTextF = nullptr;  // a subview, owned by the view tree
  std::optional<kit::Color> mEnabledTextColor;
  std::optional<kit::Color> mDisabledTextColor;
  bool mDown = false;
  bool mEnter = false;
  bool mDownOnOffFlg = true;
  kit::TrackingRectTag mTrackingRectTag = -1;
};
