// The key-view loop: Tab and Shift-Tab, pressed as Qt keys, walk the first responder along the
// loop past views that cannot take it; Qt's focus chain keeps the same order; views that go
// away leave the loop.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <memory>

#include "KitTestSupport.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"

namespace {

using fnd::Rect;
using kit::TextField;
using kit::View;
using Log = std::vector<std::string>;

class KeyViewTest : public kittest::KitTest {
 protected:
  void SetUp() override {
    KitTest::SetUp();
    window = std::make_unique<kit::Window>(Rect(100, 100, 400, 200), kit::kTitledWindowMask);
    View* content = window->contentView();
    picture = static_cast<kittest::Recorder*>(
        content->addSubview(std::make_unique<kittest::Recorder>(Rect(200, 10, 190, 180), &log, "picture")));
    picture->firstResponder = true;
    for (int i = 0; i < 5; ++i)
      fields.push_back(static_cast<TextField*>(
          content->addSubview(std::make_unique<TextField>(Rect(10, 160 - 35 * i, 150, 24)))));
    window->makeKeyAndOrderFront();
  }
  void TearDown() override {
    window.reset();
    KitTest::TearDown();
  }
  // The key pressed where Qt delivers it: the focused editor, else the window's widget.
  void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = window->nativeWidget();
    if (auto* f = dynamic_cast<TextField*>(window->firstResponder())) target = f->lineEdit();
    QKeyEvent e(QEvent::KeyPress, key, mods, key == Qt::Key_Tab ? QStringLiteral("\t") : QString());
    QApplication::sendEvent(target, &e);
  }
  // The next widget in Qt's chain that Tab would stop at.
  static QWidget* nextTabStop(QWidget* w) {
    for (QWidget* n = w->nextInFocusChain(); n && n != w; n = n->nextInFocusChain())
      if (n->focusPolicy() & Qt::TabFocus) return n;
    return nullptr;
  }
  Log log;
  std::unique_ptr<kit::Window> window;
  kittest::Recorder* picture = nullptr;
  std::vector<TextField*> fields;
};

TEST_F(KeyViewTest, TabWalksTheLoopPastDisabledAndHiddenViewsAndShiftTabWalksBack) {
  // picture -> 0 -> 1 (disabled) -> 2 -> 3 (hidden) -> 4 -> picture
  picture->setNextKeyView(fields[0]);
  fields[0]->setNextKeyView(fields[1]);
  fields[1]->setNextKeyView(fields[2]);
  fields[2]->setNextKeyView(fields[3]);
  fields[3]->setNextKeyView(fields[4]);
  fields[4]->setNextKeyView(picture);
  fields[1]->setEnabled(false);
  fields[3]->setHidden(true);
  fields[2]->setStringValue("300");
  ASSERT_TRUE(window->makeFirstResponder(picture));

  std::vector<kit::Responder*> seen;
  for (int i = 0; i < 4; ++i) {
    press(Qt::Key_Tab);
    seen.push_back(window->firstResponder());
  }
  EXPECT_EQ(seen, (std::vector<kit::Responder*>{fields[0], fields[2], fields[4], picture}));
  // The picture's view saw the Tab and passed it on; the fields never let it reach their text.
  EXPECT_EQ(log, (Log{"picture:key \t"}));
  EXPECT_EQ(fields[0]->stringValue(), "");

  seen.clear();
  for (int i = 0; i < 4; ++i) {
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    seen.push_back(window->firstResponder());
  }
  EXPECT_EQ(seen, (std::vector<kit::Responder*>{fields[4], fields[2], fields[0], picture}));

  // Tab into a field selects its whole text, so typing replaces it.
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  ASSERT_EQ(window->firstResponder(), fields[2]);
  EXPECT_EQ(fields[2]->lineEdit()->selectedText(), QStringLiteral("300"));
}

TEST_F(KeyViewTest, TabIntoAFieldOfAScrolledListBringsItIntoSight) {
  // A list 60 high over a document 300 high with a field near each end; Tab goes from the
  // window's first field to the field out of sight, then to the other, Shift-Tab back.
  auto* scroll = static_cast<kit::ScrollView*>(
      window->contentView()->addSubview(std::make_unique<kit::ScrollView>(Rect(170, 10, 25, 60))));
  scroll->setHasVerticalScroller(true);
  scroll->setDocumentView(std::make_unique<View>(Rect(0, 0, 10, 300)));
  View* document = scroll->documentView();
  auto* low = static_cast<TextField*>(document->addSubview(std::make_unique<TextField>(Rect(0, 10, 10, 24))));
  auto* high = static_cast<TextField*>(document->addSubview(std::make_unique<TextField>(Rect(0, 260, 10, 24))));
  auto inSight = [&](View* v) {
    const Rect shown = scroll->documentVisibleRect();
    const Rect r = document->convertRectFromView(v->bounds(), v);
    return r.minY() >= shown.minY() && r.maxY() <= shown.maxY();
  };
  ASSERT_TRUE(window->makeFirstResponder(fields[0]));
  const bool lowFirst = inSight(low);
  ASSERT_NE(lowFirst, inSight(high)) << "one field of the list is out of sight to begin with";
  TextField* hidden = lowFirst ? high : low;
  TextField* shown = lowFirst ? low : high;
  // The hidden one first, whichever end of the document the list shows to begin with.
  fields[0]->setNextKeyView(hidden);
  hidden->setNextKeyView(shown);
  shown->setNextKeyView(fields[0]);

  press(Qt::Key_Tab);
  ASSERT_EQ(window->firstResponder(), hidden);
  EXPECT_TRUE(inSight(hidden));
  press(Qt::Key_Tab);
  ASSERT_EQ(window->firstResponder(), shown);
  EXPECT_TRUE(inSight(shown));
  press(Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_EQ(window->firstResponder(), hidden);
  EXPECT_TRUE(inSight(hidden));
}

TEST_F(KeyViewTest, QtsFocusChainKeepsTheOrderAlsoForLinksMadeBeforeTheWindow) {
  // Made and linked outside any window, then put in: the order reaches Qt on arrival.
  auto a = std::make_unique<TextField>(Rect(170, 10, 20, 24));
  auto b = std::make_unique<TextField>(Rect(170, 40, 20, 24));
  a->setNextKeyView(b.get());
  fields[4]->setNextKeyView(fields[0]);  // against the order of creation
  fields[0]->setNextKeyView(a.get());
  TextField* pa = static_cast<TextField*>(window->contentView()->addSubview(std::move(a)));
  TextField* pb = static_cast<TextField*>(window->contentView()->addSubview(std::move(b)));

  EXPECT_EQ(nextTabStop(fields[4]->lineEdit()), fields[0]->lineEdit());
  EXPECT_EQ(nextTabStop(fields[0]->lineEdit()), pa->lineEdit());
  EXPECT_EQ(nextTabStop(pa->lineEdit()), pb->lineEdit());
  // Fields outside any loop keep taking the focus by click only.
  EXPECT_EQ(fields[2]->lineEdit()->focusPolicy(), Qt::ClickFocus);
  // Enabling anew keeps a field in the loop reachable by Tab.
  fields[0]->setEnabled(false);
  fields[0]->setEnabled(true);
  EXPECT_TRUE(fields[0]->lineEdit()->focusPolicy() & Qt::TabFocus);
}

TEST_F(KeyViewTest, AFieldThatWillNotEndEditingKeepsTheFocusAndAViewThatGoesLeavesTheLoop) {
  class Refusing : public kit::TextFieldDelegate {
    bool controlTextShouldEndEditing(TextField&) override { return false; }
  } refusing;
  fields[0]->setNextKeyView(fields[1]);
  fields[1]->setNextKeyView(fields[2]);
  fields[2]->setNextKeyView(fields[0]);
  ASSERT_TRUE(window->makeFirstResponder(fields[0]));
  fields[0]->setDelegate(&refusing);
  fields[0]->insertText("7");
  press(Qt::Key_Tab);
  EXPECT_EQ(window->firstResponder(), fields[0]);
  fields[0]->setDelegate(nullptr);

  // A loop with nothing that can take the focus leaves it where it is.
  fields[1]->setEnabled(false);
  fields[2]->setEnabled(false);
  press(Qt::Key_Tab);
  EXPECT_EQ(window->firstResponder(), fields[0]);

  fields[1]->removeFromSuperview();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  EXPECT_EQ(fields[0]->nextKeyView(), nullptr);
  EXPECT_EQ(fields[2]->previousKeyView(), nullptr);
  EXPECT_EQ(fields[0]->previousKeyView(), fields[2]);
  EXPECT_EQ(fields[0]->nextValidKeyView(), nullptr);
}

}  // namespace
