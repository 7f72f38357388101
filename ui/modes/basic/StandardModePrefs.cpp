// The basic mode opening the preferences dialog: its two folders checked first (a folder that
// is gone becomes the default), the dialog set up for the current source and run modally, and
// the edited values taken over when it closes.

#include "ui/base/FileManager.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/settings/PrefsDialog.h"

void Quirel_StandardMode::preferenceDialogOpen(const fnd::Notification&, bool autoScan) {
  if (!mPreferenceInfo || mPrefsDialog) return;
  const bool filmForAuto = autoScan && panelVer(1600) && isFilmMode();
  const int sourceType = filmForAuto ? 0 : mImageSource == 4 ? 1 : mImageSource == 5 ? 2 : 0;

  // A folder that is no longer usable is replaced before the dialog shows it (the bookmark
  // needs no access grant here: it resolves to the folder itself).
  const Quirel_FileManager files;
  const std::optional<std::string> temp = mPreferenceInfo->getTempPath();
  if (!temp || !files.isEnabledFile(*temp, false, false)) {
    mPreferenceInfo->setTempPath(mDefaultTempPath);
    mPreferenceInfo->setTempPathBookmarkURL(mDefaultTempPath);
  }
  const std::optional<std::string> save = mPreferenceInfo->getSavePath();
  if (!save || !files.isEnabledFile(*save, false, false)) {
    mPreferenceInfo->setSavePath(mDefaultSavePath);
    mPreferenceInfo->setSavePathBookmarkURL(mDefaultSavePath);
  }

  mPrefsDialog = std::make_unique<Quirel_PrefsDialog>();
  Quirel_PrefsDialog& dialog = *mPrefsDialog;
  dialog.setFilmMode(filmForAuto ? false : isFilmMode(), isThumbnailMode(), mZoomScan);
  dialog.setADFMode(isADFMode());
  dialog.setColorMode(mTemplateCrop ? mTemplateCrop->getColorMode() : 3);
  dialog.setDefaultTempPath(mDefaultTempPath);
  dialog.setDefaultSavePath(mDefaultSavePath);
  // The window controller owns the list and lets the dialog bring its profile data up to date.
  dialog.setProfileCMList(std::const_pointer_cast<Quirel_ProfileCMList>(mProfileCMList));
  dialog.setInputProfileSourceType(sourceType);
  dialog.setScannerInfo(mScannerInfo);
  dialog.setTWAINObject(mTwObject, mUIMObject);
  dialog.createPreferenceDialog();
  dialog.setData(mPreferenceInfo.get());
  showModalDialog();
  dialog.showPreferenceDialog();
  closeModalDialog();
  preferenceDialogClose(0, mImageSource, filmForAuto);
  mPrefsDialog.reset();
  setValueOfSelectedCrop(false);
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) window->makeKeyAndOrderFront();
}
