// A zoom scan on an advanced mode built on the base, answered by the real preview model: the
// zoom preview asks for the area the base computed around the focused frame, and the scan
// request places the frame by the base's way back to the whole preview, leaving the zoom as it was.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "foundation/Paths.h"
#include "ui/model/ExtendModeLink.h"
#include "ui/model/PreviewInfo.h"

using modes_test::PostLog;
using modes_test::TestScanMode;

namespace {

class ZoomAdvancedMode : public TestScanMode, public ExtendModeLink {
 public:
  int getImgSrcNumber() override { return 0; }
  int getColorModeNumber() override { return 3; }
  int getPaperSizeNumber() override { return 0; }
  int getFilmSizeNumber() override { return 21; }
  int getSelectedPaperSize() override { return 0; }
};

}  // namespace

TEST(BaseScanModeZoomWithModel, TheZoomPreviewAndTheScanUseTheBasesZoomGeometry) {
  Quirel_PreviewInfo model;
  model.setPlatenResolution(300);
  ZoomAdvancedMode mode;
  int controller = 0;
  mode.setUIMObject(&controller);
  mode.setScannerInfo(modes_test::scannerWith({}));
  auto preferences = std::make_shared<Quirel_PreferenceInfo>();
  preferences->setTempPath(fnd::Paths::tempDir());
  mode.setPreferenceInfo(preferences);
  mode.setPlatenResolution(300);
  mode.setPlatenRect_Pixel96({{0, 0}, {2550, 3508}});
  mode.mUIMode = 1;
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  auto frame = mode.addCrop(200, 300, 300);
  frame->setPreviewSize_Pixel96({2550, 3508});
  frame->setVisiblePreviewSize_Pixel96({2550, 3508});
  frame->setInputRect_Pixel96({{0, 3000}, {200, 300}});
  frame->setSelect(true);
  frame->setFocus(true);

  const SRectDouble area = mode.updateCropByZoomScan(*frame);
  EXPECT_DOUBLE_EQ(area.origin.y, 2962.5);
  mode.mZoomScan = true;
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  ASSERT_TRUE(mode.postPreviewWithScan(false, true, true, true, false, false, false, false, 0, 0));
  const PostLog::Post* zoom = log.find("Zoom_Scan");
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->sender, &controller);
  // The zoom area (0, 2962.5, 250, 375) in inches at 300 dpi, counted from the top.
  const fnd::Dictionary& zoomRect = zoom->info.dictionary("ScanSetting").dictionary("ScanRect");
  EXPECT_NEAR(zoomRect.real("X"), 0, 1e-6);
  EXPECT_NEAR(zoomRect.real("Y"), (3508 - (2962.5 + 375)) / 300, 1e-6);
  EXPECT_NEAR(zoomRect.real("width"), 250.0 / 300, 1e-6);
  EXPECT_NEAR(zoomRect.real("height"), 375.0 / 300, 1e-6);

  ASSERT_TRUE(mode.postScan());
  const PostLog::Post* scan = log.find("AdvancedMode_Scan");
  ASSERT_NE(scan, nullptr);
  const fnd::Dictionary* placed = nullptr;
  for (const fnd::Value& c : scan->info.array("CropItem"))
    if (c.toDictionary().intValue("Resolution") == 300) placed = &c.toDictionary();
  ASSERT_NE(placed, nullptr);
  // Placed in the whole preview as before the zoom: (0, 3000, 200, 300) from the bottom.
  const fnd::Dictionary& rect = placed->dictionary("ScanRect");
  EXPECT_NEAR(rect.real("X"), 0, 1e-6);
  EXPECT_NEAR(rect.real("Y"), 3508 - 3300, 1e-6);
  EXPECT_NEAR(rect.real("width"), 200, 1e-6);
  EXPECT_NEAR(rect.real("height"), 300, 1e-6);
  // The frame keeps its zoomed geometry afterwards.
  EXPECT_DOUBLE_EQ(frame->getInputY_Pixel96(), 37.5);
  EXPECT_DOUBLE_EQ(frame->getVisiblePreviewSize_Pixel96().height, 375);
}
