#pragma once

#include "ui/controls/IconButtonBase.h"

// An image button with three pictures: pointer over (on a key window), pointer away, disabled.
class Quirel_IconBezelButton : public Quirel_IconButtonBase {
 public:
  explicit Quirel_IconBezelButton(const fnd::Rect& frame = {}) : Quirel_IconButtonBase(frame) {}
  // Loads the named pictures from the bundle (a name not found keeps the picture it had) and
  // shows the pointer-away one.
  void setImage(const std::string& enter, const std::string& exit, const std::string& disable,
                const std::string& bundle);
  using Quirel_IconButtonBase::setImage;
  const Quirel_IconImages& images() const { return mImages; }

 protected:
  const Quirel_IconImages& currentSet() const override { return mImages; }

 private:
  Quirel_IconImages mImages;
};
