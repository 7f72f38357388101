// The controller in mode 3: the UI-less set-up with the real UI-less mode, the start of its
// preview, the end of the preview and the termination.

#include <gtest/gtest.h>

#include "../windows/WindowDoubles.h"
#include "UserInterfaceModuleSupport.h"
#include "ui/base/DSBundleStr.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"

using namespace uim_test;

namespace {

fnd::Dictionary uilFrame(double x, double y, double w, double h) {
  auto p = [](double px, double py) { return fnd::Value(fnd::Dictionary{{"X", px}, {"Y", py}}); };
  return fnd::Dictionary{{"points", fnd::Array{p(x, y), p(x + w - 1, y), p(x + w - 1, y + h - 1), p(x, y + h - 1)}}};
}

fnd::Array uilFrames(int count) {
  fnd::Array frames;
  for (int i = 0; i < count; ++i) frames.push_back(uilFrame(100, 100 + i * 400, 300, 380));
  return frames;
}

fnd::Dictionary uilInit(const std::string& folder, bool ver1600 = true) {
  fnd::Dictionary init = modelInitSetting(folder);
  init.set("UILessMode", 1);
  init.set("TPU_RGB", fnd::Dictionary{{"X", 10.0}, {"Y", 20.0}, {"W", 300.0}, {"H", 900.0}});
  init.set("Uthric", modelParametersWith([&](fnd::Dictionary& s) {
    s.set("Ver1600Later", ver1600);
    s.set("ThresholdValue", 140);
  }));
  return init;
}

class UILessController : public ::testing::Test {
 protected:
  void SetUp() override {
    uim.setDisplayManager(testDisplay());
    uim.setLocaleFacts(fnd::LocaleFacts{"FR", true});
    uim.setTWAINObject(&dataSource);
  }
  void TearDown() override {
    if (!uim.isTerminated()) uim.terminateUILessScanMainThreadMode();
  }
  void setUp(bool ver1600 = true) {
    uim.setInitSettingMainThreadMode(fnd::makeShared(uilInit(freshSettingsFolder("uim-uiless"), ver1600)));
    ASSERT_NE(uim.getUILessMode(), nullptr);
    uim.getPreviewInfo()->setWholeSize(1000, 2000);
  }
  DataSourceStandIn ds;
  windows_test::FakeMessages messages;
  int dataSource = 0;
  Quirel_UserInterfaceModule uim;
};

}  // namespace

TEST_F(UILessController, SetUpWithTheTemplateCrop) {
  setUp();
  EXPECT_EQ(uim.getMode(), 3);
  EXPECT_EQ(uim.getMainWindow(), nullptr);
  EXPECT_NE(uim.getUILessMode()->getWindow(), nullptr) << "the dialog is made";
  EXPECT_EQ(uim.getUILessMode()->getUIMObject(), uim.notificationSender());
  EXPECT_EQ(uim.getUILessMode()->getPlatenResolution(), 4800);
  EXPECT_EQ(uim.getUILessMode()->getFilmPlatenRect_Pixel96().size.width, 300);
  const Quirel_CropInfo* crop = uim.getUILessMode()->getTemplateCrop();
  ASSERT_NE(crop, nullptr);
  EXPECT_EQ(crop->getImageSource(), 2);
  EXPECT_EQ(crop->getColorMode(), 3);
  EXPECT_EQ(crop->getThreshold(), 140);
  EXPECT_NE(uim.getPreferenceInfo(), nullptr);
  EXPECT_EQ(ds.count("Set_ShutOffLampTime"), 1);
  ASSERT_NE(uim.messageLock(), nullptr);

  // The bundle question stays unanswered in mode 3.
  EXPECT_EQ(Quirel_DSBundleStr::ask(this), "");

  // The start gives the data source to the mode and the preview model and sends the preview.
  const fnd::Dictionary scanDic{{"CropList", fnd::Array{}}};
  uim.startUILessScanMainThreadMode(&scanDic);
  EXPECT_GE(ds.requests.size(), 2u);

  uim.terminateUILessScanMainThreadMode();
  EXPECT_EQ(uim.getUILessMode(), nullptr);
  EXPECT_EQ(uim.getPreviewInfo(), nullptr);
  EXPECT_EQ(uim.messageLock(), nullptr);
}

TEST_F(UILessController, CancelOrErrorAtTheEndOfThePreviewDoesNothing) {
  setUp();
  const fnd::Array frames = uilFrames(2);
  struct Case {
    const fnd::Array* crops;
    int cancel, error;
  } cases[] = {{nullptr, 0, 0}, {&frames, 1, 0}, {&frames, 0, 5}, {nullptr, 1, 1}};
  for (const Case& c : cases) {
    uim.endPreviewThread_UILessMode(c.crops, 3, 3, c.cancel, c.error);
    EXPECT_FALSE(uim.getUILessMode()->getWindow()->isVisible());
    EXPECT_EQ(uim.getUILessMode()->getThumbnailCount(), 0);
  }
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ds.count(Quirel_UILessScanMode::kCancelClosePost), 0);
}

TEST_F(UILessController, NoFrameShowsTheMessageAndClosesTheDriver) {
  setUp();
  const fnd::Array none;
  uim.endPreviewThread_UILessMode(&none, 3, 3, 0, 0);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1326,0,0,0"});
  EXPECT_EQ(ds.count(Quirel_UILessScanMode::kCancelClosePost), 1);
  EXPECT_FALSE(uim.getUILessMode()->getWindow()->isVisible());
}

TEST_F(UILessController, FramesFillTheDialog) {
  setUp();
  const fnd::Array two = uilFrames(2);
  uim.endPreviewThread_UILessMode(&two, 3, 3, 0, 0);
  EXPECT_TRUE(uim.getUILessMode()->getWindow()->isVisible());
  EXPECT_EQ(uim.getUILessMode()->getThumbnailCount(), 2);
  EXPECT_TRUE(uim.didShowProcessImageDialog());
  EXPECT_FALSE(uim.getUILessMode()->isDisabled()) << "controls given back";
  const fnd::Array one = uilFrames(1);
  uim.endPreviewThread_UILessMode(&one, 3, 3, 0, 0);
  EXPECT_EQ(uim.getUILessMode()->getThumbnailCount(), 1);
  EXPECT_FALSE(uim.didShowProcessImageDialog());

}

TEST_F(UILessController, OlderModelsShowNoProcessPanel) {
  setUp(false);
  const fnd::Array two = uilFrames(2);
  uim.endPreviewThread_UILessMode(&two, 3, 3, 0, 0);
  EXPECT_EQ(uim.getUILessMode()->getThumbnailCount(), 2);
  EXPECT_FALSE(uim.didShowProcessImageDialog());
}

// The data source's end-of-preview report reaches the UI-less mode; a report that names no film
// kind passes input source 3 (not the 256 of positive film).
TEST_F(UILessController, TheEndOfPreviewReportReachesTheMode) {
  setUp();
  const fnd::Dictionary positive{{"AutoMultiRect", uilFrames(2)}, {"PreviewFilmPosiNega", 256}};
  uim.endPreviewMainThreadMode(&positive);
  EXPECT_EQ(uim.getUILessMode()->getThumbnailCount(), 2);
  EXPECT_EQ(uim.getUILessMode()->getInputSource(), 3);
  const fnd::Dictionary unnamed{{"AutoMultiRect", uilFrames(1)}};
  uim.endPreviewMainThreadMode(&unnamed);
  EXPECT_EQ(uim.getUILessMode()->getThumbnailCount(), 1);
  EXPECT_EQ(uim.getUILessMode()->getInputSource(), 4);
}
