#pragma once

// The basic mode in its main window with the panel filled for a chosen list of image sources,
// and a second scan mode set up as the advanced mode would leave itself, for the tests of the
// toolbar actions, the deletion, the preferences and the hand-over between the tabs.

#include <memory>
#include <string>
#include <vector>

#include "ModesTestSupport.h"
#include "foundation/Bundle.h"
#include "ui/base/PVLocalizedString.h"
#include "StandardModeTestRig.h"
#include "ui/model/CropInfo.h"

namespace std_actions_rig {

using std_rig::itemFlags;
using std_rig::itemParameters;

// The basic mode with the fields these tests set and read.
class ToolbarTestMode : public std_rig::ItemTestMode {
 public:
  using Quirel_StandardMode::mChangeThumbnailMode;
  using Quirel_StandardMode::mColorBitMsg;
  using Quirel_StandardMode::mColorModeAndDataFormatMsg;
  using Quirel_StandardMode::mEnableThumbnailBtn;
  using Quirel_StandardMode::mFavoriteMsg;
  using Quirel_StandardMode::mFilmThumbnail;
  using Quirel_StandardMode::mHasNonThumPreview;
  using Quirel_StandardMode::mPlatenThumbnail;
  using Quirel_StandardMode::mPreferenceInfo;
  using Quirel_StandardMode::mPreview;
  using Quirel_StandardMode::mPreviewDataSize;
  using Quirel_StandardMode::mProgressStatus;
  using Quirel_StandardMode::mSelectAllThumbnail;
  using Quirel_StandardMode::mThumbnailCount;
  using Quirel_StandardMode::mToneSettingMsg;
};

// A second scan mode as the advanced mode would stand when the user leaves it.
class AdvancedStandIn : public modes_test::TestScanMode {
 public:
  AdvancedStandIn() { mUIMode = 1; }
  using Quirel_BaseScanMode::mBookCorrectMsg;
  using Quirel_BaseScanMode::mClearThumbnailMsg;
  using Quirel_BaseScanMode::mColorBitMsg;
  using Quirel_BaseScanMode::mColorModeAndDataFormatMsg;
  using Quirel_BaseScanMode::mFavoriteMsg;
  using Quirel_BaseScanMode::mFilmThumbnail;
  using Quirel_BaseScanMode::mLargePicMsg;
  using Quirel_BaseScanMode::mPlatenThumbnail;
  using Quirel_BaseScanMode::mToneSettingMsg;
  // Its focus frame with a source number and a paper size.
  Quirel_CropInfo* focusFrame(int sourceNumber, int paperSize) {
    auto crop = addCrop(600, 400);
    crop->setImageSource(sourceNumber);
    crop->setPaperSize(paperSize);
    crop->setSelect(true);
    setFocus(crop.get());
    return crop.get();
  }
};

// The main window as the window controller builds it, the panel filled with the given image
// sources.
struct StdActionsRig {
  explicit StdActionsRig(fnd::Array sources = fnd::Array{0, 1, 4, 5, 6, 8, 10}, int version = 1700,
                      fnd::Dictionary extraFlags = {})
      : scanner(modes_test::scannerWith(itemFlags(version, std::move(extraFlags)))), toolbar(scanner) {
    // The program's own texts, as the window controller hands them in.
    mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
    mode.setScannerInfo(scanner);
    mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    mode.setPlatenResolution(300);
    mode.setPlatenRect_Pixel96({{0, 0}, {2550, 3508}});
    mode.setFilmPlatenRect_Pixel96({{100, 100}, {900, 2700}});
    mode.setADFPlatenRect_Pixel96({{0, 0}, {2550, 4200}});
    mode.setMainWindow(mainWindow);
    tabs.getTabView()->setFrame(fnd::Rect(0, 0, 340, 638));
    mainWindow->addWindowItem(tabs.getTabView());
    toolView = std::make_shared<Quirel_CTRLS_TOOLView>();
    toolbar.setToolbarView(toolView);
    mode.setPreferenceButton(&prefBtn);
    mode.setCloseMainWindowButton(&closeBtn);
    mode.createStandardItem(&tabs);
    mode.createToolBarItem(&toolbar);
    mode.createPreviewAreaItem(&previewFrame);
    mode.setUIMObject(&controller);
    mode.setUimParameterDic(&model);
    fnd::Dictionary p = itemParameters(std::move(sources), fnd::Array{0, 1});
    mode.setStandardItem(&p, true);
    mode.setDefaultSetting(nullptr);
    mode.createOutputSizeObjects();
    mode.setMenuItem_OutputSizePopupBT(mode.getDestination());
    mode.setValueOfSelectedCrop(false);
  }
  Quirel_CropInfo* addFrame(bool focus, bool selected = true, int outputSize = 0) {
    Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
    crop->setInputRect_Pixel96({{100, 100}, {600, 400}});
    crop->setOutputSize_Pixel96({600, 400});
    crop->setResolution(300);
    crop->setColorMode(3);
    crop->setOutputSize(outputSize);
    crop->setVisiblePreviewSize_Pixel96({2550, 3508});
    crop->setSelect(selected);
    if (focus) mode.setFocus(crop);
    return crop;
  }
  std::shared_ptr<Quirel_UIScannerInfo> scanner;
  std::shared_ptr<Quirel_CTRLS_MainWindow> mainWindow = std::make_shared<Quirel_CTRLS_MainWindow>();
  Quirel_CTRLS_TabView tabs{true, false, false};
  std::shared_ptr<Quirel_CTRLS_TOOLView> toolView;
  Quirel_Toolbar toolbar;
  Quirel_CTRLS_PreviewFrame previewFrame;
  Quirel_CTRLS_PushButton prefBtn, closeBtn;
  int controller = 0;
  const fnd::Dictionary model = std_rig::itemModelParameters();
  ToolbarTestMode mode;
};

}  // namespace std_actions_rig
