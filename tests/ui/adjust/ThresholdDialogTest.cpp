// The threshold graph's picture read from a recording context, and the threshold dialog driven
// as a user would: typing and confirming, the slider, the stepper, Reset, Close and the close
// box, with the crops and the posts checked.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "AdjustTestSupport.h"
#include "kit/Color.h"
#include "kit/RecordingContext.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ThresholdGraphView.h"
#include "ui/controls/CTRLS_ThresholdGraph.h"
#include "ui/controls/CTRLS_ThresholdInputTextF.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

using namespace adjust_test;

namespace {

std::vector<kit::DrawOperation> thresholdDrawn(kit::View& view) {
  kit::RecordingContext ctx;
  view.displayRectIgnoringOpacity(view.bounds(), ctx);
  return ctx.operations();
}

// The red marker's x, or -1.
double markerX(const std::vector<kit::DrawOperation>& ops) {
  for (const auto& op : ops)
    if (op.kind == kit::DrawOperation::Kind::Stroke && op.state.strokeColor == kit::Color::red())
      return op.path.elements()[0].points[0].x;
  return -1;
}

std::size_t barCount(const std::vector<kit::DrawOperation>& ops) {
  for (const auto& op : ops)
    if (op.kind == kit::DrawOperation::Kind::Stroke && op.state.strokeColor == kit::Color::black() &&
        op.path.lineWidth() == 1)
      return op.path.elements().size() / 2;
  return 0;
}

const std::vector<std::string> kThresholdPosts = {
    "DialogValueChangePost", "remakeCropFromCorrectionDlgPost", "THRESHOLD_CHG_TO_DLG", "THRESHOLD_VALUE_FIX",
    "THRESHOLD_FIX_TO_DLG",  "THRESHOLD_FIX_TO_MAIN",           "CONTROL_SET_YES",      "THRESHOLD_CHG_TO_MAIN",
    "MAIN_MAKEKEY_FROM_DLG", "drawHistgram"};

}  // namespace

TEST(ThresholdGraph, MarkerStaysInsideShadeAndFrameAndBarsNeedAPreview) {
  Quirel_ThresholdGraphView view(fnd::Rect(0, 0, 150, 150));
  struct Case {
    int threshold;
    double x;
  };
  for (const Case& c : {Case{0, 150.0 / 255 * 3}, Case{2, 150.0 / 255 * 3}, Case{3, 150.0 / 255 * 3},
                        Case{128, 150.0 / 255 * 128}, Case{254, 150.0 / 255 * 253}, Case{255, 150.0 / 255 * 253}}) {
    view.setThreshold(c.threshold);
    const auto ops = thresholdDrawn(view);
    EXPECT_DOUBLE_EQ(markerX(ops), c.x) << c.threshold;
    // Shade up to the marker, frame around all at 1.5 with square caps.
    bool shade = false, frame = false;
    for (const auto& op : ops) {
      if (op.kind == kit::DrawOperation::Kind::Fill && op.state.fillColor == kit::Color::calibratedRGB(0, 0, 0, 0.5)) {
        EXPECT_DOUBLE_EQ(op.path.controlPointBounds().size.width, std::abs(c.x - 2));
        shade = true;
      }
      if (op.kind == kit::DrawOperation::Kind::Stroke && op.path.lineWidth() == 1.5) {
        EXPECT_EQ(op.path.lineCapStyle(), kit::LineCapStyle::Square);
        frame = true;
      }
    }
    EXPECT_TRUE(shade && frame) << c.threshold;
  }
  // Counted from the first byte of each pixel; drawn only with a preview.
  const std::vector<std::uint8_t> rgb = {10, 200, 200, 10, 0, 0, 250, 9, 9};
  view.setImgData(1, 3, rgb.data());
  EXPECT_EQ(view.counts()[10], 2);
  EXPECT_EQ(view.counts()[250], 1);
  EXPECT_EQ(view.counts()[200], 0);
  EXPECT_EQ(barCount(thresholdDrawn(view)), 0u);
  view.getPreviewInfo(true);
  EXPECT_EQ(barCount(thresholdDrawn(view)), 2u);
  view.setImgData(0, 3, rgb.data());  // no samples: cleared
  EXPECT_EQ(view.counts()[10], 0);
  EXPECT_EQ(barCount(thresholdDrawn(view)), 0u);
  EXPECT_GE(markerX(thresholdDrawn(view)), 0);
  // The base counts single bytes.
  Quirel_ThresholdGraphViewBase base(fnd::Rect(0, 0, 150, 150));
  base.setImgData(1, 3, rgb.data());
  EXPECT_EQ(base.counts()[10], 1);
  EXPECT_EQ(base.counts()[200], 2);
}

namespace {

class Threshold : public ::testing::Test {
 protected:
  // Three crops with thresholds 100, 110, 120; the given ones selected and focused.
  void make(std::vector<int> selected, int focused, bool v1700 = false, bool withCrops = true) {
    list.clear();
    if (withCrops) {
      list = crops(3, selected, focused);
      for (int i = 0; i < 3; ++i) list[i]->setThreshold(100 + 10 * i);
    }
    templateCrop.setThreshold(90);
    info = scanner(true, true, v1700);
    dialog = std::make_unique<Quirel_ThresholdDialog>(&list, &templateCrop, info.get(), nullptr);
    dialog->createThresholdDialog(fnd::Size(220, 400));
    dialog->updateThresholdDialog(&list, false, &templateCrop);
    dialog->showWindow();
  }
  void TearDown() override {
    if (dialog) dialog->getWindow()->orderOut();
  }
  Quirel_NumberField* field() { return dialog->input()->getNumberTxtF(); }
  void type(const std::string& text) {
    dialog->getWindow()->makeFirstResponder(field());
    dialog->textShouldBeginEdit();
    field()->replaceText(text);
  }
  int th(int i) { return list[static_cast<std::size_t>(i)]->getThreshold(); }

  TextsAnswer texts;
  Messages messages;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_ThresholdDialog> dialog;
};

}  // namespace

TEST_F(Threshold, TooLargeShowsNothingUntilConfirmedThenTheMessageAndTheShownValue) {
  make({0, 2}, 1);
  EXPECT_EQ(field()->stringValue(), "110");
  Posts posts(kThresholdPosts);
  type("300");
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_TRUE(dialog->editFlag());
  messages.expect();
  click(*dialog->getWindow(), *dialog->graph()->getGraphView()->linkedView());  // a press on the histogram
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(field()->stringValue(), "110");
  EXPECT_EQ(dialog->input()->getSlider()->intValue(), 110);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(th(i), 100 + 10 * i);
  EXPECT_EQ(posts.count("THRESHOLD_FIX_TO_DLG"), 1u);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 0u);
}

TEST_F(Threshold, AnEmptiedFieldAndASliderClickBringTheMessageAndTheSliderStays) {
  make({0, 2}, 1);
  type("");
  messages.expect();
  const int before = dialog->input()->getSlider()->intValue();
  click(*dialog->getWindow(), *dialog->input()->getSlider());
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(dialog->input()->getSlider()->intValue(), before);
  EXPECT_EQ(field()->stringValue(), "110");
  EXPECT_EQ(th(0), 100);
}

TEST_F(Threshold, LeadingZerosAndReturnStoreTheNumber) {
  make({0, 2}, 1);
  type("007");
  EXPECT_TRUE(field()->performClick());  // Return
  EXPECT_EQ(field()->stringValue(), "7");
  EXPECT_EQ(th(0), 7);
  EXPECT_EQ(th(1), 110);
  EXPECT_EQ(th(2), 7);
  EXPECT_EQ(dialog->graph()->getGraphView()->linkedView() != nullptr, true);
  EXPECT_EQ(dynamic_cast<Quirel_ThresholdGraphView*>(dialog->graph()->getGraphView())->threshold(), 7);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(Threshold, TwoSelectedNoneFocusedShowTheLastSelectedAndTheSliderWritesBoth) {
  make({0, 2}, -1);
  EXPECT_EQ(field()->stringValue(), "120");
  Posts posts(kThresholdPosts);
  Quirel_Slider* slider = dialog->input()->getSlider();
  dragAlong(*dialog->getWindow(), *slider, {-30});
  const int v = slider->intValue();
  EXPECT_NE(v, 120);
  EXPECT_EQ(th(0), v);
  EXPECT_EQ(th(2), v);
  EXPECT_EQ(th(1), 110);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
  EXPECT_EQ(posts.count("drawHistgram"), 0u);
  // A refused value with no focused crop restores the shown value, not 0.
  type("999");
  messages.expect();
  dialog->dlgMouseDown();
  EXPECT_EQ(field()->stringValue(), std::to_string(v));
}

TEST_F(Threshold, ClosingTheMainWindowOverARefusedEntryWritesTheShownValue) {
  for (const char* text : {"300", ""}) {
    make({0, 2}, -1);
    type(text);
    dialog->willCloseDlg();
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(field()->stringValue(), "120") << text;
    EXPECT_EQ(th(0), 120) << text;
    EXPECT_EQ(th(2), 120) << text;
    dialog.reset();
  }
  make({0, 2}, 1);
  type("44");
  dialog->willCloseDlg();
  EXPECT_EQ(th(0), 44);
  // Without crops the template crop takes it.
  dialog.reset();
  make({}, -1, false, false);
  EXPECT_EQ(field()->stringValue(), "90");
  type("");
  dialog->willCloseDlg();
  EXPECT_EQ(templateCrop.getThreshold(), 90);
}

TEST_F(Threshold, ResetAtTheDefaultPostsNothingAndAStepperReleaseWritesTheCrops) {
  make({0, 2}, 1, true);
  for (auto& c : list) c->setThreshold(72);
  dialog->updateThresholdDialog(&list, false, &templateCrop);
  Posts posts(kThresholdPosts);
  dialog->resetButton()->performClick();
  EXPECT_EQ(posts.count("DialogValueChangePost"), 0u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 0u);
  // A stepper press and release: the crops take it, announced once.
  Quirel_NoFocusStepper* stepper = dialog->input()->getStepper();
  kit::Window& w = *dialog->getWindow();
  const fnd::Point c = centreOf(*stepper);
  post(w, kit::EventType::LeftMouseDown, fnd::Point(c.x, c.y + 5));
  post(w, kit::EventType::LeftMouseUp, fnd::Point(c.x, c.y + 5));
  dispatch();
  EXPECT_EQ(th(0), 73);
  EXPECT_EQ(th(2), 73);
  EXPECT_EQ(th(1), 72);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 1u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
  // Reset away from the default: back to 72, announced.
  posts.clear();
  dialog->resetButton()->performClick();
  EXPECT_EQ(th(0), 72);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 1u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
}

TEST_F(Threshold, TheCloseBoxConfirmsTheMainWindowsEditFirstAndRefusesARejectedEntry) {
  make({0, 2}, 1);
  fnd::NotificationCenter::defaultCenter().post("MAIN_CHG_TO_DLG", this);
  dialog->getWindow()->performClose();
  EXPECT_TRUE(dialog->isVisible());
  dialog->getWindow()->performClose();
  EXPECT_FALSE(dialog->isVisible());
  // A pending refused entry keeps the panel open once, with the message.
  dialog->showWindow();
  type("400");
  messages.expect();
  dialog->getWindow()->performClose();
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_TRUE(dialog->isVisible());
  type("55");
  dialog->getWindow()->performClose();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(th(0), 55);
}

TEST_F(Threshold, TheHistogramComesFromTheFocusedCropsBeforeCorrectionImage) {
  make({0, 2}, 1);
  std::vector<std::uint8_t> rgb(4 * 2 * 3, 0);
  for (std::size_t i = 0; i < rgb.size(); i += 3) rgb[i] = 33;
  list[1]->setcropCorRect(SRectDouble{{0, 0}, {4.9, 2.2}});
  list[1]->setcropBefData(CropImage(static_cast<std::uint8_t*>(std::malloc(rgb.size()))));
  std::copy(rgb.begin(), rgb.end(), list[1]->getcropBefData());
  dialog->updateThresholdDialog(&list, true, &templateCrop);
  auto* view = dynamic_cast<Quirel_ThresholdGraphView*>(dialog->graph()->getGraphView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->counts()[33], 8);
  EXPECT_TRUE(view->hasPreview());
  EXPECT_EQ(view->threshold(), 110);
}
