#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/BookCorrectDialog.h"

namespace {

kit::Application& bookApp() { return kit::Application::shared(); }

using Book = Quirel_BookCorrectDialog;

const std::string kOlderText =
    "Place the book face down on the platen with its spine along the edge of the glass. Book correction evens out "
    "the shadow near the spine.";
const std::string kNewerText =
    "To scan a book, open it and lay it face down on the platen with its spine along the edge of the glass, then "
    "close the cover gently.\r\rBook correction evens out the shadow and the curve near the spine. Press OK to "
    "start the preview.";

Quirel_UIScannerInfo bookScanner(bool v14, bool v15) {
  return Quirel_UIScannerInfo(fnd::Dictionary{{"Ver1400Later", v14}, {"Ver1500Later", v15}});
}

// A click on the check box through the event queue, as the user makes it.
void clickBookCheckBox(Book& dialog) {
  const fnd::Rect box = dialog.checkBox()->frame();
  const fnd::Point at{box.origin.x + 10, box.origin.y + 12};
  bookApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, &dialog));
  bookApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, &dialog));
  bookApp().dispatchQueuedEvents();
}

}  // namespace

TEST(BookCorrectDialog, OkAnswersOneAndTheTickedBoxIsReported) {
  const Quirel_UIScannerInfo scanner = bookScanner(true, true);
  for (bool tick : {true, false}) {
    SCOPED_TRACE(tick);
    auto dialog = Book::initWithSetting(&scanner);
    EXPECT_FALSE(dialog->isVisible());
    bool wasModal = false;
    bookApp().onNextModalWindow([&](kit::Window& w) {
      wasModal = &w == dialog.get();
      EXPECT_EQ(w.defaultButton(), dialog->okButton());
      if (tick) clickBookCheckBox(*dialog);
      dialog->okButton()->performClick();
    });
    EXPECT_EQ(dialog->runModal(), 1);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(dialog->isChecked(), tick);
    EXPECT_FALSE(dialog->isVisible());
  }
}

TEST(BookCorrectDialog, TextAndPictureFollowTheScannerGeneration) {
  struct Row {
    const char* what;
    std::optional<Quirel_UIScannerInfo> scanner;
    const std::string* text;
    const char* picture;
  };
  const std::vector<Row> rows = {
      {"no record", std::nullopt, &kOlderText, "Book_explain.tif"},
      {"older", bookScanner(false, false), &kOlderText, "Book_explain.tif"},
      {"1400", bookScanner(true, false), &kNewerText, "Book_explain.tif"},
      {"1500", bookScanner(true, true), &kNewerText, "BOOK_EXPLANATION.tiff"},
      // The two choices ask different questions of the record.
      {"1500 flag alone", bookScanner(false, true), &kOlderText, "BOOK_EXPLANATION.tiff"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto dialog = Book::initWithSetting(r.scanner ? &*r.scanner : nullptr);
    EXPECT_EQ(dialog->messageField()->stringValue(), *r.text);
    EXPECT_EQ(dialog->pictureName(), r.picture);
    const kit::Image image = dialog->imageView()->image();
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(image.size(), fnd::Size(360, 200));
    EXPECT_EQ(kit::Image::pathForName(r.picture, "quirel_r14").empty(), false);
  }
  // The two pictures are different drawings.
  const kit::Image newer = kit::Image::named("BOOK_EXPLANATION.tiff", "quirel_r14");
  const kit::Image older = kit::Image::named("Book_explain.tif", "quirel_r14");
  EXPECT_NE(newer.colorAtPixel(45, 56), older.colorAtPixel(45, 56));
}

TEST(BookCorrectDialog, LaysOutFromTheBottomUpAndFitsTheContentToTheText) {
  const Quirel_UIScannerInfo older = bookScanner(false, false);
  const Quirel_UIScannerInfo newer = bookScanner(true, true);
  for (const Quirel_UIScannerInfo* scanner : {&older, &newer}) {
    auto dialog = Book::initWithSetting(scanner);
    EXPECT_EQ(dialog->okButton()->frame(), fnd::Rect(130, 5, 100, 32));
    EXPECT_EQ(dialog->separator()->frame(), fnd::Rect(10, 40, 340, 5));
    EXPECT_EQ(dialog->checkBox()->frame(), fnd::Rect(30, 50, 300, 25));
    EXPECT_EQ(dialog->checkBox()->title(), "Do not show this message again");
    const double h = dialog->messageField()->heightForWidth(330);
    EXPECT_GT(h, 0);
    // 10 above the box's top, the text's own height at 330 wide.
    EXPECT_EQ(dialog->messageField()->frame(), fnd::Rect(20, 85, 330, h));
    EXPECT_EQ(dialog->imageView()->frame(), fnd::Rect(0, 85 + h + 10, 360, 200));
    EXPECT_EQ(dialog->contentRectSize(), fnd::Size(360, 200 + 10 + h + 10 + 25 + 10 + 5 + 10 + 32 + 10));
    EXPECT_EQ(Book::contentHeightForText(h), dialog->contentRectSize().height);
    EXPECT_EQ(dialog->title(), "Scanner");
    EXPECT_EQ(dialog->okButton()->title(), "OK");
  }
  // The newer two-paragraph text is the taller one.
  EXPECT_GT(Book::initWithSetting(&newer)->messageField()->frame().size.height,
            Book::initWithSetting(&older)->messageField()->frame().size.height);
  EXPECT_EQ(Book::contentHeightForText(0), 312);
}

TEST(BookCorrectDialog, AsksTheControllerForItsBundleAndKeepsLevelTwelve) {
  std::vector<const void*> askers;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [&](const fnd::Notification& n) {
        if (Quirel_PVLocalizedBundle::fromLocalizeRequest(n)) askers.push_back(n.sender);
      });
  auto dialog = Book::initWithSetting(nullptr);
  ASSERT_EQ(askers.size(), 1u);
  EXPECT_EQ(askers[0], static_cast<const void*>(dialog.get()));

  EXPECT_EQ(dialog->level(), 12);
  dialog->makeKeyAndOrderFront();
  for (auto call : {&Book::windowDidUpdate, &Book::windowDidBecomeKey}) {
    dialog->setLevel(3);
    (dialog.get()->*call)(*dialog);
    EXPECT_EQ(dialog->level(), 12);
  }
  dialog->orderOut();
}

TEST(BookCorrectDialog, EventsAfterTheRunAreDropped) {
  const Quirel_UIScannerInfo scanner = bookScanner(true, true);
  auto dialog = Book::initWithSetting(&scanner);
  std::string png;
  bookApp().onNextModalWindow([&](kit::Window& w) {
    png = (testenv::freshFolder("book-correct-dialog") / "book-correct-dialog.png").string();
    EXPECT_TRUE(w.grabToPng(png));
    dialog->okButton()->performClick();
  });
  EXPECT_EQ(dialog->runModal(), 1);
  std::cout << "book-correction dialog screenshot: " << png << std::endl;
  clickBookCheckBox(*dialog);
  EXPECT_EQ(dialog->checkBox()->state(), 0);
  EXPECT_FALSE(dialog->isChecked());
  // The same click reaches a dialog whose run has not ended.
  auto open = Book::initWithSetting(&scanner);
  open->makeKeyAndOrderFront();
  clickBookCheckBox(*open);
  EXPECT_TRUE(open->isChecked());
  open->orderOut();
}
