#pragma once

// The advanced page in a real main window over the model's menus, the mode's fields open: the
// rig of the value, enabling, input and source tests.

#include <filesystem>

#include "ExtendModeTestSupport.h"
#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/MainWindow.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/settings/InfoDialog.h"
#include "ui/windows/MessagePort.h"

namespace extend_rig {

class ValuesMode : public extend_test::TestExtendMode {
 public:
  using TestExtendMode::TestExtendMode;
  using Quirel_ExtendMode::mAutoTonePopup;
  using Quirel_ExtendMode::mBlCorctPopup;
  using Quirel_ExtendMode::mBookCorctPopup;
  using Quirel_ExtendMode::mBookCorctView;
  using Quirel_ExtendMode::mColorAdjustPopup;
  using Quirel_ExtendMode::mDataSizeTextF;
  using Quirel_ExtendMode::mDescreenPopup;
  using Quirel_ExtendMode::mFdCorctPopup;
  using Quirel_ExtendMode::mGrCorctPopup;
  using Quirel_ExtendMode::mHasNonThumPreview;
  using Quirel_ExtendMode::mInSizeHTextF;
  using Quirel_ExtendMode::mInSizeWTextF;
  using Quirel_ExtendMode::mInfoDialog;
  using Quirel_ExtendMode::mModal;
  using Quirel_ExtendMode::mOutSizeHTextF;
  using Quirel_ExtendMode::mOutSizePopup;
  using Quirel_ExtendMode::mOutSizeWTextF;
  using Quirel_ExtendMode::mPrevBtn;
  using Quirel_ExtendMode::mRdcDustPopup;
  using Quirel_ExtendMode::mScanBtn;
  using Quirel_ExtendMode::mThumbnailCount;
  using Quirel_ExtendMode::mUnsharpPopup;
  using Quirel_ExtendMode::mZoomBtn;
  using Quirel_ExtendMode::mZoomScan;
  using Quirel_ExtendMode::mPlatenThumbnail;
  using Quirel_ExtendMode::mRotation;
  using Quirel_ExtendMode::mImgSrcPopup;
  using Quirel_ExtendMode::mPaperSizePopup;
  using Quirel_ExtendMode::mColorModePopup;
  using Quirel_ExtendMode::mResComboBox;
  using Quirel_ExtendMode::mUnitPopup;
  using Quirel_ExtendMode::mFixRatioBtn;
  using Quirel_ExtendMode::mToneCurvePopup;
  using Quirel_ExtendMode::mFilmThumbnail;
  using Quirel_ExtendMode::mClickCrop;
  using Quirel_ExtendMode::mLargePicMsg;
  using Quirel_ExtendMode::mOrientationDialog;
  using Quirel_ExtendMode::mOrientationBtn;
  using Quirel_ExtendMode::mDisplayArray;
};

// Answers every message box with `answer` and keeps what it showed.
class AnsweringPort : public Quirel_MessagePort {
 public:
  AnsweringPort() : previous_(Quirel_MessagePort::install(this)) {}
  ~AnsweringPort() override { Quirel_MessagePort::install(previous_); }
  std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t n, std::int32_t, std::int32_t,
                                                      std::int32_t) override {
    shown.push_back(n);
    return answer;
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t, std::int32_t, std::int32_t,
                                                              std::int32_t) override {
    return 0;
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t, std::int32_t, std::int32_t,
                                                               std::int32_t) override {
    return 0;
  }
  std::int32_t MES_ShowMessageAndNumberWithArguments(std::int32_t n, std::int32_t a, std::int32_t b, std::int32_t c,
                                                     const std::string&, const fnd::Array& args) override {
    if (!args.empty()) bound = static_cast<int>(args[0].toInteger());
    return MES_ShowMessageAndNumberMainThreadMode(n, a, b, c);
  }
  std::vector<int> shown;
  int bound = 0;
  std::int32_t answer = 1;

 private:
  Quirel_MessagePort* previous_;
};

inline fnd::Dictionary valuesModelEntry() {
  const auto file =
      fnd::PropertyList::readFile((testenv::sourceDir().parent_path() / "resources/models/PVTS800.xml").string());
  if (!file.ok() || !file.value->isDictionary()) return {};
  const fnd::Value* e = file.value->toDictionary().find("ExtendMode");
  return e && e->isDictionary() ? e->toDictionary() : fnd::Dictionary{};
}

// Every correction a scanner may offer, so the table alone decides.
inline fnd::Dictionary allCorrections(fnd::Dictionary more = {}) {
  fnd::Dictionary d{{"AutoTone", true},       {"ImageAdjustment", true}, {"Unsharp", true},
                    {"Descreen", true},       {"ReduceDust", true},      {"FadingCorrect", true},
                    {"GrainCorrect", true},   {"BackLightCorrect", true}, {"BookCorrect", true},
                    {"Ver1400Later", true},   {"Ver1500Later", true}};
  for (const auto& [k, v] : more) d.set(k, v);
  return d;
}

// The advanced page in a main window the mode shares, so that its enabled flag counts.
struct Panel {
  explicit Panel(const fnd::Dictionary& scanner) : mode(scanner), tabs(true, true, true) {
    window->getWindow()->setFrame(fnd::Rect(0, 0, 850, 760), false);
    tabs.getTabView()->setFrame(fnd::Rect(510, 0, 340, 760));
    window->addWindowItem(tabs.getTabView());
    tabs.selectTabViewItemAtIndex(1);
    mode.setMainWindow(window);
    mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
    mode.setPreferenceButton(&prefBtn);
    mode.setCloseMainWindowButton(&closeBtn);
    mode.createExtendItem(&tabs);
    const fnd::Dictionary entry = valuesModelEntry();
    mode.setExtendItem(&entry, true);
    mode.setFrameExtendItem();
  }
  Quirel_CropInfo& templ() { return *mode.mTemplateCrop; }
  std::shared_ptr<Quirel_CTRLS_MainWindow> window = std::make_shared<Quirel_CTRLS_MainWindow>();
  ValuesMode mode;
  Quirel_CTRLS_TabView tabs;
  Quirel_CTRLS_PushButton prefBtn;
  Quirel_CTRLS_PushButton closeBtn;
};

}  // namespace extend_rig
