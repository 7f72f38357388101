#include <gtest/gtest.h>

#include <fstream>

#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "ui/base/LockHold.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/ProcessImagePanel.h"

using namespace uim_test;

namespace {

kit::Application& afterScanApp() { return kit::Application::shared(); }

// A sound that only counts its plays and stops.
struct CountedSound {
  int plays = 0;
  int stops = 0;
  bool playing = false;
};

class CountedSoundPlayer : public Quirel_ScanEndSound::Player {
 public:
  explicit CountedSoundPlayer(CountedSound* s) : s_(s) {}
  bool play() override {
    ++s_->plays;
    s_->playing = true;
    return true;
  }
  void stop() override {
    ++s_->stops;
    s_->playing = false;
  }
  bool isPlaying() const override { return s_->playing; }
  double currentTime() const override { return s_->playing ? 5 : 0; }
  void setDidFinish(std::function<void()>) override {}

 private:
  CountedSound* s_;
};

void runAfterScanPasses() {
  for (int i = 0; i < 5; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
}

class AfterScan : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = freshSettingsFolder("uim-after-scan");
    fs::create_directories(folder);
    temp = folder + "temp/";
    fs::create_directories(temp);
    Quirel_PreferenceInfo preferences;
    preferences.setTempPath(temp);
    ASSERT_TRUE(preferences.writeToFolder(folder));
  }
  void TearDown() override {
    while (afterScanApp().pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect(0, 0, 10, 10), kit::kTitledWindowMask);
      afterScanApp().runModalForWindow(spare);
    }
  }
  std::unique_ptr<Controller> shown() {
    auto c = std::make_unique<Controller>(modelInitSetting(folder));
    (*c)->showMainWindowMainThreadMode();
    return c;
  }
  void post(Controller& c, const char* name, fnd::SharedDictionary info = nullptr) {
    fnd::NotificationCenter::defaultCenter().post(name, &c.dataSourceObject, std::move(info));
  }
  std::string folder, temp;
};

}  // namespace

TEST(UserInterfaceModulePreview, CheckPreviewResultTable) {
  const fnd::Array crops{fnd::Dictionary{}};
  struct Row {
    const fnd::Array* crops;
    int cancel, error;
    bool atStart, thumbnail;
    int result;
  };
  const Row rows[] = {
      {&crops, 0, 1, true, false, 3},  {nullptr, 1, 5, true, true, 3},   {&crops, 0, 0, false, false, 0},
      {&crops, 0, 0, true, true, 0},   {&crops, 1, 0, false, false, 1},  {&crops, 1, 0, false, true, 2},
      {nullptr, 0, 0, false, false, 2}, {nullptr, 1, 0, false, false, 2}, {&crops, 0, 2, false, false, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.cancel << r.error << r.atStart << r.thumbnail << (r.crops != nullptr));
    EXPECT_EQ(Quirel_UserInterfaceModule::checkPreviewResult_AutoMultiRect(r.crops, r.cancel, r.error, r.atStart,
                                                                            r.thumbnail),
              r.result);
  }
  // The report as the controller reads it: defaults, and input source 3 when none is given.
  const fnd::Dictionary internal = Quirel_UserInterfaceModule::makeEndPreviewDictionary(nullptr);
  EXPECT_FALSE(internal.contains("autoMultiRect"));
  EXPECT_EQ(internal.integer("inputSource"), 3);
  EXPECT_EQ(internal.integer("filmSize"), 0);
}

TEST_F(AfterScan, PreviewBlocksFillTheBufferWhiteElsewhereAndAreCutAtItsEnd) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  uim.setPreviewMakeSizeMainThreadMode(4, 3);
  ASSERT_EQ(uim.getPreviewBufferBytes(), 36u);
  const std::uint8_t* buffer = uim.getPreviewInfo()->getOriginalPixel24();
  ASSERT_NE(buffer, nullptr);
  std::vector<std::uint8_t> block(10);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i + 1);
  uim.setPreviewDataMainThreadMode(10, block.data());
  uim.setPreviewDataMainThreadMode(10, block.data());
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(buffer[i], block[i % 10]) << i;
  for (std::size_t i = 20; i < 36; ++i) EXPECT_EQ(buffer[i], 255) << i;
  // The picture a redraw hands the mode: 4 x 3, those pixels, white where nothing came.
  const PreviewBitmap bitmap = uim.getPreviewBitmap();
  EXPECT_EQ(bitmap.width, 4);
  EXPECT_EQ(bitmap.height, 3);
  ASSERT_TRUE(bitmap.bytes);
  EXPECT_TRUE(std::equal(bitmap.bytes->begin(), bitmap.bytes->end(), buffer, buffer + 36));
  uim.drawPreviewAreaMainThreadMode();
  // Once the mode has its preview view, that picture is what it shows.
  if (Quirel_CTRLS_Preview* preview = uim.getStandardMode()->getPreviewView()) {
    const std::optional<kit::Image>& image = preview->getImageView()->getPreviewImage();
    ASSERT_TRUE(image && image->isValid());
    EXPECT_EQ(image->pixelsWide(), 4);
    EXPECT_EQ(image->pixelsHigh(), 3);
  }
  // 20 bytes more pass the end at 36: cut there.
  std::vector<std::uint8_t> big(20, 7);
  uim.setPreviewDataMainThreadMode(20, big.data());
  EXPECT_EQ(uim.getPreviewInfo()->getSendDataOffset(), 36u);
  for (std::size_t i = 20; i < 36; ++i) EXPECT_EQ(buffer[i], 7) << i;
  uim.setPreviewDataMainThreadMode(20, big.data());
  EXPECT_EQ(uim.getPreviewInfo()->getSendDataOffset(), 36u);
  EXPECT_FALSE(uim.isPreviewDataRefused());
  // A new make-size starts over, white.
  uim.setPreviewMakeSizeMainThreadMode(2, 2);
  EXPECT_EQ(uim.getPreviewBufferBytes(), 12u);
  EXPECT_EQ(uim.getPreviewInfo()->getSendDataOffset(), 0u);
  EXPECT_EQ(uim.getPreviewInfo()->getOriginalPixel24()[11], 255);
  uim.drawPreviewAreaMainThreadMode();  // nothing to fault on, whatever the mode shows
}

TEST_F(AfterScan, ABlockWithoutABufferIsRefusedAndThePreviewEndsAsNothingUsable) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  std::vector<std::uint8_t> block(30, 9);
  uim.getStandardMode()->setEnabledMainWindow(false);
  ASSERT_NE(uim.getStandardMode()->getWindowMaskView(), nullptr);
  // Before any make-size.
  uim.setPreviewDataMainThreadMode(30, block.data());
  EXPECT_TRUE(uim.isPreviewDataRefused());
  // The report lists crops, but there is no picture: nothing usable, the controls come back.
  const fnd::Array crops{fnd::Dictionary{{"min", fnd::Dictionary{{"X", 0}, {"Y", 0}}},
                                         {"max", fnd::Dictionary{{"X", 4}, {"Y", 4}}}}};
  uim.endPreviewMainThreadMode(fnd::makeShared(fnd::Dictionary{{"AutoMultiRect", crops}}).get());
  EXPECT_EQ(uim.getStandardMode()->getWindowMaskView(), nullptr);
  EXPECT_TRUE(uim.getPreviewInfo()->getMultiCropPoints().empty());
  // A size no buffer can hold: refused in the same way.
  uim.setPreviewMakeSizeMainThreadMode(0, 10);
  EXPECT_EQ(uim.getPreviewBufferBytes(), 0u);
  uim.setPreviewDataMainThreadMode(30, block.data());
  EXPECT_TRUE(uim.isPreviewDataRefused());
  // The next good size takes blocks again.
  uim.setPreviewMakeSizeMainThreadMode(10, 1);
  uim.setPreviewDataMainThreadMode(30, block.data());
  EXPECT_FALSE(uim.isPreviewDataRefused());
  EXPECT_EQ(uim.getPreviewInfo()->getSendDataOffset(), 30u);
}

TEST_F(AfterScan, AReportWithoutCropsClearsAndGivesTheControlsBackWithTheSoundStopped) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  CountedSound sound;
  uim.scanEndSound().setPlayerFactory([&](const std::string&) { return std::make_unique<CountedSoundPlayer>(&sound); });
  uim.setPreviewMakeSizeMainThreadMode(4, 4);
  uim.getStandardMode()->setEnabledMainWindow(false);
  uim.endPreviewMainThreadMode(fnd::makeShared(fnd::Dictionary{{"PreviewErrorFlag", 1}}).get());
  EXPECT_EQ(uim.getStandardMode()->getWindowMaskView(), nullptr);
  // An error without a cancel: the close does not back the preview up.
  EXPECT_FALSE(uim.getCallBackUpToSM());
  EXPECT_EQ(sound.plays, 0);
}

TEST_F(AfterScan, TheEndOfAScanPlaysTheSoundOnSuccessOnly) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  const fs::path wav = fs::path(temp) / "end.wav";
  std::ofstream(wav) << "RIFF";
  Quirel_PreferenceInfo* prefs = uim.getStandardMode()->getPreferenceInfo();
  ASSERT_NE(prefs, nullptr);
  prefs->setSound(true);
  prefs->setSoundPath(wav.string());
  CountedSound sound;
  uim.scanEndSound().setPlayerFactory([&](const std::string&) { return std::make_unique<CountedSoundPlayer>(&sound); });
  uim.getStandardMode()->setProgressStatusValue(0);
  uim.endScanMainThreadMode();
  EXPECT_EQ(sound.plays, 1);
  EXPECT_TRUE(sound.playing);
  uim.getStandardMode()->setProgressStatusValue(-1);
  uim.endScanMainThreadMode();
  EXPECT_FALSE(sound.playing);  // played 5 s already: stopped at once
  EXPECT_EQ(sound.plays, 1);
  // The end-of-scan lock is free again.
  EXPECT_FALSE(Quirel_LockHold::isHeld(uim.endScanLock()));
}

TEST_F(AfterScan, TheRealSoundWithoutAudioEndsTheScanAndFreesTheLock) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  const fs::path wav = fs::path(temp) / "broken.wav";
  std::ofstream(wav) << "no sound here";
  Quirel_PreferenceInfo* prefs = uim.getStandardMode()->getPreferenceInfo();
  prefs->setSound(true);
  prefs->setSoundPath(wav.string());
  uim.getStandardMode()->setProgressStatusValue(0);
  uim.endScanMainThreadMode();
  runAfterScanPasses();
  EXPECT_FALSE(Quirel_LockHold::isHeld(uim.endScanLock()));
  ASSERT_TRUE(uim.endScanLock()->tryLock());
  uim.endScanLock()->unlock();
}

TEST_F(AfterScan, TheScanResultWindowThroughTheDataSourcesRequests) {
  DataSourceStandIn ds;
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  // Without a window the start of its events only asks for attention.
  const int attention = afterScanApp().userAttentionRequestCount();
  post(*c, "startEventScanResultWindowPost");
  EXPECT_EQ(afterScanApp().userAttentionRequestCount(), attention + 1);
  EXPECT_EQ(uim.getScanResultDialog(), nullptr);

  post(*c, "showScanResultWindowPost");
  Quirel_ScanResultDialog* dialog = uim.getScanResultDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->getWindow()->isVisible());
  post(*c, "showScanResultWindowPost");  // a second show does nothing
  EXPECT_EQ(uim.getScanResultDialog(), dialog);

  // The data source's temporary picture is shown and deleted; a file of the user's is kept.
  const fs::path page = fs::path(temp) / "page.ppm";
  {
    std::ofstream out(page, std::ios::binary);
    out << "P6\n2 2\n255\n";
    for (int i = 0; i < 4; ++i) out.put('\x40').put('\x80').put('\xc0');
  }
  const fs::path own = testenv::freshFolder("users-pictures") / "keep.ppm";
  fs::copy_file(page, own);
  post(*c, "addScanResultImagePost", fnd::makeShared(fnd::Dictionary{{"filePath", page.string()}, {"fileErase", 1}}));
  post(*c, "addScanResultImagePost", fnd::makeShared(fnd::Dictionary{{"filePath", own.string()}, {"fileErase", 1}}));
  EXPECT_EQ(dialog->items().size(), 2u);
  EXPECT_FALSE(fs::exists(page));
  EXPECT_TRUE(fs::exists(own));

  post(*c, "startEventScanResultWindowPost");
  EXPECT_TRUE(dialog->closeButton()->isEnabled());
  dialog->closeButton()->performClick();
  EXPECT_EQ(ds.count("clickCloseButtonPost"), 1);
  ASSERT_FALSE(ds.requestInfo.empty());
  post(*c, "closeScanResultWindowPost");
  EXPECT_EQ(uim.getScanResultDialog(), nullptr);
}

TEST_F(AfterScan, ARequestFromAModalRunInsideAnotherWaitsForTheNextPass) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  uim.showScanResultWindow();
  {
    // As if a modal run inside an operation of the window asked for its close.
    Quirel_LockHold outer{uim.scanResultLock()};
    uim.closeScanResultWindow();
    EXPECT_NE(uim.getScanResultDialog(), nullptr);
  }
  runAfterScanPasses();
  EXPECT_EQ(uim.getScanResultDialog(), nullptr);

  {
    Quirel_LockHold outer{uim.closeSelectLock()};
    uim.showCloseSelectWindow();
    EXPECT_EQ(uim.getCloseSelectDialog(), nullptr);
    EXPECT_EQ(uim.showSavePathModalWindow(), 1);  // cannot wait here: answers at once
  }
  runAfterScanPasses();
  ASSERT_NE(uim.getCloseSelectDialog(), nullptr);
  uim.closeCloseSelectWindow();
}

TEST_F(AfterScan, CloseSelectStoresTheChoiceAndTheNoticeCanSilenceBoth) {
  DataSourceStandIn ds;
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  uim.setCloseSelectFlg(0);
  post(*c, "showCloseSelectWindowPost");
  Quirel_CloseSelectDialog* dialog = uim.getCloseSelectDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->selectedAutoExit(), 0);
  EXPECT_NE(uim.getStandardMode()->getWindowMaskView(), nullptr);  // the main window waits
  dialog->radioButton()->performClickOnCell(0, 0);
  dialog->checkBox()->performClick();
  dialog->okButton()->performClick();
  ASSERT_EQ(ds.count("closeSelectClickButtonPost"), 1);
  EXPECT_EQ(ds.requestInfo.back().integer("Exit"), 1);
  post(*c, "closeCloseSelectWindowPost");
  EXPECT_EQ(uim.getCloseSelectDialog(), nullptr);
  EXPECT_EQ(uim.getCloseSelectFlg(), 1);
  EXPECT_EQ(uim.getPreferenceInfo()->getAutoExit(), 1);
  EXPECT_EQ(uim.getStandardMode()->getWindowMaskView(), nullptr);

  // The notice, modal, with its box ticked: neither window shows again.
  afterScanApp().onNextModalWindow([&](kit::Window&) {
    Quirel_CloseSavePathtDialog* notice = uim.getCloseSavePathDialog();
    ASSERT_NE(notice, nullptr);
    notice->checkBox()->performClick();
    notice->okButton()->performClick();
  });
  EXPECT_EQ(uim.showSavePathModalWindow(), 1);
  EXPECT_EQ(uim.getCloseSavePathDialog(), nullptr);
  EXPECT_FALSE(uim.getShowMCloseSaveMsg());
  const std::size_t responders = afterScanApp().pendingModalResponders();
  EXPECT_EQ(uim.showSavePathModalWindow(), 1);  // at once, no run
  EXPECT_EQ(afterScanApp().pendingModalResponders(), responders);
  post(*c, "showCloseSelectWindowPost");
  post(*c, "showSavePathWindowPost");
  EXPECT_EQ(uim.getCloseSelectDialog(), nullptr);
  EXPECT_EQ(uim.getCloseSavePathDialog(), nullptr);
}

TEST_F(AfterScan, TheNoticeNonModalAnswersOutwardAndAMessageFromADialogKeepsTheMainWindowFromKey) {
  DataSourceStandIn ds;
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  post(*c, "showSavePathWindowPost");
  Quirel_CloseSavePathtDialog* notice = uim.getCloseSavePathDialog();
  ASSERT_NE(notice, nullptr);
  notice->okButton()->performClick();
  EXPECT_EQ(ds.count("closeSelectClickButtonPost"), 1);
  post(*c, "closeSavePathWindowPost");
  EXPECT_EQ(uim.getCloseSavePathDialog(), nullptr);
  EXPECT_TRUE(uim.getShowMCloseSaveMsg());

  fnd::NotificationCenter::defaultCenter().post("SHOW_ERROR_FROM_DLG", nullptr);
  EXPECT_FALSE(c->window()->canBecomeKeyWindow());
  fnd::NotificationCenter::defaultCenter().post("CLOSE_ERROR_FROM_DLG", nullptr);
  EXPECT_TRUE(c->window()->canBecomeKeyWindow());
}

TEST_F(AfterScan, InTheMultiScanModeThePreviewEndsInTheEntryModeAndTheScanSoundIsTheMultiScanModes) {
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"Mode", 2}, {"BeforeMode", 0}});
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  ASSERT_EQ(uim.getMode(), 2);
  uim.setPreviewMakeSizeMainThreadMode(4, 4);
  uim.getStandardMode()->setEnabledMainWindow(false);
  uim.endPreviewMainThreadMode(nullptr);
  // Through the entry mode: nothing usable, the basic mode's controls come back.
  EXPECT_EQ(uim.getStandardMode()->getWindowMaskView(), nullptr);

  const fs::path wav = fs::path(temp) / "multi.wav";
  std::ofstream(wav) << "RIFF";
  ASSERT_NE(uim.getMultiScanMode()->getPreferenceInfo(), nullptr);
  uim.getMultiScanMode()->getPreferenceInfo()->setSound(true);
  uim.getMultiScanMode()->getPreferenceInfo()->setSoundPath(wav.string());
  CountedSound sound;
  std::string played;
  uim.scanEndSound().setPlayerFactory([&](const std::string& path) {
    played = path;
    return std::make_unique<CountedSoundPlayer>(&sound);
  });
  uim.getStandardMode()->setProgressStatusValue(-1);  // the entry mode's status does not count
  uim.endScanMainThreadMode();
  EXPECT_EQ(sound.plays, 1);
  EXPECT_EQ(played, wav.string());
}

TEST_F(AfterScan, TheTerminateTakesTheAfterScanWindowsDownWithTheMainWindow) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  uim.showScanResultWindow();
  uim.showCloseSelectWindow();
  kit::Window* list = uim.getScanResultDialog()->getWindow();
  ASSERT_TRUE(list->isVisible());
  uim.terminateMainWindowMainThreadMode();
  EXPECT_EQ(uim.getScanResultDialog(), nullptr);
  EXPECT_EQ(uim.getCloseSelectDialog(), nullptr);
  // Nothing stands over a window that is gone: a pass of the loop updates no orphan.
  afterScanApp().updateWindows();
  runAfterScanPasses();
}

TEST_F(AfterScan, AFilmPreviewOfTwoOrMoreFramesShowsTheProgressPanelWhileTheModeTakesIt) {
  auto c = shown();
  Quirel_UserInterfaceModule& uim = *c->uim;
  uim.setPreviewMakeSizeMainThreadMode(8, 8);
  const fnd::Dictionary frame{{"min", fnd::Dictionary{{"X", 0}, {"Y", 0}}}, {"max", fnd::Dictionary{{"X", 4}, {"Y", 4}}}};
  struct Row {
    int frames;
    bool panel;
  };
  for (const Row& r : {Row{2, true}, Row{1, false}}) {
    SCOPED_TRACE(r.frames);
    fnd::Array crops;
    for (int i = 0; i < r.frames; ++i) crops.push_back(frame);
    bool panelShown = false;
    auto look = [&](const fnd::Notification&) {
      for (kit::Window* w : afterScanApp().windows())
        if (dynamic_cast<Quirel_ProcessImagePanel*>(w) && w->isVisible()) panelShown = true;
    };
    auto t1 = fnd::NotificationCenter::defaultCenter().observe("updateImageSetTemplatePost", nullptr, look);
    auto t2 = fnd::NotificationCenter::defaultCenter().observe("updateImageSetAllSelectedPost", nullptr, look);
    uim.endPreviewThread_Film_StandardMode(&crops, 0, 0, 0);
    EXPECT_EQ(panelShown, r.panel);
    for (kit::Window* w : afterScanApp().windows()) {
      if (dynamic_cast<Quirel_ProcessImagePanel*>(w)) {
        EXPECT_FALSE(w->isVisible());
      }
    }
  }
}
