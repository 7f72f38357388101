#include "ui/settings/FavoriteDialog.h"

#include <algorithm>

#include "foundation/StringFormat.h"
#include "kit/Font.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_FAVSetNameTextF.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/FavoriteDlgWindow.h"

namespace {

constexpr int kFavoriteDialogLevel = 11;

}  // namespace

Quirel_FavoriteDialog::Quirel_FavoriteDialog(const CropList* cropList, const Quirel_CropInfo* templateCrop,
                                             const Quirel_PreferenceInfo* preferenceInfo,
                                             const std::string& settingFilePath, std::vector<std::string> defaultNames,
                                             const Quirel_UIScannerInfo* scannerInfo)
    : mCropList(cropList),
      mTemplateCrop(templateCrop),
      mPreferenceInfo(preferenceInfo),
      mScannerInfo(scannerInfo),
      mSettingFolder(settingFilePath),
      mFavoriteFilePath(Quirel_FavoriteFile::filePath(settingFilePath)),
      mDefaultNames(std::move(defaultNames)),
      mClock(Quirel_NamedListRules::systemClock()) {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
  Quirel_FavoriteFile::Contents file = Quirel_FavoriteFile::read(settingFilePath);
  mLists = std::move(file.lists);
  mOtherEntries = std::move(file.others);
  mFileUnreadable = file.unreadable;
  const std::string em = localized("IDMAC_EM_SIZE_SPACE");
  mEmSpace = em == "IDMAC_EM_SIZE_SPACE" ? std::string() : em;
}

Quirel_FavoriteDialog::~Quirel_FavoriteDialog() {
  mTokens.clear();
  if (mFavSetListView) mFavSetListView->setDataSource(nullptr);
  if (mFavSetNameTxtF) mFavSetNameTxtF->setDelegate(nullptr);
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

std::string Quirel_FavoriteDialog::localized(const std::string& key, const std::string& table) const {
  return mLSobj ? mLSobj->ls_localizedStringForKey(key, table).value_or(key) : key;
}

// --- the opener's setters

void Quirel_FavoriteDialog::setToneSetting(int number, const std::optional<std::string>& name) {
  mToneSettingNo = number;
  if (name) mToneSettingName = name;
}

void Quirel_FavoriteDialog::setShowSaveMsg(bool show, bool thumbnailMode) {
  mShowSaveMsg = show;
  mThumbnailMode = thumbnailMode;
}

void Quirel_FavoriteDialog::setMessageState_BookCorrect(bool bookCorrect, bool clearThumbnail, bool scan100MBOver,
                                                        bool scan48or16Bit, bool saveToneSetting, bool changeTab,
                                                        bool multiPDFScanEnd, bool colorModeAndDataFormat) {
  mSaveMessageState = true;
  mMsg_BookCorrect = bookCorrect;
  mMsg_ClearThumbnail = clearThumbnail;
  mMsg_100MBOverScan = scan100MBOver;
  mMsg_48or16BitScan = scan48or16Bit;
  mMsg_SaveToneSetting = saveToneSetting;
  mMsg_ChangeTab = changeTab;
  mMsg_MultiPDFScanEnd = multiPDFScanEnd;
  mMsg_ColorModeAndDataFormat = colorModeAndDataFormat;
}

void Quirel_FavoriteDialog::setOutputSizeName(const std::optional<std::string>& name, const OutputSizeLength& width,
                                              const OutputSizeLength& height, bool rotated) {
  if (!name) return;
  mOutputSizeName = name;
  mOutputSizeWidth = width;
  mOutputSizeHeight = height;
  mOutputSizeRotated = rotated;
  mSaveOutputSizeName = true;
}

// --- building

void Quirel_FavoriteDialog::createFavoriteDialog() {
  mWindow = std::make_unique<Quirel_FavoriteDlgWindow>(fnd::Rect(0, 0, 450, 285), kit::kTitledWindowMask);
  mWindow->setLevel(kFavoriteDialogLevel);
  mWindow->setDelegate(this);
  mWindow->setTitle(localized("IDD_FAVORITE_SETTING_STR"));
  buildControls();

  mFavSetListView->reloadData();
  Quirel_FavoriteFile::List* current = currentList();
  if (current && Quirel_NamedListRules::isFull(current->size())) {
    // A full list opens on its tenth entry, ready to be overwritten or deleted.
    mFavSetNameTxtF->setStringValue((*current)[9]->getName().value_or(""));
    mFavSetListView->selectRow(9, false);
    mFavSetListView->setAllowsEmptySelection(false);
    mDeleteBtn->setEnabled(true);
  }
  mAddBtn->setEnabled(canAdd());
  setColumnWidth();
  // After the column width: a wide name adds the horizontal scroller, which may cover the row.
  if (mFavSetListView->selectedRow() >= 0) mFavSetListView->scrollRowToVisible(mFavSetListView->selectedRow());
  registerObservers();
  setEnabledToolTips();
}

void Quirel_FavoriteDialog::buildControls() {
  kit::View* content = mWindow->contentView();
  mSetNameTxt = Quirel_CTRLS_Base::makeLabel(true);
  mSetNameTxt->setFont(kit::Font::systemFont(13));
  mSetNameTxt->setStringValue(localized("IDC_FAV_SETTING_NAME_STR"));
  mSetNameTxt->setFrame(fnd::Rect(20, 245, 190, 17));
  content->addSubview(mSetNameTxt.get());

  mFavSetNameTxtF = std::make_unique<Quirel_CTRLS_FAVSetNameTextF>();
  mFavSetNameTxtF->setTextFRect(20, 218, 190, 22);
  mFavSetNameTxtF->setStringFormat(static_cast<int>(Quirel_NamedListRules::kMaxNameLength));
  mFavSetNameTxtF->setStringValue(localized("IDS_CUSTOM_ENTRYNAME"));
  mFavSetNameTxtF->setDelegate(this);
  content->addSubview(mFavSetNameTxtF->getTextF());

  auto makeButton = [&](const char* key, const char* post, double x, double y) {
    return Quirel_CTRLS_PushButton::makeDialogButton(content, localized(key), post, x, y);
  };
  mAddBtn = makeButton("IDC_OUTPUT_ADD_BTN_STR", "FavoriteAddPost", 15, 176);
  mDeleteBtn = makeButton("IDC_OUTPUT_DELETE_BTN_STR", "FavoriteDeletePost", 115, 176);
  mDeleteBtn->setEnabled(false);

  mFavSetListView = std::make_unique<Quirel_CTRLS_ScrollView>(225, 62, 210, 178);
  mFavSetListView->endDialogList(content, localized("IDC_FAV_SETTING_LIST_STR"), fnd::Rect(225, 245, 210, 17), this);

  mSep = std::make_unique<Quirel_CTRLS_Separator>();
  mSep->setRect(15, 50, 420, 5);
  content->addSubview(mSep->getSeparator());
  mSaveBtn = makeButton("IDC_OUTPUT_SAVE_BTN_STR", "FavoriteSavePost", 240, 12);
  mSaveBtn->setEnabled(false);
  mCancelBtn = makeButton("IDMAC_CANCEL_BTN", "FavoriteCancelPost", 340, 12);
}

void Quirel_FavoriteDialog::observe(const std::string& name, const void* sender,
                                    void (Quirel_FavoriteDialog::*handler)()) {
  mTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
      name, sender, [this, handler](const fnd::Notification&) { (this->*handler)(); }));
}

void Quirel_FavoriteDialog::registerObservers() {
  observe("FavoriteAddPost", mAddBtn->getPushBT(), &Quirel_FavoriteDialog::AddBtnOn);
  observe("FavoriteDeletePost", mDeleteBtn->getPushBT(), &Quirel_FavoriteDialog::DeleteBtnOn);
  observe("FavoriteSavePost", mSaveBtn->getPushBT(), &Quirel_FavoriteDialog::SaveClose);
  observe("FavoriteCancelPost", mCancelBtn->getPushBT(), &Quirel_FavoriteDialog::CancelClose);
  observe(kit::TableView::kSelectionDidChangeNotification, mFavSetListView->getTableView(),
          &Quirel_FavoriteDialog::FavoriteListSelect);
}

void Quirel_FavoriteDialog::setInitSetting() {
  const Quirel_FavoriteFile::List* current = currentList();
  if (mFavSetNameTxtF && !(current && Quirel_NamedListRules::isFull(current->size()))) setDefaultValue();
}

void Quirel_FavoriteDialog::showFavoriteDialog() {
  if (!mWindow) return;
  setEnabledToolTips();
  mWindow->center();
  mWindow->makeKeyAndOrderFront();
  mWindow->makeFirstResponder(mFavSetNameTxtF->getTextF());
}

void Quirel_FavoriteDialog::closeFavoriteDialog() {
  if (!mWindow) return;
  mWindow->setCloseFlg(true);
  mWindow->close();
}

void Quirel_FavoriteDialog::setDefaultValue() {
  const std::string base = localized("IDS_CUSTOM_ENTRYNAME");
  mFavSetNameTxtF->setStringValue(Quirel_NamedListRules::defaultName(
      base, [this](const std::string& candidate) { return findByName(candidate) >= 0; }));
}

void Quirel_FavoriteDialog::setColumnWidth() {
  const Quirel_FavoriteFile::List* current = currentList();
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const kit::Font font = v1700 ? mFavSetListView->getTableView()->font() : mFavSetNameTxtF->getTextF()->font();
  std::vector<double> widths;
  if (current) {
    for (const auto& entry : *current) widths.push_back(font.widthOfString(entry->getName().value_or("")));
  }
  if (kit::TableColumn* c = mFavSetListView->getTableView()->tableColumnWithIdentifier("column1"))
    c->width = Quirel_NamedListRules::columnWidth(widths, v1700);
  mFavSetListView->getTableView()->tile();
}

void Quirel_FavoriteDialog::setEnabledToolTips() {
  auto tip = [this](kit::View* view, bool enabled, const char* key) {
    if (!view) return;
    if (!enabled) {
      view->setToolTip(std::string());
    } else if (view->toolTip().empty()) {
      view->setToolTip(localized(key, "ToolTips"));
    }
  };
  tip(mFavSetNameTxtF->getTextF(), mFavSetNameTxtF->getTextF()->isEnabled(), "IDC_FAV_SETTINGNAME_EDIT");
  tip(mFavSetListView->getTableView(), mFavSetListView->getTableView()->isEnabled(), "IDC_FAV_FAVORITE_LIST");
  tip(mAddBtn->getPushBT(), mAddBtn->getPushBT()->isEnabled(), "IDC_FAV_ADD_BTN");
  tip(mDeleteBtn->getPushBT(), mDeleteBtn->getPushBT()->isEnabled(), "IDC_FAV_DELETE_BTN");
  tip(mSaveBtn->getPushBT(), mSaveBtn->getPushBT()->isEnabled(), "IDC_FAV_SAVE_BTN");
  tip(mCancelBtn->getPushBT(), mCancelBtn->getPushBT()->isEnabled(), "IDC_FAV_CANCEL_BTN");
}

void Quirel_FavoriteDialog::focusNameField() {
  if (mWindow) mWindow->makeFirstResponder(mFavSetNameTxtF->getTextF());
  setEnabledToolTips();
}

// --- lists

Quirel_FavoriteFile::List* Quirel_FavoriteDialog::currentList() {
  const int which = Quirel_FavoriteFile::listOfSource(mImageSource);
  return which < 0 ? nullptr : &mLists[static_cast<std::size_t>(which)];
}

int Quirel_FavoriteDialog::findByName(const std::string& name) {
  const Quirel_FavoriteFile::List* current = currentList();
  if (!current) return -1;
  for (std::size_t i = 0; i < current->size(); ++i) {
    const std::optional<std::string> stored = (*current)[i]->getName();
    if (stored && fnd::equalsIgnoringCase(*stored, name)) return static_cast<int>(i);
  }
  return -1;
}

// Add needs a list to add to and a name with something in it besides blanks.
bool Quirel_FavoriteDialog::canAdd() {
  return currentList() && Quirel_NamedListRules::hasNonBlank(mFavSetNameTxtF->getStringValue(), mEmSpace);
}

int Quirel_FavoriteDialog::createIndex() const {
  return Quirel_NamedListRules::createIndex(mClock, [this](int index) {
    for (const Quirel_FavoriteFile::List& list : mLists)
      for (const auto& entry : list)
        if (entry->getIndex() == index) return true;
    return false;
  });
}

int Quirel_FavoriteDialog::numberOfRowsInTableView(kit::TableView& table) {
  const Quirel_FavoriteFile::List* current = currentList();
  if (!mFavSetListView || &table != mFavSetListView->getTableView() || !current) return 0;
  return static_cast<int>(current->size());
}

fnd::Value Quirel_FavoriteDialog::objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column,
                                                           int row) {
  const Quirel_FavoriteFile::List* current = currentList();
  if (!mFavSetListView || &table != mFavSetListView->getTableView() || !current) return {};
  if (!column || column->identifier != "column1" || row < 0 || static_cast<std::size_t>(row) >= current->size())
    return {};
  return fnd::Value((*current)[static_cast<std::size_t>(row)]->getName().value_or(""));
}

// --- window delegate

void Quirel_FavoriteDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.level() != kFavoriteDialogLevel) window.setLevel(kFavoriteDialogLevel);
}

void Quirel_FavoriteDialog::windowDidUpdate(kit::Window& window) {
  if (window.level() != kFavoriteDialogLevel) window.setLevel(kFavoriteDialogLevel);
}
