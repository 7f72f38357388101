// The basic mode's preview-toolbar actions: turns and mirror, select and check all, the thumbnail
// steps, automatic crop, help, the scan-information panel and the two thumbnail switches, with
// the forwarders that bring each button's post to its action.

#include <cmath>

#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/settings/InfoDialog.h"

namespace {

using StdToolAction = void (Quirel_StandardMode::*)(const fnd::Notification*);

struct StdToolForward {
  const char* post;
  StdToolAction action;
};

// Rows 17 to 27 of the panel's forwarders: one action per toolbar post.
const StdToolForward kStdToolForwards[] = {
    {"ToolMirrorButtonPost", &Quirel_StandardMode::toolMirrorButtonClick},
    {"ToolLeftRotateButtonPost", &Quirel_StandardMode::toolLeftRotateButtonClick},
    {"ToolRightRotateButtonPost", &Quirel_StandardMode::toolRightRotateButtonClick},
    {"ToolAllCheckButtonPost", &Quirel_StandardMode::toolAllCheckButtonClick},
    {"ToolAllCheckResetButtonPost", &Quirel_StandardMode::toolAllCheckResetButtonClick},
    {"ToolScanInfoButtonPost", &Quirel_StandardMode::toolScanInfoButtonClick},
    {"ToolHelpButtonPost", &Quirel_StandardMode::toolHelpButtonClick},
    {"ToolAutoCropButtonPost", &Quirel_StandardMode::toolAutoCropButtonClick},
    {"ToolDeleteCropButtonPost", &Quirel_StandardMode::toolDeleteCropButtonClick},
    {"ToolSelectAllCropButtonPost", &Quirel_StandardMode::toolSelectAllCropButtonClick},
    {"ToolSelectAllFrameButtonPost", &Quirel_StandardMode::toolSelectAllFrameButtonClick},
};

}  // namespace

// ---- Forwarders -----------------------------------------------------------------------------

void Quirel_StandardMode::observeToolButton(const std::string& postName, Quirel_ToolButton* button) {
  if (!button) return;
  mToolButtons[postName] = button;
  for (const StdToolForward& forward : kStdToolForwards) {
    if (postName != forward.post) continue;
    const StdToolAction action = forward.action;
    registObserver(button, [this, action](const fnd::Notification& n) { (this->*action)(&n); }, postName);
  }
}

void Quirel_StandardMode::observeThumbnailButtons() {
  // Both switches post the same name: each registration names its own button.
  if (mFilmThumbnailBtn)
    registObserver(mFilmThumbnailBtn->getToolBT(), [this](const fnd::Notification& n) { toolFilmThumbnailButtonClick(&n); },
                   Quirel_CTRLS_TOOLThumbnailButton::kThumbnailPost);
  if (mPlatenThumbnailBtn)
    registObserver(mPlatenThumbnailBtn->getToolBT(),
                   [this](const fnd::Notification& n) { toolPlatenThumbnailButtonClick(&n); },
                   Quirel_CTRLS_TOOLThumbnailButton::kThumbnailPost);
}

Quirel_ToolButton* Quirel_StandardMode::getToolButton(const std::string& postName) const {
  auto it = mToolButtons.find(postName);
  return it == mToolButtons.end() ? nullptr : it->second;
}

// ---- Actions handed to the base -------------------------------------------------------------

void Quirel_StandardMode::toolMirrorButtonClick(const fnd::Notification*) {
  mirrorImage();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::toolLeftRotateButtonClick(const fnd::Notification*) {
  rotateToLeft();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::toolRightRotateButtonClick(const fnd::Notification*) {
  rotateToRight();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::toolSelectAllCropButtonClick(const fnd::Notification*) {
  selectAllCrops();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::toolSelectAllFrameButtonClick(const fnd::Notification*) {
  selectAllFrames(true);
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::toolAllCheckButtonClick(const fnd::Notification*) { checkAllFrames(true); }

void Quirel_StandardMode::toolAllCheckResetButtonClick(const fnd::Notification*) { checkAllFrames(false); }

void Quirel_StandardMode::backThumbnail(const fnd::Notification*) {
  showBackThumbnail();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::nextThumbnail(const fnd::Notification*) {
  showNextThumbnail();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::selectAll() {
  if (mZoomScan) return;
  if (!isThumbnailMode())
    selectAllCrops();
  else if (!mSelectAllThumbnail)
    selectAllFrames(true);
  else
    return;
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::toolAutoCropButtonClick(const fnd::Notification*) {
  remakeCropAutoCropButtonByPreview(0);
  // The window controller answers within the post with the automatic crop of the preview.
  mCenter.post("reDrawCropbyAutoCropButtonPost", selfIdentity(), nullptr);
  updateImageSetAllSelectByPreview(0, false, mHasPreview, true);
  updateMouseCursorRects();
}

void Quirel_StandardMode::toolHelpButtonClick(const fnd::Notification*) {
  auto info = std::make_shared<fnd::Dictionary>();
  if (panelVer(1700)) {
    info->set("HELP", 1);
    Quirel_PostNotification(mCenter).postExternalNotificationName("setALMUserInterfaceData", mUIMObject, info);
    info->remove(Quirel_PostNotification::kOverrideNotificationName);
  }
  info->set("HelpMode", 1);
  info->set("ScannerInfo", fnd::Value::object(mScannerInfo));
  mCenter.post("OpenHelpBookPost", selfIdentity(), info);
}

// ---- Scan information -----------------------------------------------------------------------

void Quirel_StandardMode::toolScanInfoButtonClick(const fnd::Notification*) {
  if (!mInfoDialog || !mTemplateCrop) return;
  if (mInfoDialog->isVisible()) {
    mInfoDialog->closeScanInfoDialog();
    return;
  }
  setValueInfoDialog(focusOrTemplate(), false, true);
  if (!mInfoDialog->hasOpened())
    if (kit::Window* window = mInfoDialog->getWindow()) {
      // Centred on the visible part of the screen, wherever that part starts.
      const fnd::Rect visible = mDisplayManager.getVisibleDisplayFrame();
      fnd::Rect frame = window->frame();
      frame.origin.x = visible.origin.x + std::floor((visible.size.width - frame.size.width) / 2);
      frame.origin.y = visible.origin.y + std::floor((visible.size.height - frame.size.height) / 2);
      window->setFrame(frame, false);
    }
  mInfoDialog->setInterfaceStr(mInterfaceStr ? mInterfaceStr->c_str() : nullptr);
  mInfoDialog->showScanInfoDialog();
  mInfoDialog->setHidden(false);
  mInfoDialog->setHasOpened(true);
  setValueOfSelectedCrop(false);
}

// ---- Thumbnail switches ---------------------------------------------------------------------

void Quirel_StandardMode::toolPlatenThumbnailButtonClick(const fnd::Notification*) { switchThumbnailPresentation(false); }

void Quirel_StandardMode::toolFilmThumbnailButtonClick(const fnd::Notification*) { switchThumbnailPresentation(true); }

void Quirel_StandardMode::switchThumbnailPresentation(bool film) {
  if (!mTemplateCrop) return;
  Quirel_CropInfo& t = *mTemplateCrop;
  mChangeThumbnailMode = true;
  copyCropFromFocusToTemplate();
  if (!film) t.setTempOutputSize(0);
  const Quirel_CropInfo* focus = getFocusCrop();
  const bool keepsSize =
      film || panelVer(1700) || (mPreferenceInfo && mPreferenceInfo->getCropAfterPrev() == 0);
  if (mHasPreview && keepsSize && focus) t.setTempOutputSize(focus->getOutputSize());
  if (!film) {
    updateCropByMagnification(t);
    if (t.getTempOutputSize() == 0) {
      t.setUnit(t.getDestination() == 1 ? 2 : mUserLocaleUnits.unit);
      t.setFixesRatio(false);
    }
  }
  updateAutoToneByPreviewUpdate(t);

  const int thumbnails = film ? 3 : 1;
  mClickCrop = nullptr;
  if (mScanMode == thumbnails) {
    mScanMode = film ? 2 : 0;
    (film ? mFilmThumbnail : mPlatenThumbnail) = false;
    if (mHasPreview) removeThumbnails();
    if (mPreview) mPreview->setHidden(false);
  } else {
    mScanMode = thumbnails;
    (film ? mFilmThumbnail : mPlatenThumbnail) = true;
    mCropList.clear();
    if (mHasPreview && mPreview) mPreview->removeImage();
    if (mPreview) mPreview->setHidden(true);
    if (film && !mHasPreview) t.setPaperSize(21);
  }
  resetPreview(getPaperSizeWH_Pixel96(t.getPaperSize()), false, false);
  updatePreviewArea();
  setHiddenToolbar_CropCount(0);
  setEnabledToolbar();
  setValueOfSelectedCrop(false);
  if (!isThumbnailMode() && mHasNonThumPreview) mHasPreview = true;
  if (!mHasPreview) {
    mChangeThumbnailMode = false;
    return;
  }
  setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, true, false, false, true, false, 0, threshold)) {
    // No preview will come to end the switch.
    mChangeThumbnailMode = false;
    setEnabledMainWindow(true);
  }
}
