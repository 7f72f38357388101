#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/TableView.h"
#include "kit/TextField.h"
#include "kit/WindowDelegate.h"
#include "ui/model/FavoriteFile.h"
#include "ui/model/NamedListRules.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ScanModeLink.h"

class Quirel_CTRLS_FAVSetNameTextF;
class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_ScrollView;
class Quirel_CTRLS_Separator;
class Quirel_CropInfo;
class Quirel_FavoriteDlgWindow;
class Quirel_FavoriteSetting;
class Quirel_PVLocalizedString;
class Quirel_PreferenceInfo;
class Quirel_UIScannerInfo;

// The advanced mode's modal manager of named favourites: the current scan settings stored under
// a name of the user's, per image source (platen, negative film, positive film), in
// "Favorite.xml". It shows and edits the list of the current source only; Save writes all three
// (and whatever else the file held) back and posts "FavoriteDialogSavePost", Cancel posts
// "FavoriteDialogCancelPost". The opener runs the window modally, closes it on either post and
// reads back the entry added last and whether the save notice is still wanted.
class Quirel_FavoriteDialog : public kit::TextFieldDelegate,
                              public kit::TableViewDataSource,
                              public kit::WindowDelegate {
 public:
  static constexpr const char* kSavePost = "FavoriteDialogSavePost";
  static constexpr const char* kCancelPost = "FavoriteDialogCancelPost";
  // The message shown when the file cannot be written (shared with the other settings lists).
  static constexpr int kSaveFailedMessage = 1618;

  // `settingFilePath` is the settings folder; `defaultNames` are the favourites menu's own items,
  // which no entry may take. The crops, preferences and scanner record stay the caller's.
  Quirel_FavoriteDialog(const CropList* cropList, const Quirel_CropInfo* templateCrop,
                        const Quirel_PreferenceInfo* preferenceInfo, const std::string& settingFilePath,
                        std::vector<std::string> defaultNames, const Quirel_UIScannerInfo* scannerInfo);
  ~Quirel_FavoriteDialog() override;
  Quirel_FavoriteDialog(const Quirel_FavoriteDialog&) = delete;
  Quirel_FavoriteDialog& operator=(const Quirel_FavoriteDialog&) = delete;

  // The opener's setters, in the order it sends them.
  void setToneSetting(int number, const std::optional<std::string>& name);
  void setToneBC_OpenState(bool open) { mToneBC_OpenState = open; }
  void setImageSource(int imageSource) { mImageSource = imageSource; }
  void createFavoriteDialog();
  void setInitSetting();
  void setShowSaveMsg(bool show, bool thumbnailMode);
  void setExposureOpen(bool open) { mExposureOpen = open; }
  void setScanSettingOpen(bool open) { mScanSettingOpen = open; }
  void setHighQualityMode(bool on) { mHighQualityMode = on; }
  void setCalibrationOpen(bool open) { mCalibrationOpen = open; }
  void setMessageState_BookCorrect(bool bookCorrect, bool clearThumbnail, bool scan100MBOver, bool scan48or16Bit,
                                   bool saveToneSetting, bool changeTab, bool multiPDFScanEnd,
                                   bool colorModeAndDataFormat);
  // A null name is ignored.
  void setOutputSizeName(const std::optional<std::string>& name, const OutputSizeLength& width,
                         const OutputSizeLength& height, bool rotated);
  void setDialogState(fnd::SharedDictionary state) { mDialogState = std::move(state); }
  void showFavoriteDialog();
  void closeFavoriteDialog();

  int getLastAddIndex() const { return mLastAddIndex; }
  bool getShowSaveMsg() const { return mShowSaveMsg; }
  Quirel_FavoriteDlgWindow* getWindow() const { return mWindow.get(); }

  // Where new indexes take the time of day from (tests fix it).
  void setClock(Quirel_NamedListRules::Clock clock) { mClock = std::move(clock); }

  // What the tests and the gallery look at.
  // The list of an image source's kind (Quirel_FavoriteFile::kPlaten, kNega, kPosi).
  const Quirel_FavoriteFile::List& list(int which) const { return mLists[static_cast<std::size_t>(which)]; }
  Quirel_CTRLS_FAVSetNameTextF* nameField() const { return mFavSetNameTxtF.get(); }
  Quirel_CTRLS_ScrollView* listView() const { return mFavSetListView.get(); }
  Quirel_CTRLS_PushButton* addButton() const { return mAddBtn.get(); }
  Quirel_CTRLS_PushButton* deleteButton() const { return mDeleteBtn.get(); }
  Quirel_CTRLS_PushButton* saveButton() const { return mSaveBtn.get(); }
  Quirel_CTRLS_PushButton* cancelButton() const { return mCancelBtn.get(); }
  const std::string& filePath() const { return mFavoriteFilePath; }

  // Table data source.
  int numberOfRowsInTableView(kit::TableView& table) override;
  fnd::Value objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column, int row) override;
  // Name field delegate.
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  // Window delegate.
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

 private:
  // Building.
  void buildControls();
  void registerObservers();
  void observe(const std::string& name, const void* sender, void (Quirel_FavoriteDialog::*handler)());
  std::string localized(const std::string& key, const std::string& table = "UserInterface") const;
  void setDefaultValue();
  void setColumnWidth();
  void setEnabledToolTips();
  void focusNameField();

  // The list of the current source; null for a source outside 0 to 4.
  Quirel_FavoriteFile::List* currentList();
  int findByName(const std::string& name);
  bool canAdd();
  int createIndex() const;

  // Handlers.
  void AddBtnOn();
  void DeleteBtnOn();
  void SaveClose();
  void CancelClose();
  void FavoriteListSelect();
  void endUpdateDialog(const std::string& name);
  // The save notice: false when the user cancels.
  bool confirmSaveNotice();
  void afterEntryStored(const Quirel_FavoriteSetting& entry, int row);

  // What an entry records.
  void fillEntry(Quirel_FavoriteSetting& entry) const;
  const Quirel_CropInfo* getFocusCrop() const;
  static void setDataFromCropToFavorite(Quirel_FavoriteSetting& entry, const Quirel_CropInfo& crop);
  static void setDataFromPreferenceToFavorite(Quirel_FavoriteSetting& entry, const Quirel_PreferenceInfo& prefs);

  const CropList* mCropList;
  const Quirel_CropInfo* mTemplateCrop;
  const Quirel_PreferenceInfo* mPreferenceInfo;
  const Quirel_UIScannerInfo* mScannerInfo;
  std::string mSettingFolder;
  std::string mFavoriteFilePath;
  std::vector<std::string> mDefaultNames;
  std::array<Quirel_FavoriteFile::List, 3> mLists;
  fnd::Array mOtherEntries;  // what the file held beyond the three lists, written back as read
  bool mFileUnreadable = false;
  std::string mEmSpace;
  Quirel_NamedListRules::Clock mClock;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;

  int mImageSource = 0;
  int mToneSettingNo = 0;
  std::optional<std::string> mToneSettingName;
  bool mToneBC_OpenState = true;
  fnd::SharedDictionary mDialogState;
  bool mExposureOpen = false, mScanSettingOpen = false, mHighQualityMode = false, mCalibrationOpen = false;
  bool mSaveMessageState = false;
  bool mMsg_BookCorrect = true, mMsg_ClearThumbnail = true, mMsg_100MBOverScan = true, mMsg_48or16BitScan = true;
  bool mMsg_SaveToneSetting = true, mMsg_ChangeTab = true, mMsg_MultiPDFScanEnd = true;
  bool mMsg_ColorModeAndDataFormat = true;
  bool mShowSaveMsg = false;
  bool mThumbnailMode = false;
  bool mSaveOutputSizeName = false;
  std::optional<std::string> mOutputSizeName;
  OutputSizeLength mOutputSizeWidth{}, mOutputSizeHeight{};
  bool mOutputSizeRotated = false;
  int mLastAddIndex = -1;

  std::unique_ptr<Quirel_FavoriteDlgWindow> mWindow;
  std::unique_ptr<kit::TextField> mSetNameTxt;
  std::unique_ptr<Quirel_CTRLS_FAVSetNameTextF> mFavSetNameTxtF;
  std::unique_ptr<Quirel_CTRLS_ScrollView> mFavSetListView;
  std::unique_ptr<Quirel_CTRLS_PushButton> mAddBtn, mDeleteBtn, mSaveBtn, mCancelBtn;
  std::unique_ptr<Quirel_CTRLS_Separator> mSep;
  std::vector<fnd::NotificationCenter::Token> mTokens;
};
