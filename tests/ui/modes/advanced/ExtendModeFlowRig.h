#pragma once

// The advanced mode with its page in a real main window, the message boxes and questions real
// and answered through kit, and the settings posts answered as the preview model would.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "../ModalAnswers.h"
#include "ExtendModeTestSupport.h"
#include <cstdlib>

#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "foundation/Thread.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/windows/BookCorrectDialog.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessageBoxPort.h"
#include "ui/windows/ShowMessageDialog.h"

namespace flow_rig {

// The mode with the fields these tests read, counting the calls the later parts fill in and
// checking that each runs on the main thread.
class FlowMode : public extend_test::TestExtendMode {
 public:
  using TestExtendMode::TestExtendMode;
  using Quirel_ExtendMode::mBookCorrectMsg;
  using Quirel_ExtendMode::mClearThumbnailMsg;
  using Quirel_ExtendMode::mColorBitMsg;
  using Quirel_ExtendMode::mColorModeAndDataFormatMsg;
  using Quirel_ExtendMode::mCreateFilmCrop;
  using Quirel_ExtendMode::mChangeThumbnailSize;
  using Quirel_ExtendMode::mFilmSizeWithoutCaps;
  using Quirel_ExtendMode::mLargePicMsg;
  using Quirel_ExtendMode::mPreview;
  using Quirel_ExtendMode::mPreviewDataSize;
  using Quirel_ExtendMode::mScanLoop;
  using Quirel_ExtendMode::mTempImage;
  using Quirel_ExtendMode::mZoomBtn;
  using Quirel_ExtendMode::mZoomScan;
  using Quirel_ExtendMode::mUseCapsFilmSize;
  using Quirel_ExtendMode::mProgressStatus;
  using Quirel_ExtendMode::mOutSizePopup;
  using Quirel_ExtendMode::mMagnification;
  using Quirel_ExtendMode::mOutSizeWTextF;
  using Quirel_ExtendMode::mUnitPopup;
  using Quirel_ExtendMode::mExposureField;
  using Quirel_ExtendMode::mExposureCbx;
  using Quirel_ExtendMode::mHighQualityPopup;
  using Quirel_ExtendMode::mCalibrationPopup;
  using Quirel_ExtendMode::mDirectionBtn;
  using Quirel_ExtendMode::mAutoTonePopup;
  using Quirel_ExtendMode::mBlCorctPopup;
  using Quirel_ExtendMode::mBookCorctPopup;
  using Quirel_ExtendMode::mColorAdjustPopup;
  using Quirel_ExtendMode::mCopyGammaPopup;
  using Quirel_ExtendMode::mDescreenPopup;
  using Quirel_ExtendMode::mExposureBtns;
  using Quirel_ExtendMode::mFdCorctPopup;
  using Quirel_ExtendMode::mGrCorctPopup;
  using Quirel_ExtendMode::mRdcDustPopup;
  using Quirel_ExtendMode::mReduceDustFAUPopup;
  using Quirel_ExtendMode::mRemoveDustPopup;
  using Quirel_ExtendMode::mUnsharpPopup;
  using Quirel_ExtendMode::mFavoritePopup;
  using Quirel_ExtendMode::mToneCurvePopup;

  void setEnabledAllControl(bool on) override {
    offMainThread += !fnd::isMainThread();
    enabling.push_back(on);
    Quirel_ExtendMode::setEnabledAllControl(on);
  }
  void setValueOfSelectedCrop(int redraw) override {
    offMainThread += !fnd::isMainThread();
    ++refreshes;
    Quirel_ExtendMode::setValueOfSelectedCrop(redraw);
  }
  std::vector<bool> enabling;
  int refreshes = 0;
  int offMainThread = 0;
};

// Records each message box's number and arguments, then shows it for real.
class RecordingBoxPort : public Quirel_MessageBoxPort {
 public:
  std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t n, std::int32_t a, std::int32_t b,
                                                      std::int32_t c) override {
    shown.push_back({n, {}});
    return Quirel_MessageBoxPort::MES_ShowMessageAndNumberMainThreadMode(n, a, b, c);
  }
  std::int32_t MES_ShowMessageAndNumberWithArguments(std::int32_t n, std::int32_t a, std::int32_t b, std::int32_t c,
                                                     const std::string& types, const fnd::Array& args) override {
    std::vector<std::string> texts;
    for (const fnd::Value& v : args) texts.push_back(v.toString());
    shown.push_back({n, texts});
    return Quirel_MessageBoxPort::MES_ShowMessageAndNumberWithArguments(n, a, b, c, types, args);
  }
  struct Shown {
    int number;
    std::vector<std::string> args;
  };
  std::vector<Shown> shown;
};

using modes_test::Answers;

// A button press as the forwarders hand it on.
inline const fnd::Notification kPress{"press", nullptr};

inline const std::vector<std::string>& flowNames() {
  static const std::vector<std::string> names{"previewSettingFromExtPost", "scanSettingFromExtPost",
                                              "retainSettingFromExtPost", "previewModeChangePost",
                                              Quirel_PostNotification::kOverrideNotification};
  return names;
}


// Generous limits unless a case gives its own.
inline fnd::Dictionary flowLimits(double data24 = 0, int w24 = 100000, int h24 = 100000, double data48 = 0,
                                  int w48 = 100000, int h48 = 100000) {
  return fnd::Dictionary{
      {"24bit", fnd::Dictionary{{"DataSize", data24}, {"Width", w24}, {"Height", h24}}},
      {"48bit", fnd::Dictionary{{"DataSize", data48}, {"Width", w48}, {"Height", h48}}}};
}

inline fnd::Dictionary flowScanner(fnd::Dictionary extra = {}) {
  fnd::Dictionary d{{"Ver1300Later", true}, {"Ver1400Later", true}, {"Ver1500Later", true},
                    {"ThresholdValue", 128LL}, {"MaxScanSize", flowLimits()}};
  for (const auto& [key, value] : extra) d.set(key, value);
  return d;
}

// The virtual scanner's model parameters.
inline fnd::Dictionary flowModelParameters() {
  const char* dir = std::getenv("TRIVOLAN_RESOURCE_DIR");
  if (!dir) return {};
  auto model = fnd::PropertyList::readFile(std::string(dir) + "/models/PVTS800.xml");
  return model.ok() ? model.value->toDictionary() : fnd::Dictionary();
}

// The model parameters with the basic mode's output-size menus lent to the advanced entry.
inline fnd::Dictionary flowModelWithOutputSizes() {
  fnd::Dictionary model = flowModelParameters();
  const fnd::Value* standard = model.find("StandardMode");
  const fnd::Value* extend = model.find("ExtendMode");
  if (!standard || !extend || !standard->isDictionary() || !extend->isDictionary()) return model;
  fnd::Dictionary entry = extend->toDictionary();
  if (const fnd::Value* sizes = standard->toDictionary().find("OutputSize")) entry.set("OutputSize", *sizes);
  model.set("ExtendMode", entry);
  return model;
}

struct FlowRig {
  explicit FlowRig(const fnd::Dictionary& scanner = flowScanner()) : mode(scanner), tabs(true, true, true) {
    old = Quirel_MessagePort::install(&port);
    mainWindow = std::make_shared<Quirel_CTRLS_MainWindow>();
    tabs.getTabView()->setFrame(fnd::Rect(510, 0, 340, 638));
    mainWindow->addWindowItem(tabs.getTabView());
    mode.setMainWindow(mainWindow);
    mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
    mode.setCloseMainWindowButton(&closeBtn);
    mode.setPreferenceButton(&prefBtn);
    mode.createExtendItem(&tabs);
    mode.setUIMObject(&controller);
    mode.setDefaultSetting(nullptr);
    // Favourites and tone settings 0 to 9 to choose, so that the value display keeps a choice.
    for (int n = 0; n <= 9; ++n) {
      mode.mFavoritePopup->addPopupItemWithTitle("favourite " + std::to_string(n), n);
      mode.mToneCurvePopup->addPopupItemWithTitle("tone " + std::to_string(n), n);
    }
    mode.mTemplateCrop->setInputRect_Pixel96({{0, 0}, {2550, 3300}});
    mode.mTemplateCrop->setOutputSize_Pixel96({2550, 3300});
    mode.mTemplateCrop->setResolution(300);
  }
  ~FlowRig() { Quirel_MessagePort::install(old); }
  // Named output sizes from the model; answers the first print size's number.
  int useModelOutputSizes() {
    model = flowModelWithOutputSizes();
    mode.setUimParameterDic(&model);
    mode.loadDefaultOutputSizeTableFromXmlFile(&model);
    mode.createOutputSizeObjects();
    const auto& print = mode.getPrintArray();
    return print && !print->empty() ? print->front()->getIndex() : 0;
  }
  // A frame of w x h preview pixels at (x, y), its visible area the platen.
  std::shared_ptr<Quirel_CropInfo> frame(double x, double y, double w, double h, bool selected, bool focus = false) {
    auto crop = mode.addCrop(selected);
    crop->setInputRect_Pixel96({{x, y}, {w, h}});
    crop->setOutputSize_Pixel96({w, h});
    crop->setVisiblePreviewSize_Pixel96({2550, 3508});
    crop->setResolution(300);
    crop->setMagnification(100);
    if (focus) mode.setFocus(crop.get());
    return crop;
  }

  int controller = 0;
  fnd::Dictionary model;
  RecordingBoxPort port;
  Quirel_MessagePort* old = nullptr;
  modes_test::RecordFiller filler;
  Answers answers;
  std::shared_ptr<Quirel_CTRLS_MainWindow> mainWindow;
  FlowMode mode;
  Quirel_CTRLS_TabView tabs;
  Quirel_CTRLS_PushButton prefBtn, closeBtn;
};

}  // namespace flow_rig
