// The time-of-day picker: typed times, the stepper's minute steps through the hours, and the
// action after each change by the user.

#include <gtest/gtest.h>

#include "kit/DatePicker.h"
#include "kit/Stepper.h"
#include "kit/TextField.h"

TEST(DatePicker, ParsesOnlyWholeTimesOfTheDay) {
  struct Row {
    const char* text;
    bool ok;
    int hour, minute;
  };
  for (const Row& r : {Row{"7:05", true, 7, 5}, Row{"23:59", true, 23, 59}, Row{"0:00", true, 0, 0},
                       Row{"24:00", false, 0, 0}, Row{"12:60", false, 0, 0}, Row{"7:5", false, 0, 0},
                       Row{":30", false, 0, 0}, Row{"123:00", false, 0, 0}, Row{"ab:cd", false, 0, 0},
                       Row{"", false, 0, 0}}) {
    int h = -1, m = -1;
    EXPECT_EQ(kit::DatePicker::parseTime(r.text, &h, &m), r.ok) << r.text;
    if (r.ok) {
      EXPECT_EQ(h, r.hour) << r.text;
      EXPECT_EQ(m, r.minute) << r.text;
    }
  }
  EXPECT_EQ(kit::DatePicker::formatTime(6, 5), "6:05");
}

TEST(DatePicker, TypedTimesAndStepsChangeTheTimeAndSendTheAction) {
  kit::DatePicker picker(fnd::Rect(0, 0, 100, 24));
  int actions = 0;
  picker.setAction([&](kit::Control&) { ++actions; });
  picker.setTime(23, 59);
  EXPECT_EQ(picker.textField()->stringValue(), "23:59");
  EXPECT_EQ(actions, 0) << "setting the time is no user change";
  picker.stepper()->stepUp();
  EXPECT_EQ(picker.hour(), 0);
  EXPECT_EQ(picker.minute(), 0) << "a minute past midnight wraps";
  picker.stepper()->stepDown();
  EXPECT_EQ(picker.stringValue(), "23:59");
  EXPECT_EQ(actions, 2);

  picker.textField()->setStringValue("22:30");
  picker.textField()->sendAction();
  EXPECT_EQ(picker.hour(), 22);
  EXPECT_EQ(picker.minute(), 30);
  EXPECT_EQ(actions, 3);
  picker.textField()->setStringValue("25:00");
  picker.textField()->sendAction();
  EXPECT_EQ(picker.textField()->stringValue(), "22:30") << "a text that is no time is refused";
  EXPECT_EQ(actions, 3);
  picker.setTime(40, -3);
  EXPECT_EQ(picker.stringValue(), "23:00");
  picker.setEnabled(false);
  EXPECT_FALSE(picker.textField()->isEnabled());
  EXPECT_FALSE(picker.stepper()->isEnabled());
}
