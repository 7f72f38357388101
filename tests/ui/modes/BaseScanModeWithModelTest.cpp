// The base's requests answered by the real preview model: a basic mode built on the base is the
// basic mode the model asks, and the records it fills go out whole.

#include <gtest/gtest.h>

#include <algorithm>

#include "ModesTestSupport.h"
#include "foundation/Paths.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/StandardModeLink.h"

using modes_test::PostLog;
using modes_test::TestScanMode;

namespace {

// A basic mode on the base: the scan-mode half is the base's own.
class LinkedBasicMode : public TestScanMode, public StandardModeLink {
 public:
  int getImgSrcNumber() override { return 0; }
};

struct ModelRig {
  Quirel_PreviewInfo model;
  LinkedBasicMode mode;
  int controller = 0;
  ModelRig() {
    mode.setUIMObject(&controller);
    mode.setScannerInfo(modes_test::scannerWith({{"ImageDocumentTypeToSM", true}}));
    auto preferences = std::make_shared<Quirel_PreferenceInfo>();
    preferences->setTempPath(fnd::Paths::tempDir());
    mode.setPreferenceInfo(preferences);
    mode.setPlatenResolution(600);
    mode.setPlatenRect_Pixel96({{0, 0}, {5100, 7020}});
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    auto frame = mode.addCrop(1200, 1800, 600);
    frame->setInputRect_Pixel96({{100, 100}, {1200, 1800}});
    frame->setSelect(true);
    frame->setFocus(true);
  }
};

}  // namespace

TEST(BaseScanModeWithModel, ThePreviewModelFillsThePreviewAndTheScanOfABasicModeOnTheBase) {
  ModelRig rig;
  PostLog log({Quirel_PostNotification::kOverrideNotification});

  ASSERT_TRUE(rig.mode.postPreviewWithScan(false, false, true, true, false, false, false, false, 0, 0));
  const PostLog::Post* preview = log.find("Preview_Scan");
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->sender, &rig.controller);
  ASSERT_FALSE(preview->info.array("CropItem").empty());
  EXPECT_EQ(preview->info.array("CropItem")[0]["Resolution"].toInt(), 300);
  EXPECT_TRUE(preview->info.contains("INPUTDOCUMENTSIZE"));

  ASSERT_TRUE(rig.mode.postScan());
  const PostLog::Post* scan = log.find("StandardMode_Scan");
  ASSERT_NE(scan, nullptr);
  ASSERT_FALSE(scan->info.array("CropItem").empty());
  std::vector<int> resolutions;
  for (const fnd::Value& crop : scan->info.array("CropItem")) resolutions.push_back(crop["Resolution"].toInt());
  EXPECT_NE(std::find(resolutions.begin(), resolutions.end(), 600), resolutions.end());  // the frame's own
  EXPECT_EQ(std::find(resolutions.begin(), resolutions.end(), 300), resolutions.end());
  EXPECT_FALSE(scan->info.contains("INPUTDOCUMENTSIZE"));
  EXPECT_NE(log.find("ntfQuirel_SaveInfo"), nullptr);
}
