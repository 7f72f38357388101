// The adjustment dialogs' controls: channel pop-ups (posting only once wired, index rules,
// numbers), the level fields' ranges, and every graph call handed unchanged to its view.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_FinalChannelPopup.h"
#include "ui/controls/CTRLS_FinalReviewGraph.h"
#include "ui/controls/CTRLS_FinalReviewZoomView.h"
#include "ui/controls/CTRLS_HistoChannelPopup.h"
#include "ui/controls/CTRLS_HistogramGraph.h"
#include "ui/controls/CTRLS_TONESetNameTextF.h"
#include "ui/controls/CTRLS_ThresholdGraph.h"
#include "ui/controls/CTRLS_ThresholdInputTextF.h"
#include "ui/controls/CTRLS_ThresholdText.h"
#include "ui/controls/CTRLS_ToneBCChannelPopup.h"
#include "ui/controls/CTRLS_ToneBCGraph.h"
#include "ui/controls/CTRLS_ToneBCInputTextF.h"
#include "ui/controls/CTRLS_ToneBCText.h"
#include "ui/controls/CTRLS_ToneCurveGraph.h"
#include "ui/controls/CTRLS_ToneCurvePopup.h"

using controls_test::kBundle;
using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

std::string channelText(const ChannelValues& v) {
  return std::to_string(v.master) + '/' + std::to_string(v.red) + '/' + std::to_string(v.green) + '/' +
         std::to_string(v.blue);
}

// Every graph double writes each call it gets as one line: the operation and its arguments.
struct CallLog {
  std::vector<std::string> calls;
  template <class... A>
  void add(const char* op, const A&... args) {
    std::ostringstream s;
    s << op;
    ((s << ' ' << args), ...);
    calls.push_back(s.str());
  }
};


class RecordingFinalReview : public kit::View, public Quirel_FinalReviewGraphLink {
 public:
  explicit RecordingFinalReview(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return this; }
  void setChannel(int c) override { log_.add("setChannel", c); }
  void setColor(int c) override { log_.add("setColor", c); }
  void setBlackPoint(ChannelValues v) override { log_.add("setBlackPoint", channelText(v)); }
  void setMidPoint(ChannelValues v) override { log_.add("setMidPoint", channelText(v)); }
  void setWhitePoint(ChannelValues v) override { log_.add("setWhitePoint", channelText(v)); }
  void setGrayPoint(ChannelValues v) override { log_.add("setGrayPoint", channelText(v)); }
  void setBrightness(ChannelValues v) override { log_.add("setBrightness", channelText(v)); }
  void setContrast(ChannelValues v) override { log_.add("setContrast", channelText(v)); }
  void setToneSelectTable(ChannelValues v) override { log_.add("setToneSelectTable", channelText(v)); }
  void setUserCurvePoint(const TagPoint* p) override { log_.add("setUserCurvePoint", static_cast<const void*>(p)); }
  void setUserCurveCount(const int* c) override { log_.add("setUserCurveCount", static_cast<const void*>(c)); }
  void setImgData(int w, int h, const std::uint8_t* p) override {
    log_.add("setImgData", w, h, static_cast<const void*>(p));
  }
  void setMonitorGamma(float g) override { log_.add("setMonitorGamma", g); }
  void getPreviewInfo(bool on) override { log_.add("getPreviewInfo", on); }

 private:
  CallLog& log_;
};

class RecordingHistogram : public kit::View, public Quirel_HistogramGraphViewLink {
 public:
  explicit RecordingHistogram(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return this; }
  void setChannel(int c) override { log_.add("setChannel", c); }
  void setColorMode(int m) override { log_.add("setColorMode", m); }
  void setBlackPoint(ChannelValues v) override { log_.add("setBlackPoint", channelText(v)); }
  void setMidPoint(ChannelValues v) override { log_.add("setMidPoint", channelText(v)); }
  void setWhitePoint(ChannelValues v) override { log_.add("setWhitePoint", channelText(v)); }
  void setGrayPoint(ChannelValues v) override { log_.add("setGrayPoint", channelText(v)); }
  void setImgData(int w, int h, const std::uint8_t* p) override {
    log_.add("setImgData", w, h, static_cast<const void*>(p));
  }
  void getPreviewInfo(bool on) override { log_.add("getPreviewInfo", on); }

 private:
  CallLog& log_;
};

class RecordingThreshold : public kit::View, public Quirel_ThresholdGraphViewLink {
 public:
  explicit RecordingThreshold(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return this; }
  void setThreshold(int l) override { log_.add("setThreshold", l); }
  void getPreviewInfo(bool on) override { log_.add("getPreviewInfo", on); }
  void setImgData(int w, int h, const std::uint8_t* p) override {
    log_.add("setImgData", w, h, static_cast<const void*>(p));
  }

 private:
  CallLog& log_;
};

class RecordingToneBC : public kit::View, public Quirel_ToneBCGraphViewLink {
 public:
  explicit RecordingToneBC(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return this; }
  void setChannel(int c) override { log_.add("setChannel", c); }
  void setBrightness(ChannelValues v) override { log_.add("setBrightness", channelText(v)); }
  void setContrast(ChannelValues v) override { log_.add("setContrast", channelText(v)); }

 private:
  CallLog& log_;
};

class RecordingToneCurve : public kit::View, public Quirel_ToneCurveGraphViewLink {
 public:
  explicit RecordingToneCurve(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return this; }
  void setChannel(int c) override { log_.add("setChannel", c); }
  void setToneSelectTable(ChannelValues v) override { log_.add("setToneSelectTable", channelText(v)); }
  void setSelectPopupFIVE(bool on) override { log_.add("setSelectPopupFIVE", on); }
  void setUserCurvePoint(const TagPoint* p) override { log_.add("setUserCurvePoint", static_cast<const void*>(p)); }
  TagPoint* getUserCurvePoint() override { return points; }
  void setUserCurveCount(const int* c) override { log_.add("setUserCurveCount", static_cast<const void*>(c)); }
  int* getUserCurvePointCount() override { return counts; }
  void setSquarePoint(const TagPoint* p) override { log_.add("setSquarePoint", static_cast<const void*>(p)); }
  TagPoint* getSquarePoint() override { return &square; }
  bool isEnterdInGraph() override { return true; }
  TagPoint points[60] = {};
  int counts[4] = {};
  TagPoint square = {};

 private:
  CallLog& log_;
};

class RecordingZoom : public kit::View, public Quirel_FRZoomViewLink {
 public:
  explicit RecordingZoom(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return this; }
  void setRGB(double r, double g, double b) override { log_.add("setRGB", r, g, b); }
  void setGray(double g) override { log_.add("setGray", g); }
  void getZoomViewData(const kit::Image& d) override { log_.add("getZoomViewData", d.pixelsWide()); }
  void setRotation(int r) override { log_.add("setRotation", r); }
  void setMirror(bool m) override { log_.add("setMirror", m); }

 private:
  CallLog& log_;
};

}  // namespace

TEST(GraphWrappers, EveryOperationReachesTheViewUnchanged) {
  const ChannelValues a{1, -2, 300, 128};
  const ChannelValues b{-127, 0, 127, 5};
  TagPoint curve[60] = {};
  int counts[4] = {2, 3, 4, 5};
  std::uint8_t pixels[12] = {};
  std::ostringstream pa, pc, pp;
  pa << static_cast<const void*>(curve);
  pc << static_cast<const void*>(counts);
  pp << static_cast<const void*>(pixels);
  const std::string cs = "1/-2/300/128", bs = "-127/0/127/5";

  struct Case {
    const char* name;
    std::function<void(CallLog&)> run;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"final review",
       [&](CallLog& log) {
         Quirel_CTRLS_FinalReviewGraph g(std::make_unique<RecordingFinalReview>(log));
         g.setChannel(3);
         g.setColor(2);
         g.setBlackPoint(a);
         g.setMidPoint(b);
         g.setWhitePoint(a);
         g.setGrayPoint(b);
         g.setBrightness(a);
         g.setContrast(b);
         g.setToneSelectTable(a);
         g.setUserCurvePoint(curve);
         g.setUserCurveCount(counts);
         g.setImgData(2, 2, pixels);
         g.setMonitorGamma(1.8f);
         g.getPreviewInfo(true);
       },
       {"setChannel 3", "setColor 2", "setBlackPoint " + cs, "setMidPoint " + bs, "setWhitePoint " + cs,
        "setGrayPoint " + bs, "setBrightness " + cs, "setContrast " + bs, "setToneSelectTable " + cs,
        "setUserCurvePoint " + pa.str(), "setUserCurveCount " + pc.str(), "setImgData 2 2 " + pp.str(),
        "setMonitorGamma 1.8", "getPreviewInfo 1"}},
      {"histogram",
       [&](CallLog& log) {
         Quirel_CTRLS_HistogramGraph g(std::make_unique<RecordingHistogram>(log));
         g.setChannel(1);
         g.setColorMode(4);
         g.setBlackPoint(a);
         g.setMidPoint(b);
         g.setWhitePoint(b);
         g.setGrayPoint(a);
         g.setImgData(2, 2, pixels);
         g.getPreviewInfo(false);
       },
       {"setChannel 1", "setColorMode 4", "setBlackPoint " + cs, "setMidPoint " + bs, "setWhitePoint " + bs,
        "setGrayPoint " + cs, "setImgData 2 2 " + pp.str(), "getPreviewInfo 0"}},
      {"threshold",
       [&](CallLog& log) {
         Quirel_CTRLS_ThresholdGraph g(std::make_unique<RecordingThreshold>(log));
         g.setThreshold(200);
         g.getPreviewInfo(true);
         g.setImgData(2, 2, pixels);
       },
       {"setThreshold 200", "getPreviewInfo 1", "setImgData 2 2 " + pp.str()}},
      {"brightness and contrast",
       [&](CallLog& log) {
         Quirel_CTRLS_ToneBCGraph g(std::make_unique<RecordingToneBC>(log));
         g.setChannel(2);
         g.setBrightness(a);
         g.setContrast(b);
         g.setHidden(true);
         log.add("hidden", g.getGraphView()->linkedView()->isHidden());
       },
       {"setChannel 2", "setBrightness " + cs, "setContrast " + bs, "hidden 1"}},
      {"tone curve",
       [&](CallLog& log) {
         auto owned = std::make_unique<RecordingToneCurve>(log);
         RecordingToneCurve* view = owned.get();
         Quirel_CTRLS_ToneCurveGraph g(std::move(owned));
         g.setChannel(0);
         g.setToneSelectTable(a);
         g.setSelectPopupFIVE(true);
         g.setUserCurvePoint(curve);
         g.setUserCurveCount(counts);
         g.setSquarePoint(curve);
         log.add("answers", g.getUserCurvePoint() == view->points, g.getUserCurvePointCount() == view->counts,
                 g.getSquarePoint() == &view->square, g.isEnterdInGraph());
       },
       {"setChannel 0", "setToneSelectTable " + cs, "setSelectPopupFIVE 1", "setUserCurvePoint " + pa.str(),
        "setUserCurveCount " + pc.str(), "setSquarePoint " + pa.str(), "answers 1 1 1 1"}},
      {"zoom",
       [&](CallLog& log) {
         Quirel_CTRLS_FinalReviewZoomView g(std::make_unique<RecordingZoom>(log));
         g.setRGB(0.25, 0.5, 1);
         g.setGray(0.75);
         g.getZoomViewData(kit::Image::named("DragBlkPoint", kBundle));
         g.setRotation(3);
         g.setMirror(true);
         g.setHidden(true);
         g.setZoomViewRect(1, 2, 30, 40);
         log.add("frame", g.getZoomView()->linkedView()->frame().size.width, g.getZoomView()->linkedView()->isHidden());
       },
       {"setRGB 0.25 0.5 1", "setGray 0.75", "getZoomViewData 32", "setRotation 3", "setMirror 1", "frame 30 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CallLog log;
    c.run(log);
    EXPECT_EQ(log.calls, c.expected);
  }
}

TEST(GraphWrappers, PlaceAndRedisplayTheirViewAndSurviveWithoutOne) {
  CallLog log;
  kit::View parent;
  Quirel_CTRLS_ThresholdGraph g(std::make_unique<RecordingThreshold>(log));
  EXPECT_EQ(g.superview(), nullptr);
  parent.addSubview(g.getGraphView()->linkedView());
  EXPECT_EQ(g.superview(), &parent);
  g.setGraphViewRect(5, 6, 256, 100);
  EXPECT_EQ(g.getGraphView()->linkedView()->frame(), fnd::Rect(5, 6, 256, 100));
  g.updateDisplay();
  EXPECT_TRUE(g.getGraphView()->linkedView()->needsDisplay());

  Quirel_CTRLS_ToneCurveGraph none(nullptr);
  none.setChannel(1);
  none.setGraphViewRect(0, 0, 1, 1);
  none.updateDisplay();
  EXPECT_EQ(none.getUserCurvePoint(), nullptr);
  EXPECT_FALSE(none.isEnterdInGraph());
}

TEST(ChannelPopups, PostOnlyOnceWiredEachWithItsOwnPopup) {
  PostRecorder rec({"ChannelChangePost", "ToneCrvChangePost"});
  Quirel_CTRLS_FinalChannelPopup final;
  Quirel_CTRLS_HistoChannelPopup histo;
  Quirel_CTRLS_ToneBCChannelPopup bc;
  Quirel_CTRLS_ToneCurvePopup channel;
  Quirel_CTRLS_ToneCurvePopup preset;
  std::vector<Quirel_CTRLS_ChannelPopupBase*> all = {&final, &histo, &bc, &channel, &preset};
  auto chooseAll = [&] {
    for (Quirel_CTRLS_ChannelPopupBase* p : all) {
      kit::Menu::onNextPopUp([](kit::Menu&) { return 1; });
      p->getPopupBT()->performClick();
    }
  };
  for (Quirel_CTRLS_ChannelPopupBase* p : all) {
    EXPECT_EQ(p->addPopupItem("Master"), 0);
    EXPECT_EQ(p->addPopupItem("Red"), 1);
    EXPECT_EQ(p->getPopupBT()->notificationType(), 2);
  }
  chooseAll();
  EXPECT_TRUE(rec.posts.empty()) << "not wired yet";
  final.setPopupBTAction();
  histo.setPopupBTAction();
  bc.setPopupBTAction();
  channel.setPopupBTAction();
  preset.setPopupBTAction();
  chooseAll();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"ChannelChangePost", "ChannelChangePost", "ChannelChangePost",
                                                  "ToneCrvChangePost", "ToneCrvChangePost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{final.getPopupBT(), histo.getPopupBT(), bc.getPopupBT(),
                                                    channel.getPopupBT(), preset.getPopupBT()}));
  EXPECT_EQ(bc.getTitleTxt()->autoresizingMask(), kit::kViewMinYMargin);
  bc.setAutoresizingMask(kit::kViewMaxYMargin);
  EXPECT_EQ(bc.getPopupBT()->autoresizingMask(), kit::kViewMaxYMargin);
  EXPECT_EQ(bc.getTitleTxt()->autoresizingMask(), kit::kViewMaxYMargin);
  final.setEnabled(false);
  EXPECT_FALSE(final.isEnabled());
  final.setToolTip("Channel");
  EXPECT_EQ(final.toolTip(), "Channel");
}

TEST(ChannelPopups, IndexesAndNumbersActOnlyInsideTheList) {
  Quirel_CTRLS_ToneCurvePopup popup;
  for (const char* t : {"Linear", "Over", "Under"}) popup.addPopupItem(t);
  popup.select(1);
  popup.select(3);
  EXPECT_EQ(popup.selected(), 1) << "the item count is past the end";
  popup.select(7);
  EXPECT_EQ(popup.selected(), 1);
  popup.select(-1);
  EXPECT_EQ(popup.selected(), -1);
  EXPECT_EQ(popup.getRepresentedNumber(), 0) << "nothing selected";
  popup.select(0);
  EXPECT_EQ(popup.getRepresentedNumber(), -1) << "an item without a number";
  popup.setRepresentedNumberAtIndex(0, 10);
  popup.setRepresentedNumberAtIndex(1, 20);
  popup.setRepresentedNumberAtIndex(2, 20);
  popup.setRepresentedNumberAtIndex(3, 30);  // the count: ignored
  popup.getPopupBT()->itemAtIndex(1)->setEnabled(false);
  popup.selectAtRepresentedNumber(20);
  EXPECT_EQ(popup.selected(), 2) << "the disabled item is skipped";
  popup.getPopupBT()->itemAtIndex(2)->setEnabled(false);
  popup.selectAtRepresentedNumber(20);
  EXPECT_EQ(popup.selected(), -1) << "only disabled items carry it";
  popup.selectAtRepresentedNumber(30);
  EXPECT_EQ(popup.selected(), -1);
  popup.selectAtRepresentedNumber(10);
  EXPECT_EQ(popup.getRepresentedNumber(), 10);
}

TEST(LevelFields, ThresholdAndBrightnessRanges) {
  struct Case {
    const char* name;
    std::unique_ptr<Quirel_CTRLS_LevelInput> field;
    int min, max;
    const char* tooLong;
    bool negative;
    unsigned captionMask;
  };
  std::vector<Case> cases;
  cases.push_back({"threshold", std::make_unique<Quirel_CTRLS_ThresholdInputTextF>(kBundle), 0, 255, "1234", false,
                   kit::kViewMinYMargin});
  cases.push_back({"brightness", std::make_unique<Quirel_CTRLS_ToneBCInputTextF>(kBundle), -127, 127, "-1234", true,
                   kit::kViewMaxYMargin});
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    Quirel_CTRLS_LevelInput& f = *c.field;
    EXPECT_EQ(f.getStepper()->minValue(), c.min);
    EXPECT_EQ(f.getStepper()->maxValue(), c.max);
    EXPECT_EQ(f.getSlider()->minValue(), c.min);
    EXPECT_EQ(f.getSlider()->maxValue(), c.max);
    EXPECT_FALSE(f.getStepper()->valueWraps());
    EXPECT_EQ(f.getTitleTxt()->autoresizingMask(), c.captionMask);
    EXPECT_EQ(f.getTitleTxt()->font().pointSize(), 10);
    f.getNumberTxtF()->setStringValue("");
    EXPECT_FALSE(f.getNumberTxtF()->insertText(c.tooLong)) << "longer than the formatter allows";
    EXPECT_EQ(f.getNumberTxtF()->insertText("-"), c.negative);
    EXPECT_TRUE(f.getSliderCell()->knobImage().isValid());
    f.setAction();
    PostRecorder rec({"StepperPost", "SliderPost"});
    f.getStepper()->setIntValue(c.max - 1);
    f.getStepper()->stepUp();
    f.getStepper()->stepUp();
    EXPECT_EQ(f.getIntValue(), c.max);
    EXPECT_EQ(f.getSlider()->intValue(), c.max);
    f.getSlider()->setIntValue(c.min);
    f.getSlider()->sendAction();
    EXPECT_EQ(f.getStepper()->intValue(), c.min);
    EXPECT_EQ(rec.posts, (std::vector<std::string>{"StepperPost", "StepperPost", "SliderPost"}));
  }
  EXPECT_FALSE(Quirel_CTRLS_LevelInput::getFileName("DragBlkPoint", kBundle).empty());
  EXPECT_TRUE(Quirel_CTRLS_LevelInput::getFileName("NoSuchPicture", kBundle).empty());
}

TEST(AdjustTexts, CaptionsAndTheToneSetNameField) {
  Quirel_CTRLS_ThresholdText light;
  Quirel_CTRLS_ToneBCText dark;
  light.setTitleTxtTitle("Light");
  dark.setTitleTxtTitle("Dark");
  EXPECT_EQ(light.getTitleTxt()->autoresizingMask(), kit::kViewMinYMargin);
  EXPECT_EQ(dark.getTitleTxt()->autoresizingMask(), kit::kViewMaxYMargin);
  EXPECT_EQ(dark.getTitleTxt()->alignment(), kit::TextAlignment::Center);
  EXPECT_FALSE(light.getTitleTxt()->isEditable());
  light.setHidden(true);
  EXPECT_TRUE(light.isHidden());
  Quirel_CTRLS_TONESetNameTextF name;
  EXPECT_EQ(name.getTextF()->backgroundColor(), kit::Color::controlHighlight());
  EXPECT_TRUE(name.getTextF()->usesSingleLineMode());
  EXPECT_TRUE(name.getTextF()->isSelectable());
}
