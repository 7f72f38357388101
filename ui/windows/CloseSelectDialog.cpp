#include "ui/windows/CloseSelectDialog.h"

#include <algorithm>
#include <cmath>

#include "kit/Application.h"
#include "kit/Font.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/windows/AfterScanWindowLevels.h"

namespace {

constexpr double kCsGap = 10;
constexpr double kCsButtonHeight = 32;
constexpr double kCsCheckHeight = 25;
constexpr double kCsSubTextHeight = 17;
// A radio row is its indicator and its title.
constexpr double kCsRadioIndicator = 22;

std::unique_ptr<kit::TextField> closeSelectLabel(const std::string& text, double x, double width) {
  auto field = kit::TextField::wrappingLabelWithString(text, fnd::Rect(x, 0, width, 100));
  field->setFrame(fnd::Rect(x, 0, width, std::ceil(field->heightForWidth(width))));
  return field;
}

}  // namespace

Quirel_CloseSelectDialog::Quirel_CloseSelectDialog(fnd::NotificationCenter& center) : mCenter(center) {
  mCenter.addObserver(this, kMousedownPost, nullptr, [this](const fnd::Notification& n) {
    if (!n.userInfo) return;
    if (const fnd::Value* v = n.userInfo->find("pCancelSts"))
      closeSelectMousedownEvent2(v->toObject<Quirel_progressCancelStatus>());
  });
}

Quirel_CloseSelectDialog::~Quirel_CloseSelectDialog() {
  mCenter.removeObserver(this);
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->setStopEvent(true);
    mWindow->orderOut();
  }
}

std::string Quirel_CloseSelectDialog::uiText(const char* key) const {
  const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(mBundleStr));
  std::string text = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? std::string(key) : text;
}

void Quirel_CloseSelectDialog::createDialog(std::int32_t variant) {
  if (mWindow) return;
  mBundleStr = Quirel_PVLocalizedBundle::askWindowController(this, mCenter);
  mWindow = std::make_unique<Quirel_CloseSelectWindow>(fnd::Rect(400, 200, kMinWidth, 400), kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setTitle(uiText("IDD_ASK_TEMPLATE_STR"));
  mWindow->setLevel(kLevel);
  mWindow->setDelegate(this);
  kit::View* content = mWindow->contentView();

  // The two rows and what sizes them.
  const kit::Font font = kit::Font::systemFont(13);
  const std::string rows[2] = {uiText(variant == 1 ? "IDC_AUTOCLOSE_QUIT_STR" : "IDMAC_SCANENDDLG_RADIO_CLOSE"),
                               uiText(variant == 1 ? "IDC_AUTOCLOSE_RETURN_STR" : "IDMAC_SCANENDDLG_RADIO_NOTCLOSE")};
  const double rowHeight = std::max(18.0, std::ceil(font.lineHeight()));
  double matrixWidth = 0;
  for (const std::string& row : rows) matrixWidth = std::max(matrixWidth, std::ceil(font.widthOfString(row)) + kCsRadioIndicator);
  const double matrixHeight = 2 * rowHeight + 2 * kCsGap;
  double needed = 20 + matrixWidth + kCsGap;

  auto radioView = std::make_unique<kit::View>(fnd::Rect(0, 0, needed, matrixHeight));
  auto radio = std::make_unique<Quirel_NoFocusRadioButton>(fnd::Rect(20, 0, matrixWidth, matrixHeight), 2, 1);
  radio->setFont(font);
  radio->setIntercellSpacing(fnd::Size(0, kCsGap));
  radio->setAutosizesCells(true);
  radio->setAllowsEmptySelection(false);
  radio->setCellTitle(0, 0, rows[0]);
  radio->setCellTitle(1, 0, rows[1]);
  radio->selectCellAtRow(0, 0);
  mRadioBtn = static_cast<Quirel_NoFocusRadioButton*>(radioView->addSubview(std::move(radio)));
  if (variant == 1) {
    const double x = 20 + matrixWidth + kCsGap;
    const char* keys[2] = {"IDMAC_AUTOCLOSE_1_APP", "IDMAC_AUTOCLOSE_2_APP"};
    double right = 0;
    for (int row = 0; row < 2; ++row) {
      const fnd::Rect cell = mRadioBtn->cellFrame(row, 0);
      auto sub = kit::TextField::labelWithString(uiText(keys[row]));
      const double width = std::ceil(sub->font().widthOfString(sub->stringValue())) + 2 * kit::TextField::kLabelInset;
      const double y = cell.origin.y + (cell.size.height - kCsSubTextHeight) / 2;
      sub->setFrame(fnd::Rect(x, y, width, kCsSubTextHeight));
      right = std::max(right, x + width);
      kit::TextField* added = static_cast<kit::TextField*>(radioView->addSubview(std::move(sub)));
      (row == 0 ? mRBSubStr1 : mRBSubStr2) = added;
    }
    needed = std::floor(right + 20);
  }
  const double width = std::max(needed, kMinWidth);
  radioView->setFrameSize(fnd::Size(width, matrixHeight));

  // Stacked from the bottom up.
  auto ok = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(std::floor((width - 100) / 2), 5, 100, kCsButtonHeight));
  ok->setBezelStyle(kit::BezelStyle::Rounded);
  ok->setButtonType(kit::ButtonType::MomentaryPushIn);
  ok->setTitle(uiText("IDMAC_OK_BTN"));
  ok->setTarget(this, &Quirel_CloseSelectDialog::clickOkBtnAction);
  mOkBtn = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(ok)));
  double y = 5 + kCsButtonHeight + kCsGap;

  auto separator = std::make_unique<kit::Box>(fnd::Rect(kCsGap, y, width - 2 * kCsGap, 5));
  separator->setBoxType(kit::BoxType::Separator);
  mSeparator = static_cast<kit::Box*>(content->addSubview(std::move(separator)));
  y += 5 + kCsGap;

  auto explain = closeSelectLabel(uiText("IDC_AUTOCLOSE_MODIFY_SETTING_STR"), 27, width - 27 - 20);
  explain->setFrameOrigin(fnd::Point(27, y));
  y += explain->frame().size.height + kCsGap;
  mExplainTextF = static_cast<kit::TextField*>(content->addSubview(std::move(explain)));

  auto check = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(20, y, width - 40, kCsCheckHeight));
  check->setButtonType(kit::ButtonType::Switch);
  check->setTitle(uiText("IDC_AUTOCLOSE_CHECK_STR"));
  check->setState(0);
  mCheckBox = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(check)));
  y += kCsCheckHeight + kCsGap;

  radioView->setFrameOrigin(fnd::Point(0, y));
  mRadioBtnView = content->addSubview(std::move(radioView));
  y += matrixHeight + kCsGap;

  auto heading = closeSelectLabel(uiText("IDC_AUTOCLOSE_SELECT_STR"), 20, width - 40);
  heading->setFrameOrigin(fnd::Point(20, y));
  y += heading->frame().size.height + kCsGap;
  mTitleTextF = static_cast<kit::TextField*>(content->addSubview(std::move(heading)));

  mWindow->setContentSize(fnd::Size(width, y));

  mCenter.addObserver(this, "appBecomeActiveFromMainPost", nullptr,
                      [this](const fnd::Notification&) { appBecomeActiveFromMain(); });
  mCenter.addObserver(this, "appResignActiveFromMainPost", nullptr,
                      [this](const fnd::Notification&) { appResignActiveFromMain(); });
}

void Quirel_CloseSelectDialog::showDialog(kit::Window* parent) {
  mParentWindow = parent;
  if (!mWindow || mWindow->isVisible()) return;
  Quirel_AfterScanWindowLevels::placeAndShow(*mWindow, Quirel_AfterScanWindowLevels::centredOn(mWindow->frame(), parent),
                                             mOkBtn);
}

void Quirel_CloseSelectDialog::closeDialog() {
  if (mWindow) {
    mWindow->setStopEvent(true);
    if (mWindow->isVisible()) {
      kit::Application::shared().discardEventsMatchingMask(kit::kAnyEventMask, mWindow.get());
      mWindow->close();
    }
  }
  mCenter.removeObserver(this);
}

bool Quirel_CloseSelectDialog::isChecked() const { return mCheckBox && mCheckBox->state() != 0; }

void Quirel_CloseSelectDialog::selectAutoExit(std::int32_t flag) {
  if (mRadioBtn) mRadioBtn->selectCellAtRow(flag == 1 ? 0 : 1, 0);
}

std::int32_t Quirel_CloseSelectDialog::selectedAutoExit() const {
  return mRadioBtn && mRadioBtn->selectedRow() == 0 ? 1 : 0;
}

void Quirel_CloseSelectDialog::closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (!status) return;
  status->setCancelNum(0);
  mAttachEv = 1;
  if (mCancelEv > 0) status->setCancelNum(1);
}

void Quirel_CloseSelectDialog::clickOkBtnAction(kit::Control*) { clickOkBtn(); }

void Quirel_CloseSelectDialog::clickOkBtn() {
  if (mAttachEv != 0) {
    mCancelEv = 1;
    return;
  }
  if (mWindow) mWindow->setStopEvent(true);
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      kClickPost, mUIMObject ? mUIMObject : this, fnd::makeShared(fnd::Dictionary{{"Exit", selectedAutoExit()}}));
}

void Quirel_CloseSelectDialog::levelForActivity(kit::Window& window) {
  Quirel_AfterScanWindowLevels::levelForActivity(window, mParentWindow, 3, kLevel);
}

void Quirel_CloseSelectDialog::windowDidBecomeKey(kit::Window& window) { levelForActivity(window); }

void Quirel_CloseSelectDialog::windowDidUpdate(kit::Window& window) { levelForActivity(window); }

void Quirel_CloseSelectDialog::appBecomeActiveFromMain() {
  Quirel_AfterScanWindowLevels::comeForward(mWindow.get(), mParentWindow, 3, kLevel);
}

void Quirel_CloseSelectDialog::appResignActiveFromMain() { Quirel_AfterScanWindowLevels::stepBack(mWindow.get()); }
