#include <gtest/gtest.h>

#include "ProgressWindowTestSupport.h"
#include "ui/model/ProgressWindowLink.h"

using namespace progress_test;

namespace {

enum { kSource, kColor, kResolution, kAutoFine, kAdjust, kCopyGamma, kUnsharp, kDescreen, kReduceDust };

// The main-window controller's answer: mode, texts and capabilities.
class ControllerAnswer {
 public:
  ControllerAnswer(int mode, int source, bool racs2 = false)
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_ProgressWindow::kSetImageSourceAndColorModeStrPost, nullptr,
            [mode, source, racs2](const fnd::Notification& n) {
              if (auto* w = Quirel_ProgressWindow::fromNotification(n)) {
                w->setScanMode(mode);
                w->setImageSourceString("Source " + std::to_string(source), source);
                w->setColorModeString("Colour", 3);
                w->setScannerDispInfo(true, true, true, true, true, true, true, true, true, true, true, racs2);
              }
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

// The preview model's answer to "setScanningInfoImageAdjustPost".
class ImageAdjustAnswer {
 public:
  explicit ImageAdjustAnswer(int number)
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            ProgressWindowLink::kSetScanningInfoImageAdjustPost, nullptr, [this, number](const fnd::Notification& n) {
              auto* link = static_cast<ProgressWindowLink*>(const_cast<void*>(n.sender));
              asked = link->getCropNow();
              link->setImageAdjustNum(number);
            })) {}
  int asked = -1;

 private:
  fnd::NotificationCenter::Token token_;
};

void showDetail(Quirel_ProgressWindow& w, const fnd::Dictionary& scan) {
  const fnd::Dictionary info{{"MessageID", 1325}, {"DetailInfo", true}, {"ScanInfo", scan}};
  w.setInformationDataMainThreadMode(&info);
}

}  // namespace

// "now" counts from 1: crop n is entry n - 1; outside the table only the status shows.
TEST(ProgressDetail, ScanningInfoShowsTheCropBeingScanned) {
  Progress p(false, true, true);
  ControllerAnswer controller(0, 0);
  ImageAdjustAnswer adjust(3);
  showDetail(p.w, scanWithCrops(3));
  EXPECT_EQ(p.w.filledCrops(), 3);
  p.w.setScanningInfoMainThreadMode(1, 3, 1);
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "100 dpi");
  EXPECT_EQ(p.w.detailValue(kSource)->stringValue(), "Source 0");
  EXPECT_EQ(adjust.asked, 1);
  EXPECT_EQ(p.w.detailValue(kAdjust)->stringValue(), "Document");
  p.w.setScanningInfoMainThreadMode(3, 3, 1);
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "102 dpi");
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "Area 3 of 3");
  // Past the table: the status alone, no other crop's settings and no empty slot.
  p.w.setScanningInfoMainThreadMode(4, 3, 1);
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "Area 4 of 3");
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "102 dpi");
  p.w.setScanningInfoMainThreadMode(0, 3, 2);
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "Frame 0 of 3");
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "102 dpi");
  // A page is entry 0; another source empties the status.
  p.w.setScanningInfoMainThreadMode(5, 0, 3);
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "Page 5");
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "100 dpi");
  p.w.setScanningInfoMainThreadMode(1, 1, 9);
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "");
}

TEST(ProgressDetail, MultiScanAlwaysShowsEntryZero) {
  Progress p(false, true, true);
  ControllerAnswer controller(2, 1);
  showDetail(p.w, scanWithCrops(3));
  p.w.setScanningInfoMainThreadMode(3, 3, 1);
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "100 dpi");
}

TEST(ProgressDetail, AtMostSixtyOneCropsAreKept) {
  Progress p(true, true, true);
  ControllerAnswer controller(0, 0);
  showDetail(p.w, scanWithCrops(70));
  EXPECT_EQ(p.w.filledCrops(), 61);
  p.w.setScanningInfoMainThreadMode(61, 70, 1);
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "160 dpi");
  p.w.setScanningInfoMainThreadMode(62, 70, 1);
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "Area 62 of 70");
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "160 dpi");
  // A dictionary without crops keeps the table.
  showDetail(p.w, fnd::Dictionary{{"CopyGamma", 1}});
  EXPECT_EQ(p.w.filledCrops(), 61);
}

TEST(ProgressDetail, CopyGammaOfACopyGammaScannerFollowsTheDocumentSetting) {
  Progress p(false, true, true);
  ControllerAnswer controller(1, 3, true);  // extended mode, film: copy gamma row only when wanted
  fnd::Array crops{fnd::Dictionary{{"Resolution", 300}, {"UISettingDocument", 1012}},
                   fnd::Dictionary{{"Resolution", 600}, {"UISettingDocument", 2012}},
                   fnd::Dictionary{{"Resolution", 900}, {"UISettingDocument", 7}}};
  showDetail(p.w, fnd::Dictionary{{"CropItem", crops}});
  p.w.disclosureButton()->performClick();
  EXPECT_TRUE(p.w.detailLabel(kCopyGamma)->isHidden());
  const double before = p.w.unfoldedWindowHeight();

  p.w.setScanningInfoMainThreadMode(1, 3, 1);
  EXPECT_EQ(p.w.detailValue(kCopyGamma)->stringValue(), "Off");
  EXPECT_FALSE(p.w.detailLabel(kCopyGamma)->isHidden());
  // Laid out again with the row (one or two lines high, as its texts need).
  EXPECT_EQ(p.w.unfoldedWindowHeight(), before + p.w.detailLabel(kCopyGamma)->frame().size.height);
  EXPECT_EQ(p.height(), p.w.unfoldedWindowHeight());
  p.w.setScanningInfoMainThreadMode(2, 3, 1);
  EXPECT_EQ(p.w.detailValue(kCopyGamma)->stringValue(), "On");
  p.w.setScanningInfoMainThreadMode(3, 3, 1);
  EXPECT_EQ(p.w.detailValue(kCopyGamma)->stringValue(), "Off");
  EXPECT_TRUE(p.w.detailLabel(kCopyGamma)->isHidden());
  EXPECT_EQ(p.w.unfoldedWindowHeight(), before);
}

TEST(ProgressDetail, LevelsAndTheAutomaticDocumentFix) {
  Progress p(false, true, true);
  ControllerAnswer controller(0, 4);
  ImageAdjustAnswer adjust(1);
  fnd::Array crops{fnd::Dictionary{{"ReduceDust", 1}, {"UnsharpMask", 1}},
                   fnd::Dictionary{{"ReduceDust", 3}, {"AUTOFINEDOCUMENT", 1}}};
  showDetail(p.w, fnd::Dictionary{{"CropItem", crops}});
  p.w.setScanningInfoMainThreadMode(1, 2, 1);
  EXPECT_EQ(p.w.detailValue(kReduceDust)->stringValue(), "None");  // level 1
  EXPECT_EQ(p.w.detailValue(kUnsharp)->stringValue(), "On");
  EXPECT_EQ(p.w.detailValue(kAdjust)->stringValue(), "Auto");
  EXPECT_EQ(p.w.detailValue(kAutoFine)->stringValue(), "Off");
  p.w.setScanningInfoMainThreadMode(2, 2, 1);
  EXPECT_EQ(p.w.detailValue(kReduceDust)->stringValue(), "Medium");
  EXPECT_EQ(p.w.detailValue(kAutoFine)->stringValue(), "On");
  EXPECT_EQ(p.w.detailValue(kAdjust)->stringValue(), "(set by the document fix)");
  EXPECT_EQ(p.w.detailValue(kUnsharp)->stringValue(), "(set by the document fix)");
}

TEST(ProgressDetail, SimpleInformationAreaShowsNoDetail) {
  Progress p(true, true, true);
  ControllerAnswer controller(0, 0);
  const fnd::Dictionary info{
      {"MessageID", 1325}, {"DetailInfo", true}, {"DetailInfoSimple", true}, {"ScanInfo", scanWithCrops(2)}};
  p.w.setInformationDataMainThreadMode(&info);
  EXPECT_FALSE(p.w.detailSimpleDisp());
  p.w.setScanningInfoMainThreadMode(2, 2, 1);
  EXPECT_EQ(p.w.scanStatusInfo()->stringValue(), "Area 2 of 2");
  EXPECT_EQ(p.w.detailValue(kResolution)->stringValue(), "");
}

// The newer layout's rules at work in the window.
TEST(ProgressDetail, DisplayRulesDecideBarCancelAndInformationArea) {
  Progress p(true, true, true);
  const fnd::Dictionary pdf{{"MessageID", 1325},
                            {"CancelButton", true},
                            {"ScanInfo", fnd::Dictionary{{"BAF", 1}, {"MfpSfs", 1}, {"UsbNetwork", 1},
                                                         {"PULLPUSH", 1}, {"RawJpeg", 2}, {"MultiPDF", 2}}}};
  p.w.setInformationDataMainThreadMode(&pdf);
  EXPECT_FALSE(p.w.progressBar()->isHidden());
  EXPECT_TRUE(p.w.cancelButton()->isHidden());
  EXPECT_EQ(p.w.percentText()->isHidden(), true);

  // Composite answer 3 with message 1325: bar, Cancel and information area hidden.
  fnd::Dictionary push{{"OnePass", 2}, {"InputSource", 0},
                       {"ScanSetting", fnd::Dictionary{{"UiLess", 2}}},
                       {"CropItem", fnd::Array{fnd::Dictionary{{"COMPRESSION", 4}}}}};
  const fnd::Dictionary info{
      {"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}, {"DetailInfo", true}, {"ScanInfo", push}};
  p.w.setInformationDataMainThreadMode(&info);
  EXPECT_TRUE(p.w.progressBar()->isHidden());
  EXPECT_TRUE(p.w.cancelButton()->isHidden());
  EXPECT_FALSE(p.w.detailDisp());
  EXPECT_EQ(p.w.heightState(), Quirel_ProgressLayout::kStateNoInfo);
}
