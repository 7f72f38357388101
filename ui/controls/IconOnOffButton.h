#pragma once

#include "ui/controls/IconButtonBase.h"

// An on/off image button: each click toggles the state, and each state has its three pictures.
// The shown picture follows (enabled, state, pointer inside on a key window).
class Quirel_IconOnOffButton : public Quirel_IconButtonBase {
 public:
  explicit Quirel_IconOnOffButton(const fnd::Rect& frame = {});
  void setOnImage(const std::string& enter, const std::string& exit, const std::string& disable,
                  const std::string& bundle);
  void setOffImage(const std::string& enter, const std::string& exit, const std::string& disable,
                   const std::string& bundle);
  // Shows the on (or off) set's pointer-over picture while the pointer is inside, else its
  // pointer-away one.
  void changeImage(bool on);
  void setState(int state) override;
  void setEnabled(bool enabled) override;
  void mouseEntered(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;
  void mouseDown(const kit::Event& event) override;
  bool mouseEnter() const { return mMouseEnter; }

 protected:
  const Quirel_IconImages& currentSet() const override { return state() != kit::kOffState ? mOn : mOff; }

 private:
  Quirel_IconImages mOn;
  Quirel_IconImages mOff;
  bool mMouseEnter = false;
};
