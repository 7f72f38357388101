// The multi-scan tab's rows: the forms by generation, the column order with its gaps, the
// pop-up items, the tool tips, and a picture of the version-15 tab (multiscan-tab-v15.png in
// the test's working folder).

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "ModesTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "kit/TabView.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/multiscan/MultiScanMode.h"

namespace {

struct MsItemFlags {
  bool ver1400 = true;
  bool ver1500 = false;
  bool ver1700 = false;
  bool adf = false;
  bool twoSided = false;
  bool recommended = false;
  bool fau = false;
  bool vexa = false;
};

fnd::Dictionary msItemScanner(const MsItemFlags& f) {
  return fnd::Dictionary{{"Ver1200Later", true},         {"Ver1300Later", true},
                         {"Ver1400Later", f.ver1400},    {"Ver1500Later", f.ver1500},
                         {"Ver1600Later", f.ver1700},    {"Ver1700Later", f.ver1700},
                         {"ADF", f.adf},                 {"TwoSidedADF", f.twoSided},
                         {"RecommendedImageProc", f.recommended}, {"FAU", f.fau},
                         {"VEXA", f.vexa}};
}

struct MsTab {
  explicit MsTab(const MsItemFlags& flags) {
    tabs = std::make_unique<Quirel_CTRLS_TabView>(true, true, true);
    tabs->getTabView()->setFrame(fnd::Rect(0, 0, 364, 700));
    mode.setScannerInfo(modes_test::scannerWith(msItemScanner(flags)));
    mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
    mode.createMultiScanItem(tabs.get());
  }
  double contentHeight() const { return tabs->getTabView()->contentRect().size.height; }

  std::unique_ptr<Quirel_CTRLS_TabView> tabs;
  Quirel_MultiScanMode mode;
};

double msBottom(const kit::View* v) { return v->frame().origin.y; }
double msTopOf(const kit::View* v) { return v->frame().origin.y + v->frame().size.height; }

// The space between each row and the one above it, top to bottom.
std::vector<double> msGaps(const std::vector<kit::View*>& rows, double top) {
  std::vector<double> gaps;
  double above = top;
  for (kit::View* row : rows) {
    gaps.push_back(above - msTopOf(row));
    above = msBottom(row);
  }
  return gaps;
}

void msSetHeight(kit::View* row, double height) { row->setFrameSize(fnd::Size(row->frame().size.width, height)); }

std::vector<int> msPopupNumbers(const Quirel_CTRLS_PopupButton& popup) {
  std::vector<int> numbers;
  for (int i = 0; i < popup.getPopupBT()->numberOfItems(); ++i) numbers.push_back(popup.getRepresentedNumberAtIndex(i));
  return numbers;
}

}  // namespace

TEST(MultiScanModeItem, Version14RowsWithFeederAndRecommendedProcessing) {
  MsTab t({.adf = true, .twoSided = true, .recommended = true});
  Quirel_MultiScanMode& m = t.mode;
  msSetHeight(m.getDuplexADFRow(), 22);
  msSetHeight(m.getRecommendImageSettingRow(), 22);
  msSetHeight(m.getScanResultRow(), 22);
  m.setFrameMultiScanItem();
  const auto& pictures = m.getImageViewList();
  ASSERT_EQ(pictures.size(), 3u);  // document, photo, feeder
  const std::vector<kit::View*> expected{m.getExplainRow(), m.getHowtoPutRow(), pictures[0].get(), pictures[1].get(),
                                         pictures[2].get(), m.getDuplexADFRow(), m.getRecommendImageSettingRow(),
                                         m.getScanResultRow(), m.getScanBtnRow(), m.getHelpBtnRow()};
  EXPECT_EQ(m.rowsInLayoutOrder(), expected);
  EXPECT_EQ(msGaps(expected, t.contentHeight()), (std::vector<double>{0, 0, 0, 0, 0, 0, 15, 15, 0, 0}));
  EXPECT_EQ(m.getHowtoPutRow()->frame().size.height, 35);
  EXPECT_EQ(pictures[0]->frame().size.height, 90);
  EXPECT_EQ(pictures[1]->frame().size.height, 79);
  EXPECT_EQ(m.getScanBtnRow()->frame().size.height, 55);
  EXPECT_EQ(m.getImgSrcPopup(), nullptr);
  EXPECT_EQ(m.getDstPopup(), nullptr);
}

TEST(MultiScanModeItem, WrappedOptionTitlesShrinkBothGaps) {
  struct Case {
    double rowHeight;  // S is three times this
    double gap;
  };
  for (const Case c : {Case{23, 15}, Case{24, 14}, Case{28, 8}, Case{32, 2}, Case{35, 2}}) {
    MsTab t({.adf = true, .twoSided = true, .recommended = true});
    Quirel_MultiScanMode& m = t.mode;
    for (kit::View* row : {m.getDuplexADFRow(), m.getRecommendImageSettingRow(), m.getScanResultRow()})
      msSetHeight(row, c.rowHeight);
    m.setFrameMultiScanItem();
    EXPECT_EQ(msBottom(m.getDuplexADFRow()) - msTopOf(m.getRecommendImageSettingRow()), c.gap) << c.rowHeight;
    EXPECT_EQ(msBottom(m.getRecommendImageSettingRow()) - msTopOf(m.getScanResultRow()), c.gap) << c.rowHeight;
  }
}

TEST(MultiScanModeItem, VerifyRowFollowsAfterThirtyWithoutRecommendedProcessing) {
  {
    MsTab t({.adf = true, .twoSided = true});
    t.mode.setFrameMultiScanItem();
    EXPECT_EQ(t.mode.getRecommendImageSettingRow(), nullptr);
    EXPECT_EQ(msBottom(t.mode.getDuplexADFRow()) - msTopOf(t.mode.getScanResultRow()), 30);
  }
  {
    MsTab t({.adf = true});
    t.mode.setFrameMultiScanItem();
    EXPECT_EQ(t.mode.getDuplexADFRow(), nullptr);
    const kit::View* lastPicture = t.mode.getImageViewList().back().get();
    EXPECT_EQ(msBottom(lastPicture) - msTopOf(t.mode.getScanResultRow()), 30);
    // A hidden verify row still leaves its gap above the Scan row.
    t.mode.getScanResultRow()->setHidden(true);
    t.mode.setFrameMultiScanItem();
    EXPECT_EQ(msBottom(lastPicture) - msTopOf(t.mode.getScanBtnRow()), 30);
  }
}

TEST(MultiScanModeItem, PicturesByGeneration) {
  auto sameColumn = [](const kit::Image& a, const kit::Image& b) {
    if (!a.isValid() || !b.isValid() || a.pixelsHigh() != b.pixelsHigh()) return false;
    for (int y = 0; y < a.pixelsHigh(); ++y)
      if (!(a.colorAtPixel(110, y) == b.colorAtPixel(110, y))) return false;
    return true;
  };
  const kit::Image doc2 = kit::Image::named("Dez_doc_2.tiff", "quirel_r14");
  const kit::Image doc = kit::Image::named("Dez_doc.tiff", "quirel_r14");
  MsTab v17({.ver1500 = true, .ver1700 = true, .adf = true, .fau = true});
  ASSERT_EQ(v17.mode.getImageViewList().size(), 4u);  // document, photo, film, feeder
  EXPECT_TRUE(sameColumn(v17.mode.getImageViewList()[0]->image(), doc2));
  MsTab v15({.ver1500 = true});
  ASSERT_EQ(v15.mode.getImageViewList().size(), 2u);
  EXPECT_TRUE(sameColumn(v15.mode.getImageViewList()[0]->image(), doc));
  EXPECT_FALSE(sameColumn(doc, doc2));
}

TEST(MultiScanModeItem, OlderFormListsFilmSourcesOnlyWithTheFilmAdapter) {
  fnd::Array sources{0, 1, 5, 6};
  const fnd::Dictionary entry{{"ImageSource", fnd::Dictionary{{"MenuItem", sources}}},
                              {"Destination", fnd::Dictionary{{"MenuItem", fnd::Array{0, 2}}}}};
  for (bool fau : {false, true}) {
    MsTab t({.ver1400 = false, .recommended = true});
    t.mode.setMultiScanItem(&entry, fau);
    ASSERT_NE(t.mode.getImgSrcPopup(), nullptr);
    EXPECT_EQ(msPopupNumbers(*t.mode.getImgSrcPopup()),
              fau ? (std::vector<int>{0, 1, 5, 6}) : (std::vector<int>{0, 1}));
    EXPECT_EQ(msPopupNumbers(*t.mode.getDstPopup()), (std::vector<int>{0, 2}));
    EXPECT_EQ(t.mode.getImgSrcPopup()->getPopupBT()->itemTitleAtIndex(0), "Photos (colour)");
  }
  // No entry, or one without its lists: empty pop-ups.
  MsTab t({.ver1400 = false});
  t.mode.setMultiScanItem(nullptr, true);
  EXPECT_TRUE(msPopupNumbers(*t.mode.getImgSrcPopup()).empty());
}

TEST(MultiScanModeItem, OlderFormHasNoGapBeforeVerifyRow) {
  MsTab t({.ver1400 = false, .recommended = true});
  Quirel_MultiScanMode& m = t.mode;
  m.setFrameMultiScanItem();
  const std::vector<kit::View*> expected{m.getExplainRow(),     m.getImageViewList()[0].get(),
                                         m.getRecommendImageSettingRow(), m.getScanSettingRow(),
                                         m.getScanResultRow(),  m.getSeparatorRow(),
                                         m.getScanBtnRow(),     m.getHelpBtnRow()};
  EXPECT_EQ(m.rowsInLayoutOrder(), expected);
  EXPECT_EQ(msGaps(expected, t.contentHeight()), (std::vector<double>{0, 0, 15, 0, 0, 0, 0, 0}));
  EXPECT_EQ(m.getScanSettingRow()->frame().size.height, 160);
  EXPECT_EQ(m.getHowtoPutRow(), nullptr);
}

TEST(MultiScanModeItem, ToolTipsFollowEnabling) {
  MsTab t({.ver1500 = true, .recommended = true, .fau = true, .vexa = true});
  Quirel_MultiScanMode& m = t.mode;
  m.setEnabledToolTips();
  kit::View* box = m.getRecommendImageSettingCbx()->getCheckBox();
  EXPECT_EQ(box->toolTip(), "Corrects colour, sharpness, dust and film faults the recommended way");
  m.getRecommendImageSettingCbx()->setEnabled(false);
  m.setEnabledToolTips();
  EXPECT_TRUE(box->toolTip().empty());
  box->setToolTip("kept");
  m.getRecommendImageSettingCbx()->setEnabled(true);
  m.setEnabledToolTips();
  EXPECT_EQ(box->toolTip(), "kept");
}

namespace {

bool msGrabTab(MsTab& t, const char* name) {
  kit::Window window(fnd::Rect(0, 0, 364, 700), kit::kTitledWindowMask);
  window.contentView()->addSubview(t.tabs->getTabView());
  t.tabs->selectTabViewItemAtIndex(2);
  t.mode.setMultiScanItem(nullptr, true);
  t.mode.setFrameMultiScanItem();
  const std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png.string());
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  std::cout << "multi-scan tab: " << png << "\n";
  return grabbed && std::filesystem::exists(png);
}

}  // namespace

TEST(MultiScanModeItem, Version15TabPicture) {
  MsTab t({.ver1500 = true, .adf = true, .twoSided = true, .recommended = true, .fau = true});
  EXPECT_TRUE(msGrabTab(t, "multiscan-tab-v15.png"));
  // The column fits the tab: nothing below its bottom edge.
  EXPECT_GE(msBottom(t.mode.getHelpBtnRow()), 0);
}

TEST(MultiScanModeItem, OlderTabPicture) {
  MsTab t({.ver1400 = false, .recommended = true});
  const fnd::Array sources{0, 1, 2};
  const fnd::Dictionary entry{{"ImageSource", fnd::Dictionary{{"MenuItem", sources}}},
                              {"Destination", fnd::Dictionary{{"MenuItem", fnd::Array{0, 1, 2, 3}}}}};
  t.mode.setMultiScanItem(&entry, false);
  EXPECT_TRUE(msGrabTab(t, "multiscan-tab-older.png"));
  EXPECT_GE(msBottom(t.mode.getHelpBtnRow()), 0);
}
