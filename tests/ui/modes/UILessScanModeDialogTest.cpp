// The frame-select dialog: its size, layouts, enabling, the close box, Back and Scan, and a
// picture of it with four frames (uiless-frame-select.png in the test's working folder).

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "ModesTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/uiless/UILessScanMode.h"
#include "ui/windows/MessageBoxWindow.h"
#include "ui/windows/ShowMessageDialog.h"

using modes_test::PostLog;

namespace {

kit::Application& ulApp() { return kit::Application::shared(); }

fnd::Dictionary ulDialogScanner(int version) {
  return fnd::Dictionary{{"Ver1200Later", version >= 12}, {"Ver1300Later", version >= 13},
                         {"Ver1400Later", version >= 14}, {"Ver1500Later", version >= 15},
                         {"ThresholdValue", 128}};
}

struct UlDialog {
  explicit UlDialog(int version, double scale = 1.0) {
    // The window controller names the localisation bundle.
    auto bundle = fnd::NotificationCenter::defaultCenter().observe(
        Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
          if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
            carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
        });
    mode.setScannerInfo(modes_test::scannerWith(ulDialogScanner(version)));
    mode.setUserSpaceScaleFactor(scale);
    mode.setPlatenResolution(1200);
    mode.setFilmPlatenRect_Pixel96({{0, 0}, {1000, 2000}});
    mode.setDisplayManager(Quirel_DisplayManager(fnd::Rect(0, 0, 1000, 760), fnd::Rect(0, 0, 1000, 740)));
    mode.createDialog();
  }
  void addFrames(int count) {
    fnd::Array frames;
    auto p = [](double x, double y) { return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}}); };
    for (int i = 0; i < count; ++i) {
      const double x = 20 + i * 240;
      frames.push_back(fnd::Dictionary{{"points", fnd::Array{p(x, 30), p(x + 219, 30), p(x + 219, 179), p(x, 179)}}});
    }
    mode.createThumbnail(&preview, &frames, 3, 0);
    mode.setThumbnailImage(&preview);
  }
  Quirel_PreviewInfo preview;
  Quirel_UILessScanMode mode;
};

// Runs the loop until the calls queued by a click have run.
void ulTurn() { fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.05); }

std::string ulBoxText(kit::Window& w) {
  auto* box = dynamic_cast<Quirel_MessageBoxWindow*>(&w);
  return box ? box->textField()->stringValue() : std::string();
}

// Answers the next message box OK (1) or Cancel (0) and keeps its text.
void ulAnswerNextBox(bool ok, std::string* text) {
  ulApp().onNextModalWindow([ok, text](kit::Window& w) {
    if (text) *text = ulBoxText(w);
    auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
    if (!box) return ulApp().abortModal();
    (ok ? box->okButton() : box->cancelButton())->performClick();
  });
}

}  // namespace

TEST(UILessScanModeDialog, SizeAndLayoutByScaleAndGeneration) {
  struct Case {
    int version;
    double scale;
    fnd::Size minSize;
    Quirel_UILessScanMode::Layout layout;
  };
  const Case cases[] = {{15, 2.0, {1700, 1276}, Quirel_UILessScanMode::Layout::Ver14},
                        {14, 1.0, {850, 638}, Quirel_UILessScanMode::Layout::Ver14},
                        {13, 1.0, {850, 638}, Quirel_UILessScanMode::Layout::Ver13},
                        {12, 1.0, {850, 638}, Quirel_UILessScanMode::Layout::Ver12}};
  for (const Case& c : cases) {
    UlDialog d(c.version, c.scale);
    kit::Window* window = d.mode.getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->minSize(), c.minSize);
    EXPECT_EQ(d.mode.getLayout(), c.layout);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->level(), 9);
    EXPECT_EQ(window->title(), "Scanner");
    // Built once: a second call keeps the window.
    d.mode.createDialog();
    EXPECT_EQ(d.mode.getWindow(), window);
    // The Next button is the default button of the version-12 layout only.
    d.mode.showDialog();
    EXPECT_TRUE(window->isVisible());
    if (c.layout == Quirel_UILessScanMode::Layout::Ver12) {
      ASSERT_NE(d.mode.getNextBtn(), nullptr);
      EXPECT_EQ(window->defaultButton(), d.mode.getNextBtn());
      EXPECT_EQ(d.mode.getScanBtn(), nullptr);
    } else {
      EXPECT_EQ(window->defaultButton(), nullptr);
      EXPECT_EQ(d.mode.getNextBtn(), nullptr);
      EXPECT_NE(d.mode.getScanBtn(), nullptr);
    }
    const fnd::Size content = window->contentRectSize();
    EXPECT_EQ(d.mode.getPreviewFrame()->frame(), fnd::Rect(10, 10, content.width - 350, content.height - 20).integral());
    d.mode.closeDialog();
    EXPECT_FALSE(window->isVisible());
  }
}

TEST(UILessScanModeDialog, CloseBoxWithoutFramesClosesOnceWithoutAsking) {
  UlDialog d(14);
  d.mode.showDialog();
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  const std::size_t pending = ulApp().pendingModalResponders();
  d.mode.getWindow()->performClose();
  EXPECT_FALSE(d.mode.getWindow()->isVisible());
  EXPECT_EQ(ulApp().pendingModalResponders(), pending);
  EXPECT_EQ(log.names(), (std::vector<std::string>{"UILessMode_CancelClosePost"}));
  d.mode.closeDialog();  // already closed: nothing more
  EXPECT_EQ(log.posts.size(), 1u);
}

TEST(UILessScanModeDialog, CloseBoxWithFramesAsksFirst) {
  UlDialog d(14);
  d.addFrames(2);
  d.mode.showDialog();
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  std::string text;
  ulAnswerNextBox(false, &text);
  d.mode.getWindow()->performClose();
  EXPECT_EQ(text, "The images found will be discarded. Do you want to stop?");
  EXPECT_TRUE(d.mode.getWindow()->isVisible());
  EXPECT_TRUE(log.posts.empty());
  ulAnswerNextBox(true, nullptr);
  d.mode.getWindow()->performClose();
  EXPECT_FALSE(d.mode.getWindow()->isVisible());
  EXPECT_EQ(log.names(), (std::vector<std::string>{"UILessMode_CancelClosePost"}));
  EXPECT_EQ(ulApp().pendingModalResponders(), 0u);
}

TEST(UILessScanModeDialog, OverlayBlocksCloseZoomAndResize) {
  UlDialog d(13);
  d.mode.showDialog();
  kit::Window& w = *d.mode.getWindow();
  d.mode.setEnabledAllControl(false, false);
  EXPECT_TRUE(d.mode.isDisabled());
  // NO, NO: the buttons stay enabled under the overlay.
  EXPECT_TRUE(d.mode.getBackBtn()->isEnabled());
  EXPECT_TRUE(d.mode.getScanBtn()->isEnabled());
  // A second NO while the overlay is up changes nothing, even with all YES.
  d.mode.setEnabledAllControl(false, true);
  EXPECT_TRUE(d.mode.getBackBtn()->isEnabled());
  EXPECT_FALSE(d.mode.windowShouldClose(w));
  EXPECT_FALSE(d.mode.windowShouldZoom(w, fnd::Rect(0, 0, 2000, 2000)));
  EXPECT_EQ(d.mode.windowWillResize(w, fnd::Size(2000, 2000)), w.frame().size);
  w.performClose();
  EXPECT_TRUE(w.isVisible());

  d.mode.setEnabledAllControl(true, true);
  EXPECT_FALSE(d.mode.isDisabled());
  EXPECT_TRUE(d.mode.windowShouldZoom(w, fnd::Rect(0, 0, 2000, 2000)));
  EXPECT_EQ(d.mode.windowWillResize(w, fnd::Size(2000, 2000)), fnd::Size(2000, 2000));

  d.mode.setEnabledAllControl(false, true);
  EXPECT_FALSE(d.mode.getBackBtn()->isEnabled());
  EXPECT_FALSE(d.mode.getScanBtn()->isEnabled());
  EXPECT_FALSE(d.mode.getAllSelectCbx()->isEnabled());
  d.mode.setEnabledAllControl(true, true);
  EXPECT_TRUE(d.mode.getBackBtn()->isEnabled());
  EXPECT_TRUE(d.mode.getAllSelectCbx()->isEnabled());
}

TEST(UILessScanModeDialog, ScanWithNothingCheckedWarnsAndSendsNothing) {
  UlDialog d(14);
  d.addFrames(2);
  d.mode.showDialog();
  for (const auto& t : d.mode.getThumbnailList()) t->setChecked(false);
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  std::string text;
  ulAnswerNextBox(true, &text);
  d.mode.getScanBtn()->performClick();
  EXPECT_TRUE(text.empty());  // one run-loop turn later
  ulTurn();
  EXPECT_EQ(text, "No image is selected. Select at least one image to scan.");
  EXPECT_TRUE(log.posts.empty());
  EXPECT_TRUE(d.mode.getWindow()->isVisible());
}

TEST(UILessScanModeDialog, ScanWithACheckedFrameClosesAndSendsTheRequest) {
  UlDialog d(12);
  d.addFrames(2);
  d.mode.showDialog();
  // The preview model of the fixture builds the record from the checked frames.
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  d.mode.getNextBtn()->performClick();
  ulTurn();
  EXPECT_FALSE(d.mode.getWindow()->isVisible());
  const PostLog::Post* scan = log.find("UILessMode_Scan");
  ASSERT_NE(scan, nullptr);
  // The record's first entry, then one per checked frame (only the first is checked).
  EXPECT_EQ(scan->info.array("CropItem").size(), 2u);
  EXPECT_EQ(log.find("ntfQuirel_SaveInfo"), nullptr);
}

TEST(UILessScanModeDialog, BackAsksOnlyWithFramesAndCancelKeepsTheDialog) {
  {
    UlDialog d(12);
    d.mode.showDialog();
    PostLog log({Quirel_PostNotification::kOverrideNotification});
    d.mode.getBackBtn()->performClick();
    EXPECT_TRUE(d.mode.getWindow()->isVisible());
    ulTurn();
    EXPECT_FALSE(d.mode.getWindow()->isVisible());
    EXPECT_EQ(log.names(), (std::vector<std::string>{"UILessMode_CancelClosePost"}));
  }
  {
    UlDialog d(14);
    d.addFrames(1);
    d.mode.showDialog();
    PostLog log({Quirel_PostNotification::kOverrideNotification});
    ulAnswerNextBox(false, nullptr);
    d.mode.getBackBtn()->performClick();
    ulTurn();
    EXPECT_TRUE(d.mode.getWindow()->isVisible());
    EXPECT_TRUE(log.posts.empty());
  }
  // A click whose turn comes after the mode is gone does nothing.
  {
    auto gone = std::make_unique<UlDialog>(12);
    gone->mode.getBackBtn()->performClick();
    gone.reset();
    ulTurn();
  }
}

namespace {

void ulPicture(int version, const char* name) {
  UlDialog d(version);
  d.addFrames(4);
  // A picture per frame, as the preview model gives them.
  for (const auto& t : d.mode.getThumbnailList()) {
    std::vector<std::uint8_t> rgb(220 * 150 * 3);
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
      const std::size_t px = i / 3;
      rgb[i] = static_cast<std::uint8_t>(90 + (px % 220) / 2);
      rgb[i + 1] = static_cast<std::uint8_t>(60 + (px / 220) / 2);
      rgb[i + 2] = static_cast<std::uint8_t>(40 + t->getNo() * 50);
    }
    auto* view = dynamic_cast<Quirel_ThumbnailPreviewView*>(t->getPreviewView());
    view->setImage(kit::Image::fromRGB(rgb.data(), 220, 150));
  }
  d.mode.resizeThumbnailFrame();
  d.mode.getThumbnailList()[2]->setChecked(true);
  d.mode.showDialog();
  kit::Window& window = *d.mode.getWindow();
  const std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png.string());
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  EXPECT_TRUE(grabbed);
  std::cout << "frame-select dialog: " << png << "\n";
}

}  // namespace

TEST(UILessScanModeDialog, FrameSelectPictures) {
  ulPicture(15, "uiless-frame-select.png");
  ulPicture(12, "uiless-frame-select-v12.png");
}
