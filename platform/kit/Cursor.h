#pragma once

#include "foundation/Geometry.h"
#include "kit/Image.h"

namespace kit {

// A mouse cursor: one of the standard shapes, or a picture with a hot spot. set() makes it the
// application's cursor.
class Cursor {
 public:
  enum class Kind { Arrow, IBeam, Crosshair, PointingHand, OpenHand, ClosedHand, Custom };

  Cursor() = default;  // the arrow
  // The hot spot is counted from the picture's top-left corner, y down.
  Cursor(const Image& image, fnd::Point hotSpot) : kind_(Kind::Custom), image_(image), hotSpot_(hotSpot) {}

  static Cursor arrow() { return Cursor(Kind::Arrow); }
  static Cursor iBeam() { return Cursor(Kind::IBeam); }
  static Cursor crosshair() { return Cursor(Kind::Crosshair); }
  static Cursor pointingHand() { return Cursor(Kind::PointingHand); }
  static Cursor openHand() { return Cursor(Kind::OpenHand); }
  static Cursor closedHand() { return Cursor(Kind::ClosedHand); }

  Kind kind() const { return kind_; }
  // The picture: a custom cursor's own, else a drawing of the standard shape (16 x 16).
  Image image() const;
  fnd::Point hotSpot() const;

  void set() const;
  static Cursor current();

  friend bool operator==(const Cursor& a, const Cursor& b) {
    return a.kind_ == b.kind_ && a.image_.data() == b.image_.data() && a.hotSpot_ == b.hotSpot_;
  }

 private:
  explicit Cursor(Kind kind) : kind_(kind) {}
  Kind kind_ = Kind::Arrow;
  Image image_;
  fnd::Point hotSpot_;
};

}  // namespace kit
