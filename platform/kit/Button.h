#pragma once

#include <string>

#include "kit/Control.h"
#include "kit/Image.h"

namespace kit {

// Button types, with the platform's numbers.
enum class ButtonType {
  MomentaryLight = 0,
  PushOnPushOff = 1,
  Toggle = 2,
  Switch = 3,  // check box
  Radio = 4,
  MomentaryChange = 5,
  OnOff = 6,
  MomentaryPushIn = 7,
};

enum class BezelStyle { Rounded = 1, RegularSquare = 2, Disclosure = 5, ShadowlessSquare = 6, SmallSquare = 10 };

enum class ImagePosition { NoImage = 0, ImageOnly = 1, ImageLeft = 2, ImageRight = 3, ImageBelow = 4,
                           ImageAbove = 5, ImageOverlaps = 6 };

// A push button, check box, radio button or on/off button, with a title, images and a key
// equivalent. A completed click changes the state as the type says (check box, on/off and
// toggle buttons flip it; a radio button turns on), then sends the action.
class Button : public Control {
 public:
  explicit Button(const fnd::Rect& frame = {});
  ~Button() override;

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title);
  ButtonType buttonType() const { return type_; }
  void setButtonType(ButtonType type);
  BezelStyle bezelStyle() const { return bezel_; }
  void setBezelStyle(BezelStyle style);
  bool isBordered() const { return bordered_; }
  void setBordered(bool on);
  // The image of the off state, and of the on state (none: the off image in both).
  const Image& image() const { return image_; }
  void setImage(const Image& image);
  const Image& alternateImage() const { return alternateImage_; }
  void setAlternateImage(const Image& image);
  ImagePosition imagePosition() const { return imagePosition_; }
  void setImagePosition(ImagePosition position);
  bool allowsMixedState() const { return allowsMixed_; }
  void setAllowsMixedState(bool on) { allowsMixed_ = on; }

  // "\r" for Return, "\x1b" for Escape, or a character with the modifier mask.
  const std::string& keyEquivalent() const { return keyEquivalent_; }
  void setKeyEquivalent(const std::string& key);
  unsigned keyEquivalentModifierMask() const { return keyModifiers_; }
  void setKeyEquivalentModifierMask(unsigned mask) { keyModifiers_ = mask; }
  bool performKeyEquivalent(const Event& event) override;

  void drawRect(const fnd::Rect& dirty) override;

 protected:
  void clicked() override;

 private:
  void drawTitleAndImage(const fnd::Rect& area, bool enabled);
  const Image& shownImage() const;
  std::string title_;
  ButtonType type_ = ButtonType::MomentaryPushIn;
  BezelStyle bezel_ = BezelStyle::Rounded;
  bool bordered_ = true;
  Image image_;
  Image alternateImage_;
  ImagePosition imagePosition_ = ImagePosition::NoImage;
  bool allowsMixed_ = false;
  std::string keyEquivalent_;
  unsigned keyModifiers_ = 0;
};

}  // namespace kit
