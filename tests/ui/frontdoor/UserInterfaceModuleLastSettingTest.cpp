// The advanced mode's last settings through the real controller: the close writes the mode's
// entry into "InitSetting.xml" and the next controller over the same folder comes back as it was
// left, with a frame whose named size was deleted since coming back free.
#include <gtest/gtest.h>

#include "UserInterfaceModuleSupport.h"
#include "ui/model/CropInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace uim_test {
namespace {

fnd::Dictionary lastWindowEntry() {
  return fnd::Dictionary{{"x", 100.0}, {"y", 50.0}, {"width", 900.0}, {"height", 700.0}, {"hiddenWidth", 0.0}};
}

TEST(UserInterfaceModuleLastSetting, TheCloseStoresTheAdvancedEntryAndTheNextOpenRestoresIt) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-last-roundtrip");
  writePlist(folder + "InitSetting.xml",
             fnd::Dictionary{{"MainWindow", lastWindowEntry()}, {"Mode", 1}, {"BeforeMode", 1}});
  fnd::Dictionary stored;
  {
    Controller c(modelInitSetting(folder));
    c->showMainWindowMainThreadMode();
    Quirel_ExtendMode& mode = *c->getExtendMode();
    // What the user left: a record, template values, the exposure section open, a notice silenced.
    mode.getImgSrcSettingAtIndex(0)->resolution = 600;
    mode.getImgSrcSettingAtIndex(0)->unsharpMask = 1;
    mode.getImgSrcSettingAtIndex(1)->colorMode[1] = 1;
    mode.getTemplateCrop()->setUnsharpMask(1);
    mode.getTemplateCrop()->setResolution(600);
    mode.setExposureSettingViewState(true, false);
    Quirel_CropInfo* frame = mode.createCropWithView(fnd::Rect());
    ASSERT_NE(frame, nullptr);
    frame->setInputRect_Pixel96({{100, 120}, {400, 300}});
    frame->setResolution(600);
    frame->setSelect(true);
    frame->setLineStyle(1);
    c->closeMainWindowMainThreadMode();
    const std::optional<fnd::Dictionary> written = readPlist(folder + "InitSetting.xml");
    ASSERT_TRUE(written);
    stored = written->dictionary("ExtendMode");
    EXPECT_EQ(stored, mode.getLastSetting());
  }
  for (const char* key : Quirel_ExtendMode::lastSettingKeys()) {
    // The older rectangle is only read; thumbnails are written only in thumbnail mode.
    if (std::string(key) == "PrevVisibleRect" || std::string(key) == "ThumbnailList") continue;
    EXPECT_NE(stored.find(key), nullptr) << key;
  }

  Controller next(modelInitSetting(folder));
  next->showMainWindowMainThreadMode();
  Quirel_ExtendMode& mode = *next->getExtendMode();
  EXPECT_EQ(next->getMode(), 1);
  EXPECT_EQ(mode.getImgSrcSettings()[0].resolution, 600);
  EXPECT_EQ(mode.getImgSrcSettings()[0].unsharpMask, 1);
  EXPECT_EQ(mode.getImgSrcSettings()[1].colorMode[1], 1);
  EXPECT_EQ(mode.getTemplateCrop()->getUnsharpMask(), 1);
  EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 600);
  ASSERT_EQ(mode.getCropList().size(), 1u);
  EXPECT_EQ(mode.getCropList().front()->getResolution(), 600);
  EXPECT_TRUE(mode.getCropList().front()->isSelected());
  const fnd::Dictionary again = mode.getLastSetting();
  EXPECT_TRUE(stored.boolean("OpenExposure"));
  EXPECT_TRUE(again.boolean("OpenExposure"));
  // Every key comes back as it was written; a frame's preview view size is the new window's.
  for (const char* key : Quirel_ExtendMode::lastSettingKeys()) {
    if (std::string(key) == "CropList") continue;
    EXPECT_EQ(again.get(key), stored.get(key)) << key;
  }
  fnd::Dictionary frameAgain = again.get("CropList").toArray().at(0).toDictionary();
  fnd::Dictionary frameStored = stored.get("CropList").toArray().at(0).toDictionary();
  frameAgain.remove("PreviewViewSize");
  frameStored.remove("PreviewViewSize");
  EXPECT_EQ(frameAgain, frameStored);
}

TEST(UserInterfaceModuleLastSetting, AFrameWhoseNamedSizeWasDeletedComesBackFree) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-last-deleted-size");
  const fnd::Dictionary frame{{"OutputSize", 987654}, {"Resolution", 600}, {"Unit", 0}, {"Magnification", 250},
                              {"Selected", true},     {"Forcus", true}};
  writePlist(folder + "InitSetting.xml",
             fnd::Dictionary{{"MainWindow", lastWindowEntry()},
                             {"Mode", 1},
                             {"BeforeMode", 1},
                             {"ExtendMode", fnd::Dictionary{{"ImageSource", 0}, {"CropList", fnd::Array{frame}}}}});
  Controller c(modelInitSetting(folder));
  c->showMainWindowMainThreadMode();
  Quirel_ExtendMode& mode = *c->getExtendMode();
  ASSERT_EQ(mode.getCropList().size(), 1u);
  const Quirel_CropInfo& crop = *mode.getCropList().front();
  EXPECT_EQ(crop.getOutputSize(), 0);
  EXPECT_EQ(crop.getResolution(), 300);
  EXPECT_EQ(crop.getMagnification(), 100);
}

}  // namespace
}  // namespace uim_test
