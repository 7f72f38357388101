// The advanced page in a real main window: construction, registrations, layout, menus and the
// forwarders, over scanner records of several generations.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <algorithm>
#include <map>
#include <set>

#include "ExtendModeTestSupport.h"
#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/ExposureStepperCell.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/modes/advanced/ExtendModeControls.h"

namespace {

using extend_test::TestExtendMode;

// The mode with its page open to the tests and every action recorded.
class PageMode : public TestExtendMode {
 public:
  using TestExtendMode::TestExtendMode;
  using Quirel_ExtendMode::mAutoTonePopup;
  using Quirel_ExtendMode::mBookCorctView;
  using Quirel_ExtendMode::mCalibrationBtn;
  using Quirel_ExtendMode::mColorBalanceBtn;
  using Quirel_ExtendMode::mColorModePopup;
  using Quirel_ExtendMode::mContrastBtn;
  using Quirel_ExtendMode::mCopyGammaPopup;
  using Quirel_ExtendMode::mExposureBtns;
  using Quirel_ExtendMode::mExposureField;
  using Quirel_ExtendMode::mExposureOpenBtn;
  using Quirel_ExtendMode::mExposureView;
  using Quirel_ExtendMode::mFavoritePopup;
  using Quirel_ExtendMode::mFilmSizePopup;
  using Quirel_ExtendMode::mFinalReviewBtn;
  using Quirel_ExtendMode::mHighQualityPopup;
  using Quirel_ExtendMode::mHistogramBtn;
  using Quirel_ExtendMode::mImgSrcPopup;
  using Quirel_ExtendMode::mInSizeHTextF;
  using Quirel_ExtendMode::mInSizeWTextF;
  using Quirel_ExtendMode::mOutSizeWTextF;
  using Quirel_ExtendMode::mPaperSizePopup;
  using Quirel_ExtendMode::mPopupView;
  using Quirel_ExtendMode::mPrevBtn;
  using Quirel_ExtendMode::mScanBtn;
  using Quirel_ExtendMode::mScanSettingOpenBtn;
  using Quirel_ExtendMode::mScanSettingView;
  using Quirel_ExtendMode::mCalibrationOpenBtn;
  using Quirel_ExtendMode::mScrollView;
  using Quirel_ExtendMode::mThresholdBtn;
  using Quirel_ExtendMode::mToneCurveBtn;
  using Quirel_ExtendMode::mToneCurvePopup;
  using Quirel_ExtendMode::mUnitPopup;
  using Quirel_ExtendMode::mUnsharpPopup;
  using Quirel_ExtendMode::mUnsharpView;
  using Quirel_ExtendMode::mZoomBtn;
  using Quirel_ExtendMode::mPreferenceButtonView;
  using Quirel_ExtendMode::mAutoToneView;
  using Quirel_ExtendMode::mColorAdjustView;
  using Quirel_ExtendMode::mCopyGammaView;
  using Quirel_ExtendMode::mDescreenView;
  using Quirel_ExtendMode::mRdcDustView;
  using Quirel_ExtendMode::mRemoveDustView;
  using Quirel_ExtendMode::mReduceDustFAUView;
  using Quirel_ExtendMode::mFdCorctView;
  using Quirel_ExtendMode::mGrCorctView;
  using Quirel_ExtendMode::mBlCorctView;
  using Quirel_ExtendMode::mExposureCbx;
  using Quirel_ExtendMode::mRemoveDustPopup;
  using Quirel_ExtendMode::mOutSizeHTextF;

  // Texts a test's localisation gives in place of the string table's.
  std::map<std::string, std::string> texts;
  std::string uiText(const std::string& key) const override {
    auto it = texts.find(key);
    return it != texts.end() ? it->second : Quirel_ExtendMode::uiText(key);
  }

  std::vector<std::string> calls;
#define PAGE_RECORD(name) \
  void name(const fnd::Notification&) override { calls.push_back(#name); }
  QUIREL_EXTEND_MODE_ACTIONS(PAGE_RECORD)
#undef PAGE_RECORD
  void enterTextFByOtherControls(const fnd::Notification&) override { calls.push_back("enterTextFByOtherControls"); }
};

std::shared_ptr<Quirel_PVLocalizedString> pageStrings() {
  return std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier());
}

// A main window with its tabs and the advanced page built in it.
struct Page {
  explicit Page(const fnd::Dictionary& scanner = {{"Ver1400Later", true}, {"Ver1500Later", true}},
                const std::map<std::string, std::string>& texts = {})
      : mode(scanner), tabs(true, true, true) {
    mode.texts = texts;
    tabs.getTabView()->setFrame(fnd::Rect(510, 0, 340, 638));
    main.addWindowItem(tabs.getTabView());
    tabs.selectTabViewItemAtIndex(1);
    mode.setPVLocalizedString(pageStrings());
    prefBtn.setPushBTTitle("Preferences");
    mode.setCloseMainWindowButton(&closeBtn);
    mode.setPreferenceButton(&prefBtn);
    mode.createExtendItem(&tabs);
  }
  Quirel_CTRLS_MainWindow main;
  PageMode mode;
  Quirel_CTRLS_TabView tabs;
  Quirel_CTRLS_PushButton prefBtn;
  Quirel_CTRLS_PushButton closeBtn;
};

TEST(ExtendModePage, EveryReferenceIsMadeAndReleased) {
  const std::size_t before = fnd::NotificationCenter::defaultCenter().observerCount();
  {
    Page page;
    EXPECT_EQ(page.mode.countExtendItems(), 90);
    // Two registrations a control, one for the tab view.
    EXPECT_GE(fnd::NotificationCenter::defaultCenter().observerCount() - before, 2u * 40u);
    EXPECT_EQ(page.tabs.extendTabItem()->label(), "Advanced Mode");
    page.mode.releaseExtendModeItem();
    EXPECT_EQ(page.mode.countExtendItems(), 0);
  }
  EXPECT_EQ(fnd::NotificationCenter::defaultCenter().observerCount(), before);
}

TEST(ExtendModePage, TitlesComeFromTheStringTable) {
  Page page;
  EXPECT_EQ(page.mode.mImgSrcPopup->getTitleTxt()->stringValue(), "Document Source :");
  EXPECT_EQ(page.mode.mFavoritePopup->getTitleTxt()->stringValue(), "Favorite Settings");
  EXPECT_FALSE(page.mode.mUnsharpPopup->getTitleTxt()->stringValue().empty());
  EXPECT_NE(page.mode.mUnsharpPopup->getTitleTxt()->stringValue(), "IDC_PGADV_UNSHARP_TXT_STR");
}

TEST(ExtendModePage, PreviewAndScanHeightByGeneration) {
  struct Case {
    fnd::Dictionary scanner;
    double height;
  };
  const Case cases[] = {
      {{{"Ver1200Later", false}, {"Ver1400Later", true}}, 34},
      {{{"Ver1200Later", true}}, 30},
      {{{"Ver1200Later", false}}, 23},
  };
  for (const Case& c : cases) {
    Page page(c.scanner);
    EXPECT_EQ(page.mode.mPrevBtn->getColorPushBTRect().size.height, c.height);
    EXPECT_EQ(page.mode.mScanBtn->getColorPushBTRect().size.height, c.height);
    EXPECT_EQ(page.mode.mPreferenceButtonView->isHidden(), c.height == 34);
  }
}

TEST(ExtendModePage, HighQualityRowFollowsTheGeneration) {
  Page newer({{"Ver1500Later", true}});
  EXPECT_TRUE(newer.mode.mExposureView->hasHighQualityPopup());
  EXPECT_FALSE(newer.mode.mScanSettingView->hasHighQualityPopup());
  EXPECT_EQ(newer.mode.mHighQualityPopup->getPopupBT()->superview(), newer.mode.mExposureView->getView());
  Page older({{"Ver1400Later", true}});
  EXPECT_FALSE(older.mode.mExposureView->hasHighQualityPopup());
  EXPECT_EQ(older.mode.mHighQualityPopup->getPopupBT()->superview(), older.mode.mScanSettingView->getView());
  // Side by side, at the foot of the section.
  EXPECT_EQ(older.mode.mExposureBtns->getApplyBTRect().origin.y, 0);
  EXPECT_LT(older.mode.mExposureBtns->getApplyBTRect().origin.x, older.mode.mExposureBtns->getResetBTRect().origin.x);
}

TEST(ExtendModePage, FilmSizeTitleWidensOnlyFromVersion16) {
  Page newer({{"Ver1600Later", true}});
  const double unsharpTitle = newer.mode.mUnsharpPopup->getTitleTxtRect().size.width;
  EXPECT_GE(newer.mode.mFilmSizePopup->getTitleTxtRect().size.width, 148);
  EXPECT_NEAR(newer.mode.mFilmSizePopup->getTitleTxtRect().size.width +
                  newer.mode.mFilmSizePopup->getPopupBTRect().size.width + 2,
              310, 0.5);
  EXPECT_EQ(unsharpTitle, 150);
  Page older({{"Ver1500Later", true}});
  EXPECT_EQ(older.mode.mFilmSizePopup->getTitleTxtRect().size.width, 148);
}

TEST(ExtendModePage, SizeLabelsArePicturesOrTexts) {
  Page page({{"Ver1500Later", true}}, {{"1001", "CHAIN"}, {"1002", ""}});
  PageMode& m = page.mode;
  EXPECT_TRUE(m.mInSizeWTextF->hasImage());
  EXPECT_EQ(m.mInSizeWTextF->getImageViewRect(), fnd::Rect(8, 7, 12, 12));
  EXPECT_FALSE(m.mOutSizeHTextF->hasImage());
  EXPECT_EQ(m.mOutSizeHTextF->getTitleTxt()->stringValue(), "Height :");
  EXPECT_EQ(m.mOutSizeHTextF->getTitleTxtRect(), fnd::Rect(115, 6, 40, 17));
}

TEST(ExtendModePage, WrappedCorrectionTitleMakesItsRowTaller) {
  const std::string longTitle =
      "A correction whose title needs three lines in its column of one hundred and fifty points :";
  Page page({{"Ver1500Later", true}}, {{"IDC_PGADV_UNSHARP_TXT_STR", longTitle}});
  PageMode& m = page.mode;
  const fnd::Rect title = m.mUnsharpPopup->getTitleTxtRect();
  EXPECT_GT(title.size.height, 34);
  EXPECT_EQ(m.mUnsharpView->frame().size.height, title.size.height + 6);
  EXPECT_EQ(m.mUnsharpPopup->getPopupBTRect(), fnd::Rect(152, 0, 145, 26));
  EXPECT_EQ(m.mDescreenView->frame().size.height, 26);
}

TEST(ExtendModePage, RemoveDustLogoOnlyBeforeVersion16) {
  const std::map<std::string, std::string> texts{{"1003", "CHAIN"}, {"IDC_PGADV_REMOVEDUST_TXT_STR", "Dust Off :"}};
  Page older({{"Ver1500Later", true}}, texts);
  EXPECT_EQ(older.mode.mRemoveDustPopup->getTitleTxt()->stringValue(), "Dust Off (            ) :");
  EXPECT_EQ(older.mode.mRemoveDustPopup->getVexaImageView()->superview(), older.mode.mRemoveDustView.get());
  Page newer({{"Ver1600Later", true}}, texts);
  EXPECT_EQ(newer.mode.mRemoveDustPopup->getTitleTxt()->stringValue(), "Dust Off :");
  Page empty({{"Ver1500Later", true}}, {{"1003", ""}, {"IDC_PGADV_REMOVEDUST_TXT_STR", "Dust Off :"}});
  EXPECT_EQ(empty.mode.mRemoveDustPopup->getTitleTxt()->stringValue(), "Dust Off :");
}

TEST(ExtendModePage, WideFilmSizeTitleWidensOnlyItsOwnRowFrom16) {
  const std::map<std::string, std::string> texts{
      {"IDC_PGADV_SCANSIZE_LABEL_STR", "A scan size title far wider than its column :"}};
  Page newer({{"Ver1600Later", true}}, texts);
  const fnd::Rect title = newer.mode.mFilmSizePopup->getTitleTxtRect();
  const fnd::Rect popup = newer.mode.mFilmSizePopup->getPopupBTRect();
  EXPECT_GT(title.size.width, 148);
  EXPECT_EQ(popup.origin.x, title.size.width + 2);
  EXPECT_EQ(popup.origin.x + popup.size.width, 310);
  EXPECT_EQ(newer.mode.mPaperSizePopup->getTitleTxtRect().size.width, 148);
  Page older({{"Ver1500Later", true}}, texts);
  EXPECT_EQ(older.mode.mFilmSizePopup->getTitleTxtRect().size.width, 148);
  EXPECT_EQ(older.mode.mFilmSizePopup->getPopupBTRect(), fnd::Rect(150, 0, 160, 26));
}

TEST(ExtendModePage, StepperActionIsHeardOnlyFromItsCell) {
  Page page;
  auto& center = fnd::NotificationCenter::defaultCenter();
  center.post("AdvExposureStepperPost", page.mode.mExposureField->getStepper());
  EXPECT_TRUE(page.mode.calls.empty());
  center.post("AdvExposureStepperPost", page.mode.mExposureField->getStepperCell());
  EXPECT_EQ(page.mode.calls, std::vector<std::string>{"exposureChangeByStepper"});
}

TEST(ExtendModePage, ForwardersReachTheirActionFromTheirOwnControlOnly) {
  Page page;
  auto& center = fnd::NotificationCenter::defaultCenter();
  struct Case {
    const char* post;
    const void* control;
    const char* action;
  };
  PageMode& m = page.mode;
  const Case cases[] = {
      {"AdvImageSourceChangePost", m.mImgSrcPopup->getPopupBT(), "imageSourceChange"},
      {"AdvPaperSizeChangePost", m.mPaperSizePopup->getPopupBT(), "paperSizeChange"},
      {"AdvUnitChangePost", m.mUnitPopup->getPopupBT(), "unitChange"},
      {"AdvInputWidthChangePost", m.mInSizeWTextF->getNumberTxtF(), "inputWidthChange"},
      {"AdvOutputWidthChangePost", m.mOutSizeWTextF->getNumberTxtF(), "outputWidthChange"},
      {"AdvUnsharpMaskChangePost", m.mUnsharpPopup->getPopupBT(), "unsharpMaskChange"},
      {"AdvShowThroughChangePost", m.mCopyGammaPopup->getPopupBT(), "copyGammaChange"},
      {"AdvExposureOpenPost", m.mExposureOpenBtn->getPushBT(), "exposureOpen"},
      {"AdvCalibrationStartPost", m.mCalibrationBtn->getPushBT(), "calibrationStart"},
      {"AdvContrastOpenPost", m.mContrastBtn->getIconCGBT(), "contrastOpen"},
      {"AdvThresholdOpenPost", m.mThresholdBtn->getIconBT(), "thresholdOpen"},
      {"AdvToneCurveChangePost", m.mToneCurvePopup->getPopupBT(), "toneSettingChange"},
      {"AdvZoomStartPost", m.mZoomBtn->getPushBT(), "zoomScanStart"},
      {"AdvScanStartPost", m.mScanBtn->getColorPushBT(), "scanStart"},
      {"AdvFavoriteChangePost", m.mFavoritePopup->getPopupBT(), "favoriteSettingChange"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.post);
    m.calls.clear();
    center.post(c.post, m.mScanBtn.get());  // another sender
    center.post(c.post, nullptr);
    EXPECT_TRUE(m.calls.empty());
    center.post(c.post, c.control);
    EXPECT_EQ(m.calls, std::vector<std::string>{c.action});
  }
  m.calls.clear();
  center.post("POPUP_DOWN", m.mUnitPopup->getPopupBT());
  center.post("BUTTON_DOWN", m.mScanBtn->getColorPushBT());
  center.post("TAB_DOWN", page.tabs.getTabView());
  EXPECT_EQ(m.calls, std::vector<std::string>(3, "enterTextFByOtherControls"));
}

TEST(ExtendModePage, ClickedControlsCallTheirActionOnce) {
  Page page;
  PageMode& m = page.mode;
  struct Case {
    kit::Control* control;
    const char* action;
  };
  const Case cases[] = {
      {m.mZoomBtn->getPushBT(), "zoomScanStart"},
      {m.mPrevBtn->getColorPushBT(), "previewStart"},
      {m.mScanBtn->getColorPushBT(), "scanStart"},
      {m.mExposureOpenBtn->getPushBT(), "exposureOpen"},
      {m.mCalibrationBtn->getPushBT(), "calibrationStart"},
      {m.mExposureCbx->getCheckBox(), "exposureCheck"},
      {m.mContrastBtn->getIconCGBT(), "contrastOpen"},
      {m.mHistogramBtn->getIconCGBT(), "histogramOpen"},
      {m.mColorBalanceBtn->getIconCGBT(), "colorBalanceOpen"},
      {m.mScanSettingOpenBtn->getPushBT(), "scanSettingOpen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    m.calls.clear();
    ASSERT_TRUE(c.control->performClick());
    EXPECT_EQ(std::count(m.calls.begin(), m.calls.end(), std::string(c.action)), 1);
    for (const std::string& call : m.calls) EXPECT_TRUE(call == c.action || call == "enterTextFByOtherControls");
  }
}

TEST(ExtendModePage, ForwarderTableNamesEveryActionOnce) {
  const auto& table = Quirel_ExtendMode::forwarderTable();
  EXPECT_EQ(table.size(), 79u);
  std::set<std::string> names;
  for (const auto& e : table) names.insert(e.name);
  EXPECT_EQ(names.size(), 79u);
  PageMode mode;
  for (const auto& e : table) {
    mode.calls.clear();
    (mode.*(e.forwarder))(fnd::Notification{"any", nullptr, nullptr});
    EXPECT_EQ(mode.calls, std::vector<std::string>{e.name});
  }
  const auto scan = Quirel_ExtendMode::forwarderNamed("scanStart");
  ASSERT_NE(scan, nullptr);
  mode.calls.clear();
  (mode.*scan)(fnd::Notification{"any", nullptr, nullptr});
  EXPECT_EQ(mode.calls, std::vector<std::string>{"scanStart"});
  EXPECT_EQ(Quirel_ExtendMode::forwarderNamed("nothing"), nullptr);
}

TEST(ExtendModePage, RemoveDustTitleWithoutColonKeepsTheWholeText) {
  struct Probe : Quirel_ExtendMode {
    using Quirel_ExtendMode::removeDustLogoTitle;
  };
  EXPECT_EQ(Probe::removeDustLogoTitle("Dust Removal :"), "Dust Removal (            ) :");
  EXPECT_EQ(Probe::removeDustLogoTitle("Dust Removal"), "Dust Removal (            ) :");
  EXPECT_EQ(Probe::removeDustLogoTitle(""), " (            ) :");
}

}  // namespace
