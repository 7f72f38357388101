#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/TableView.h"
#include "kit/TextField.h"
#include "kit/WindowDelegate.h"
#include "ui/model/OutputSize.h"

class Quirel_CTRLS_OUTDestinationPopup;
class Quirel_CTRLS_OUTDisplayListView;
class Quirel_CTRLS_OUTHeightTextF;
class Quirel_CTRLS_OUTPrintListView;
class Quirel_CTRLS_OUTSetNameTextF;
class Quirel_CTRLS_OUTSizeListView;
class Quirel_CTRLS_OUTUnitPopup;
class Quirel_CTRLS_OUTWidthTextF;
class Quirel_CTRLS_NumberTextField;
class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_Separator;
class Quirel_OutputSizeDialogWindow;
class Quirel_PVLocalizedString;
class Quirel_UIScannerInfo;

// The modal editor of the user's own output sizes, one list for printing (inches or
// centimetres) and one for the screen (pixels), kept in "OutputSize.xml". The basic mode opens
// it without the destination pop-up (mode 0), the advanced mode with it (mode 1); afterwards
// they read which entries were deleted, overwritten or added last.
class Quirel_OutputSizeDialog : public kit::TextFieldDelegate,
                                public kit::TableViewDataSource,
                                public kit::WindowDelegate {
 public:
  static constexpr int kPrint = 0;
  static constexpr int kDisplay = 1;
  // The message shown when the file cannot be written.
  static constexpr int kSaveFailedMessage = 1618;

  Quirel_OutputSizeDialog(int mode, const std::string& fileDirPath, int destination,
                          std::vector<std::string> defaultNameList, std::vector<int> usedIndexList, int defaultUnit,
                          const Quirel_UIScannerInfo* scannerInfo);
  ~Quirel_OutputSizeDialog() override;
  Quirel_OutputSizeDialog(const Quirel_OutputSizeDialog&) = delete;
  Quirel_OutputSizeDialog& operator=(const Quirel_OutputSizeDialog&) = delete;

  void createOutputSizeDialog();
  // Runs the window modally until Save or Cancel; answers 1 or 0.
  int showOutputSizeDialog();

  bool isOkClose() const { return mOkClose; }
  const std::vector<int>& getDeleteIndex() const { return mDeleteIndexList; }
  const std::vector<int>& getUpdateIndex() const { return mUpdateIndexList; }
  int getLastIndex() const { return mLastIndex; }
  int getLastIndex(int destination) const;

  // What the tests and the gallery look at.
  Quirel_OutputSizeDialogWindow* getWindow() const { return mWindow.get(); }
  const std::vector<Quirel_OutputSize>& printList() const { return mPrintOutputSizeList; }
  const std::vector<Quirel_OutputSize>& displayList() const { return mDisplayOutputSizeList; }
  Quirel_CTRLS_OUTSetNameTextF* nameField() const { return mSetNameTxtF.get(); }
  Quirel_CTRLS_OUTWidthTextF* widthField() const { return mWidthTxtF.get(); }
  Quirel_CTRLS_OUTHeightTextF* heightField() const { return mHeightTxtF.get(); }
  Quirel_CTRLS_OUTUnitPopup* unitPopup() const { return mUnitPopup.get(); }
  Quirel_CTRLS_OUTDestinationPopup* destinationPopup() const { return mDestPopup.get(); }
  Quirel_CTRLS_OUTPrintListView* printTable() const { return mPrintList.get(); }
  Quirel_CTRLS_OUTDisplayListView* displayTable() const { return mDisplayList.get(); }
  Quirel_CTRLS_PushButton* addButton() const { return mAddBtn.get(); }
  Quirel_CTRLS_PushButton* deleteButton() const { return mDeleteBtn.get(); }
  Quirel_CTRLS_PushButton* saveButton() const { return mSaveBtn.get(); }
  Quirel_CTRLS_PushButton* cancelButton() const { return mCancelBtn.get(); }
  int destination() const { return mDestination; }
  int unit() const { return mUnit; }
  OutputSizeLength keptWidth() const { return mOutputW; }
  OutputSizeLength keptHeight() const { return mOutputH; }

  // Table data source.
  int numberOfRowsInTableView(kit::TableView& table) override;
  fnd::Value objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column, int row) override;
  // Field delegate.
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  // Window delegate.
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

 private:
  // Building.
  void buildControls(double top);
  void registerObservers();
  void observe(const std::string& name, const void* sender, void (Quirel_OutputSizeDialog::*handler)());
  std::string localized(const std::string& key, const std::string& table = "UserInterface") const;
  void fillUnitPopup(int destination);
  void showTenthEntry();
  void showDefaultsFor(int destination);
  void showValues(const OutputSizeLength& width, const OutputSizeLength& height, int unit);
  void setDefaultOutputSizeName();
  void setPrintColumnWidth();
  void setDisplayColumnWidth();
  void setEnabledToolTips();
  void setMenusOn(bool on);

  // Lists.
  std::vector<Quirel_OutputSize>& listOf(int destination) {
    return destination == kDisplay ? mDisplayOutputSizeList : mPrintOutputSizeList;
  }
  Quirel_CTRLS_OUTSizeListView* tableOf(int destination) const;
  int findByName(const std::vector<Quirel_OutputSize>& list, const std::string& name) const;
  bool isUsedIndex(int index) const;
  bool isDefaultName(const std::string& name) const;
  int createIndex() const;
  void updateDeleteButtonFor(const Quirel_OutputSize& entry);

  // Values.
  int popupUnit() const;
  // The field's value in its unit (centimetres for unit 1), as Add reads it.
  double readValue(const Quirel_CTRLS_NumberTextField& field, int unit) const;
  std::string formatValue(double value, int unit) const;
  bool validate(int which);
  bool checkRange(int which, int unit, double value, bool silent);
  bool checkTheValue();
  void updateKeptFromField(int which, int unit);
  bool nameIsUsable() const;

  // Handlers.
  void mouseDownEvent();
  void DestPopupChange();
  void popupBtnMouseDown();
  void WidthChange();
  void HeightChange();
  void showAlertDialog();
  void UnitPopupChange();
  void AddBtnOn();
  void DeleteBtnOn();
  void SaveClose();
  void CancelClose();
  void OutPrintListSelect();
  void OutScreenDispListSelect();
  void listSelect(int destination);
  void endUpdateDialog(const std::string& name);
  void endDeleteDialog();
  void afterEntryStored(int destination, int row);

  int mMode;
  std::string mFileDirPath;
  std::string mOutputSizeFilePath;
  int mDestination;
  std::vector<std::string> mDefaultNameList;
  std::vector<int> mUsedIndexList;
  int mDefaultUnit;
  const Quirel_UIScannerInfo* mScannerInfo;
  int mUnit = 0;
  bool mRoundDownValue = false;
  std::vector<Quirel_OutputSize> mPrintOutputSizeList, mDisplayOutputSizeList;
  fnd::Array mOtherEntries;
  bool mFileUnreadable = false;
  int mPrintListSeleced = -1, mDispListSeleced = -1;
  bool mOkClose = false;
  int mLastIndex = -1, mLastPrintIndex = -1, mLastDisplayIndex = -1;
  std::vector<int> mDeleteIndexList, mUpdateIndexList;
  bool mWidthChg = false, mHeightChg = false;
  bool mAddBtnEnabled = false;
  OutputSizeLength mDefaultW{5, 640, 12.7}, mDefaultH{3.5, 480, 8.9};
  OutputSizeLength mOutputW{5, 640, 12.7}, mOutputH{3.5, 480, 8.9};
  std::string mEmSpace;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;

  std::unique_ptr<Quirel_OutputSizeDialogWindow> mWindow;
  std::unique_ptr<Quirel_CTRLS_OUTDestinationPopup> mDestPopup;
  std::unique_ptr<kit::TextField> mSetNameTxt;
  std::unique_ptr<Quirel_CTRLS_OUTSetNameTextF> mSetNameTxtF;
  std::unique_ptr<Quirel_CTRLS_OUTWidthTextF> mWidthTxtF;
  std::unique_ptr<Quirel_CTRLS_OUTHeightTextF> mHeightTxtF;
  std::unique_ptr<Quirel_CTRLS_OUTUnitPopup> mUnitPopup;
  std::unique_ptr<Quirel_CTRLS_OUTPrintListView> mPrintList;
  std::unique_ptr<Quirel_CTRLS_OUTDisplayListView> mDisplayList;
  std::unique_ptr<Quirel_CTRLS_PushButton> mAddBtn, mDeleteBtn, mSaveBtn, mCancelBtn;
  std::unique_ptr<Quirel_CTRLS_Separator> mSep;
  std::vector<fnd::NotificationCenter::Token> mTokens;
};
