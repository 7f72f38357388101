// The output-size editor's handlers: typing and validating values, the unit and destination
// pop-ups, list selection, Add, Delete, Save and Cancel.

#include <cstdlib>

#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "ui/controls/CTRLS_OUTDestinationPopup.h"
#include "ui/controls/CTRLS_OUTDisplayListView.h"
#include "ui/controls/CTRLS_OUTHeightTextF.h"
#include "ui/controls/CTRLS_OUTPrintListView.h"
#include "ui/controls/CTRLS_OUTSetNameTextF.h"
#include "ui/controls/CTRLS_OUTUnitPopup.h"
#include "ui/controls/CTRLS_OUTWidthTextF.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/model/NamedListRules.h"
#include "ui/model/OutputSizeFile.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/InfoDialogRows.h"
#include "ui/settings/OutputSizeDialog.h"
#include "ui/settings/OutputSizeDialogWindow.h"
#include "ui/windows/MessageFunctions.h"

namespace {

double outputSizeNumber(const std::string& text) { return text.empty() ? 0 : std::strtod(text.c_str(), nullptr); }

int outputSizeMessage(int number, const char* argTypes, const fnd::Array& args) {
  return MES_ShowMessageAndNumberMainThreadMode(number, 0, 0, 0, std::string(argTypes), args);
}

struct OutputSizeRange {
  double lo, hi;          // in the stored unit (pixels, centimetres, inches)
  const char* loText;     // the bounds as the newer messages give them
  const char* hiText;
  const char* unitKey;    // the unit word of message 1470
  int message1300, messageOld;
  const char* loOld;      // the bounds as the oldest messages give them
  const char* hiOld;
};

OutputSizeRange outputSizeRangeOf(int unit) {
  if (unit == 2) return {12, 10000, "12", "10000", "IDS_PIXELS", 1467, 1455, "12", "10000"};
  if (unit == 1) return {0.10, 84.66, "1.0", "846.6", "IDS_MM", 1468, 1456, "0.10", "84.66"};
  return {0.04, 33.33, "0.04", "33.33", "IDS_INCHES", 1469, 1457, "0.04", "33.33"};
}

}  // namespace

int Quirel_OutputSizeDialog::popupUnit() const { return mUnitPopup->getRepresentedNumber(); }

bool Quirel_OutputSizeDialog::nameIsUsable() const {
  return Quirel_NamedListRules::hasNonBlank(mSetNameTxtF->getStringValue(), mEmSpace);
}

double Quirel_OutputSizeDialog::readValue(const Quirel_CTRLS_NumberTextField& field, int unit) const {
  const double typed = outputSizeNumber(field.getStringValue());
  if (unit == 2) return static_cast<double>(static_cast<long long>(typed));
  if (unit == 1 && mScannerInfo && mScannerInfo->isVer1300Later()) return typed / 10;
  return typed;
}

// The text as validation shows it and the value it stands for (centimetres for unit 1).
static std::pair<std::string, double> outputSizeRounded(const std::string& text, int unit, bool v1300) {
  const double typed = outputSizeNumber(text);
  if (unit == 0) {
    const std::string shown = Quirel_InfoDialogRows::roundDown(typed, 2);
    return {shown, outputSizeNumber(shown)};
  }
  if (unit == 1) {
    const std::string shown = Quirel_InfoDialogRows::roundDown(typed, v1300 ? 1 : 2);
    return {shown, outputSizeNumber(shown) / (v1300 ? 10 : 1)};
  }
  return {text, typed};
}

bool Quirel_OutputSizeDialog::checkRange(int which, int unit, double value, bool silent) {
  const OutputSizeRange r = outputSizeRangeOf(unit);
  // A little slack so that a bound typed exactly passes whatever binary error it carries.
  if (value >= r.lo - 1e-9 && value <= r.hi + 1e-9) return true;
  if (silent) return false;
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  if (mScannerInfo && mScannerInfo->isVer1400Later()) {
    outputSizeMessage(1470, "%@%@%@", {fnd::Value(r.loText), fnd::Value(r.hiText), fnd::Value(localized(r.unitKey))});
  } else if (v1300) {
    outputSizeMessage(r.message1300, "%s%s", {fnd::Value(r.loText), fnd::Value(r.hiText)});
  } else {
    outputSizeMessage(r.messageOld, "%s%s", {fnd::Value(r.loOld), fnd::Value(r.hiOld)});
  }
  Quirel_CTRLS_NumberTextField& field =
      which == 0 ? static_cast<Quirel_CTRLS_NumberTextField&>(*mWidthTxtF) : *mHeightTxtF;
  const double bound = value < r.lo ? r.lo : r.hi;
  if (unit == 2) {
    field.setStringValue(fnd::stringWithFormat("%.0f", bound));
  } else if (unit == 1 && v1300) {
    field.setStringValue(fnd::stringWithFormat("%.1f", bound * 10));
  } else {
    field.setStringValue(fnd::stringWithFormat("%.2f", bound));
  }
  if (mRoundDownValue) updateKeptFromField(which, unit);
  return false;
}

bool Quirel_OutputSizeDialog::validate(int which) {
  Quirel_CTRLS_NumberTextField& field =
      which == 0 ? static_cast<Quirel_CTRLS_NumberTextField&>(*mWidthTxtF) : *mHeightTxtF;
  const int unit = popupUnit();
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  const auto [shown, value] = outputSizeRounded(field.getStringValue(), unit, v1300);
  const bool ok = checkRange(which, unit, value, false);
  (which == 0 ? mWidthChg : mHeightChg) = false;
  // The field holds a value in range now, the bound or the rounded text.
  field.getNumberTxtF()->setFocus(true);
  if (!ok) return false;
  field.setStringValue(shown);
  if (mRoundDownValue) updateKeptFromField(which, unit);
  return true;
}

void Quirel_OutputSizeDialog::updateKeptFromField(int which, int unit) {
  Quirel_CTRLS_NumberTextField& field =
      which == 0 ? static_cast<Quirel_CTRLS_NumberTextField&>(*mWidthTxtF) : *mHeightTxtF;
  OutputSizeLength& kept = which == 0 ? mOutputW : mOutputH;
  const double keptValue = unit == 0 ? kept.inch : unit == 1 ? kept.cm : kept.pixel;
  if (field.getStringValue() == formatValue(keptValue, unit)) return;
  const double typed = readValue(field, unit);
  if (unit == 0) {
    kept.inch = typed;
    kept.cm = typed * 2.54;
  } else if (unit == 1) {
    kept.cm = typed;
    kept.inch = std::max(typed / 2.54, 0.04);
  } else {
    kept.pixel = typed;
  }
}

bool Quirel_OutputSizeDialog::checkTheValue() {
  Quirel_CTRLS_NumberTextField* field = nullptr;
  bool ok = true;
  if (mWidthChg) {
    mWidthChg = false;
    field = mWidthTxtF.get();
    ok = validate(0);
  } else if (mHeightChg) {
    mHeightChg = false;
    field = mHeightTxtF.get();
    ok = validate(1);
  }
  if (field && mWindow) mWindow->makeFirstResponder(field->getNumberTxtF());
  return ok;
}

// --- typing

void Quirel_OutputSizeDialog::controlTextDidChange(kit::TextField& field) {
  if (&field == mSetNameTxtF->getTextF()) {
    mAddBtnEnabled = true;
    mAddBtn->setEnabled(nameIsUsable());
  } else if (&field == mWidthTxtF->getNumberTxtF() || &field == mHeightTxtF->getNumberTxtF()) {
    const int which = &field == mWidthTxtF->getNumberTxtF() ? 0 : 1;
    (which == 0 ? mWidthChg : mHeightChg) = true;
    if (nameIsUsable()) mAddBtn->setEnabled(true);
    const int unit = popupUnit();
    const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
    const double value = outputSizeRounded(field.stringValue(), unit, v1300).second;
    const bool inside = checkRange(which, unit, value, true);
    setMenusOn(inside);
    static_cast<Quirel_NumberField&>(field).setFocus(inside);
  }
  setEnabledToolTips();
}

void Quirel_OutputSizeDialog::controlTextDidEndEditing(kit::TextField& field) {
  if (&field == mSetNameTxtF->getTextF()) {
    const std::string name = field.stringValue();
    if (fnd::utf16Length(name) > Quirel_NamedListRules::kMaxNameLength)
      field.setStringValue(Quirel_NamedListRules::cutName(name));
  } else if (&field == mWidthTxtF->getNumberTxtF()) {
    mWidthChg = false;
  } else if (&field == mHeightTxtF->getNumberTxtF()) {
    mHeightChg = false;
  }
}

void Quirel_OutputSizeDialog::WidthChange() { validate(0); }

void Quirel_OutputSizeDialog::HeightChange() { validate(1); }

void Quirel_OutputSizeDialog::mouseDownEvent() {
  checkTheValue();
  setMenusOn(true);
}

void Quirel_OutputSizeDialog::popupBtnMouseDown() { checkTheValue(); }

void Quirel_OutputSizeDialog::showAlertDialog() {
  checkTheValue();
  setMenusOn(true);
}

// --- pop-ups

void Quirel_OutputSizeDialog::UnitPopupChange() {
  const int newUnit = popupUnit();
  if (mDestination == kPrint && mPrintList->selectedRow() >= 0 &&
      static_cast<std::size_t>(mPrintList->selectedRow()) < mPrintOutputSizeList.size()) {
    const Quirel_OutputSize& entry = mPrintOutputSizeList[static_cast<std::size_t>(mPrintList->selectedRow())];
    mAddBtn->setEnabled(newUnit == entry.getUnit() ? mAddBtnEnabled : true);
  }
  if (!mRoundDownValue && mUnit != 2) {
    const double w = readValue(*mWidthTxtF, mUnit);
    const double h = readValue(*mHeightTxtF, mUnit);
    if (mUnit == 0) {
      mOutputW.inch = w;
      mOutputW.cm = w * 2.54;
      mOutputH.inch = h;
      mOutputH.cm = h == 3.5 ? 8.9 : h * 2.54;  // the default height reads as its own centimetres
    } else {
      mOutputW.cm = w;
      mOutputW.inch = w / 2.54;
      mOutputH.cm = h;
      mOutputH.inch = h / 2.54;
    }
  }
  showValues(mOutputW, mOutputH, newUnit);
  mUnit = newUnit;
  setEnabledToolTips();
}

void Quirel_OutputSizeDialog::DestPopupChange() {
  if (!mDestPopup) return;
  const int newDest = mDestPopup->selected() == 1 ? kDisplay : kPrint;
  if (newDest == mDestination) return;
  for (Quirel_CTRLS_NumberTextField* f : {static_cast<Quirel_CTRLS_NumberTextField*>(mWidthTxtF.get()),
                                          static_cast<Quirel_CTRLS_NumberTextField*>(mHeightTxtF.get())}) {
    newDest == kDisplay ? f->setNumberFormatForInt(5) : f->setNumberFormatForFloat(5);
  }
  const bool tableHadFocus = mWindow->firstResponder() == tableOf(mDestination)->getTableView();
  mPrintList->setHidden(newDest != kPrint);
  mDisplayList->setHidden(newDest != kDisplay);
  if (tableHadFocus) mWindow->makeFirstResponder(tableOf(newDest)->getTableView());
  mDestination = newDest;
  if (Quirel_NamedListRules::isFull(listOf(newDest).size())) {
    showTenthEntry();
  } else {
    showDefaultsFor(newDest);
    for (int d : {kPrint, kDisplay}) {
      tableOf(d)->setAllowsEmptySelection(true);
      tableOf(d)->deselectAll();
    }
    mDeleteBtn->setEnabled(false);
    mAddBtn->setEnabled(true);
    setDefaultOutputSizeName();
    if (tableHadFocus) mWindow->makeFirstResponder(mSetNameTxtF->getTextF());
  }
  setEnabledToolTips();
}

// --- lists

void Quirel_OutputSizeDialog::OutPrintListSelect() { listSelect(kPrint); }

void Quirel_OutputSizeDialog::OutScreenDispListSelect() { listSelect(kDisplay); }

void Quirel_OutputSizeDialog::listSelect(int dest) {
  Quirel_CTRLS_OUTSizeListView* table = tableOf(dest);
  int& remembered = dest == kDisplay ? mDispListSeleced : mPrintListSeleced;
  const int row = table->selectedRow();
  std::vector<Quirel_OutputSize>& list = listOf(dest);
  if (row < 0 || static_cast<std::size_t>(row) >= list.size()) {
    table->setAllowsEmptySelection(true);
    remembered = -1;
    return;
  }
  const Quirel_OutputSize& entry = list[static_cast<std::size_t>(row)];
  if (row != remembered) {
    table->setAllowsEmptySelection(false);
    if (mDestPopup) mDestPopup->select(entry.getDestination() != 0 ? 1 : 0);
    mUnit = entry.getUnit();
    fillUnitPopup(dest);
    mUnitPopup->selectAtRepresentedNumber(mUnit);
    mSetNameTxtF->setStringValue(entry.getName().value_or(""));
    if (mRoundDownValue) {
      mOutputW = entry.getOutputWidth();
      mOutputH = entry.getOutputHeight();
    }
    showValues(entry.getOutputWidth(), entry.getOutputHeight(), mUnit);
    Quirel_CTRLS_OUTSizeListView* other = tableOf(dest == kPrint ? kDisplay : kPrint);
    other->setAllowsEmptySelection(true);
    other->deselectAll();
    mAddBtn->setEnabled(false);
    mAddBtnEnabled = false;
  }
  updateDeleteButtonFor(entry);
  mDestination = dest;
  remembered = row;
  setEnabledToolTips();
}

void Quirel_OutputSizeDialog::afterEntryStored(int dest, int row) {
  Quirel_CTRLS_OUTSizeListView* table = tableOf(dest);
  if (Quirel_NamedListRules::isFull(listOf(dest).size())) {
    table->reloadData();
    table->selectRow(row, false);
    mDeleteBtn->setEnabled(!isUsedIndex(listOf(dest)[static_cast<std::size_t>(row)].getIndex()));
  } else {
    table->setAllowsEmptySelection(true);
    table->deselectAll();
    table->reloadData();
    showDefaultsFor(dest);
    setDefaultOutputSizeName();
    mDeleteBtn->setEnabled(false);
    mAddBtn->setEnabled(true);
  }
}

// --- buttons

void Quirel_OutputSizeDialog::AddBtnOn() {
  if (!checkTheValue()) {
    setMenusOn(true);
    return;
  }
  const int unit = popupUnit();
  const int dest = mDestPopup ? (mDestPopup->selected() == 1 ? kDisplay : kPrint) : mDestination;
  const double w = readValue(*mWidthTxtF, unit);
  const double h = readValue(*mHeightTxtF, unit);
  if (h > w * 3508 / 48 || w > h * 2552 / 48) {
    outputSizeMessage(1617, "", {});
    mWindow->makeFirstResponder(mWidthTxtF->getNumberTxtF());
    setEnabledToolTips();
    return;
  }
  const int index = createIndex();
  const std::string name = Quirel_NamedListRules::normalizeName(mSetNameTxtF->getStringValue(), mEmSpace);
  auto focusName = [this] {
    mWindow->makeFirstResponder(mSetNameTxtF->getTextF());
    setEnabledToolTips();
  };
  if (isDefaultName(name) || findByName(listOf(dest == kPrint ? kDisplay : kPrint), name) >= 0) {
    outputSizeMessage(1461, "%@", {fnd::Value(name)});
    focusName();
    return;
  }
  if (findByName(listOf(dest), name) >= 0) {
    if (outputSizeMessage(1460, "%@", {fnd::Value(name)}) == 1) endUpdateDialog(name);
    focusName();
    return;
  }
  std::vector<Quirel_OutputSize>& list = listOf(dest);
  if (Quirel_NamedListRules::isFull(list.size())) {
    outputSizeMessage(1463, "%i", {fnd::Value(Quirel_NamedListRules::kMaxEntries)});
    focusName();
    return;
  }
  Quirel_OutputSize entry(index, dest, name, unit);
  entry.setSize(unit, w, h);
  if (mRoundDownValue) {
    entry.setOutputWidth(mOutputW);
    entry.setOutputHeight(mOutputH);
  }
  list.push_back(entry);
  afterEntryStored(dest, static_cast<int>(list.size()) - 1);
  (dest == kDisplay ? mLastDisplayIndex : mLastPrintIndex) = index;
  mLastIndex = index;
  dest == kDisplay ? setDisplayColumnWidth() : setPrintColumnWidth();
  mSaveBtn->setEnabled(true);
  focusName();
}

void Quirel_OutputSizeDialog::endUpdateDialog(const std::string& name) {
  const int dest = mDestination;
  std::vector<Quirel_OutputSize>& list = listOf(dest);
  const int row = findByName(list, name);
  if (row < 0) return;
  const int unit = popupUnit();
  Quirel_OutputSize& entry = list[static_cast<std::size_t>(row)];
  entry.setValue(entry.getIndex(), entry.getDestination(), name, unit);
  entry.setSize(unit, readValue(*mWidthTxtF, unit), readValue(*mHeightTxtF, unit));
  if (mRoundDownValue) {
    entry.setOutputWidth(mOutputW);
    entry.setOutputHeight(mOutputH);
  }
  const int index = entry.getIndex();
  afterEntryStored(dest, row);
  (dest == kDisplay ? mLastDisplayIndex : mLastPrintIndex) = index;
  mLastIndex = index;
  mUpdateIndexList.push_back(index);
  mSaveBtn->setEnabled(true);
}

void Quirel_OutputSizeDialog::DeleteBtnOn() {
  if (!checkTheValue()) {
    setMenusOn(true);
    return;
  }
  std::vector<Quirel_OutputSize>& list = listOf(mDestination);
  const int row = tableOf(mDestination)->selectedRow();
  if (list.empty() || row < 0 || static_cast<std::size_t>(row) >= list.size()) {
    mDeleteBtn->setEnabled(false);
    mAddBtn->setEnabled(true);
    setEnabledToolTips();
    return;
  }
  if (outputSizeMessage(1459, "%@", {fnd::Value(list[static_cast<std::size_t>(row)].getName().value_or(""))}) == 1) {
    endDeleteDialog();
    mAddBtn->setEnabled(true);
  }
  mWindow->makeFirstResponder(mSetNameTxtF->getTextF());
  setEnabledToolTips();
}

void Quirel_OutputSizeDialog::endDeleteDialog() {
  const int dest = mDestination;
  std::vector<Quirel_OutputSize>& list = listOf(dest);
  Quirel_CTRLS_OUTSizeListView* table = tableOf(dest);
  const int row = table->selectedRow();
  if (row < 0 || static_cast<std::size_t>(row) >= list.size()) return;
  const int index = list[static_cast<std::size_t>(row)].getIndex();
  mDeleteIndexList.push_back(index);
  int& lastOfDest = dest == kDisplay ? mLastDisplayIndex : mLastPrintIndex;
  if (lastOfDest == index) lastOfDest = -1;
  if (mLastIndex == index) mLastIndex = -1;
  list.erase(list.begin() + row);
  table->setAllowsEmptySelection(true);
  table->deselectAll();
  table->reloadData();
  showDefaultsFor(dest);
  mSaveBtn->setEnabled(true);
  setDefaultOutputSizeName();
  mDeleteBtn->setEnabled(false);
  mAddBtn->setEnabled(true);
  dest == kDisplay ? setDisplayColumnWidth() : setPrintColumnWidth();
}

void Quirel_OutputSizeDialog::SaveClose() {
  if (!checkTheValue()) {
    setMenusOn(true);
    return;
  }
  std::vector<Quirel_OutputSize> all = mPrintOutputSizeList;
  all.insert(all.end(), mDisplayOutputSizeList.begin(), mDisplayOutputSizeList.end());
  std::string error;
  if (!Quirel_OutputSizeFile::writeAll(mFileDirPath, all, mOtherEntries, mFileUnreadable, &error)) {
    // The old file stays whole and the dialog open: the callers must not act on unsaved lists.
    outputSizeMessage(kSaveFailedMessage, "%@", {fnd::Value(mOutputSizeFilePath)});
    return;
  }
  mFileUnreadable = false;
  mOkClose = true;
  mWindow->setCloseFlg(true);
  kit::Application::shared().stopModalWithCode(1);
  mWindow->orderOut();
}

void Quirel_OutputSizeDialog::CancelClose() {
  if (!checkTheValue()) {
    setMenusOn(true);
    return;
  }
  mWidthChg = mHeightChg = false;
  mOkClose = false;
  mWindow->setCloseFlg(true);
  kit::Application::shared().stopModalWithCode(0);
  mWindow->orderOut();
}
