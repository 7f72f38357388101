// The preferences' Save tab (under the launcher): file name, save folder, format and quality.

#include "kit/Color.h"
#include "ui/base/FileManager.h"
#include "ui/settings/PrefsDialog.h"
#include "ui/windows/MessagePort.h"

namespace {
constexpr double kSaveNameHeight = 5 + 4 + 26 + 8;
constexpr double kSavePathHeight = 5 + 4 + 20 + 34 + 8;
constexpr double kSaveFormatHeight = 5 + 4 + 2 * 30 + 8;

// The first `limit` UTF-16 units of a UTF-8 text, never splitting a character (a pair that
// would be cut is left out whole).
std::string saveCutToUnits(const std::string& text, std::size_t limit, std::size_t* units) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t bytes = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const std::size_t need = bytes == 4 ? 2 : 1;
    if (count + need > limit) break;
    count += need;
    i += bytes;
  }
  if (units) *units = count;
  return text.substr(0, std::min(i, text.size()));
}

std::size_t saveUtf16Length(const std::string& text) {
  std::size_t units = 0;
  saveCutToUnits(text, static_cast<std::size_t>(-1), &units);
  return units;
}
}  // namespace

void Quirel_PrefsDialog::createSaveView() {
  mTabView->setSaveTabViewLabel(text("PVTO_SAVE_SETTING", "PictavoTrivo"));

  mFileNameView = makeGroup(mFileNameSep, kSaveNameHeight);
  mFileNameTitle = std::make_unique<Quirel_CTRLS_PREFFileNameTitle>();
  mFileNameTitle->setTitle(text("PVTO_FILE_NAME", "PictavoTrivo"), 15, 12, 90, 18);
  mFilenameTextF = std::make_unique<Quirel_CTRLS_PREFFileNameTextF>();
  mFilenameTextF->setText("", 110, 10, 200, 22);
  mFilenameTextF->setDelegate(this);
  mFileNameView->addSubview(mFileNameTitle->getTitle());
  mFileNameView->addSubview(mFilenameTextF->getTitle());

  mFilePathView = makeGroup(mFilePathSep, kSavePathHeight);
  mFilePathTitle = std::make_unique<Quirel_CTRLS_PREFText>();
  placeText(mFilePathView.get(), *mFilePathTitle, text("PVTO_SAVE_IN", "PictavoTrivo"), 15, kSavePathHeight - 29, 300);
  mSaveFileTxtF = std::make_unique<Quirel_CTRLS_PREFSaveDirTextF>();
  mSaveFileTxtF->setTextFRect(15, 12, 200, 22);
  mSaveFileTxtF->getTextF()->setDrawsBackground(true);
  mSaveFileTxtF->getTextF()->setBackgroundColor(kit::Color::controlHighlight());
  mFilePathView->addSubview(mSaveFileTxtF->getTextF());
  mSaveFileBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  placeButton(mFilePathView.get(), *mSaveFileBtn, text("IDC_PGPREF_REFERENCE_STR"), 7, 80);
  mSaveFileBtn->setPushBTActionPostNtf("PrefSaveDirBrowsPost");

  mFileFormatView = makeGroup(mFileFormatSep, kSaveFormatHeight);
  mFileFormatTitlePopup = std::make_unique<Quirel_CTRLS_PREFFileFormatPopup>();
  mFileFormatTitlePopup->setTitleTxtTitle(text("PVTO_FILE_TYPE", "PictavoTrivo"));
  mFileFormatTitlePopup->setTitleTxtRect(15, 42, 110, 18);
  mFileFormatTitlePopup->setPopupBTRect(130, 38, 160, 26);
  mFileFormatTitlePopup->addPopupItem(text("PVTO_POPUP_JPEG", "PictavoTrivo"));
  mFileFormatTitlePopup->addPopupItem(text("PVTO_POPUP_TIFF", "PictavoTrivo"));
  mQualityTitlePopup = std::make_unique<Quirel_CTRLS_PREFQualityPopup>();
  mQualityTitlePopup->setTitleTxtTitle(text("PVTO_IMAGE_QUALITY", "PictavoTrivo"));
  mQualityTitlePopup->setTitleTxtRect(15, 12, 110, 18);
  mQualityTitlePopup->setPopupBTRect(130, 8, 160, 26);
  for (const char* key : {"PVTO_IMAGE_QUALITY_LOW", "PVTO_IMAGE_QUALITY_NORMAL", "PVTO_IMAGE_QUALITY_HIGH"})
    mQualityTitlePopup->addPopupItem(text(key, "PictavoTrivo"));
  mQualityTitlePopup->select(1);
  for (Quirel_CTRLS_PREFPopup* p :
       std::initializer_list<Quirel_CTRLS_PREFPopup*>{mFileFormatTitlePopup.get(), mQualityTitlePopup.get()}) {
    mFileFormatView->addSubview(p->getTitleTxt());
    mFileFormatView->addSubview(p->getPopupBT());
  }

  addGroupToTab(Quirel_CTRLS_PREFTabView::kSave, mFileNameView.get());
  addGroupToTab(Quirel_CTRLS_PREFTabView::kSave, mFilePathView.get());
  addGroupToTab(Quirel_CTRLS_PREFTabView::kSave, mFileFormatView.get());

  observe("PrefSaveDirBrowsPost", mSaveFileBtn->getPushBT(), [this] { SaveDirBrowsOpen(); });
  observeDown("BUTTON_DOWN", mSaveFileBtn->getPushBT());
  observe(Quirel_CTRLS_PREFFileFormatPopup::kChangePost, mFileFormatTitlePopup->getPopupBT(),
          [this] { FileFormatChange(); });
  observeDown("POPUP_DOWN", mFileFormatTitlePopup->getPopupBT());
  observe(Quirel_CTRLS_PREFQualityPopup::kChangePost, mQualityTitlePopup->getPopupBT(), [this] { QualityChange(); });
  observeDown("POPUP_DOWN", mQualityTitlePopup->getPopupBT());
  observe(Quirel_CTRLS_PREFFileNameTextF::kChangePost, mFilenameTextF->getTitle(), [this] { FileNameChange(); });
}

void Quirel_PrefsDialog::setDataToSaveView() {
  if (const auto path = mTempPrefs->getSavePath(); path && !path->empty())
    mSaveFileTxtF->setStringValue(shownPath(deleteLastSlashAtPath(*path), false));
  else
    mSaveFileTxtF->setStringValue(std::string());
  mFilenameTextF->setStringValue(mTempPrefs->getSaveName().value_or(""));
  mFileFormatTitlePopup->select(mTempPrefs->getFileFormat());
  showQualityPopup(mTempPrefs->getFileFormat() != 1);
  mQualityTitlePopup->select(mTempPrefs->getFileCompression());
  setEnabledToolTipsSaveView();
}

void Quirel_PrefsDialog::showQualityPopup(bool show) {
  mQualityTitlePopup->setTitleTxtTitle(show ? text("PVTO_IMAGE_QUALITY", "PictavoTrivo") : std::string());
  mQualityTitlePopup->setHidden(!show);
}

void Quirel_PrefsDialog::setEnabledToolTipsSaveView() {
  kit::TextField* name = mFilenameTextF->getTitle();
  setTip(name, name->isEnabled(), text("PVTO_FILE_NAME_TT", "PictavoTrivo"));
  if (mSaveFileTxtF && mSaveFileBtn) {
    setTip(mSaveFileTxtF->getTextF(), mSaveFileTxtF->getTextF()->isEnabled(), text("PVTO_SAVE_IN_TT", "PictavoTrivo"));
    setTip(mSaveFileBtn->getPushBT(), mSaveFileBtn->getPushBT()->isEnabled(), text("PVTO_SAVE_IN_TT", "PictavoTrivo"));
  }
  setTip(mFileFormatTitlePopup->getPopupBT(), mFileFormatTitlePopup->isEnabled(), text("PVTO_FILE_TYPE_TT", "PictavoTrivo"));
  setTip(mQualityTitlePopup->getPopupBT(), mQualityTitlePopup->isEnabled(), text("PVTO_IMAGE_QUALITY_TT", "PictavoTrivo"));
}

void Quirel_PrefsDialog::setFrameSaveView() {
  stackGroups(Quirel_CTRLS_PREFTabView::kSave, {{mFileNameView.get(), mFileNameSep.get()},
                                                {mFilePathView.get(), mFilePathSep.get()},
                                                {mFileFormatView.get(), mFileFormatSep.get()}});
  const double width = mFileNameView->frame().size.width;
  const fnd::Rect nameRect = mFilenameTextF->getTextFRect();
  mFilenameTextF->setTextFRect(nameRect.origin.x, nameRect.origin.y, width - 20 - nameRect.origin.x, nameRect.size.height);
  const fnd::Rect button = mSaveFileBtn->getPushBTRect();
  const double buttonX = width - 20 - button.size.width;
  mSaveFileBtn->setPushBTRect(buttonX, button.origin.y, button.size.width, button.size.height);
  const fnd::Rect folder = mSaveFileTxtF->getTextFRect();
  mSaveFileTxtF->setTextFRect(folder.origin.x, folder.origin.y, buttonX - 10 - folder.origin.x, folder.size.height);
  // The two pop-ups share the larger left edge and the larger width.
  const fnd::Rect a = mFileFormatTitlePopup->getPopupBTRect();
  const fnd::Rect b = mQualityTitlePopup->getPopupBTRect();
  const double left = std::max(a.origin.x, b.origin.x);
  const double popupWidth = std::max(a.size.width, b.size.width);
  mFileFormatTitlePopup->setPopupBTRect(left, a.origin.y, popupWidth, a.size.height);
  mQualityTitlePopup->setPopupBTRect(left, b.origin.y, popupWidth, b.size.height);
}

bool Quirel_PrefsDialog::FileNameChange() {
  if (!mTempPrefs) return true;
  const std::string stored = mTempPrefs->getSaveName().value_or("");
  const std::string typed = mFilenameTextF->getStringValue();
  if (typed == stored && !typed.empty()) return true;
  bool rejected = true;
  if (typed.empty()) {
    Quirel_MessagePort::show(10011, 0, 0, 0);
    mFilenameTextF->setStringValue(stored);
  } else if (typed.front() == '.') {
    Quirel_MessagePort::show(10005, 0, 0, 0);
    mFilenameTextF->setStringValue(stored);
  } else if (saveUtf16Length(typed) <= static_cast<std::size_t>(kMaxSaveNameLength)) {
    mCanClose = true;
    mTempPrefs->setSaveName(typed);
    rejected = false;
  } else {
    Quirel_MessagePort::show(10012, "%d", fnd::Array{fnd::Value(kMaxSaveNameLength)});
    std::string cut = saveCutToUnits(typed, kMaxSaveNameLength, nullptr);
    if (cut.size() < 2) cut = stored;
    mFilenameTextF->setStringValue(cut);
    mTempPrefs->setSaveName(cut);
  }
  if (!rejected) return true;
  bringToFront();
  mCanClose = false;
  return false;
}

void Quirel_PrefsDialog::FileFormatChange() {
  if (!mTempPrefs) return;
  // The quality follows the chosen format by its index (0 is JPEG), whatever its title reads.
  const int index = mFileFormatTitlePopup->selected();
  showQualityPopup(index == 0);
  mTempPrefs->setFileFormat(index);
}

void Quirel_PrefsDialog::QualityChange() {
  if (mTempPrefs) mTempPrefs->setFileCompression(mQualityTitlePopup->selected());
}
