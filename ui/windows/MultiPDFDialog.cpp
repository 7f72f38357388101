#include "ui/windows/MultiPDFDialog.h"

#include <algorithm>

#include "foundation/Timer.h"
#include "kit/Application.h"
#include "kit/Image.h"
#include "kit/View.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/base/progressCancelStatus.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/DisplayManager.h"
#include "ui/windows/HelpControl.h"
#include "ui/windows/MessagePort.h"

namespace {

std::optional<std::string> mpdfString(const fnd::Dictionary* d, const char* key) {
  const fnd::Value* v = d ? d->find(key) : nullptr;
  if (!v || !v->isString()) return std::nullopt;
  return v->toString();
}

}  // namespace

// ---- The two fitting rules.

Quirel_MultiPDFDialog::TextFit Quirel_MultiPDFDialog::fitTextDialog(int type, double visibleWidth, fnd::Size measured,
                                                                    double checkBoxWidth, const fnd::Rect& textFrame,
                                                                    const fnd::Size& rightButton, double rightY,
                                                                    const fnd::Size& leftButton, double leftY) {
  const double maxWidth = maxTextWidth(visibleWidth);
  TextFit fit;
  double width = std::min(measured.width, maxWidth);
  width = std::max({width, textFrame.size.width, checkBoxWidth});
  fit.text = fnd::Rect(textFrame.origin.x, textFrame.origin.y, width, measured.height);
  fit.content = fnd::Size(width + 48, measured.height + textFrame.origin.y + 17);
  fit.separatorWidth = fit.content.width - 24;
  if (type == 2) {
    fit.right = fnd::Rect(fit.content.width - 25 - rightButton.width, rightY, rightButton.width, rightButton.height);
    fit.left = fnd::Rect(fit.right.origin.x - 15 - leftButton.width, leftY, leftButton.width, leftButton.height);
  } else {
    fit.right = fnd::Rect(fit.content.width - 12 - rightButton.width, rightY, rightButton.width, rightButton.height);
    fit.left = fnd::Rect(fit.right.origin.x - 2 - leftButton.width, leftY, leftButton.width, leftButton.height);
  }
  return fit;
}

Quirel_MultiPDFDialog::PushStartFit Quirel_MultiPDFDialog::fitPushStartDialog(
    double topTextHeight, const std::vector<double>& labelWidths,
    const std::function<double(double)>& scanExplainHeightFor,
    const std::function<double(double)>& finishExplainHeightFor) {
  PushStartFit fit;
  fit.topTextHeight = topTextHeight > 17 ? topTextHeight : 17;
  double widest = 108;
  for (double w : labelWidths) widest = std::max(widest, w);
  fit.panelWidth = widest + 50 + 13;
  fit.explainWidth = 466 - (fit.panelWidth - 171);
  fit.scanExplainHeight = scanExplainHeightFor(fit.explainWidth) + 13 + 2;
  fit.finishExplainHeight = finishExplainHeightFor(fit.explainWidth) + 16 + 2;
  double lower = 52 + (fit.finishExplainHeight <= 50 ? 50 - fit.finishExplainHeight : 0) + fit.finishExplainHeight + 9;
  if (fit.scanExplainHeight <= 131) lower += 131 - fit.scanExplainHeight;
  fit.lowerBlockHeight = lower;
  fit.content = fnd::Size(683, lower + fit.scanExplainHeight + 8 + fit.topTextHeight + 20);
  return fit;
}

// ---- Life cycle.

Quirel_MultiPDFDialog::Quirel_MultiPDFDialog(const std::optional<fnd::Dictionary>& uiParameterDic,
                                             fnd::NotificationCenter& center)
    : mCenter(center), mUIParameterDic(uiParameterDic.value_or(fnd::Dictionary{})) {
  const fnd::Value* info = mUIParameterDic.find("ScannerInfo");
  mScannerInfo = info && info->isDictionary() ? std::make_shared<Quirel_UIScannerInfo>(info->toDictionary())
                                              : std::make_shared<Quirel_UIScannerInfo>();
  getLocalizedStringObject();
}

Quirel_MultiPDFDialog::Quirel_MultiPDFDialog(std::shared_ptr<Quirel_UIScannerInfo> scannerInfo,
                                             const std::optional<fnd::Dictionary>& uiParameterDic,
                                             fnd::NotificationCenter& center)
    : mCenter(center), mUIParameterDic(uiParameterDic.value_or(fnd::Dictionary{})),
      mScannerInfo(scannerInfo ? std::move(scannerInfo) : std::make_shared<Quirel_UIScannerInfo>()) {
  getLocalizedStringObject();
}

Quirel_MultiPDFDialog::~Quirel_MultiPDFDialog() {
  if (mPendingPost) mPendingPost->invalidate();
  stopObserving();
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

void Quirel_MultiPDFDialog::stopObserving() {
  if (!mObserving) return;
  mCenter.removeObserver(this, kAppBecomeActivePost, mObservedSender);
  mCenter.removeObserver(this, kAppResignActivePost, mObservedSender);
  mObserving = false;
}

void Quirel_MultiPDFDialog::getLocalizedStringObject() {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this, mCenter));
}

std::string Quirel_MultiPDFDialog::getLocalizedStringForKey(const std::string& key, int tableType) const {
  const char* table = tableType == 0   ? "UserInterface"
                      : tableType == 1 ? "Message"
                      : tableType == 2 ? "ToolTips"
                                       : "PictavoTrivo";
  std::optional<std::string> text = mLSobj ? mLSobj->ls_localizedStringForKey(key, table) : std::nullopt;
  if (!text || *text == Quirel_PVLocalizedString::kNone) return key;
  return *text;
}

kit::Image Quirel_MultiPDFDialog::getImage(const std::string& name) { return kit::Image::named(name, kPictureFolder); }

void Quirel_MultiPDFDialog::setParentWindow(kit::Window* parent, const void* sender) {
  if (!parent) return;
  mParentWindow = parent;
  if (mWindow) {
    mWindow->setLevel(parent->level() + 3);
    mWindow->setDelegate(this);
  }
  stopObserving();
  mObservedSender = sender;
  mObserving = true;
  mCenter.addObserver(this, kAppBecomeActivePost, sender, [this](const fnd::Notification&) { appBecomeActiveFromMain(); });
  mCenter.addObserver(this, kAppResignActivePost, sender, [this](const fnd::Notification&) { appResignActiveFromMain(); });
}

// ---- Showing and answering.

std::int32_t Quirel_MultiPDFDialog::showDialog() {
  if (mDialogType == 3) return Quirel_MessagePort::show(kAddPageMessage, 0, 0, 0);
  if (!mWindow) return 0;
  if (mDialogType == 0 || mDialogType == 2) {
    mWindow->center();
    mWindow->makeKeyAndOrderFront();
    return 1;
  }
  if (mDialogType == 1) mWindow->setLevel(11);
  return kit::Application::shared().runModalForWindow(*mWindow);
}

void Quirel_MultiPDFDialog::closeDialog() {
  if (mDialogType != 0 && mDialogType != 2) return;
  if (mWindow) mWindow->orderOut();
  stopObserving();
}

kit::Button* Quirel_MultiPDFDialog::checkBox() const {
  switch (mDialogType) {
    case 0: return mPullEnd_CheckBox;
    case 1: return mPushStart_CheckBox;
    case 4: return mAuto_CheckBox;
    default: return nullptr;
  }
}

kit::TextField* Quirel_MultiPDFDialog::mainText() const {
  switch (mDialogType) {
    case 0: return mPullEnd_Txt;
    case 1: return mPushStart_TitleTxt;
    case 2: return mPushEnd_Txt;
    case 4: return mAuto_Txt1;
    default: return nullptr;
  }
}

kit::Button* Quirel_MultiPDFDialog::okButton() const {
  switch (mDialogType) {
    case 0: return mPullEnd_ScanButton;
    case 1: return mPushStart_OkButton;
    case 4: return mAuto_OkButton;
    default: return nullptr;
  }
}

kit::Box* Quirel_MultiPDFDialog::separator() const { return mDialogType == 1 ? mPushStart_Separator : mPullEnd_Separator; }

std::int32_t Quirel_MultiPDFDialog::displayDialogAgain() const {
  if (mDialogType != 0 && mDialogType != 1 && mDialogType != 4) return -1;
  const kit::Button* box = checkBox();
  if (!box) return -1;
  return box->state() != 0 ? 0 : 1;
}

void Quirel_MultiPDFDialog::closeDialogWithBtnType(std::int32_t button) {
  kit::Application::shared().stopModalWithCode(button);
  if (mWindow) mWindow->orderOut();
}

void Quirel_MultiPDFDialog::actionAtButtonType(std::int32_t button) {
  if (mDialogType == 1 || mDialogType == 4) {
    closeDialogWithBtnType(button);
    return;
  }
  if (mDialogType != 0 && mDialogType != 2) return;
  if (mMouseDownEv != 0) return;
  mMouseDownEv = 1;
  // The answer leaves on the next pass, never from inside the button's own action.
  mPendingPost = fnd::RunLoop::main().performAfterDelay(
      0, [this, button] {
        mPendingPost.reset();
        peformPostNotificationMPDFScanEndDialogButton(button);
      });
}

void Quirel_MultiPDFDialog::peformPostNotificationMPDFScanEndDialogButton(std::int32_t button) {
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      mDialogType == 0 ? kPullEndPost : kPushEndPost, mNotificationSender,
      fnd::makeShared(fnd::Dictionary{{kButton, static_cast<long long>(button)}}));
}

void Quirel_MultiPDFDialog::getMousedownEvent(Quirel_progressCancelStatus* cancel) const {
  if (cancel) cancel->setCancelNum(mMouseDownEv == 1 ? 1 : 0);
}

// ---- Help.

std::unique_ptr<Quirel_HelpControl> Quirel_MultiPDFDialog::makeHelpControl(const fnd::Dictionary* help) const {
  if (!help) return nullptr;
  auto control = std::make_unique<Quirel_HelpControl>(mCenter);
  control->setSettingHelpFilePath(mpdfString(help, "Path"), mpdfString(help, "TitleKey"), std::string());
  control->setHelpBundleID(mpdfString(help, "HelpBundleID"), mpdfString(help, "HelpPagePath"));
  control->setHelpAnchorName(mpdfString(help, "Anchor_SET"), mpdfString(help, "Anchor_AUTO"),
                             mpdfString(help, "Anchor_BASIC"), mpdfString(help, "Anchor_ADVANCED"));
  control->setManualInfoFilePath(mpdfString(help, "ManualInfoFile"), true);
  control->setWebManualVersion(mScannerInfo->isVer1910Later());
  control->setWebManualContentsVersion(mpdfString(help, "WEBM_CTV"));
  return control;
}

bool Quirel_MultiPDFDialog::isInstalledHelp() const {
  const fnd::Value* help = mUIParameterDic.find("HelpFileInfo");
  std::unique_ptr<Quirel_HelpControl> control =
      makeHelpControl(help && help->isDictionary() ? &help->toDictionary() : nullptr);
  return control && control->isInstalledHelpForHelvinoViewer();
}

void Quirel_MultiPDFDialog::actionHelpButton(kit::Control*) {
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      kHelpDataPost, mNotificationSender, fnd::makeShared(fnd::Dictionary{{"HELP", 4LL}}));
  openHelp();
}

void Quirel_MultiPDFDialog::openHelp() {
  const fnd::Value* help = mUIParameterDic.find("HelpFileInfo");
  std::unique_ptr<Quirel_HelpControl> control =
      makeHelpControl(help && help->isDictionary() ? &help->toDictionary() : nullptr);
  if (!control) return;
  mCenter.post(Quirel_HelpControl::kOpenHelpBookPost, this,
               fnd::makeShared(fnd::Dictionary{{Quirel_HelpControl::kHelpMode, 4LL},
                                               {Quirel_HelpControl::kScannerInfo, fnd::Value::object(mScannerInfo)}}));
}

// ---- Window and application events.

void Quirel_MultiPDFDialog::windowDidBecomeKey(kit::Window& window) {
  if (!mParentWindow) return;
  window.setLevel(kit::Application::shared().isActive() ? mParentWindow->level() + 3 : kit::kNormalWindowLevel);
}

void Quirel_MultiPDFDialog::windowDidUpdate(kit::Window& window) { windowDidBecomeKey(window); }

void Quirel_MultiPDFDialog::appBecomeActiveFromMain() {
  if (!mWindow) return;
  if (mParentWindow) mWindow->setLevel(mParentWindow->level() + 3);
  if (mWindow->isVisible()) mWindow->orderFront();
}

void Quirel_MultiPDFDialog::appResignActiveFromMain() {
  if (!mWindow) return;
  mWindow->setLevel(kit::kNormalWindowLevel);
  mWindow->orderFront();
}

double Quirel_MultiPDFDialog::visibleWidth() const { return Quirel_DisplayManager().getVisibleDisplayFrame().size.width; }
