#include "kit/Button.h"

#include <algorithm>
#include <cmath>

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Rect;

namespace {
constexpr double kMarkSize = 14;  // check box and radio button
constexpr double kMarkGap = 4;
}  // namespace

Button::Button(const Rect& frame) : Control(frame) {}
Button::~Button() = default;

void Button::setTitle(const std::string& title) {
  title_ = title;
  setNeedsDisplay(true);
}

void Button::setButtonType(ButtonType type) {
  type_ = type;
  setNeedsDisplay(true);
}

void Button::setBezelStyle(BezelStyle style) {
  bezel_ = style;
  setNeedsDisplay(true);
}

void Button::setBordered(bool on) {
  bordered_ = on;
  setNeedsDisplay(true);
}

void Button::setImage(const Image& image) {
  image_ = image;
  if (imagePosition_ == ImagePosition::NoImage && image.isValid()) imagePosition_ = ImagePosition::ImageOverlaps;
  setNeedsDisplay(true);
}

void Button::setAlternateImage(const Image& image) {
  alternateImage_ = image;
  setNeedsDisplay(true);
}

void Button::setImagePosition(ImagePosition position) {
  imagePosition_ = position;
  setNeedsDisplay(true);
}

void Button::setKeyEquivalent(const std::string& key) { keyEquivalent_ = key; }

bool Button::performKeyEquivalent(const Event& event) {
  if (keyEquivalent_.empty() || !isEnabled() || isHiddenOrHasHiddenAncestor()) return false;
  if (event.type() != EventType::KeyDown) return false;
  unsigned relevant = kShiftKeyMask | kControlKeyMask | kAlternateKeyMask | kCommandKeyMask;
  if ((event.modifierFlags() & relevant) != (keyModifiers_ & relevant)) return false;
  const std::string& chars = keyModifiers_ ? event.charactersIgnoringModifiers() : event.characters();
  if (chars != keyEquivalent_ && event.characters() != keyEquivalent_) return false;
  return performClick();
}

void Button::clicked() {
  switch (type_) {
    case ButtonType::Switch:
    case ButtonType::PushOnPushOff:
    case ButtonType::Toggle:
    case ButtonType::OnOff:
      if (allowsMixed_ && state() == kOnState)
        setState(kMixedState);
      else
        setState(state() == kOffState ? kOnState : kOffState);
      break;
    case ButtonType::Radio:
      setState(kOnState);
      break;
    default:
      break;
  }
  sendAction();
}

const Image& Button::shownImage() const {
  bool on = state() != kOffState;
  if (on && alternateImage_.isValid() &&
      (type_ == ButtonType::Toggle || type_ == ButtonType::OnOff || type_ == ButtonType::PushOnPushOff ||
       type_ == ButtonType::Switch || type_ == ButtonType::Radio))
    return alternateImage_;
  if (isHighlighted() && type_ == ButtonType::MomentaryChange && alternateImage_.isValid()) return alternateImage_;
  return image_;
}

void Button::drawTitleAndImage(const Rect& area, bool enabled) {
  const Image& img = shownImage();
  Color color = look::textColor(enabled);
  bool hasImage = img.isValid() && imagePosition_ != ImagePosition::NoImage;
  if (hasImage && (imagePosition_ == ImagePosition::ImageOnly || title_.empty() ||
                   imagePosition_ == ImagePosition::ImageOverlaps)) {
    img.drawInRect(look::fittedImageRect(img, area), {}, enabled ? 1.0 : 0.5);
    if (imagePosition_ == ImagePosition::ImageOverlaps)
      look::textLine(title_, area, font(), color, TextAlignment::Center);
    return;
  }
  if (hasImage && imagePosition_ == ImagePosition::ImageLeft) {
    Rect imgRect = look::fittedImageRect(img, Rect(area.minX(), area.minY(), area.size.height, area.size.height));
    double textWidth = font().widthOfString(title_);
    double total = imgRect.size.width + 4 + textWidth;
    double x = std::max(area.minX(), std::round(area.midX() - total / 2));
    imgRect.origin.x = x;
    img.drawInRect(imgRect, {}, enabled ? 1.0 : 0.5);
    look::textLine(title_, Rect(x + imgRect.size.width + 4, area.minY(), area.maxX() - x - imgRect.size.width - 4,
                                area.size.height),
                   font(), color, TextAlignment::Left);
    return;
  }
  if (hasImage) {
    img.drawInRect(look::fittedImageRect(img, area), {}, enabled ? 1.0 : 0.5);
  }
  look::textLine(title_, area, font(), color, TextAlignment::Center);
}

void Button::drawRect(const Rect&) {
  Rect b = bounds();
  bool enabled = isEnabled();
  bool pressed = isHighlighted();
  if (type_ == ButtonType::Switch || type_ == ButtonType::Radio) {
    double size = std::min(kMarkSize, b.size.height);
    Rect box(b.minX() + 1, std::round(b.midY() - size / 2), size, size);
    if (type_ == ButtonType::Switch)
      look::checkBox(box, state(), pressed, enabled);
    else
      look::radioButton(box, state() != kOffState, pressed, enabled);
    Rect text(box.maxX() + kMarkGap, b.minY(), std::max(0.0, b.maxX() - box.maxX() - kMarkGap), b.size.height);
    look::textLine(title_, text, font(), look::textColor(enabled), TextAlignment::Left);
    return;
  }
  if (bezel_ == BezelStyle::Disclosure) {
    look::disclosureTriangle(b, state() != kOffState, enabled);
    return;
  }
  if (bordered_) {
    bool shownPressed = pressed || ((type_ == ButtonType::PushOnPushOff) && state() == kOnState);
    double radius = bezel_ == BezelStyle::Rounded ? std::min(6.0, b.size.height / 2) : 0;
    if (bezel_ == BezelStyle::ShadowlessSquare || bezel_ == BezelStyle::SmallSquare) radius = 0;
    look::bezel(b.insetBy(bezel_ == BezelStyle::Rounded ? 2 : 0, bezel_ == BezelStyle::Rounded ? 2 : 0), radius,
                shownPressed, enabled);
  } else if (pressed) {
    Color::calibratedWhite(0, 0.15).setFill();
    BezierPath::fillRect(b);
  }
  drawTitleAndImage(b.insetBy(bordered_ ? 6 : 0, 0), enabled);
}

}  // namespace kit
