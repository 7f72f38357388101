// The number field: focus retention, the first keystroke's notice, the cursor on the key
// window only.

#include <gtest/gtest.h>

#include <memory>

#include "ControlsTestSupport.h"
#include "kit/Cursor.h"
#include "kit/TextField.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/StringField.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

TEST(NumberField, ClearedFocusFlagKeepsTheFocusOnceThenLetsGo) {
  TestWindow w;
  auto* number = w.add(std::make_unique<Quirel_NumberField>(fnd::Rect(10, 10, 100, 22)));
  auto* other = w.add(std::make_unique<kit::TextField>(fnd::Rect(10, 50, 100, 22)));
  ASSERT_TRUE(w.window().makeFirstResponder(number));
  PostRecorder rec({"TEXT_BEGIN_EDIT", "SET_FOCUS"});
  EXPECT_TRUE(number->insertText("1"));
  EXPECT_TRUE(number->insertText("2"));
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"TEXT_BEGIN_EDIT"})) << "only the first keystroke is announced";
  number->setFocus(false);
  EXPECT_FALSE(w.window().makeFirstResponder(other));
  EXPECT_EQ(w.window().firstResponder(), number);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"TEXT_BEGIN_EDIT", "SET_FOCUS"}));
  EXPECT_TRUE(w.window().makeFirstResponder(other));
  EXPECT_EQ(w.window().firstResponder(), other);
  EXPECT_EQ(rec.posts.size(), 2u);
  EXPECT_EQ(number->stringValue(), "12");
}

TEST(NumberField, CursorChangesOnlyOnTheKeyWindowAndWhileEnabled) {
  struct Case {
    const char* name;
    bool key;
    bool enabled;
    bool changes;
  };
  for (const Case& c : {Case{"key, enabled", true, true, true}, Case{"not key", false, true, false},
                        Case{"disabled", true, false, false}}) {
    SCOPED_TRACE(c.name);
    TestWindow w(fnd::Rect(0, 0, 300, 120), c.key);
    auto* number = w.add(std::make_unique<Quirel_NumberField>(fnd::Rect(10, 10, 100, 22)));
    number->setEnabled(c.enabled);
    EXPECT_NE(number->trackTag(), -1);
    w.moveTo({200, 100});
    kit::Cursor::crosshair().set();
    w.moveTo({50, 20});
    EXPECT_EQ(kit::Cursor::current().kind(), c.changes ? kit::Cursor::Kind::IBeam : kit::Cursor::Kind::Crosshair);
    kit::Cursor::crosshair().set();
    w.moveTo({200, 100});
    EXPECT_EQ(kit::Cursor::current().kind(), c.changes ? kit::Cursor::Kind::Arrow : kit::Cursor::Kind::Crosshair);
  }
}

TEST(NumberField, StringFieldChangesTheCursorOnlyWhileAsked) {
  TestWindow w;
  auto* field = w.add(std::make_unique<Quirel_StringField>(fnd::Rect(10, 10, 100, 22)));
  EXPECT_TRUE(field->isChangeCursor());
  field->setChangeCursor(false);
  w.moveTo({200, 100});
  kit::Cursor::crosshair().set();
  w.moveTo({50, 20});
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::Crosshair);
  field->setChangeCursor(true);
  field->setFrame(fnd::Rect(10, 10, 110, 22));  // the rectangle is installed again
  w.moveTo({200, 100});
  w.moveTo({50, 20});
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::IBeam);
}

TEST(NumberField, SwallowsAPressWhileItsClickFlagIsCleared) {
  TestWindow w;
  auto* number = w.add(std::make_unique<Quirel_NumberField>(fnd::Rect(10, 10, 100, 22)));
  PostRecorder rec({"CONTROL_YES"});
  number->setDownOnOff(false);
  w.click({50, 20});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"CONTROL_YES"}));
  w.click({50, 20});
  EXPECT_EQ(rec.posts.size(), 1u);
}
