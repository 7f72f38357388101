#pragma once

#include "ui/controls/CursorTextField.h"

// A text field for free text, with the I-beam cursor over it while cursor changes are on.
class Quirel_StringField : public Quirel_CursorTextField {
 public:
  explicit Quirel_StringField(const fnd::Rect& frame = {}) : Quirel_CursorTextField(frame) {}
  void setChangeCursor(bool on) { mChangeCursor = on; }
  bool isChangeCursor() const { return mChangeCursor; }

 protected:
  bool changesCursor() const override { return mChangeCursor; }

 private:
  bool mChangeCursor = true;
};
