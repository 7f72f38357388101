// The advanced page's menus from the model entry, its column layout, tooltips, the favourite and
// tone menus over their files, and pictures of the page.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "ExtendModeTestSupport.h"
#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "kit/MenuItem.h"
#include "kit/PopUpButton.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/model/PreviewInfo.h"
#include "ui/modes/advanced/ExtendModeControls.h"

namespace {

class LayoutMode : public extend_test::TestExtendMode {
 public:
  using TestExtendMode::TestExtendMode;
  using Quirel_ExtendMode::mAutoToneView;
  using Quirel_ExtendMode::mBlCorctView;
  using Quirel_ExtendMode::mBookCorctView;
  using Quirel_ExtendMode::mCalibrationOpenBtn;
  using Quirel_ExtendMode::mColorAdjustView;
  using Quirel_ExtendMode::mColorBalanceBtn;
  using Quirel_ExtendMode::mColorModePopup;
  using Quirel_ExtendMode::mContrastBtn;
  using Quirel_ExtendMode::mCopyGammaView;
  using Quirel_ExtendMode::mDescreenView;
  using Quirel_ExtendMode::mExposureCbx;
  using Quirel_ExtendMode::mExposureField;
  using Quirel_ExtendMode::mExposureBtns;
  using Quirel_ExtendMode::mExposureOpenBtn;
  using Quirel_ExtendMode::mFavoritePopup;
  using Quirel_ExtendMode::mFdCorctView;
  using Quirel_ExtendMode::mFinalReviewBtn;
  using Quirel_ExtendMode::mGrCorctView;
  using Quirel_ExtendMode::mHighQualityPopup;
  using Quirel_ExtendMode::mHistogramBtn;
  using Quirel_ExtendMode::mImgSrcPopup;
  using Quirel_ExtendMode::mPaperSizePopup;
  using Quirel_ExtendMode::mPopupView;
  using Quirel_ExtendMode::mRdcDustView;
  using Quirel_ExtendMode::mReduceDustFAUView;
  using Quirel_ExtendMode::mRemoveDustView;
  using Quirel_ExtendMode::mScanSettingOpenBtn;
  using Quirel_ExtendMode::mScrollView;
  using Quirel_ExtendMode::mThresholdBtn;
  using Quirel_ExtendMode::mToneCurveBtn;
  using Quirel_ExtendMode::mToneCurvePopup;
  using Quirel_ExtendMode::mUnsharpPopup;
  using Quirel_ExtendMode::mUnsharpView;
  using Quirel_ExtendMode::mCalibrationBtn;
  using Quirel_ExtendMode::mCalibrationPopup;
  using Quirel_ExtendMode::mUnitPopup;
};

fnd::Dictionary modelEntry() {
  const auto file = fnd::PropertyList::readFile((testenv::sourceDir().parent_path() / "resources/models/PVTS800.xml").string());
  if (!file.ok() || !file.value->isDictionary()) return {};
  const fnd::Value* e = file.value->toDictionary().find("ExtendMode");
  return e && e->isDictionary() ? e->toDictionary() : fnd::Dictionary{};
}

struct LaidPage {
  explicit LaidPage(const fnd::Dictionary& scanner, const fnd::Dictionary& entry, bool fau = true)
      : mode(scanner), tabs(true, true, true) {
    main.getWindow()->setFrame(fnd::Rect(0, 0, 850, 760), false);
    tabs.getTabView()->setFrame(fnd::Rect(510, 0, 340, 760));
    main.addWindowItem(tabs.getTabView());
    tabs.selectTabViewItemAtIndex(1);
    mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
    mode.setPreferenceButton(&prefBtn);
    mode.setCloseMainWindowButton(&closeBtn);
    mode.createExtendItem(&tabs);
    mode.setExtendItem(&entry, fau);
    mode.setFrameExtendItem();
  }
  std::vector<int> numbers(const Quirel_CTRLS_PopupButton& popup) const {
    std::vector<int> out;
    kit::PopUpButton* p = popup.getPopupBT();
    for (int i = 0; i < p->numberOfItems(); ++i) {
      if (!p->itemAtIndex(i)->isSeparatorItem()) out.push_back(popup.getRepresentedNumberAtIndex(i));
    }
    return out;
  }
  Quirel_CTRLS_MainWindow main;
  LayoutMode mode;
  Quirel_CTRLS_TabView tabs;
  Quirel_CTRLS_PushButton prefBtn;
  Quirel_CTRLS_PushButton closeBtn;
};

const fnd::Dictionary kVer15{{"Ver1200Later", true}, {"Ver1300Later", true}, {"Ver1400Later", true},
                             {"Ver1500Later", true}, {"HighQualityMode", true}, {"Calibration", true}};

TEST(ExtendModeMenus, WithoutPaperSizeTheTwentyFallbackItems) {
  LaidPage page(kVer15, {});
  const auto& p = *page.mode.mPaperSizePopup;
  p.getPopupBT();
  page.mode.mPaperSizePopup->setADFMenu(false);
  const std::vector<int> adf = page.numbers(p);
  EXPECT_EQ(page.mode.mPaperSizePopup->getTitleAtAtRepresentedNumber(20), "Legal");
  page.mode.mPaperSizePopup->setPlatenMenu();
  const std::vector<int> platen = page.numbers(p);
  EXPECT_EQ(platen, (std::vector<int>{1, 3, 2, 4, 5, 7, 6, 9, 8, 15, 14, 16, 10, 17, 0}));
  EXPECT_EQ(adf, (std::vector<int>{13, 16, 17, 10, 20}));
}

TEST(ExtendModeMenus, ImageSourcesNeedTheFilmAdapterAndTheSevenNumbers) {
  const fnd::Dictionary entry{
      {"ImageSource", fnd::Dictionary{{"MenuItem", fnd::Array{0, 1, 2, 3, 4, 5, 6, 7, -1, "x"}}}}};
  LaidPage without(kVer15, entry, false);
  EXPECT_EQ(without.numbers(*without.mode.mImgSrcPopup), (std::vector<int>{0, 5, 6}));
  LaidPage with(kVer15, entry, true);
  EXPECT_EQ(with.numbers(*with.mode.mImgSrcPopup), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(ExtendModeMenus, ColourModesSplitBetweenPlatenAndFilm) {
  const fnd::Dictionary entry{{"ColorMode", fnd::Dictionary{{"MenuItem", fnd::Array{0, 1, 2, 3, 4, 5, 6}}}}};
  LaidPage page(kVer15, entry);
  auto& popup = *page.mode.mColorModePopup;
  popup.setPlatenModeMenu(true);
  EXPECT_EQ(page.numbers(popup), (std::vector<int>{0, 1, 3, 4, 5, 6}));
  popup.setFilmModeMenu(true);
  EXPECT_EQ(page.numbers(popup), (std::vector<int>{1, 2, 3, 4}));
}

TEST(ExtendModeMenus, CorrectionFallbacksAndUnknownNumbers) {
  const fnd::Dictionary entry{{"ISUnsharpMask", fnd::Dictionary{{"MenuItem", fnd::Array{0, 7, 1}}}}};
  LaidPage page(kVer15, entry);
  EXPECT_EQ(page.numbers(*page.mode.mUnsharpPopup), (std::vector<int>{0, 1}));
  EXPECT_EQ(page.numbers(*page.mode.mHighQualityPopup), (std::vector<int>{1, 0}));
  EXPECT_FALSE(page.mode.mExposureOpenBtn->isOnState());
  EXPECT_TRUE(page.mode.mExposureCbx->isHidden());
  EXPECT_TRUE(page.mode.mHighQualityPopup->isHidden());
  EXPECT_TRUE(page.mode.mCalibrationBtn->isHidden());
}

TEST(ExtendModeLayout, HiddenRowsLeaveNoGap) {
  ASSERT_FALSE(modelEntry().empty());
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  for (auto* row : {m.mAutoToneView.get(), m.mColorAdjustView.get(), m.mCopyGammaView.get(), m.mUnsharpView.get(),
                    m.mDescreenView.get(), m.mRdcDustView.get(), m.mRemoveDustView.get(), m.mReduceDustFAUView.get(),
                    m.mFdCorctView.get(), m.mGrCorctView.get(), m.mBlCorctView.get(), m.mBookCorctView.get()})
    row->setHidden(true);
  m.setFrameInImageSettings();
  EXPECT_EQ(m.mPopupView->getViewRect().size.height, 5);
  // The scroll view is taller than what it holds: the document fills it, the rows at its top.
  const double frame = m.mScrollView->getScrollViewRect().size.height;
  ASSERT_GT(frame, 100);
  EXPECT_EQ(m.mScrollView->getViewRect().size.height, frame - 2);
  EXPECT_EQ(m.mPopupView->getViewRect().origin.y, frame - 2 - 5);

  m.mUnsharpView->setHidden(false);
  m.mBookCorctView->setHidden(false);
  m.setFrameInImageSettings();
  EXPECT_EQ(m.mBookCorctView->frame().origin.y, 0);
  EXPECT_EQ(m.mUnsharpView->frame().origin.y, m.mBookCorctView->frame().size.height);
}

TEST(ExtendModeLayout, ColourButtonsTakeTheSlotsInOrder) {
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  m.mThresholdBtn->setHidden(false);
  m.setFrameInColorSettings();
  EXPECT_EQ(m.mThresholdBtn->getIconBTRect().origin, (fnd::Point{38, 1}));
  m.mContrastBtn->setHidden(true);
  m.setFrameInColorSettings();
  EXPECT_EQ(m.mHistogramBtn->getIconCGBTRect().origin, (fnd::Point{38, 28}));
  EXPECT_EQ(m.mToneCurveBtn->getIconCGBTRect().origin, (fnd::Point{76, 28}));
  EXPECT_EQ(m.mFinalReviewBtn->getIconCGBTRect().origin, (fnd::Point{114, 28}));
  EXPECT_EQ(m.mThresholdBtn->getIconBTRect().origin, (fnd::Point{0, 1}));
}

TEST(ExtendModeLayout, TooltipsFollowEnabling) {
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  m.setEnabledToolTips();
  EXPECT_EQ(m.mUnsharpPopup->getPopupBT()->toolTip(), "Sharpen the outlines");
  m.mUnsharpPopup->setEnabled(false);
  m.setEnabledToolTips();
  EXPECT_EQ(m.mUnsharpPopup->getPopupBT()->toolTip(), "");
  // The tone menu's tip follows the colour mode shown.
  m.mColorModePopup->selectAtRepresentedNumber(0);
  m.setEnabledToolTips();
  EXPECT_EQ(m.mToneCurvePopup->getPopupBT()->toolTip(), "Choose named threshold settings");
  m.mColorModePopup->selectAtRepresentedNumber(3);
  m.setEnabledToolTips();
  EXPECT_EQ(m.mToneCurvePopup->getPopupBT()->toolTip(), "Choose named tone settings");
}

void writeList(const std::filesystem::path& file, const fnd::Array& entries) {
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(entries), file.string()));
}

fnd::Dictionary favourite(int index, const char* name, int source, int mode = 3) {
  return fnd::Dictionary{{"Index", index}, {"Name", std::string(name)}, {"ImageSource", source}, {"ColorMode", mode}};
}

TEST(ExtendModeMenus, FavouritesBySourceAndSoundEntriesOnly) {
  const auto folder = testenv::freshFolder("extend-favourites");
  writeList(folder / "Favorite.xml",
            fnd::Array{favourite(5, "film pair", 3), favourite(6, "other film", 2), favourite(7, "platen", 0),
                       favourite(8, "feeder", 5), favourite(1, "fixed", 5), favourite(-1, "fixed", 5),
                       favourite(9, "bad source", 9), favourite(10, "bad mode", 5, 8), fnd::Value("junk")});
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  m.setSettingFilePath(folder.string() + "/");
  m.mHasPreview = true;
  m.mImageSource = 1;
  m.setMenuItem_FavoritePopupBT();
  EXPECT_EQ(page.numbers(*m.mFavoritePopup), (std::vector<int>{0, 1, 5, 8, -1}));
  m.mImageSource = 2;
  m.setMenuItem_FavoritePopupBT();
  EXPECT_EQ(page.numbers(*m.mFavoritePopup), (std::vector<int>{0, 1, 6, 8, -1}));
  m.mHasPreview = false;
  m.setMenuItem_FavoritePopupBT();
  EXPECT_EQ(page.numbers(*m.mFavoritePopup), (std::vector<int>{0, 1}));
  // An unreadable file lists none.
  std::filesystem::remove(folder / "Favorite.xml");
  { std::ofstream(folder / "Favorite.xml") << "not a list"; }
  m.mHasPreview = true;
  m.setMenuItem_FavoritePopupBT();
  EXPECT_EQ(page.numbers(*m.mFavoritePopup), (std::vector<int>{0, 1, -1}));
}

TEST(ExtendModeMenus, ToneSettingsByColourMode) {
  const auto folder = testenv::freshFolder("extend-tones");
  auto tone = [](int index, const char* name, int mode) {
    return fnd::Dictionary{{"Index", index}, {"Name", std::string(name)}, {"ColorMode", mode}};
  };
  writeList(folder / "Tone.xml", fnd::Array{tone(3, "bw", 0), tone(4, "colour", 3), tone(0, "fixed", 3),
                                            tone(-1, "fixed", 3), tone(6, "bad", 9)});
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  m.setSettingFilePath(folder.string() + "/");
  m.setMenuItem_ToneCurvePopupBT(0);
  EXPECT_EQ(page.numbers(*m.mToneCurvePopup), (std::vector<int>{0, 3, -1}));
  m.setMenuItem_ToneCurvePopupBT(3);
  EXPECT_EQ(page.numbers(*m.mToneCurvePopup), (std::vector<int>{0, 4, -1}));
  m.setMenuItem_ToneCurvePopupBT(6);
  EXPECT_EQ(m.mToneCurvePopup->getPopupBT()->numberOfItems(), 3);
  EXPECT_EQ(page.numbers(*m.mToneCurvePopup), (std::vector<int>{0, -1}));
}

TEST(ExtendModeLink, ThePreviewModelReadsThePopups) {
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  m.mImgSrcPopup->selectAtRepresentedNumber(5);
  m.mColorModePopup->selectAtRepresentedNumber(1);
  m.mPaperSizePopup->selectAtRepresentedNumber(10);
  ExtendModeLink& link = m;
  EXPECT_EQ(link.getImgSrcNumber(), 5);
  EXPECT_EQ(link.getColorModeNumber(), 1);
  EXPECT_EQ(link.getPaperSizeNumber(), 10);
  m.setImageSource(5);
  m.mImgSrcSetting[2].paperSize = 17;
  EXPECT_EQ(link.getSelectedPaperSize(), 17);
  Quirel_PreviewInfo preview;
  preview.setPrevModeandId(1, nullptr, &m);
}

// The page on a version-15 scanner with its sections open, and again folded.
TEST(ExtendModePicture, AdvancedPageOffscreen) {
  LaidPage page(kVer15, modelEntry());
  LayoutMode& m = page.mode;
  m.setEnabledToolTips();
  auto grab = [&](const char* name) {
    const std::filesystem::path png = std::filesystem::current_path() / name;
    std::filesystem::remove(png);
    page.main.getWindow()->makeKeyAndOrderFront();
    page.main.getWindow()->contentView()->display();
    EXPECT_TRUE(page.main.getWindow()->grabToPng(png.string()));
    EXPECT_TRUE(std::filesystem::exists(png));
    std::cout << "page: " << png.string() << "\n";
  };
  grab("advanced-page-folded.png");
  m.mExposureOpenBtn->setOnState(true);
  m.mScanSettingOpenBtn->setOnState(true);
  m.mCalibrationOpenBtn->setOnState(true);
  m.mExposureCbx->setHidden(false);
  m.mExposureField->setHidden(false);
  m.mExposureBtns->setHidden(false);
  m.mHighQualityPopup->setHidden(false);
  m.mCalibrationBtn->setHidden(false);
  m.mCalibrationPopup->setHidden(false);
  m.setFrameInImageSettings();
  grab("advanced-page.png");
}

}  // namespace
