#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kit/Image.h"

namespace kit {

class Button;
class Panel;
class Window;

enum class AlertStyle { Warning = 0, Informational = 1, Critical = 2 };

// Codes of the buttons of an alert, in the order they were added.
constexpr int kAlertFirstButtonReturn = 1000;
constexpr int kAlertSecondButtonReturn = 1001;
constexpr int kAlertThirdButtonReturn = 1002;

// A message with an icon and buttons, run as a modal window or as a sheet on a window. The
// first button is the rightmost and answers Return; a button titled "Cancel" answers
// Escape. A run answers the code of the button clicked (kAlertFirstButtonReturn + index).
// Tests answer a modal run through Application::onNextModalWindow.
class Alert {
 public:
  Alert();
  ~Alert();
  Alert(const Alert&) = delete;
  Alert& operator=(const Alert&) = delete;

  const std::string& messageText() const { return message_; }
  void setMessageText(const std::string& text) { message_ = text; }
  const std::string& informativeText() const { return informative_; }
  void setInformativeText(const std::string& text) { informative_ = text; }
  AlertStyle alertStyle() const { return style_; }
  void setAlertStyle(AlertStyle style) { style_ = style; }
  const Image& icon() const { return icon_; }
  void setIcon(const Image& image) { icon_ = image; }
  Button* addButtonWithTitle(const std::string& title);
  const std::vector<Button*>& buttons() const { return buttons_; }

  // The window the alert shows in (built at the first call; laid out at each run).
  Panel& window();
  void layout();

  int runModal();
  // Shows the alert as a sheet of the parent; the handler gets the button's code.
  void beginSheetModalForWindow(Window& parent, std::function<void(int)> completion);

 private:
  void buttonClicked(int index);
  std::string message_;
  std::string informative_;
  AlertStyle style_ = AlertStyle::Warning;
  Image icon_;
  std::vector<std::string> titles_;
  std::vector<Button*> buttons_;
  std::unique_ptr<Panel> panel_;
  bool asSheet_ = false;
};

}  // namespace kit
