#pragma once

#include "kit/Event.h"

namespace kit {

// Something that takes events: a view or a window. Every handler passes the event on to the
// next responder unless overridden (a view's next responder is its superview; the content
// view's is its window).
class Responder {
 public:
  virtual ~Responder() = default;

  virtual Responder* nextResponder() const { return nullptr; }

  virtual bool acceptsFirstResponder() const { return false; }
  virtual bool becomeFirstResponder() { return true; }
  virtual bool resignFirstResponder() { return true; }

  virtual void mouseDown(const Event& e) { forward(&Responder::mouseDown, e); }
  virtual void mouseDragged(const Event& e) { forward(&Responder::mouseDragged, e); }
  virtual void mouseUp(const Event& e) { forward(&Responder::mouseUp, e); }
  virtual void rightMouseDown(const Event& e) { forward(&Responder::rightMouseDown, e); }
  virtual void rightMouseDragged(const Event& e) { forward(&Responder::rightMouseDragged, e); }
  virtual void rightMouseUp(const Event& e) { forward(&Responder::rightMouseUp, e); }
  virtual void mouseMoved(const Event& e) { forward(&Responder::mouseMoved, e); }
  virtual void mouseEntered(const Event& e) { forward(&Responder::mouseEntered, e); }
  virtual void mouseExited(const Event& e) { forward(&Responder::mouseExited, e); }
  virtual void scrollWheel(const Event& e) { forward(&Responder::scrollWheel, e); }
  virtual void keyDown(const Event& e) { forward(&Responder::keyDown, e); }
  virtual void keyUp(const Event& e) { forward(&Responder::keyUp, e); }
  virtual void flagsChanged(const Event& e) { forward(&Responder::flagsChanged, e); }

 protected:
  void forward(void (Responder::*handler)(const Event&), const Event& e) {
    if (Responder* next = nextResponder()) (next->*handler)(e);
  }
};

}  // namespace kit
