#include <gtest/gtest.h>

#include <iostream>

#include "../base/MessageTestSupport.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "ui/windows/CheckBoxDialog.h"

namespace {

kit::Application& checkBoxApp() { return kit::Application::shared(); }

void pressReturn(kit::Window& window) {
  checkBoxApp().sendEvent(kit::Event::keyEvent(kit::EventType::KeyDown, "\r", 0, &window));
}

// The main-window controller answering "getDSBundleLocalizePost".
class ControllerBundleAnswer {
 public:
  explicit ControllerBundleAnswer(std::string bundleStr)
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [bundleStr](const fnd::Notification& n) {
              if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
                carrier->setLocalizedBundleStr(bundleStr);
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

}  // namespace

TEST(CheckBoxDialog, OkWithTheBoxTickedAnswersOneAndCancelZero) {
  auto dialog = Quirel_CheckBoxDialog::initWithLStringKey("IDC_BOOKEXPLAIN_CHK_STR", 0, 1);
  checkBoxApp().onNextModalWindow([&](kit::Window& w) {
    EXPECT_EQ(&w, dialog.get());
    dialog->checkBox()->performClick();
    dialog->okButton()->performClick();
  });
  EXPECT_EQ(dialog->runModal(), 1);
  EXPECT_TRUE(dialog->isChecked());
  EXPECT_FALSE(dialog->isVisible());

  auto second = Quirel_CheckBoxDialog::initWithLStringKey("IDC_BOOKEXPLAIN_CHK_STR", 0, 1);
  checkBoxApp().onNextModalWindow([&](kit::Window&) { second->cancelButton()->performClick(); });
  EXPECT_EQ(second->runModal(), 0);
  EXPECT_FALSE(second->isChecked());
}

TEST(CheckBoxDialog, ReturnPressesTheDefaultButtonOnly) {
  struct Row {
    std::int32_t focus;
    std::int32_t answer;  // -1: Return pressed nothing
  };
  for (const Row& r : {Row{1, 1}, Row{0, 0}, Row{2, -1}}) {
    SCOPED_TRACE(r.focus);
    auto dialog = Quirel_CheckBoxDialog::initWithLStringKey("IDC_BOOKEXPLAIN_CHK_STR", 0, r.focus);
    bool stillRunning = false;
    checkBoxApp().onNextModalWindow([&](kit::Window& w) {
      pressReturn(w);
      stillRunning = checkBoxApp().modalWindow() == &w;
      // Nothing answered: end the run with Cancel.
      if (stillRunning) dialog->cancelButton()->performClick();
    });
    const std::int32_t answer = dialog->runModal();
    if (r.answer < 0) {
      EXPECT_TRUE(stillRunning);
      EXPECT_EQ(answer, 0);
    } else {
      EXPECT_FALSE(stillRunning);
      EXPECT_EQ(answer, r.answer);
    }
  }
}

TEST(CheckBoxDialog, TwoShortLinesOfAMessageAreFiftySixHigh) {
  ControllerBundleAnswer controller{message_test::testBundle()};
  message_test::CatalogueOverride catalogue(message_test::testCatalogue(), "checkbox-catalogue");
  auto dialog = Quirel_CheckBoxDialog::initWithMessageID(2, 1);  // "First part.\rSecond part."
  EXPECT_EQ(dialog->messageField()->stringValue(), "First part.\rSecond part.");
  const fnd::Rect text = dialog->messageField()->frame();
  EXPECT_EQ(text.size.height, 56);
  EXPECT_EQ(text.origin.y, 85);
  EXPECT_EQ(text.size.width, 310);
  // The caution sign's top meets the text's top; the content fits text, box, line and buttons.
  EXPECT_EQ(dialog->imageView()->frame().maxY(), text.maxY());
  EXPECT_EQ(dialog->contentRectSize(), fnd::Size(400, 56 + 10 + 25 + 10 + 5 + 10 + 32 + 10));

  EXPECT_EQ(Quirel_CheckBoxDialog::messageTextHeight({}), 10);
  EXPECT_EQ(Quirel_CheckBoxDialog::messageTextHeight({700}), 23 * 2 + 10);  // one long line wraps
  EXPECT_EQ(Quirel_CheckBoxDialog::messageTextHeight({0, 300, 620}), 23 * 4 + 10);
}

TEST(CheckBoxDialog, KeyVariantTakesTheTextsOwnHeightAndStaysAtLevelTwelve) {
  auto dialog = Quirel_CheckBoxDialog::initWithLStringKey("IDC_BOOKEXPLAIN_CHK_STR", 0, 0);
  EXPECT_EQ(dialog->messageField()->stringValue(), "Do not show this message again");
  EXPECT_EQ(dialog->messageField()->frame().size.height, dialog->messageField()->heightForWidth(310));
  EXPECT_EQ(dialog->title(), "Scanner");
  EXPECT_EQ(dialog->level(), 12);
  dialog->makeKeyAndOrderFront();
  dialog->setLevel(3);
  dialog->windowDidUpdate(*dialog);
  EXPECT_EQ(dialog->level(), 12);
  EXPECT_TRUE(dialog->imageView()->image().isValid());
  dialog->orderOut();
}

TEST(CheckBoxDialog, EventsAfterTheRunAreDropped) {
  auto dialog = Quirel_CheckBoxDialog::initWithLStringKey("IDC_BOOKEXPLAIN_CHK_STR", 0, 1);
  std::string png;
  checkBoxApp().onNextModalWindow([&](kit::Window& w) {
    png = (testenv::freshFolder("checkbox-dialog") / "checkbox-dialog.png").string();
    EXPECT_TRUE(w.grabToPng(png));
    dialog->okButton()->performClick();
  });
  EXPECT_EQ(dialog->runModal(), 1);
  std::cout << "check-box dialog screenshot: " << png << std::endl;
  const auto clickBox = [](Quirel_CheckBoxDialog& d) {
    const fnd::Rect box = d.checkBox()->frame();
    const fnd::Point at{box.origin.x + 10, box.origin.y + 12};
    checkBoxApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, &d));
    checkBoxApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, &d));
    checkBoxApp().dispatchQueuedEvents();
  };
  clickBox(*dialog);
  EXPECT_EQ(dialog->checkBox()->state(), 0);
  // The same click reaches a dialog whose run has not ended.
  auto open = Quirel_CheckBoxDialog::initWithLStringKey("IDC_BOOKEXPLAIN_CHK_STR", 0, 1);
  open->makeKeyAndOrderFront();
  clickBox(*open);
  EXPECT_TRUE(open->isChecked());
  open->orderOut();
  EXPECT_FALSE(dialog->isChecked());
}
