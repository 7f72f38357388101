#pragma once

// The advanced mode in a real main window, as the window controller builds it: the tab view
// with the advanced page, the shared toolbar and preview frame, and the floating dialogs. Clicks
// and keys go through kit's event queue.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ExtendModeTestSupport.h"
#include "foundation/Bundle.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/ToolButton.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace extend_rig {

class RigMode : public extend_test::TestExtendMode {
 public:
  using extend_test::TestExtendMode::TestExtendMode;
  using Quirel_ExtendMode::mColorBalanceBtn;
  using Quirel_ExtendMode::mContrastBtn;
  using Quirel_ExtendMode::mDialogList;
  using Quirel_ExtendMode::mExposureField;
  using Quirel_ExtendMode::mFavoritePopup;
  using Quirel_ExtendMode::mFinalReviewBtn;
  using Quirel_ExtendMode::mHistogramBtn;
  using Quirel_ExtendMode::mIgnoreKey;
  using Quirel_ExtendMode::mInfoDialog;
  using Quirel_ExtendMode::mInSizeWTextF;
  using Quirel_ExtendMode::mOutSizeHTextF;
  using Quirel_ExtendMode::mOutSizeWTextF;
  using Quirel_ExtendMode::mMagnification;
  using Quirel_ExtendMode::mNextThumbnailBtn;
  using Quirel_ExtendMode::mOnlyClick;
  using Quirel_ExtendMode::mOptionKey;
  using Quirel_ExtendMode::mPreview;
  using Quirel_ExtendMode::mResComboBox;
  using Quirel_ExtendMode::mSpoitMode;
  using Quirel_ExtendMode::mThresholdBtn;
  using Quirel_ExtendMode::mToneCurveBtn;
  using Quirel_ExtendMode::mToolMode;
  using Quirel_ExtendMode::mUnitPopup;
  using Quirel_ExtendMode::mZoomScan;
  using Quirel_ExtendMode::mFilmThumbnail;
  using Quirel_ExtendMode::mPlatenThumbnail;
  using Quirel_ExtendMode::mChangeThumbnailMode;
  using Quirel_ExtendMode::mCapsFilmRects;
  using Quirel_ExtendMode::mUseCapsFilmSize;

  // Texts given in place of the string table's.
  std::map<std::string, std::string> texts;
  std::string uiText(const std::string& key) const override {
    auto it = texts.find(key);
    return it != texts.end() ? it->second : Quirel_ExtendMode::uiText(key);
  }
  std::vector<std::string> valueDisplays;
  void setValueOfSelectedCrop(int v) override { valueDisplays.push_back(v ? "YES" : "NO"); }
};

inline std::shared_ptr<Quirel_PVLocalizedString> rigStrings() {
  return std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier());
}

// The main-window controller's answer to "which bundle": the program's own, so the dialogs
// read their texts as in the program.
class BundleAnswer {
 public:
  BundleAnswer()
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
              if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
                carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

struct WindowRig {
  explicit WindowRig(const fnd::Dictionary& scanner = {{"Ver1400Later", true}, {"Ver1500Later", true}},
                     const std::map<std::string, std::string>& texts = {})
      : main(std::make_shared<Quirel_CTRLS_MainWindow>()), tabs(true, true, true),
        toolbar(modes_test::scannerWith(scanner)), toolView(std::make_shared<Quirel_CTRLS_TOOLView>()), mode(scanner) {
    main->setDefaultRect(fnd::Rect(100, 300, 850, 638));
    main->getWindow()->setFrame(fnd::Rect(100, 300, 850, 638), false);
    mode.texts = texts;
    mode.setMainWindow(main);
    mode.setPVLocalizedString(rigStrings());
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mTemplateCrop->setMagnification(100);
    mode.mTemplateCrop->setResolution(300);
    mode.mTemplateCrop->setColorMode(3);
    tabs.getTabView()->setFrame(fnd::Rect(510, 0, 340, 638));
    main->addWindowItem(tabs.getTabView());
    tabs.selectTabViewItemAtIndex(1);
    mode.setCloseMainWindowButton(&closeBtn);
    mode.setPreferenceButton(&prefBtn);
    mode.createExtendItem(&tabs);
    toolbar.setToolbarView(toolView);
    main->addWindowItem(toolView->getToolView());
    toolView->setToolViewRect(0, 598, 500, 40);
    mode.createToolBarItem(&toolbar);
    previewFrame.setFrameViewRect(0, 0, 500, 590);
    main->addWindowItem(previewFrame.getFrameView());
    mode.createPreviewAreaItem(&previewFrame);
    mode.initModelessDialogs();
  }
  ~WindowRig() {
    for (const auto& w : mode.getDialogList())
      if (w && w->isVisible()) w->orderOut();
  }
  kit::Window& window() const { return *main->getWindow(); }

  // A click at the middle of a view, through the event queue.
  static void clickAt(kit::View& view) {
    kit::Window* w = view.window();
    const fnd::Rect r = view.convertRectToView(view.bounds(), nullptr);
    const fnd::Point at{r.midX(), r.midY()};
    kit::Application& app = kit::Application::shared();
    app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, w));
    app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, w));
    app.dispatchQueuedEvents();
  }

  BundleAnswer bundleAnswer;
  std::shared_ptr<Quirel_CTRLS_MainWindow> main;
  Quirel_CTRLS_TabView tabs;
  Quirel_CTRLS_PushButton prefBtn;
  Quirel_CTRLS_PushButton closeBtn;
  Quirel_Toolbar toolbar;
  std::shared_ptr<Quirel_CTRLS_TOOLView> toolView;
  Quirel_CTRLS_PreviewFrame previewFrame;
  // Last, so that it goes first and releases its items from live containers.
  RigMode mode;
};

}  // namespace extend_rig
