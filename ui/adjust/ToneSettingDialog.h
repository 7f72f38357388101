#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/TableView.h"
#include "kit/TextField.h"
#include "kit/WindowDelegate.h"
#include "ui/model/CropValueGroups.h"
#include "ui/model/ScanModeLink.h"
#include "ui/model/ToneSetting.h"

class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_ScrollView;
class Quirel_CTRLS_Separator;
class Quirel_CTRLS_TONESetNameTextF;
class Quirel_PVLocalizedString;
class Quirel_ToneSettingDlgWindow;
class Quirel_UIScannerInfo;

// The modal editor of the named tone settings in "Tone.xml": the selected crops' adjustment
// values (colour modes) or threshold (black and white) stored under a name, overwritten or
// deleted in the list of the current colour mode; Save writes both lists back, Cancel nothing.
// The end is announced by "ToneSetDialogSavePost" or "ToneSetDialogCancelPost"; the opener
// closes the window and ends its modal run.
class Quirel_ToneSettingDialog : public kit::TextFieldDelegate,
                                 public kit::TableViewDataSource,
                                 public kit::WindowDelegate {
 public:
  static constexpr const char* kSavePost = "ToneSetDialogSavePost";
  static constexpr const char* kCancelPost = "ToneSetDialogCancelPost";
  // A list is full at this many entries or more (a file may hold more than the dialog adds).
  static constexpr int kMaxEntries = 20;
  static constexpr int kSaveFailedMessage = 1618;

  Quirel_ToneSettingDialog(const CropList* crops, Quirel_CropInfo* templateCrop, const std::string& settingFolder,
                           std::vector<std::string> defaultNames, const Quirel_UIScannerInfo* scannerInfo);
  ~Quirel_ToneSettingDialog() override;
  Quirel_ToneSettingDialog(const Quirel_ToneSettingDialog&) = delete;
  Quirel_ToneSettingDialog& operator=(const Quirel_ToneSettingDialog&) = delete;

  void setColorMode(int mode) { mColorMode = mode; }
  void setShowSaveMsg(bool show, bool thumbnailMode) {
    mShowSaveMsg = show;
    mThumbnailMode = thumbnailMode;
  }
  bool getShowSaveMsg() const { return mShowSaveMsg; }
  int getLastAddIndex() const { return mLastAddIndex; }
  Quirel_ToneSettingDlgWindow* getWindow() const { return mWindow.get(); }

  void createToneSetDialog();
  void setToolTipsToneSettingD();
  void setEnabledToolTips();
  void setInitSetting();
  void showToneSetDialog();
  void closeToneSetDialog();

  // Handlers.
  void AddBtnOn();
  void endUpdateDialog(const std::string& name);
  void DeleteBtnOn();
  void endDeleteDialog();
  void SaveClose();
  void CancelClose();
  void ToneListSelect();
  void setDefaultValue();
  // The first entry whose name equals `name` without regard to case; -1 when none.
  static int toneSetAtName(const std::string& name, const std::vector<Quirel_ToneSetting>& list);
  bool checkDefaultName(const std::string& name) const;
  void getImageData();
  int createIndex() const;

  // Table data source, field and window delegate.
  int numberOfRowsInTableView(kit::TableView& table) override;
  fnd::Value objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column, int row) override;
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

  // For the tests and the gallery.
  const std::vector<Quirel_ToneSetting>& colorList() const { return arrayColor; }
  const std::vector<Quirel_ToneSetting>& thresholdList() const { return arrayThreshold; }
  Quirel_CTRLS_TONESetNameTextF* nameField() const { return mToneSetNameTxtF.get(); }
  Quirel_CTRLS_ScrollView* listView() const { return mToneSetListView.get(); }
  Quirel_CTRLS_PushButton* addButton() const { return mAddBtn.get(); }
  Quirel_CTRLS_PushButton* deleteButton() const { return mDeleteBtn.get(); }
  Quirel_CTRLS_PushButton* saveButton() const { return mSaveBtn.get(); }
  Quirel_CTRLS_PushButton* cancelButton() const { return mCancelBtn.get(); }
  double columnWidth() const;

 private:
  // Each control with a tooltip and its tooltip's key for the dialog's colour mode.
  void forEachToolTip(const std::function<void(kit::Control*, const char* key)>& visit) const;
  std::vector<Quirel_ToneSetting>& currentList() { return mColorMode != 0 ? arrayColor : arrayThreshold; }
  std::string localized(const std::string& key, const std::string& table = "UserInterface") const;
  void observe(const std::string& name, const void* sender, void (Quirel_ToneSettingDialog::*handler)());
  void setColumnWidth();
  // The save notice; false when the user cancelled it.
  bool askSaveNotice();
  void fillEntry(Quirel_ToneSetting& entry) const;
  // After an add or overwrite: the full list shows the entry at row 20, else a fresh name.
  void afterEntryStored(const std::string& name);
  void focusName();
  int message(int number, const char* argTypes, const fnd::Array& args) const;

  const CropList* mCropList;
  Quirel_CropInfo* mTemplateCrop;
  std::string mSettingFolder;
  std::string mToneFilePath;
  std::vector<std::string> mDefaultNames;
  const Quirel_UIScannerInfo* mScannerInfo;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  std::string mEmSpace;

  std::vector<Quirel_ToneSetting> arrayColor, arrayThreshold;
  fnd::Array mOtherEntries;  // elements of the file that are no records, written back as read
  bool mFileUnreadable = false;
  int mColorMode = 0;
  Quirel_ToneSetting mValues;  // what an added or overwritten entry receives
  int mLastAddIndex = -1;
  bool mShowSaveMsg = true;
  bool mThumbnailMode = false;
  bool mEditisPossible = false;

  std::unique_ptr<Quirel_ToneSettingDlgWindow> mWindow;
  std::unique_ptr<kit::TextField> mSetNameTxt;
  std::unique_ptr<Quirel_CTRLS_TONESetNameTextF> mToneSetNameTxtF;
  std::unique_ptr<Quirel_CTRLS_PushButton> mAddBtn, mDeleteBtn, mSaveBtn, mCancelBtn;
  std::unique_ptr<Quirel_CTRLS_ScrollView> mToneSetListView;
  std::unique_ptr<Quirel_CTRLS_Separator> mSep;
  std::vector<fnd::NotificationCenter::Token> mTokens;
};
