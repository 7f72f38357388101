// Text fields: typing through the Qt editor, formatter vetoes, delegates that refuse to let
// editing begin or end, actions, labels and their truncation.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <cstdlib>
#include <QLineEdit>
#include <memory>

#include "KitTestSupport.h"
#include "kit/Formatter.h"
#include "kit/TextField.h"

namespace {

using fnd::Rect;
using kit::TextField;

// Digits only, at most four: the shape of the number fields' formatters.
class DigitsFormatter : public kit::Formatter {
 public:
  bool isPartialStringValid(const std::string& s, std::string*, std::string*) const override {
    if (s.size() > 4) return false;
    return s.find_first_not_of("0123456789") == std::string::npos;
  }
};

class Delegate : public kit::TextFieldDelegate {
 public:
  bool allowBegin = true;
  bool allowEnd = true;
  int begins = 0, changes = 0, ends = 0, endAsks = 0;
  bool controlTextShouldBeginEditing(TextField&) override { return allowBegin; }
  bool controlTextShouldEndEditing(TextField&) override {
    ++endAsks;
    return allowEnd;
  }
  void controlTextDidBeginEditing(TextField&) override { ++begins; }
  void controlTextDidChange(TextField&) override { ++changes; }
  void controlTextDidEndEditing(TextField&) override { ++ends; }
};

class TextFieldTest : public kittest::KitTest {
 protected:
  void SetUp() override {
    KitTest::SetUp();
    window = std::make_unique<kit::Window>(Rect(100, 100, 300, 120), kit::kTitledWindowMask);
    first = static_cast<TextField*>(window->contentView()->addSubview(std::make_unique<TextField>(Rect(10, 80, 150, 24))));
    second = static_cast<TextField*>(window->contentView()->addSubview(std::make_unique<TextField>(Rect(10, 40, 150, 24))));
    window->makeKeyAndOrderFront();
  }
  void TearDown() override {
    window.reset();
    KitTest::TearDown();
  }
  // Keys as the user types them, through the Qt editor of the focused field.
  static void type(TextField* f, const std::string& text) {
    for (char c : text) {
      QString s(QChar::fromLatin1(c));
      int key = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : c >= '0' && c <= '9' ? Qt::Key_0 + (c - '0') : Qt::Key_Period;
      QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, s);
      QApplication::sendEvent(f->lineEdit(), &e);
    }
  }
  static void press(TextField* f, Qt::Key key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(f->lineEdit(), &e);
  }
  std::unique_ptr<kit::Window> window;
  TextField* first = nullptr;
  TextField* second = nullptr;
};

TEST_F(TextFieldTest, TypedTextReachesTheFieldAndAFormatterVetoLeavesItUnchanged) {
  first->setFormatter(std::make_unique<DigitsFormatter>());
  ASSERT_TRUE(window->makeFirstResponder(first));
  type(first, "12");
  EXPECT_EQ(first->stringValue(), "12");
  type(first, "a");
  EXPECT_EQ(first->stringValue(), "12");
  type(first, "345");
  EXPECT_EQ(first->stringValue(), "1234");
  EXPECT_EQ(first->lineEdit()->text().toStdString(), "1234");
  EXPECT_EQ(first->intValue(), 1234);
  // The same rules for edits by program; a value set by program is not judged.
  EXPECT_FALSE(first->replaceText("12x"));
  EXPECT_EQ(first->stringValue(), "1234");
  EXPECT_TRUE(first->replaceText("7"));
  EXPECT_EQ(first->stringValue(), "7");
}

// Qt lays out a field's text as its editor is made, before the field's own font is set: with
// the application's font the same as the system font, that first layout already uses the
// font the field keeps, so the first window with text loads and measures one font, not two.
TEST_F(TextFieldTest, AFieldStartsInTheApplicationFont) {
  EXPECT_EQ(first->lineEdit()->font(), QApplication::font());
  TextField field(Rect(0, 0, 100, 22));
  EXPECT_EQ(field.lineEdit()->font(), QApplication::font());
}

TEST_F(TextFieldTest, ADelegateRefusingTheEndOfEditingKeepsTheFocusInTheField) {
  Delegate d;
  first->setDelegate(&d);
  int actions = 0;
  first->setAction([&](kit::Control&) { ++actions; });
  first->setSendsActionOnEndEditing(true);
  ASSERT_TRUE(window->makeFirstResponder(first));
  type(first, "5");
  EXPECT_TRUE(first->isEditing());
  EXPECT_EQ(d.begins, 1);
  d.allowEnd = false;
  EXPECT_FALSE(window->makeFirstResponder(second));
  EXPECT_EQ(window->firstResponder(), first);
  EXPECT_TRUE(first->isEditing());
  EXPECT_TRUE(first->lineEdit()->hasFocus() || !first->lineEdit()->isActiveWindow());
  EXPECT_EQ(actions, 0);
  // Return asks too, and sends nothing while refused.
  press(first, Qt::Key_Return);
  EXPECT_EQ(actions, 0);
  d.allowEnd = true;
  EXPECT_TRUE(window->makeFirstResponder(second));
  EXPECT_EQ(window->firstResponder(), second);
  EXPECT_FALSE(first->isEditing());
  EXPECT_EQ(d.ends, 1);
  EXPECT_EQ(actions, 1);
}

TEST_F(TextFieldTest, ADelegateRefusingTheBeginOfEditingKeepsTheText) {
  Delegate d;
  d.allowBegin = false;
  first->setDelegate(&d);
  first->setStringValue("300");
  ASSERT_TRUE(window->makeFirstResponder(first));
  type(first, "9");
  press(first, Qt::Key_Backspace);
  EXPECT_EQ(first->stringValue(), "300");
  EXPECT_FALSE(first->isEditing());
  EXPECT_EQ(d.changes, 0);
  // Leaving a field that never began editing asks nobody.
  EXPECT_TRUE(window->makeFirstResponder(second));
  EXPECT_EQ(d.endAsks, 0);
}

TEST_F(TextFieldTest, ReturnSendsTheActionAndAContinuousFieldSendsItAtEveryChange) {
  std::vector<std::string> sent;
  first->setAction([&](kit::Control& c) { sent.push_back(c.stringValue()); });
  ASSERT_TRUE(window->makeFirstResponder(first));
  type(first, "ab");
  EXPECT_TRUE(sent.empty());
  press(first, Qt::Key_Return);
  EXPECT_EQ(sent, (std::vector<std::string>{"ab"}));
  EXPECT_EQ(window->firstResponder(), first) << "Return leaves the focus in the field";
  first->setContinuous(true);
  type(first, "c");
  EXPECT_EQ(sent.back(), "c") << "typing over the selection Return left";
}

TEST_F(TextFieldTest, LabelsTruncateInTheMiddleAndKeepTheirWholeText) {
  auto label = TextField::labelWithString("/home/user/Pictures/Scans/2026/December/Holiday", Rect(10, 10, 120, 17));
  label->setLineBreakMode(kit::LineBreakMode::TruncatingMiddle);
  EXPECT_FALSE(label->isEditable());
  EXPECT_FALSE(label->acceptsFirstResponder());
  EXPECT_EQ(label->stringValue(), "/home/user/Pictures/Scans/2026/December/Holiday");
  QString shown = label->lineEdit()->text();
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith("/h")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("ay")) << shown.toStdString();
  // The size for the whole text fits it on one line.
  kit::Font font = label->font();
  EXPECT_GE(label->cellSize().width, font.widthOfString(label->stringValue()));
  label->sizeToFit();
  EXPECT_EQ(label->lineEdit()->text().toStdString(), label->stringValue());
  // A wrapping label shows lines; made editable it is a one-line editor again.
  auto wrapping = TextField::wrappingLabelWithString("A message long enough to need two lines here", Rect(0, 0, 90, 40));
  EXPECT_TRUE(wrapping->isWrapping());
  EXPECT_TRUE(wrapping->lineEdit()->isHidden());
  wrapping->setEditable(true);
  EXPECT_FALSE(wrapping->isWrapping());
  EXPECT_FALSE(wrapping->lineEdit()->isHidden());
}

TEST_F(TextFieldTest, WrappingLabelDrawsTheLinesItMeasures) {
  // Carriage returns and line feeds break lines; the text keeps the inset clear at the left.
  const std::string text = "One\rTwo\nThree";
  auto* label = static_cast<TextField*>(
      window->contentView()->addSubview(TextField::wrappingLabelWithString(text, Rect(20, 10, 200, 100))));
  kit::Font font = label->font();
  const double line = font.lineHeight();
  EXPECT_DOUBLE_EQ(label->heightForWidth(200), font.heightForWidth(text, 200 - 2 * TextField::kLabelInset));
  EXPECT_NEAR(label->heightForWidth(200), 3 * line, 0.5);
  EXPECT_GT(label->heightForWidth(40), label->heightForWidth(200) - 0.01);
  label->setStringValue("A longer message that has to break into several lines at this width");
  EXPECT_GE(label->heightForWidth(120), 2 * line - 0.01);
  label->setStringValue(text);

  QImage shot = label->nativeWidget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  const double scale = shot.width() / 200.0;
  const QColor paper = shot.pixelColor(shot.width() - 1, shot.height() - 1);
  auto inkIn = [&](double x0, double x1, double y0, double y1) {
    for (int y = static_cast<int>(y0 * scale); y < static_cast<int>(y1 * scale) && y < shot.height(); ++y)
      for (int x = static_cast<int>(x0 * scale); x < static_cast<int>(x1 * scale) && x < shot.width(); ++x)
        if (std::abs(shot.pixelColor(x, y).lightness() - paper.lightness()) > 60) return true;
    return false;
  };
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(inkIn(0, 200, i * line, (i + 1) * line)) << "line " << i;
  EXPECT_FALSE(inkIn(0, 200, 3 * line + 1, 100));
  EXPECT_FALSE(inkIn(0, TextField::kLabelInset, 0, 100));
}

TEST_F(TextFieldTest, NumbersGoInAndComeOutThroughTheText) {
  first->setIntValue(42);
  EXPECT_EQ(first->stringValue(), "42");
  first->setDoubleValue(2.5);
  EXPECT_DOUBLE_EQ(first->doubleValue(), 2.5);
  first->setStringValue("abc");
  EXPECT_EQ(first->intValue(), 0);
  first->setEnabled(false);
  EXPECT_FALSE(first->lineEdit()->isEnabled());
  EXPECT_FALSE(window->makeFirstResponder(first));
}

}  // namespace
