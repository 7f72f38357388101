#include "ui/adjust/ToneSettingDialog.h"

#include <algorithm>

#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "kit/Font.h"
#include "ui/adjust/ToneSettingDlgWindow.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TONESetNameTextF.h"
#include "ui/controls/TableView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/NamedListRules.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessageFunctions.h"

namespace {
constexpr double kToneListTitleWidth = 210;
}  // namespace

Quirel_ToneSettingDialog::Quirel_ToneSettingDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                                                   const std::string& settingFolder,
                                                   std::vector<std::string> defaultNames,
                                                   const Quirel_UIScannerInfo* scannerInfo)
    : mCropList(crops),
      mTemplateCrop(templateCrop),
      mSettingFolder(settingFolder),
      mToneFilePath(Quirel_ToneSetting::filePath(settingFolder)),
      mDefaultNames(std::move(defaultNames)),
      mScannerInfo(scannerInfo) {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
  const std::string em = localized("IDMAC_EM_SIZE_SPACE");
  mEmSpace = em == "IDMAC_EM_SIZE_SPACE" ? std::string() : em;
  Quirel_ToneSetting::FileContents file = Quirel_ToneSetting::readFromFolder(settingFolder);
  arrayColor = std::move(file.color);
  arrayThreshold = std::move(file.threshold);
  mOtherEntries = std::move(file.others);
  mFileUnreadable = file.unreadable;
}

Quirel_ToneSettingDialog::~Quirel_ToneSettingDialog() {
  mTokens.clear();
  if (mToneSetListView) mToneSetListView->setDataSource(nullptr);
  if (mToneSetNameTxtF) mToneSetNameTxtF->setDelegate(nullptr);
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

std::string Quirel_ToneSettingDialog::localized(const std::string& key, const std::string& table) const {
  return mLSobj ? mLSobj->ls_localizedStringForKey(key, table).value_or(key) : key;
}

int Quirel_ToneSettingDialog::message(int number, const char* argTypes, const fnd::Array& args) const {
  return MES_ShowMessageAndNumberMainThreadMode(number, 0, 0, 0, std::string(argTypes), args);
}

void Quirel_ToneSettingDialog::observe(const std::string& name, const void* sender,
                                       void (Quirel_ToneSettingDialog::*handler)()) {
  mTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
      name, sender, [this, handler](const fnd::Notification&) { (this->*handler)(); }));
}

// --- building

void Quirel_ToneSettingDialog::createToneSetDialog() {
  const bool color = mColorMode != 0;
  mWindow = std::make_unique<Quirel_ToneSettingDlgWindow>(fnd::Rect(0, 0, 450, 285), kit::kTitledWindowMask);
  mWindow->setCloseFlg(false);
  mWindow->setDelegate(this);
  mWindow->setLevel(11);
  mWindow->setTitle(localized(color ? "IDS_FAVE_TONE_COLOR" : "IDS_FAVE_TONE_MONO"));
  kit::View* content = mWindow->contentView();

  mSetNameTxt = Quirel_CTRLS_Base::makeLabel(true);
  mSetNameTxt->setFont(kit::Font::systemFont(13));
  mSetNameTxt->setStringValue(localized("IDC_FAV_SETTING_NAME_STR"));
  mSetNameTxt->setFrame(fnd::Rect(20, 245, 190, 17));
  content->addSubview(mSetNameTxt.get());
  mToneSetNameTxtF = std::make_unique<Quirel_CTRLS_TONESetNameTextF>();
  mToneSetNameTxtF->setTextFRect(20, 219, 190, 22);
  mToneSetNameTxtF->setStringFormat(static_cast<int>(Quirel_NamedListRules::kMaxNameLength));
  mToneSetNameTxtF->setStringValue(localized("IDS_CUSTOM_ENTRYNAME"));
  mToneSetNameTxtF->setDelegate(this);
  content->addSubview(mToneSetNameTxtF->getTextF());

  auto makeButton = [&](const char* key, const char* post, double x, double y) {
    return Quirel_CTRLS_PushButton::makeDialogButton(content, localized(key), post, x, y);
  };
  mAddBtn = makeButton("IDC_OUTPUT_ADD_BTN_STR", "ToneSetAddPost", 15, 180);
  mDeleteBtn = makeButton("IDC_OUTPUT_DELETE_BTN_STR", "ToneSetDeletePost", 115, 180);
  mDeleteBtn->setEnabled(false);

  // The list in the right-hand column, under its title (two lines when the title is long).
  const std::string title = localized(color ? "IDS_FAVE_TONE_COLOR_LIST_TITLE" : "IDC_FAV_TONE_ADJ_FAVORITE_LIST_TITLE_STR");
  const double titleHeight = kit::Font::systemFont(13).widthOfString(title) > kToneListTitleWidth ? 32 : 22;
  const double listTop = 265 - titleHeight;
  mToneSetListView = std::make_unique<Quirel_CTRLS_ScrollView>(225, 62, 210, listTop - 62);
  mToneSetListView->endDialogList(content, title, fnd::Rect(225, listTop + 2, kToneListTitleWidth, titleHeight), this);

  mSep = std::make_unique<Quirel_CTRLS_Separator>();
  mSep->setRect(15, 50, 420, 5);
  content->addSubview(mSep->getSeparator());
  mSaveBtn = makeButton("IDC_OUTPUT_SAVE_BTN_STR", "ToneSetSavePost", 240, 12);
  mSaveBtn->setEnabled(false);
  mCancelBtn = makeButton("IDMAC_CANCEL_BTN", "ToneSetCancelPost", 340, 12);

  setToolTipsToneSettingD();
  mToneSetListView->reloadData();
  std::vector<Quirel_ToneSetting>& list = currentList();
  if (list.size() >= static_cast<std::size_t>(kMaxEntries)) {
    mToneSetNameTxtF->setStringValue(list[kMaxEntries - 1].getName());
    mToneSetListView->selectRow(kMaxEntries - 1, false);
    mDeleteBtn->setEnabled(true);
  }
  setColumnWidth();
  // Once the width is set (a wide name adds a scroller): row 20 lies below the list's view.
  mToneSetListView->scrollRowToVisible(mToneSetListView->selectedRow());

  observe(kit::TableView::kSelectionDidChangeNotification, mToneSetListView->getTableView(),
          &Quirel_ToneSettingDialog::ToneListSelect);
  observe("ToneSetAddPost", mAddBtn->getPushBT(), &Quirel_ToneSettingDialog::AddBtnOn);
  observe("ToneSetDeletePost", mDeleteBtn->getPushBT(), &Quirel_ToneSettingDialog::DeleteBtnOn);
  observe("ToneSetSavePost", mSaveBtn->getPushBT(), &Quirel_ToneSettingDialog::SaveClose);
  observe("ToneSetCancelPost", mCancelBtn->getPushBT(), &Quirel_ToneSettingDialog::CancelClose);
}

void Quirel_ToneSettingDialog::forEachToolTip(const std::function<void(kit::Control*, const char* key)>& visit) const {
  const bool color = mColorMode != 0;
  auto tip = [&](kit::Control* c, const char* colorKey, const char* monoKey) { visit(c, color ? colorKey : monoKey); };
  tip(mToneSetNameTxtF->getTextF(), "IDC_FAV_TONE_ADJ_SETTINGNAME_EDIT", "IDC_FAV_TONE_ADJ_SETTINGNAME_EDIT_BW");
  tip(mAddBtn->getPushBT(), "IDC_FAV_TONE_ADJ_ADD_BTN", "IDC_FAV_TONE_ADJ_ADD_BTN_BW");
  tip(mDeleteBtn->getPushBT(), "IDC_FAV_TONE_ADJ_DELETE_BTN", "IDC_FAV_TONE_ADJ_DELETE_BTN_BW");
  tip(mSaveBtn->getPushBT(), "IDC_FAV_TONE_ADJ_SAVE_BTN", "IDC_FAV_TONE_ADJ_SAVE_BTN_BW");
  tip(mToneSetListView->getTableView(), "IDC_FAV_TONE_ADJ_FAVORITE_LIST", "IDC_FAV_TONE_ADJ_FAVORITE_LIST_BW");
  tip(mCancelBtn->getPushBT(), "IDC_FAV_CANCEL_BTN", "IDC_FAV_CANCEL_BTN");
}

void Quirel_ToneSettingDialog::setToolTipsToneSettingD() {
  forEachToolTip([this](kit::Control* c, const char* key) { c->setToolTip(localized(key, "ToolTips")); });
}

void Quirel_ToneSettingDialog::setEnabledToolTips() {
  if (!mWindow) return;
  forEachToolTip([this](kit::Control* c, const char* key) {
    if (c->isEnabled() && c->toolTip().empty()) c->setToolTip(localized(key, "ToolTips"));
    if (!c->isEnabled() && !c->toolTip().empty()) c->setToolTip("");
  });
}

void Quirel_ToneSettingDialog::setInitSetting() {
  if (currentList().size() < static_cast<std::size_t>(kMaxEntries)) setDefaultValue();
}

void Quirel_ToneSettingDialog::showToneSetDialog() {
  if (!mWindow) return;
  setEnabledToolTips();
  mWindow->center();
  mWindow->makeKeyAndOrderFront();
}

void Quirel_ToneSettingDialog::closeToneSetDialog() {
  if (!mWindow) return;
  mWindow->setCloseFlg(true);
  mWindow->orderOut();
}

void Quirel_ToneSettingDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.level() != 11) window.setLevel(11);
}

void Quirel_ToneSettingDialog::windowDidUpdate(kit::Window& window) {
  if (window.level() != 11) window.setLevel(11);
}

// --- list

int Quirel_ToneSettingDialog::numberOfRowsInTableView(kit::TableView&) { return static_cast<int>(currentList().size()); }

fnd::Value Quirel_ToneSettingDialog::objectValueForTableColumn(kit::TableView&, const kit::TableColumn* column, int row) {
  const std::vector<Quirel_ToneSetting>& list = currentList();
  if (!column || column->identifier != Quirel_CTRLS_ScrollView::kColumnIdentifier || row < 0 ||
      static_cast<std::size_t>(row) >= list.size())
    return {};
  return fnd::Value(list[static_cast<std::size_t>(row)].getName());
}

double Quirel_ToneSettingDialog::columnWidth() const {
  const kit::TableColumn* c =
      mToneSetListView ? mToneSetListView->getTableView()->tableColumnWithIdentifier(Quirel_CTRLS_ScrollView::kColumnIdentifier)
                       : nullptr;
  return c ? c->width : 0;
}

void Quirel_ToneSettingDialog::setColumnWidth() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const kit::Font font = v1700 ? mToneSetListView->getTableView()->font() : mToneSetNameTxtF->getTextF()->font();
  std::vector<double> widths;
  for (const Quirel_ToneSetting& s : currentList()) widths.push_back(font.widthOfString(s.getName()));
  if (kit::TableColumn* c = mToneSetListView->getTableView()->tableColumnWithIdentifier(Quirel_CTRLS_ScrollView::kColumnIdentifier))
    c->width = Quirel_NamedListRules::columnWidth(widths, v1700);
}

void Quirel_ToneSettingDialog::ToneListSelect() {
  const int row = mToneSetListView->selectedRow();
  const std::vector<Quirel_ToneSetting>& list = currentList();
  if (row < 0 || static_cast<std::size_t>(row) >= list.size()) {
    mToneSetListView->setAllowsEmptySelection(true);
  } else {
    mToneSetListView->setAllowsEmptySelection(false);
    mToneSetNameTxtF->setStringValue(list[static_cast<std::size_t>(row)].getName());
    mEditisPossible = true;
  }
  mDeleteBtn->setEnabled(true);
  mAddBtn->setEnabled(true);
  setEnabledToolTips();
}

int Quirel_ToneSettingDialog::toneSetAtName(const std::string& name, const std::vector<Quirel_ToneSetting>& list) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (fnd::equalsIgnoringCase(list[i].getName(), name)) return static_cast<int>(i);
  return -1;
}

bool Quirel_ToneSettingDialog::checkDefaultName(const std::string& name) const {
  return std::find(mDefaultNames.begin(), mDefaultNames.end(), name) == mDefaultNames.end();
}

void Quirel_ToneSettingDialog::setDefaultValue() {
  const std::string base = localized("IDS_CUSTOM_ENTRYNAME");
  const std::vector<Quirel_ToneSetting>& list = currentList();
  mToneSetNameTxtF->setStringValue(Quirel_NamedListRules::defaultName(
      base, [&list](const std::string& candidate) { return toneSetAtName(candidate, list) >= 0; }));
  mEditisPossible = true;
}

int Quirel_ToneSettingDialog::createIndex() const {
  return Quirel_NamedListRules::createIndex(Quirel_NamedListRules::systemClock(), [this](int index) {
    for (const auto* list : {&arrayColor, &arrayThreshold})
      for (const Quirel_ToneSetting& s : *list)
        if (s.getIndex() == index) return true;
    return false;
  });
}

// --- name field

void Quirel_ToneSettingDialog::controlTextDidChange(kit::TextField& field) {
  if (!mToneSetNameTxtF || &field != mToneSetNameTxtF->getTextF()) return;
  mEditisPossible = Quirel_NamedListRules::hasNonBlank(field.stringValue(), mEmSpace);
  mAddBtn->setEnabled(mEditisPossible);
  setEnabledToolTips();
}

void Quirel_ToneSettingDialog::controlTextDidEndEditing(kit::TextField& field) {
  if (mToneSetNameTxtF && &field == mToneSetNameTxtF->getTextF()) {
    const std::string name = field.stringValue();
    // Cut whole characters only: half a pair would make the file unwritable.
    if (fnd::utf16Length(name) > Quirel_NamedListRules::kMaxNameLength) field.setStringValue(Quirel_NamedListRules::cutName(name));
  }
  setEnabledToolTips();
}

void Quirel_ToneSettingDialog::focusName() {
  if (mWindow && mToneSetNameTxtF) mWindow->makeFirstResponder(mToneSetNameTxtF->getTextF());
}

// --- add, overwrite, delete

void Quirel_ToneSettingDialog::getImageData() {
  // Start from the record defaults: with no crop selected an entry gets those, never zeros.
  const Quirel_ToneSetting defaults;
  mValues = defaults;
  auto take = [this](const Quirel_CropInfo& crop) {
    mValues.setColorBalance(crop.getColorBalance());
    mValues.setToneBC(crop.getToneBC());
    mValues.setHistogram(crop.getHistogram());
    mValues.setToneCurve(crop.getToneCurve());
    mValues.setThreshold(crop.getThreshold());
  };
  if (mCropList && !mCropList->empty()) {
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
      if (*it && (*it)->isSelected()) take(**it);
  } else if (mTemplateCrop) {
    take(*mTemplateCrop);
  }
}

void Quirel_ToneSettingDialog::fillEntry(Quirel_ToneSetting& entry) const {
  if (mColorMode != 0) {
    entry.setColorBalance(mValues.getColorBalance());
    entry.setToneBC(mValues.getToneBC());
    entry.setHistogram(mValues.getHistogram());
    entry.setToneCurve(mValues.getToneCurve());
  } else {
    entry.setThreshold(mValues.getThreshold());
  }
}

bool Quirel_ToneSettingDialog::askSaveNotice() {
  if (!mCropList || mCropList->size() <= 1 || !mShowSaveMsg) return true;
  auto notice = Quirel_CheckBoxDialog::initWithMessageID(mThumbnailMode ? 1604 : 1605, Quirel_CheckBoxDialog::kFocusOK);
  const int answer = notice->runModal();
  focusName();
  if (answer == 0) return false;
  if (notice->isChecked()) mShowSaveMsg = false;
  return true;
}

void Quirel_ToneSettingDialog::afterEntryStored(const std::string& name) {
  if (currentList().size() >= static_cast<std::size_t>(kMaxEntries)) {
    mToneSetListView->reloadData();
    mToneSetNameTxtF->setStringValue(name);
    mToneSetListView->selectRow(kMaxEntries - 1, false);
    mToneSetListView->scrollRowToVisible(kMaxEntries - 1);
    focusName();
    mDeleteBtn->setEnabled(true);
  } else {
    mToneSetListView->setAllowsEmptySelection(true);
    mToneSetListView->deselectAll();
    mToneSetListView->reloadData();
    setDefaultValue();
    mDeleteBtn->setEnabled(false);
    focusName();
  }
  mSaveBtn->setEnabled(true);
  setEnabledToolTips();
}

void Quirel_ToneSettingDialog::AddBtnOn() {
  const int index = createIndex();
  const std::string name = Quirel_NamedListRules::normalizeName(mToneSetNameTxtF->getStringValue(), mEmSpace);
  auto done = [this] {
    focusName();
    setEnabledToolTips();
  };
  if (!checkDefaultName(name)) {
    message(1462, "%@", {fnd::Value(name)});
    return done();
  }
  getImageData();
  std::vector<Quirel_ToneSetting>& list = currentList();
  if (toneSetAtName(name, list) >= 0) {
    if (message(1460, "%@", {fnd::Value(name)}) != 1) return focusName();
    endUpdateDialog(name);
    return done();
  }
  if (list.size() >= static_cast<std::size_t>(kMaxEntries)) {
    message(1464, "%i", {fnd::Value(kMaxEntries)});
    return done();
  }
  if (!askSaveNotice()) return;
  Quirel_ToneSetting entry(index, name, mColorMode);
  fillEntry(entry);
  list.push_back(std::move(entry));
  setColumnWidth();
  mLastAddIndex = index;
  afterEntryStored(name);
}

void Quirel_ToneSettingDialog::endUpdateDialog(const std::string& name) {
  std::vector<Quirel_ToneSetting>& list = currentList();
  const int row = toneSetAtName(name, list);
  if (row < 0) return;
  if (!askSaveNotice()) return;
  Quirel_ToneSetting& entry = list[static_cast<std::size_t>(row)];
  entry.setValue(entry.getIndex(), name, mColorMode);
  fillEntry(entry);
  mLastAddIndex = entry.getIndex();
  afterEntryStored(name);
}

void Quirel_ToneSettingDialog::DeleteBtnOn() {
  std::vector<Quirel_ToneSetting>& list = currentList();
  const int row = mToneSetListView->selectedRow();
  if (list.empty() || row < 0 || static_cast<std::size_t>(row) >= list.size()) {
    mDeleteBtn->setEnabled(false);
    setEnabledToolTips();
    return;
  }
  if (message(1459, "%@", {fnd::Value(list[static_cast<std::size_t>(row)].getName())}) == 1) endDeleteDialog();
  focusName();
  setEnabledToolTips();
}

void Quirel_ToneSettingDialog::endDeleteDialog() {
  std::vector<Quirel_ToneSetting>& list = currentList();
  const int row = mToneSetListView->selectedRow();
  if (row < 0 || static_cast<std::size_t>(row) >= list.size()) return;
  if (list[static_cast<std::size_t>(row)].getIndex() == mLastAddIndex) mLastAddIndex = -1;
  list.erase(list.begin() + row);
  mSaveBtn->setEnabled(true);
  mToneSetListView->setAllowsEmptySelection(true);
  mToneSetListView->deselectAll();
  mToneSetListView->reloadData();
  setDefaultValue();
  mDeleteBtn->setEnabled(false);
  setEnabledToolTips();
  setColumnWidth();
}

// --- save and cancel

void Quirel_ToneSettingDialog::SaveClose() {
  std::string error;
  if (!Quirel_ToneSetting::writeToFolder(mSettingFolder, arrayThreshold, arrayColor, mOtherEntries, mFileUnreadable,
                                         &error)) {
    // The old file stays whole and the dialog open: the opener must not act on unsaved lists.
    message(kSaveFailedMessage, "%@", {fnd::Value(mToneFilePath)});
    focusName();
    return;
  }
  mFileUnreadable = false;
  fnd::NotificationCenter::defaultCenter().post(kSavePost, this);
}

void Quirel_ToneSettingDialog::CancelClose() { fnd::NotificationCenter::defaultCenter().post(kCancelPost, this); }
