// The basic mode opening the preferences dialog: its two folders checked first (a folder that
// is gone becomes the default), the dialog set up for the current source and run modally, and
// the edited values taken over when it closes.

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

  Quirel_PrefsDialog& dialog =
      preparePrefsDialog(filmForAuto ? false : isFilmMode(), mTemplateCrop ? mTemplateCrop->getColorMode() : 3, sourceType);
  showModalDialog();
  dialog.showPreferenceDialog();
  closeModalDialog();
  preferenceDialogClose(0, mImageSource, filmForAuto);
  mPrefsDialog.reset();
  setValueOfSelectedCrop(false);
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) window->makeKeyAndOrderFront();
}
