#include "ui/settings/OutputSizeDialog.h"

#include <algorithm>

#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/Font.h"
#include "kit/ScrollView.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_OUTDestinationPopup.h"
#include "ui/controls/CTRLS_OUTDisplayListView.h"
#include "ui/controls/CTRLS_OUTHeightTextF.h"
#include "ui/controls/CTRLS_OUTPrintListView.h"
#include "ui/controls/CTRLS_OUTSetNameTextF.h"
#include "ui/controls/CTRLS_OUTUnitPopup.h"
#include "ui/controls/CTRLS_OUTWidthTextF.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/model/NamedListRules.h"
#include "ui/model/OutputSizeFile.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/OutputSizeDialogWindow.h"

Quirel_OutputSizeDialog::Quirel_OutputSizeDialog(int mode, const std::string& fileDirPath, int destination,
                                                 std::vector<std::string> defaultNameList,
                                                 std::vector<int> usedIndexList, int defaultUnit,
                                                 const Quirel_UIScannerInfo* scannerInfo)
    : mMode(mode),
      mFileDirPath(fileDirPath),
      mOutputSizeFilePath(Quirel_OutputSizeFile::filePath(fileDirPath)),
      mDestination(destination == kDisplay ? kDisplay : kPrint),
      mDefaultNameList(std::move(defaultNameList)),
      mUsedIndexList(std::move(usedIndexList)),
      mDefaultUnit(defaultUnit),
      mScannerInfo(scannerInfo) {
  mUnit = mDestination == kDisplay ? 2 : defaultUnit == 1 ? 1 : 0;
  mRoundDownValue = scannerInfo && scannerInfo->roundDownOutputSizeDialog();
  Quirel_OutputSizeFile::Contents file = Quirel_OutputSizeFile::readAll(fileDirPath);
  for (Quirel_OutputSize& size : file.sizes) {
    (size.getDestination() != 0 ? mDisplayOutputSizeList : mPrintOutputSizeList).push_back(std::move(size));
  }
  mOtherEntries = std::move(file.others);
  mFileUnreadable = file.unreadable;
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
  const std::string em = localized("IDMAC_EM_SIZE_SPACE");
  mEmSpace = em == "IDMAC_EM_SIZE_SPACE" ? std::string() : em;
}

Quirel_OutputSizeDialog::~Quirel_OutputSizeDialog() {
  mTokens.clear();
  if (mPrintList) mPrintList->setDataSource(nullptr);
  if (mDisplayList) mDisplayList->setDataSource(nullptr);
  if (mSetNameTxtF) mSetNameTxtF->setDelegate(nullptr);
  if (mWidthTxtF) mWidthTxtF->setDelegate(nullptr);
  if (mHeightTxtF) mHeightTxtF->setDelegate(nullptr);
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

std::string Quirel_OutputSizeDialog::localized(const std::string& key, const std::string& table) const {
  return mLSobj ? mLSobj->ls_localizedStringForKey(key, table).value_or(key) : key;
}

int Quirel_OutputSizeDialog::getLastIndex(int destination) const {
  if (destination == kPrint) return mLastPrintIndex;
  if (destination == kDisplay) return mLastDisplayIndex;
  return -1;
}

// --- building

void Quirel_OutputSizeDialog::createOutputSizeDialog() {
  if (mScannerInfo && mScannerInfo->isVer1600Later() && mDefaultUnit != 1) {
    mDefaultW.inch = 6;
    mDefaultH.inch = 4;
    mDefaultW.cm = 6 * 2.54;
    mDefaultH.cm = 4 * 2.54;
  }
  mOutputW = mDefaultW;
  mOutputH = mDefaultH;

  const double height = mMode == 1 ? 310 : 275;
  mWindow = std::make_unique<Quirel_OutputSizeDialogWindow>(fnd::Rect(0, 0, 450, height), kit::kTitledWindowMask);
  mWindow->setLevel(11);
  mWindow->setTitle(localized("IDD_OUTPUT_SETTINGS2_STR"));
  mWindow->setDelegate(this);
  buildControls(height);

  // The current destination's values, or its tenth entry when its list is full.
  fillUnitPopup(mDestination);
  mPrintList->setHidden(mDestination != kPrint);
  mDisplayList->setHidden(mDestination != kDisplay);
  mPrintList->reloadData();
  mDisplayList->reloadData();
  if (Quirel_NamedListRules::isFull(listOf(mDestination).size())) {
    showTenthEntry();
  } else {
    setDefaultOutputSizeName();
    fillUnitPopup(mDestination);
    mUnitPopup->selectAtRepresentedNumber(mUnit);
    showValues(mOutputW, mOutputH, mUnit);
    mAddBtn->setEnabled(true);
  }
  setMenusOn(true);
  setPrintColumnWidth();
  setDisplayColumnWidth();
  registerObservers();
  setEnabledToolTips();
}

void Quirel_OutputSizeDialog::buildControls(double top) {
  kit::View* content = mWindow->contentView();
  const kit::Font font13 = kit::Font::systemFont(13);
  double y = top - 40;
  if (mMode == 1) {
    mDestPopup = std::make_unique<Quirel_CTRLS_OUTDestinationPopup>();
    mDestPopup->setTitleTxtTitle(localized("IDC_OUTPUT_DESTINATION_STR"));
    mDestPopup->setTitleTxtRect(20, y + 3, 90, 17);
    mDestPopup->setPopupBTRect(110, y, 105, 24);
    mDestPopup->addPopupItem(localized("IDS_SP_PRINT"));
    mDestPopup->addPopupItem(localized("IDS_SP_DISPLAY"));
    mDestPopup->select(mDestination);
    content->addSubview(mDestPopup->getTitleTxt());
    content->addSubview(mDestPopup->getPopupBT());
    y -= 35;
  }
  mSetNameTxt = Quirel_CTRLS_Base::makeLabel(true);
  mSetNameTxt->setFont(font13);
  mSetNameTxt->setStringValue(localized("IDC_OUTPUT_SIZE_NAME_STR"));
  mSetNameTxt->setFrame(fnd::Rect(20, y, 190, 17));
  content->addSubview(mSetNameTxt.get());
  y -= 26;
  mSetNameTxtF = std::make_unique<Quirel_CTRLS_OUTSetNameTextF>();
  mSetNameTxtF->setTextFRect(20, y, 190, 22);
  mSetNameTxtF->setStringFormat(static_cast<int>(Quirel_NamedListRules::kMaxNameLength));
  mSetNameTxtF->setStringValue(localized("IDS_CUSTOM_ENTRYNAME"));
  mSetNameTxtF->setDelegate(this);
  content->addSubview(mSetNameTxtF->getTextF());
  y -= 34;

  auto placeNumber = [&](Quirel_CTRLS_NumberTextField& field, const char* key) {
    field.setTitleTxtTitle(localized(key));
    field.setTitleTxtRect(20, y + 3, 70, 17);
    field.setNumberTxtFRect(95, y, 80, 22);
    field.setRoundDownWhenDoubleValue(mRoundDownValue);
    field.setDelegate(this);
    content->addSubview(field.getTitleTxt());
    content->addSubview(field.getNumberTxtF());
    y -= 30;
  };
  mWidthTxtF = std::make_unique<Quirel_CTRLS_OUTWidthTextF>();
  placeNumber(*mWidthTxtF, "IDC_OUTPUT_WIDTH_STR");
  mHeightTxtF = std::make_unique<Quirel_CTRLS_OUTHeightTextF>();
  placeNumber(*mHeightTxtF, "IDC_OUTPUT_HEIGHT_STR");
  const bool display = mDestination == kDisplay;
  for (Quirel_CTRLS_NumberTextField* f : {static_cast<Quirel_CTRLS_NumberTextField*>(mWidthTxtF.get()),
                                          static_cast<Quirel_CTRLS_NumberTextField*>(mHeightTxtF.get())}) {
    display ? f->setNumberFormatForInt(5) : f->setNumberFormatForFloat(5);
  }
  mWidthTxtF->setNumberFAction();
  mHeightTxtF->setNumberFAction();

  mUnitPopup = std::make_unique<Quirel_CTRLS_OUTUnitPopup>();
  mUnitPopup->setTitleTxtTitle(localized("IDC_OUTPUT_UNIT_STR"));
  mUnitPopup->setTitleTxtRect(20, y + 3, 70, 17);
  mUnitPopup->setPopupBTRect(95, y, 115, 24);
  content->addSubview(mUnitPopup->getTitleTxt());
  content->addSubview(mUnitPopup->getPopupBT());
  y -= 40;

  auto makeButton = [&](const char* key, const char* post, double x, double by) {
    return Quirel_CTRLS_PushButton::makeDialogButton(content, localized(key), post, x, by);
  };
  mAddBtn = makeButton("IDC_OUTPUT_ADD_BTN_STR", "AddBtnPost", 15, y);
  mDeleteBtn = makeButton("IDC_OUTPUT_DELETE_BTN_STR", "DeleteBtnPost", 115, y);
  mDeleteBtn->setEnabled(false);

  // The lists, one above the other in the right-hand column; only one shows.
  const double listTop = top - 20;
  const double listBottom = 62;
  for (int dest : {kPrint, kDisplay}) {
    std::unique_ptr<Quirel_CTRLS_OUTSizeListView> list;
    if (dest == kPrint) {
      mPrintList = std::make_unique<Quirel_CTRLS_OUTPrintListView>(225, listBottom, 210, listTop - listBottom - 20);
    } else {
      mDisplayList = std::make_unique<Quirel_CTRLS_OUTDisplayListView>(225, listBottom, 210, listTop - listBottom - 20);
    }
    Quirel_CTRLS_OUTSizeListView* view = tableOf(dest);
    view->endDialogList(content, localized("IDC_OUTPUT_SIZE_LIST_STR"), fnd::Rect(225, listTop - 17, 210, 17), this);
  }
  mPrintList->setPrintListAction();
  mDisplayList->setScreenDispListAction();

  mSep = std::make_unique<Quirel_CTRLS_Separator>();
  mSep->setRect(15, 50, 420, 5);
  content->addSubview(mSep->getSeparator());
  mSaveBtn = makeButton("IDC_OUTPUT_SAVE_BTN_STR", "SaveBtnPost", 240, 12);
  mSaveBtn->setEnabled(false);
  mCancelBtn = makeButton("IDMAC_CANCEL_BTN", "CancelBtnPost", 340, 12);
}

void Quirel_OutputSizeDialog::observe(const std::string& name, const void* sender,
                                      void (Quirel_OutputSizeDialog::*handler)()) {
  mTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
      name, sender, [this, handler](const fnd::Notification&) { (this->*handler)(); }));
}

void Quirel_OutputSizeDialog::registerObservers() {
  observe("mouseDown", nullptr, &Quirel_OutputSizeDialog::mouseDownEvent);
  if (mDestPopup) {
    mDestPopup->setPopupBTAction();
    observe(Quirel_CTRLS_OUTDestinationPopup::kChangePost, mDestPopup->getPopupBT(),
            &Quirel_OutputSizeDialog::DestPopupChange);
    observe("SET_VALUE", mDestPopup->getPopupBT(), &Quirel_OutputSizeDialog::popupBtnMouseDown);
  }
  mUnitPopup->setPopupBTAction();
  observe("SET_VALUE", mUnitPopup->getPopupBT(), &Quirel_OutputSizeDialog::popupBtnMouseDown);
  observe(Quirel_CTRLS_OUTUnitPopup::kChangePost, mUnitPopup->getPopupBT(), &Quirel_OutputSizeDialog::UnitPopupChange);
  observe(Quirel_CTRLS_OUTWidthTextF::kChangePost, mWidthTxtF->getNumberTxtF(), &Quirel_OutputSizeDialog::WidthChange);
  observe("HeightChangePost", mHeightTxtF->getNumberTxtF(), &Quirel_OutputSizeDialog::HeightChange);
  observe("SET_FOCUS", mWidthTxtF->getNumberTxtF(), &Quirel_OutputSizeDialog::showAlertDialog);
  observe("SET_FOCUS", mHeightTxtF->getNumberTxtF(), &Quirel_OutputSizeDialog::showAlertDialog);
  observe("AddBtnPost", mAddBtn->getPushBT(), &Quirel_OutputSizeDialog::AddBtnOn);
  observe("DeleteBtnPost", mDeleteBtn->getPushBT(), &Quirel_OutputSizeDialog::DeleteBtnOn);
  observe("SaveBtnPost", mSaveBtn->getPushBT(), &Quirel_OutputSizeDialog::SaveClose);
  observe("CancelBtnPost", mCancelBtn->getPushBT(), &Quirel_OutputSizeDialog::CancelClose);
  observe(kit::TableView::kSelectionDidChangeNotification, mPrintList->getTableView(),
          &Quirel_OutputSizeDialog::OutPrintListSelect);
  observe(Quirel_CTRLS_OUTPrintListView::kSelectPost, mPrintList->getTableView(),
          &Quirel_OutputSizeDialog::OutPrintListSelect);
  observe(kit::TableView::kSelectionDidChangeNotification, mDisplayList->getTableView(),
          &Quirel_OutputSizeDialog::OutScreenDispListSelect);
  observe(Quirel_CTRLS_OUTDisplayListView::kSelectPost, mDisplayList->getTableView(),
          &Quirel_OutputSizeDialog::OutScreenDispListSelect);
}

int Quirel_OutputSizeDialog::showOutputSizeDialog() {
  if (!mWindow) return 0;
  mWindow->center();
  return kit::Application::shared().runModalForWindow(*mWindow);
}

void Quirel_OutputSizeDialog::fillUnitPopup(int destination) {
  mUnitPopup->removeAllPopupItems();
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  const std::vector<int> codes = destination == kDisplay ? std::vector<int>{2} : std::vector<int>{1, 0};
  for (int code : codes) {
    const int item = mUnitPopup->addPopupItem(localized(fnd::stringWithFormat(v1300 ? "UNT_1300_%d" : "UNT%d", code)));
    mUnitPopup->setRepresentedNumberAtIndex(item, code);
  }
}

void Quirel_OutputSizeDialog::showValues(const OutputSizeLength& width, const OutputSizeLength& height, int unit) {
  const auto pick = [unit](const OutputSizeLength& l) { return unit == 0 ? l.inch : unit == 1 ? l.cm : l.pixel; };
  mWidthTxtF->setStringValue(formatValue(pick(width), unit));
  mHeightTxtF->setStringValue(formatValue(pick(height), unit));
}

std::string Quirel_OutputSizeDialog::formatValue(double value, int unit) const {
  if (unit == 2) return fnd::stringWithFormat("%.0f", value);
  if (unit == 1 && mScannerInfo && mScannerInfo->isVer1300Later())
    return mWidthTxtF->stringWithDoubleValue(value * 10, "%.1f");
  return mWidthTxtF->stringWithDoubleValue(value, "%.2f");
}

void Quirel_OutputSizeDialog::showTenthEntry() {
  std::vector<Quirel_OutputSize>& list = listOf(mDestination);
  const Quirel_OutputSize& entry = list[9];
  mSetNameTxtF->setStringValue(entry.getName().value_or(""));
  mUnit = entry.getUnit();
  fillUnitPopup(mDestination);
  mUnitPopup->selectAtRepresentedNumber(mUnit);
  if (mRoundDownValue) {
    mOutputW = entry.getOutputWidth();
    mOutputH = entry.getOutputHeight();
  }
  showValues(entry.getOutputWidth(), entry.getOutputHeight(), mUnit);
  tableOf(mDestination)->reloadData();
  tableOf(mDestination)->selectRow(9, false);
  tableOf(mDestination)->setAllowsEmptySelection(false);
  (mDestination == kDisplay ? mDispListSeleced : mPrintListSeleced) = 9;
  mAddBtn->setEnabled(false);
  updateDeleteButtonFor(entry);
}

void Quirel_OutputSizeDialog::showDefaultsFor(int destination) {
  mOutputW = mDefaultW;
  mOutputH = mDefaultH;
  mUnit = destination == kDisplay ? 2 : mDefaultUnit == 1 ? 1 : 0;
  fillUnitPopup(destination);
  mUnitPopup->selectAtRepresentedNumber(mUnit);
  showValues(mOutputW, mOutputH, mUnit);
}

void Quirel_OutputSizeDialog::setDefaultOutputSizeName() {
  const std::string base = localized("IDS_CUSTOM_ENTRYNAME");
  const std::string name = Quirel_NamedListRules::defaultName(base, [this](const std::string& candidate) {
    return findByName(mPrintOutputSizeList, candidate) >= 0 || findByName(mDisplayOutputSizeList, candidate) >= 0;
  });
  mSetNameTxtF->setStringValue(name);
}

void Quirel_OutputSizeDialog::setPrintColumnWidth() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const kit::Font font = v1700 ? mPrintList->getTableView()->font() : mSetNameTxtF->getTextF()->font();
  std::vector<double> widths;
  for (const Quirel_OutputSize& s : mPrintOutputSizeList) widths.push_back(font.widthOfString(s.getName().value_or("")));
  if (kit::TableColumn* c = mPrintList->getTableView()->tableColumnWithIdentifier("column1"))
    c->width = Quirel_NamedListRules::columnWidth(widths, v1700);
  mPrintList->getTableView()->tile();
}

void Quirel_OutputSizeDialog::setDisplayColumnWidth() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const kit::Font font = v1700 ? mDisplayList->getTableView()->font() : mSetNameTxtF->getTextF()->font();
  std::vector<double> widths;
  for (const Quirel_OutputSize& s : mDisplayOutputSizeList) widths.push_back(font.widthOfString(s.getName().value_or("")));
  if (kit::TableColumn* c = mDisplayList->getTableView()->tableColumnWithIdentifier("column1"))
    c->width = Quirel_NamedListRules::columnWidth(widths, v1700);
  mDisplayList->getTableView()->tile();
}

void Quirel_OutputSizeDialog::setEnabledToolTips() {
  auto tip = [this](kit::View* view, bool enabled, const char* key) {
    if (view) view->setToolTip(enabled ? localized(key, "ToolTips") : std::string());
  };
  if (mDestPopup) tip(mDestPopup->getPopupBT(), mDestPopup->isEnabled(), "IDC_OUTPUT_CMB_PURPOSE");
  tip(mSetNameTxtF->getTextF(), mSetNameTxtF->getTextF()->isEnabled(), "IDC_OUTPUT_ENTRYNAMEEDIT");
  tip(mWidthTxtF->getNumberTxtF(), mWidthTxtF->getNumberTxtF()->isEnabled(), "IDC_OUTPUT_WIDTHEDIT");
  tip(mHeightTxtF->getNumberTxtF(), mHeightTxtF->getNumberTxtF()->isEnabled(), "IDC_OUTPUT_HEIGHTEDIT");
  tip(mUnitPopup->getPopupBT(), mUnitPopup->isEnabled(), "IDC_OUTPUT_CMB_UNITS");
  tip(mPrintList->getTableView(), true, "IDC_OUTPUT_ENTRYLIST_LIST");
  tip(mDisplayList->getTableView(), true, "IDC_OUTPUT_ENTRYLIST_LIST");
  tip(mAddBtn->getPushBT(), mAddBtn->getPushBT()->isEnabled(), "IDC_OUTPUT_ADD_BTN");
  tip(mDeleteBtn->getPushBT(), mDeleteBtn->getPushBT()->isEnabled(), "IDC_OUTPUT_DELETE_BTN");
  tip(mSaveBtn->getPushBT(), mSaveBtn->getPushBT()->isEnabled(), "IDC_OUTPUT_SAVE_BTN");
  tip(mCancelBtn->getPushBT(), mCancelBtn->getPushBT()->isEnabled(), "IDC_OUTPUT_CANCEL_BTN");
}

void Quirel_OutputSizeDialog::setMenusOn(bool on) {
  if (mDestPopup) mDestPopup->setMenuOnOff(on);
  mUnitPopup->setMenuOnOff(on);
}

// --- lists

int Quirel_OutputSizeDialog::numberOfRowsInTableView(kit::TableView& table) {
  if (mPrintList && &table == mPrintList->getTableView()) return static_cast<int>(mPrintOutputSizeList.size());
  if (mDisplayList && &table == mDisplayList->getTableView()) return static_cast<int>(mDisplayOutputSizeList.size());
  return 0;
}

fnd::Value Quirel_OutputSizeDialog::objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column,
                                                             int row) {
  if (!column || column->identifier != "column1" || row < 0) return {};
  const std::vector<Quirel_OutputSize>* list = nullptr;
  if (mPrintList && &table == mPrintList->getTableView()) list = &mPrintOutputSizeList;
  if (mDisplayList && &table == mDisplayList->getTableView()) list = &mDisplayOutputSizeList;
  if (!list || static_cast<std::size_t>(row) >= list->size()) return {};
  return fnd::Value((*list)[static_cast<std::size_t>(row)].getName().value_or(""));
}

Quirel_CTRLS_OUTSizeListView* Quirel_OutputSizeDialog::tableOf(int destination) const {
  return destination == kDisplay ? static_cast<Quirel_CTRLS_OUTSizeListView*>(mDisplayList.get())
                                 : static_cast<Quirel_CTRLS_OUTSizeListView*>(mPrintList.get());
}

int Quirel_OutputSizeDialog::findByName(const std::vector<Quirel_OutputSize>& list, const std::string& name) const {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].getName() && fnd::equalsIgnoringCase(*list[i].getName(), name)) return static_cast<int>(i);
  }
  return -1;
}

bool Quirel_OutputSizeDialog::isUsedIndex(int index) const {
  return std::find(mUsedIndexList.begin(), mUsedIndexList.end(), index) != mUsedIndexList.end();
}

bool Quirel_OutputSizeDialog::isDefaultName(const std::string& name) const {
  return std::find(mDefaultNameList.begin(), mDefaultNameList.end(), name) != mDefaultNameList.end();
}

int Quirel_OutputSizeDialog::createIndex() const {
  return Quirel_NamedListRules::createIndex(Quirel_NamedListRules::systemClock(), [this](int index) {
    for (const auto* list : {&mPrintOutputSizeList, &mDisplayOutputSizeList})
      for (const Quirel_OutputSize& s : *list)
        if (s.getIndex() == index) return true;
    return false;
  });
}

void Quirel_OutputSizeDialog::updateDeleteButtonFor(const Quirel_OutputSize& entry) {
  mDeleteBtn->setEnabled(!isUsedIndex(entry.getIndex()));
}

// --- window delegate

void Quirel_OutputSizeDialog::windowDidBecomeKey(kit::Window& window) {
  if (mWindow && !mWindow->closeFlg() && window.level() != 11) window.setLevel(11);
}

void Quirel_OutputSizeDialog::windowDidUpdate(kit::Window& window) {
  if (mWindow && !mWindow->closeFlg() && window.level() != 11) window.setLevel(11);
}
