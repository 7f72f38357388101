#pragma once

#include <string>

#include "kit/Image.h"
#include "ui/controls/NoFocusButton.h"

// The three pictures of an image button in one state: pointer over, pointer away, disabled.
struct Quirel_IconImages {
  kit::Image enter;
  kit::Image exit;
  kit::Image disable;

  // Looks each given name up in the bundle (a picture folder), whatever extension the name
  // carries; a name that is empty or not found keeps the picture already there.
  void load(const std::string& enterName, const std::string& exitName, const std::string& disableName,
            const std::string& bundle);
  static void loadInto(kit::Image& field, const std::string& name, const std::string& bundle);
  // The disabled picture, or the pointer-away one when there is none.
  const kit::Image& disabledLook() const { return disable.isValid() ? disable : exit; }
};

// What the image buttons share: one tracking rectangle over the bounds for hover, and the
// rules that pick the shown picture from the set in force (currentSet): the pointer-away
// picture while enabled, the disabled one while not, the pointer-over one on entering a key
// window.
class Quirel_IconButtonBase : public Quirel_NoFocusButton {
 public:
  explicit Quirel_IconButtonBase(const fnd::Rect& frame = {});
  ~Quirel_IconButtonBase() override;

  kit::TrackingRectTag trackingRectTag() const { return mTrackingRectTag; }
  void setFrame(const fnd::Rect& frame) override;
  void resetCursorRects() override;
  void setEnabled(bool enabled) override;
  void mouseEntered(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;

 protected:
  virtual const Quirel_IconImages& currentSet() const = 0;
  bool windowIsKey() const;
  void showImage(const kit::Image& image);
  void installTrackingRect();

 private:
  kit::TrackingRectTag mTrackingRectTag = -1;
};
