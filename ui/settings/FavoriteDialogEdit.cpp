// The favourites manager's handlers: the name field, list selection, Add, Overwrite, Delete,
// Save and Cancel, and what an entry records from the crops, the preferences and the opener.

#include <algorithm>

#include "foundation/StringFormat.h"
#include "ui/controls/CTRLS_FAVSetNameTextF.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/settings/FavoriteDialog.h"
#include "ui/settings/FavoriteDlgWindow.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessageFunctions.h"

namespace {

int favoriteMessage(int number, const char* argTypes, const fnd::Array& args) {
  return MES_ShowMessageAndNumberMainThreadMode(number, 0, 0, 0, std::string(argTypes), args);
}

}  // namespace

// --- the name field

void Quirel_FavoriteDialog::controlTextDidChange(kit::TextField& field) {
  if (&field != mFavSetNameTxtF->getTextF()) return;
  mAddBtn->setEnabled(canAdd());
  setEnabledToolTips();
}

void Quirel_FavoriteDialog::controlTextDidEndEditing(kit::TextField& field) {
  if (&field != mFavSetNameTxtF->getTextF()) return;
  const std::string name = field.stringValue();
  if (fnd::utf16Length(name) > Quirel_NamedListRules::kMaxNameLength)
    field.setStringValue(Quirel_NamedListRules::cutName(name));
}

// --- the list

void Quirel_FavoriteDialog::FavoriteListSelect() {
  const Quirel_FavoriteFile::List* current = currentList();
  const int row = mFavSetListView->selectedRow();
  if (!current || row < 0 || static_cast<std::size_t>(row) >= current->size()) {
    mFavSetListView->setAllowsEmptySelection(true);
  } else {
    mFavSetListView->setAllowsEmptySelection(false);
    mFavSetNameTxtF->setStringValue((*current)[static_cast<std::size_t>(row)]->getName().value_or(""));
  }
  mDeleteBtn->setEnabled(true);
  mAddBtn->setEnabled(canAdd());
  setEnabledToolTips();
}

void Quirel_FavoriteDialog::afterEntryStored(const Quirel_FavoriteSetting& entry, int row) {
  Quirel_FavoriteFile::List* current = currentList();
  if (current && current->size() > 9) {
    // A full list keeps the stored entry selected and named, ready for the next overwrite.
    mFavSetListView->reloadData();
    mFavSetListView->selectRow(row, false);
    mFavSetListView->scrollRowToVisible(row);
    mFavSetNameTxtF->setStringValue(entry.getName().value_or(""));
    mDeleteBtn->setEnabled(true);
  } else {
    mFavSetListView->setAllowsEmptySelection(true);
    mFavSetListView->deselectAll();
    mFavSetListView->reloadData();
    setDefaultValue();
    mDeleteBtn->setEnabled(false);
  }
  mAddBtn->setEnabled(canAdd());
  if (mWindow) mWindow->makeFirstResponder(mFavSetNameTxtF->getTextF());
  mSaveBtn->setEnabled(true);
  setEnabledToolTips();
}

// --- Add and Overwrite

bool Quirel_FavoriteDialog::confirmSaveNotice() {
  if (!mCropList || mCropList->size() <= 1 || !mShowSaveMsg) return true;
  std::unique_ptr<Quirel_CheckBoxDialog> notice =
      Quirel_CheckBoxDialog::initWithMessageID(mThumbnailMode ? 1604 : 1605, Quirel_CheckBoxDialog::kFocusOK);
  const int answer = notice->runModal();
  const bool ticked = notice->isChecked();
  notice.reset();
  if (mWindow) mWindow->makeFirstResponder(mFavSetNameTxtF->getTextF());
  if (answer == 0) return false;
  if (ticked) mShowSaveMsg = false;
  return true;
}

void Quirel_FavoriteDialog::AddBtnOn() {
  Quirel_FavoriteFile::List* current = currentList();
  if (!current) {
    // No list belongs to this image source: nothing can be stored for it.
    mAddBtn->setEnabled(false);
    focusNameField();
    return;
  }
  const int index = createIndex();
  const std::string name = Quirel_NamedListRules::normalizeName(mFavSetNameTxtF->getStringValue(), mEmSpace);
  if (std::find(mDefaultNames.begin(), mDefaultNames.end(), name) != mDefaultNames.end()) {
    favoriteMessage(1462, "%@", {fnd::Value(name)});
    focusNameField();
    return;
  }
  if (findByName(name) >= 0) {
    if (favoriteMessage(1460, "%@", {fnd::Value(name)}) == 1) endUpdateDialog(name);
    focusNameField();
    return;
  }
  if (Quirel_NamedListRules::isFull(current->size())) {
    favoriteMessage(1464, "%i", {fnd::Value(Quirel_NamedListRules::kMaxEntries)});
    focusNameField();
    return;
  }
  if (!confirmSaveNotice()) return;
  auto entry = std::make_unique<Quirel_FavoriteSetting>(index, name);
  fillEntry(*entry);
  mLastAddIndex = index;
  current->push_back(std::move(entry));
  setColumnWidth();
  afterEntryStored(*current->back(), static_cast<int>(current->size()) - 1);
}

void Quirel_FavoriteDialog::endUpdateDialog(const std::string& name) {
  Quirel_FavoriteFile::List* current = currentList();
  const int row = findByName(name);
  if (!current || row < 0) return;
  if (!confirmSaveNotice()) return;
  Quirel_FavoriteSetting& entry = *(*current)[static_cast<std::size_t>(row)];
  // The index stays; the name takes the case as typed.
  entry.setValue(entry.getIndex(), name);
  fillEntry(entry);
  mLastAddIndex = entry.getIndex();
  afterEntryStored(entry, row);
}

// --- Delete

void Quirel_FavoriteDialog::DeleteBtnOn() {
  Quirel_FavoriteFile::List* current = currentList();
  const int row = mFavSetListView->selectedRow();
  if (!current || current->empty() || row < 0 || static_cast<std::size_t>(row) >= current->size()) {
    mDeleteBtn->setEnabled(false);
    setEnabledToolTips();
    return;
  }
  const std::string name = (*current)[static_cast<std::size_t>(row)]->getName().value_or("");
  if (favoriteMessage(1459, "%@", {fnd::Value(name)}) == 1) {
    if ((*current)[static_cast<std::size_t>(row)]->getIndex() == mLastAddIndex) mLastAddIndex = -1;
    current->erase(current->begin() + row);
    mSaveBtn->setEnabled(true);
    mFavSetListView->setAllowsEmptySelection(true);
    mFavSetListView->deselectAll();
    mFavSetListView->reloadData();
    setDefaultValue();
    mDeleteBtn->setEnabled(false);
    mAddBtn->setEnabled(canAdd());
    setColumnWidth();
  }
  focusNameField();
}

// --- Save and Cancel

void Quirel_FavoriteDialog::SaveClose() {
  std::string error;
  if (!Quirel_FavoriteFile::write(mSettingFolder, mLists, mOtherEntries, mFileUnreadable, &error)) {
    // The old file stays whole and the dialog open, and nobody hears of a save that did not
    // happen: the opener would otherwise select an entry that is not on disk.
    favoriteMessage(kSaveFailedMessage, "%@", {fnd::Value(mFavoriteFilePath)});
    focusNameField();
    return;
  }
  mFileUnreadable = false;
  fnd::NotificationCenter::defaultCenter().post(kSavePost, this);
}

void Quirel_FavoriteDialog::CancelClose() { fnd::NotificationCenter::defaultCenter().post(kCancelPost, this); }

// --- what an entry records

const Quirel_CropInfo* Quirel_FavoriteDialog::getFocusCrop() const {
  if (mCropList) {
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
      if (*it && (*it)->isFocus()) return it->get();
  }
  return mTemplateCrop;
}

void Quirel_FavoriteDialog::fillEntry(Quirel_FavoriteSetting& entry) const {
  entry.setToneBC_OpenState(mToneBC_OpenState);
  entry.setDialogState(mDialogState);
  if (mToneSettingNo != 0) {
    entry.setToneSettingNo(mToneSettingNo);
    entry.setToneSettingName(mToneSettingName);
  }
  if (const Quirel_CropInfo* crop = getFocusCrop()) setDataFromCropToFavorite(entry, *crop);
  if (mPreferenceInfo) setDataFromPreferenceToFavorite(entry, *mPreferenceInfo);
  entry.setExposureOpen(mExposureOpen);
  entry.setScanSettingOpen(mScanSettingOpen);
  entry.setHighQualityMode(mHighQualityMode);
  entry.setCalibrationOpen(mCalibrationOpen);
  if (mSaveMessageState) {
    entry.setShowBookCorrectMessage(mMsg_BookCorrect);
    entry.setShowClearThumbnailMessage(mMsg_ClearThumbnail);
    entry.setShow100MBOverScanMessage(mMsg_100MBOverScan);
    entry.setShow48or16BitScanMessage(mMsg_48or16BitScan);
    entry.setShowSaveFavoriteMessage(mShowSaveMsg);
    entry.setShowSaveToneSettingMessage(mMsg_SaveToneSetting);
    entry.setShowChangeTabMessage(mMsg_ChangeTab);
    entry.setShowMultiPDFScanEndMessage(mMsg_MultiPDFScanEnd);
    entry.setShowColorModeAndDataFormatMessage(mMsg_ColorModeAndDataFormat);
  }
  if (mSaveOutputSizeName) {
    entry.setOutputSizeName(mOutputSizeName);
    entry.setOutputSizeWidth(mOutputSizeWidth);
    entry.setOutputSizeHeight(mOutputSizeHeight);
    entry.setOutputSizeRotated(mOutputSizeRotated);
  }
}

void Quirel_FavoriteDialog::setDataFromCropToFavorite(Quirel_FavoriteSetting& f, const Quirel_CropInfo& c) {
  f.setImageSource(c.getImageSource());
  f.setPaperSize(c.getPaperSize());
  f.setUnit(c.getUnit());
  f.setColorMode(c.getColorMode());
  f.setResolution(c.getResolution());
  f.setOutputSize(c.getOutputSize());
  f.setAutoTone(c.getAutoTone());
  f.setColorAdjust(c.getColorAdjust());
  f.setCopyGamma(c.getCopyGamma());
  f.setUnsharpMask(c.getUnsharpMask());
  f.setDescreen(c.getDescreen());
  f.setReduceDust(c.getReduceDust());
  f.setReduceDustFAU(c.getReduceDustFAU());
  f.setRemoveDust(c.getRemoveDust());
  f.setFadingCorrect(c.getFadingCorrect());
  f.setGrainCorrect(c.getGrainCorrect());
  f.setLightCorrect(c.getBackLightCorrect());
  f.setBookCorrect(c.getBookCorrect());
  f.setAutoDocCorrect(c.getAutoDocCorrect());
  f.setExposure(c.isExposure());
  f.setExposureValue(c.getExposureValue());
  f.setApplyToneValueToAll(c.isApplyToneValueToAll());
  f.setExposureOfApplyToneValueToAll(c.isExposureOfApplyToneValueToAll());
  f.setExposureValueOfApplyToneValueToAll(c.getExposureValueOfApplyToneValueToAll());
  f.setBaseCropOfApplyToneValueToAll(c.getBaseCropOfApplyToneValueToAll());
  f.setColorBalance(c.getColorBalance());
  f.setToneBC(c.getToneBC());
  f.setHistogram(c.getHistogram());
  f.setToneCurve(c.getToneCurve());
  f.setThreshold(c.getThreshold());
  f.setBaseCropOfDataPersistence(c.getBaseCropOfDataPersistence());
}

void Quirel_FavoriteDialog::setDataFromPreferenceToFavorite(Quirel_FavoriteSetting& f,
                                                            const Quirel_PreferenceInfo& p) {
  f.setPrevStart(p.getPrevStart());
  f.setCropAfterPrev(p.getCropAfterPrev());
  f.setPlatenThumbnailSize(p.getPlatenThumbnailSize());
  f.setFilmThumbnailSize(p.getFilmThumbnailSize());
  f.setColorModeWhenUIOff(p.getColorModeWhenUIOff());
  f.setTextOcrWhenUIOff(p.getTextOcrWhenUIOff());
  f.setSmallThumbanilWhenUIOff(p.getSmallThumbanilWhenUIOff());
  f.setBitEnabled(p.getBitEnabled());
  f.setEnableLargeScan(p.getEnableLargeScan());
  f.setAutoExit(p.getAutoExit());
  f.setIndexLayout(p.getIndexLayout());
  f.setADFOutput(p.getADFOutput());
  f.setADF_HighSpeed(p.getADF_HighSpeed());
  f.setADF_OrderRejection(p.getADF_OrderRejection());
  // The colour setting of the colour mode the entry took from the focus crop.
  f.setColorSetting(p.getColorSetting(f.getColorMode()));
  for (int i = 0; i < 3; ++i) {
    f.setInputPf_Name(i, p.getInputPf_Name(i));
    f.setInputPf_FilePath(i, p.getInputPf_FilePath(i));
  }
  f.setOutputPf_Name(p.getOutputPf_Name());
  f.setOutputPf_FilePath(p.getOutputPf_FilePath());
  f.setMonitor(p.getMonitor());
  f.setAlwaysAutoTone(p.getAlwaysAutoTone());
  f.setMonitorGamma(p.getMonitorGamma());
  f.setLampTime(p.getLampTime());
  f.setQuietMode(p.getQuietMode());
  f.setTempPath(p.getTempPath());
  f.setSound(p.getSound());
  f.setSoundPath(p.getSoundPath());
  f.setCalibrationEveryScan(p.getCalibrationEveryScan());
  f.setSavePath(p.getSavePath());
  f.setSaveName(p.getSaveName());
  f.setFileFormat(p.getFileFormat());
  f.setFileCompression(p.getFileCompression());
  f.setSoundPathBookmark(p.getSoundPathBookmark());
  f.setTempPathBookmark(p.getTempPathBookmark());
  f.setSavePathBookmark(p.getSavePathBookmark());
}
