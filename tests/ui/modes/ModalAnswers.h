#pragma once

// Answers the next modal windows of a scan mode's test: message boxes with OK (their text kept),
// check-box questions and the book notice as told.

#include <string>
#include <vector>

#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/windows/BookCorrectDialog.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/ShowMessageDialog.h"

namespace modes_test {

struct Answers {
  void message() {
    kit::Application::shared().onNextModalWindow([this](kit::Window& w) {
      auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
      texts.push_back(box ? box->textField()->stringValue() : std::string("<no message>"));
      if (box && box->okButton())
        box->okButton()->performClick();
      else
        kit::Application::shared().abortModal();
    });
  }
  // The answer (1: OK), the box ticked first when asked.
  void question(int answer, bool tick) {
    kit::Application::shared().onNextModalWindow([this, answer, tick](kit::Window& w) {
      auto* q = dynamic_cast<Quirel_CheckBoxDialog*>(&w);
      texts.push_back(q ? q->messageField()->stringValue() : std::string("<no question>"));
      if (!q) return kit::Application::shared().abortModal();
      if (tick) q->checkBox()->performClick();
      (answer == 1 ? q->okButton() : q->cancelButton())->performClick();
    });
  }
  void bookNotice(bool tick) {
    kit::Application::shared().onNextModalWindow([this, tick](kit::Window& w) {
      auto* notice = dynamic_cast<Quirel_BookCorrectDialog*>(&w);
      texts.push_back(notice ? "book" : "<no notice>");
      if (!notice) return kit::Application::shared().abortModal();
      if (tick) notice->checkBox()->performClick();
      notice->clickOkBtn();
    });
  }
  std::vector<std::string> texts;
};

}  // namespace modes_test
