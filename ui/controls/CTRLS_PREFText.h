#pragma once

#include <memory>

#include "ui/controls/NoFocusTextField.h"

// A plain caption of the preferences dialog.
class Quirel_CTRLS_PREFText {
 public:
  Quirel_CTRLS_PREFText();

  Quirel_NoFocusTextField* getText() const { return Text.get(); }
  void setText(const std::string& text, double x, double y, double width, double height);
  void setTextRect(double x, double y, double width, double height) { Text->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getTextRect() const { return Text ? Text->frame() : fnd::Rect(); }
  // The colour only: a caption is never itself disabled.
  void setEnabled(bool enabled);
  void setHidden(bool hidden) { Text->setHidden(hidden); }

 private:
  std::unique_ptr<Quirel_NoFocusTextField> Text;
};
