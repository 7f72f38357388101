#include "ui/windows/ProgressWindow.h"

#include <cmath>
#include <set>

#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/StringFormat.h"
#include "kit/Box.h"
#include "kit/Button.h"
#include "kit/ProgressIndicator.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PostNotification.h"
#include "ui/base/ProgressLayout.h"
#include "ui/controls/NoFocusProgressIndicator.h"
#include "ui/windows/DisplayManager.h"
#include "ui/windows/MessageInfoView.h"
#include "ui/windows/ScannerConnectWindow.h"

namespace {

using Layout = Quirel_ProgressLayout;

// The live windows, so that a notification's sender is only taken for a window when it is one.
std::set<const Quirel_ProgressWindow*>& liveProgressWindows() {
  static std::set<const Quirel_ProgressWindow*> windows;
  return windows;
}

constexpr double kSideMargin = 20;
constexpr double kCancelWidth = 120;
constexpr double kCancelTop = 89;
constexpr double kRowHeight = 17;
constexpr double kDisclosureSide = 20;
constexpr double kStatusLabelWidth = 110;
constexpr const char* kPictureFolder = "quirel_r14";

std::string percentString(int value) { return fnd::stringWithFormat("%d%@", value, "%"); }

}  // namespace

Quirel_ProgressWindow::Quirel_ProgressWindow(fnd::NotificationCenter& center)
    : mCenter(center), mPLSobj(MES_LocalizerForBundle(Quirel_PVLocalizedBundle::askDataSource(center))) {
  liveProgressWindows().insert(this);
}

Quirel_ProgressWindow::~Quirel_ProgressWindow() {
  liveProgressWindows().erase(this);
  closeSilentTimeWindowMainThreadMode();
  closeScannerConnectWindowwMainThreadMode();
  releaseProgressWindowMainThread();
}

Quirel_ProgressWindow* Quirel_ProgressWindow::fromNotification(const fnd::Notification& notification) {
  const auto* window = static_cast<const Quirel_ProgressWindow*>(notification.sender);
  if (!window || !liveProgressWindows().count(window)) return nullptr;
  return const_cast<Quirel_ProgressWindow*>(window);
}

// --- settings ---------------------------------------------------------------------------------

fnd::SharedDictionary Quirel_ProgressWindow::getUIParameterDictionaryAtInitSettingData(
    const fnd::Dictionary* initSetting) {
  if (!initSetting) return nullptr;
  const fnd::Value& given = initSetting->get("Uthric");
  if (given.isDictionary()) return fnd::makeShared(given.toDictionary());
  // The named file, else the model's own file in the parameter folder, as the controller reads it.
  std::string path = initSetting->get("InitFile").isString() ? initSetting->get("InitFile").toString() : std::string();
  if (path.empty()) {
    const fnd::Value& folder = initSetting->get("InitPath");
    const fnd::Value& model = initSetting->get("Model");
    if (!folder.isString() || !model.isString()) return nullptr;
    path = folder.toString() + "PV" + model.toString() + ".xml";
  }
  fnd::PropertyList::Result read = fnd::PropertyList::readFile(path);
  if (!read.ok() || !read.value->isDictionary()) return nullptr;
  return fnd::makeShared(read.value->toDictionary());
}

void Quirel_ProgressWindow::setInitSettingMainThreadMode(const fnd::SharedDictionary& initSetting) {
  fnd::SharedDictionary parameters = getUIParameterDictionaryAtInitSettingData(initSetting.get());
  if (!parameters) return;
  const fnd::Value* scanner = parameters->find("ScannerInfo");
  if (!scanner || !scanner->isDictionary()) return;
  const fnd::Dictionary& info = scanner->toDictionary();
  layoutType = info.boolean("Ver1500Later") ? Layout::kNewerLayout : Layout::kOlderLayout;
  mVer16L = info.boolean("Ver1600Later");
  mVer17L = info.boolean("Ver1700Later");
  setResourcesBundlePath(info.string("ResourcesBundlePath"));
}

void Quirel_ProgressWindow::setResourcesBundlePath(const std::string&) {
  // The pictures always come from the library's own picture bundle.
  mResourcesBundlePath = fnd::Bundle::main().pathForResource(kPictureFolder, "bundle", "pictures");
}

// --- texts ------------------------------------------------------------------------------------

std::string Quirel_ProgressWindow::uiText(const std::string& key) const {
  if (key.empty()) return {};
  std::string text = mPLSobj.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? key : text;
}

std::string Quirel_ProgressWindow::messageText(std::int32_t number) const {
  const std::optional<std::string> bundle = mPLSobj.bundleStr();
  return MES_GetMessageStringAndInfomation(number, std::nullopt, bundle, nullptr, nullptr, nullptr);
}

kit::TextField* Quirel_ProgressWindow::addLabel(kit::View* parent, const fnd::Rect& frame, int alignment,
                                                const char* key, bool wrapping) {
  const std::string text = key ? uiText(key) : std::string();
  auto field = wrapping ? kit::TextField::wrappingLabelWithString(text, frame) : kit::TextField::labelWithString(text, frame);
  field->setEditable(false);
  field->setSelectable(false);
  field->setBezeled(false);
  field->setBordered(false);
  field->setDrawsBackground(false);
  field->setAlignment(static_cast<kit::TextAlignment>(alignment));
  return static_cast<kit::TextField*>(parent->addSubview(std::move(field)));
}

// --- building ---------------------------------------------------------------------------------

void Quirel_ProgressWindow::postProgressStatus() { mCenter.post(kProgressStatusPost, this); }

void Quirel_ProgressWindow::askMainWindow() {
  uimWindow = nullptr;
  mCenter.post(kSetMainWindowObjectPost, this);
}

void Quirel_ProgressWindow::createProgressWindowMainThreadMode() { createProgressWindowMainThread_NRT(); }

void Quirel_ProgressWindow::createProgressWindowMainThread_NRT() {
  // A second build replaces the first window whole.
  releaseProgressWindowMainThread();
  showFlg = false;
  DetailDisp = false;
  DetailSimpleDisp = true;
  WindowStatus = kStatusIdle;
  postProgressStatus();
  mdispMode = 0;
  mAttachEv = 0;
  mCancelEv = 0;
  mCancelStatus.reset();
  calibShowFlag = false;
  askMainWindow();
  freeCrops();
  mDisplayCopyGammaWhenRACS2 = false;
  mStartAnimationFlg = false;
  windowHSt = 0;
  if (mResourcesBundlePath.empty()) setResourcesBundlePath({});

  const double width = Layout::contentWidth(layoutType);
  pWindow = std::make_unique<kit::Window>(fnd::Rect(0, 0, width, 700), kit::kTitledWindowMask);
  pWindow->setTitle("Pictavo");
  pWindow->setHasShadow(true);
  pWindow->setReleasedWhenClosed(false);
  pWindow->setExcludedFromWindowsMenu(true);
  pWindow->setDelegate(this);
  auto main = std::make_unique<Quirel_MessageInfoView>(fnd::Rect(0, 0, width, 700));
  MainView = main.get();
  pWindow->setContentView(std::move(main));

  foldItem = kit::Image::named(layoutType == Layout::kNewerLayout ? "BT_FOLD" : "Folditem", kPictureFolder);
  spreadItem = kit::Image::named(layoutType == Layout::kNewerLayout ? "BT_SPREAD" : "Spreaditem", kPictureFolder);

  mMessageBoxHeight = Layout::kMessageBoxHeight;
  mInfoBoxHeight = Layout::kInfoBoxHeight;
  buildMessageBox(width);
  buildInfoBox(width, mMessageBoxHeight);
  buildDetailBox(width, mMessageBoxHeight + mInfoBoxHeight);
  mDetailHeight = setLayoutDetailView(0);
  windowHeight = Layout::unfoldedHeight(layoutType, mMessageBoxHeight, mInfoBoxHeight, mDetailHeight);
  windowMid = mMessageBoxHeight + mInfoBoxHeight;
  placeBoxes();
}

void Quirel_ProgressWindow::buildMessageBox(double width) {
  auto box = std::make_unique<Quirel_MessageInfoView>(fnd::Rect(0, 0, width, Layout::kMessageBoxHeight));
  MessageBox = static_cast<Quirel_MessageInfoView*>(MainView->addSubview(std::move(box)));
  const double inner = width - 2 * kSideMargin;
  const bool newer = layoutType == Layout::kNewerLayout;
  const double messageY = newer ? 14 : 12;
  for (kit::TextField** field : {&Message1, &Message2}) {
    auto text = kit::TextField::wrappingLabelWithString("", fnd::Rect(kSideMargin, messageY, inner, 34));
    *field = static_cast<kit::TextField*>(MessageBox->addSubview(std::move(text)));
  }
  Message2->setHidden(true);

  ProgressText = addLabel(MessageBox, fnd::Rect(kSideMargin, 48, inner, 18), static_cast<int>(kit::TextAlignment::Center),
                          nullptr);
  if (!newer) ProgressText->setFont(kit::Font::systemFont(14));
  ProgressText->setStringValue(percentString(0));
  ProgressText->setHidden(true);

  auto bar = std::make_unique<Quirel_NoFocusProgressIndicator>(fnd::Rect(kSideMargin, 70, inner, 12));
  bar->setStyle(kit::ProgressIndicatorStyle::Bar);
  bar->setIndeterminate(false);
  bar->setMinValue(0);
  bar->setMaxValue(100);
  bar->setDoubleValue(0);
  bar->setHidden(true);
  ProgressInd = static_cast<kit::ProgressIndicator*>(MessageBox->addSubview(std::move(bar)));

  auto cancel = std::make_unique<kit::Button>(
      fnd::Rect(std::floor((width - kCancelWidth) / 2), kCancelTop, kCancelWidth, newer ? 32 : 28));
  cancel->setBezelStyle(kit::BezelStyle::Rounded);
  cancel->setButtonType(kit::ButtonType::MomentaryPushIn);
  cancel->setTitle(uiText("IDMAC_CANCEL_BTN"));
  CancelButton = static_cast<kit::Button*>(MessageBox->addSubview(std::move(cancel)));
  CancelButton->setAction([this](kit::Control&) { cancelBTAction(); });
}

void Quirel_ProgressWindow::buildInfoBox(double width, double top) {
  auto box = std::make_unique<Quirel_MessageInfoView>(fnd::Rect(0, top, width, Layout::kInfoBoxHeight));
  InfoBox = static_cast<Quirel_MessageInfoView*>(MainView->addSubview(std::move(box)));
  auto separator = std::make_unique<kit::Box>(fnd::Rect(kSideMargin, 2, width - 2 * kSideMargin, 1));
  separator->setBoxType(kit::BoxType::Separator);
  Separator1 = static_cast<kit::Box*>(InfoBox->addSubview(std::move(separator)));

  const double valueX = kSideMargin + kStatusLabelWidth + 2;
  const double valueWidth = width - valueX - kSideMargin;
  const int left = static_cast<int>(kit::TextAlignment::Left);
  ScanStLabel = addLabel(InfoBox, fnd::Rect(kSideMargin, 12, kStatusLabelWidth, kRowHeight), left,
                         "IDC_PROGRESS_SCAN_CROP_STR");
  ScanStInfo = addLabel(InfoBox, fnd::Rect(valueX, 12, valueWidth, kRowHeight), left, nullptr);
  RemainTimeLabel = addLabel(InfoBox, fnd::Rect(kSideMargin, 34, kStatusLabelWidth, kRowHeight), left,
                             "IDC_PROGRESS_SCAN_CROP2_STR");
  RemainTimeInfoRect = fnd::Rect(valueX, 34, valueWidth, kRowHeight);
  RemainTimeProcRect = fnd::Rect(kSideMargin, 34, width - 2 * kSideMargin, kRowHeight);
  RemainTimeInfo = addLabel(InfoBox, RemainTimeInfoRect, left, nullptr);

  auto disclosure = std::make_unique<kit::Button>(fnd::Rect(kSideMargin, 60, kDisclosureSide, kDisclosureSide));
  disclosure->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  disclosure->setButtonType(kit::ButtonType::MomentaryPushIn);
  disclosure->setBordered(false);
  disclosure->setState(0);
  disclosure->setImagePosition(kit::ImagePosition::ImageLeft);
  disclosure->setImage(spreadItem);
  DisclosereButton = static_cast<kit::Button*>(InfoBox->addSubview(std::move(disclosure)));
  DisclosereButton->setAction([this](kit::Control&) {
    // The press flips the state of the triangle, then the window follows it.
    DisclosereButton->setState(DisclosereButton->state() ? 0 : 1);
    DisclosereBTAction();
  });
  DetailInfoLabel = addLabel(InfoBox, fnd::Rect(kSideMargin + kDisclosureSide + 4, 62, 240, kRowHeight), left,
                             "IDC_PROGRESS_INFORMATION_STR");
}

void Quirel_ProgressWindow::buildDetailBox(double width, double top) {
  auto box = std::make_unique<Quirel_MessageInfoView>(fnd::Rect(0, top, width, 100));
  DetailBox = static_cast<Quirel_MessageInfoView*>(MainView->addSubview(std::move(box)));
  auto separator = std::make_unique<kit::Box>(fnd::Rect(kSideMargin, 2, width - 2 * kSideMargin, 1));
  separator->setBoxType(kit::BoxType::Separator);
  Separator2 = static_cast<kit::Box*>(DetailBox->addSubview(std::move(separator)));
  auto view = std::make_unique<Quirel_MessageInfoView>(fnd::Rect(0, 8, width, 100));
  DetailView = static_cast<Quirel_MessageInfoView*>(DetailBox->addSubview(std::move(view)));

  static constexpr const char* kLabelKeys[kDetailRows] = {
      "IDC_PGADV_SOURCE_LABEL_STR",     "IDC_PGADV_COLOR_LABEL_STR",     "IDC_OUTPUT_RES_LABEL_STR",
      "IDC_INFODLG_AUTODOCFIX_TXT_STR", "IDC_PGADV_AUTOTONE_TXT_STR",    "IDC_PGADV_COPYGAMMA_TXT_STR",
      "IDC_PGADV_UNSHARP_TXT_STR",      "IDC_PGADV_DESCREEN_TXT_STR",    "IDC_PGADV_REDUCEDUST_TXT_STR",
      "IDC_PGADV_REDUCEDUST_TXT_STR",   "IDC_PGADV_REMOVEDUST_TXT_STR",  "IDC_PGADV_FADINGCORRECT_TXT_STR",
      "IDC_PGADV_GRAINCORRECT_TXT_STR", "IDC_PGADV_BACKLIGHT_TXT_STR",   "IDC_PGADV_CUBS_TXT_STR"};
  const double column = Layout::detailColumnWidth(layoutType);
  for (int i = 0; i < kDetailRows; ++i) {
    mDetailLabels[i] = addLabel(DetailView, fnd::Rect(Layout::kDetailLabelX, 0, column, 16),
                                static_cast<int>(kit::TextAlignment::Left), kLabelKeys[i], true);
    mDetailValues[i] = addLabel(DetailView, fnd::Rect(Layout::kDetailLabelX + column + 2, 0, column, 16),
                                static_cast<int>(kit::TextAlignment::Left), nullptr, true);
  }
}

void Quirel_ProgressWindow::placeBoxes(bool showing) {
  if (!pWindow) return;
  const double width = Layout::contentWidth(layoutType);
  MessageBox->setFrame(fnd::Rect(0, 0, width, mMessageBoxHeight));
  InfoBox->setFrame(fnd::Rect(0, mMessageBoxHeight, width, mInfoBoxHeight));
  DetailBox->setFrame(fnd::Rect(0, mMessageBoxHeight + mInfoBoxHeight, width, mDetailHeight + 32));
  DetailView->setFrame(fnd::Rect(0, 8, width, mDetailHeight));
  if (!showing) return;
  InfoBox->setHidden(!DetailDisp);
  DetailBox->setHidden(!(DetailDisp && DetailSimpleDisp && DisclosereButton->state() == 1));
}

void Quirel_ProgressWindow::resizeKeepingTop(double contentHeight, bool animate) {
  if (!pWindow) return;
  const fnd::Rect content = pWindow->contentRectForFrameRect(pWindow->frame());
  const double newHeight = contentHeight * mUserSpaceScaleFactor;
  const fnd::Rect moved(content.origin.x, content.origin.y + std::trunc(content.size.height - newHeight),
                        content.size.width, newHeight);
  pWindow->setFrame(pWindow->frameRectForContentRect(moved), true, animate);
}

// --- show, close, release ---------------------------------------------------------------------

void Quirel_ProgressWindow::showProgressWindowMainThreadMode() { showProgressWindowMainThread_NRT(); }

void Quirel_ProgressWindow::showProgressWindowMainThread_NRT() {
  if (!pWindow) return;
  if (showFlg) {
    pWindow->orderFront();
    return;
  }
  if (uimWindow) {
    const fnd::Rect main = uimWindow->frame();
    fnd::Rect frame = pWindow->frame();
    frame.origin.x = std::trunc(main.midX() - frame.size.width / 2);
    frame.origin.y = std::trunc(main.midY() - frame.size.height / 2);
    pWindow->setFrame(Quirel_DisplayManager().getAdjustmentWindowFrame(frame, frame.size), false);
    WindowStatus = kStatusShown;
  } else {
    pWindow->center();
  }
  pWindow->setOpaque(true);
  pWindow->makeKeyAndOrderFront();
  showFlg = true;
}

void Quirel_ProgressWindow::activateProgressWindowMainThreadMode() {
  if (WindowStatus == kStatusCancelled) return;
  activateProgressWindowMainThread_NRT();
}

void Quirel_ProgressWindow::activateProgressWindowMainThread_NRT() {
  if (!pWindow || WindowStatus == kStatusCancelled) return;
  pWindow->makeKeyAndOrderFront();
}

void Quirel_ProgressWindow::closeProgressWindowMainThreadMode() {
  if (showFlg && pWindow) {
    if (WindowStatus == kStatusShown) WindowStatus = kStatusIdle;
    pWindow->close();
    showFlg = false;
  }
  releaseProgressWindowMainThread();
}

void Quirel_ProgressWindow::freeCrops() {
  for (CropSetting*& crop : mCropSetting) {
    std::free(crop);
    crop = nullptr;
  }
  mCropCount = 0;
}

void Quirel_ProgressWindow::releaseViews() {
  MainView = MessageBox = InfoBox = DetailBox = DetailView = nullptr;
  Message1 = Message2 = ProgressText = ScanStLabel = ScanStInfo = RemainTimeLabel = RemainTimeInfo = DetailInfoLabel =
      nullptr;
  ProgressInd = nullptr;
  CancelButton = DisclosereButton = nullptr;
  Separator1 = Separator2 = nullptr;
  mDetailLabels.fill(nullptr);
  mDetailValues.fill(nullptr);
}

void Quirel_ProgressWindow::releaseProgressWindowMainThread() {
  freeCrops();
  // A calibration window hangs on the progress window as its child; it goes first.
  if (calibProcWindow) closeCalibrationProcWindowMainThread_NRT();
  if (pWindow) {
    if (mStartAnimationFlg && ProgressInd) ProgressInd->stopAnimation();
    mStartAnimationFlg = false;
    pWindow->setDelegate(nullptr);
    if (pWindow->isVisible()) pWindow->orderOut();
    pWindow.reset();
  }
  releaseViews();
  showFlg = false;
  WindowStatus = kStatusIdle;
}

// --- percentage, remaining time, message field -----------------------------------------------

void Quirel_ProgressWindow::setPercentageMainThreadMode(std::int16_t percent) {
  if (WindowStatus == kStatusCancelled) return;
  setPercentageMainThread_NRT(percent);
}

void Quirel_ProgressWindow::setPercentageMainThread_NRT(std::int16_t percent) {
  if (!ProgressInd) return;
  if (!Quirel_ProgressDisplayRules::percentageMovesBar(!ProgressInd->isHidden(), ProgressInd->doubleValue(), percent))
    return;
  ProgressText->setStringValue(percentString(percent));
  ProgressInd->setDoubleValue(percent);
}

void Quirel_ProgressWindow::setEstimatedRemainingTimeMainThreadMode(std::int32_t minutes) {
  if (WindowStatus == kStatusCancelled) return;
  fnd::Dictionary info;
  info.set("keyEstTimeVal", minutes);
  setEstimatedRemainingTimeMainThread_NRT(info);
}

void Quirel_ProgressWindow::setEstimatedRemainingTimeMainThread_NRT(const fnd::Dictionary& info) {
  if (!RemainTimeInfo) return;
  const Quirel_ProgressDisplayRules::RemainingTime rule =
      Quirel_ProgressDisplayRules::remainingTime(static_cast<std::int32_t>(info.integer("keyEstTimeVal")));
  // The texts take the minutes as their only placeholder, filled literally.
  RemainTimeInfo->setStringValue(MES_FillPlaceholders(uiText(rule.key), fnd::Array{fnd::Value(rule.minutes)}));
  RemainTimeLabel->setHidden(!rule.labelShown);
  RemainTimeInfo->setFrame(rule.labelShown ? RemainTimeInfoRect : RemainTimeProcRect);
}

void Quirel_ProgressWindow::setMessageFieldInfoMainThreadMode(std::int32_t messageNumber,
                                                              const std::optional<std::string>& format,
                                                              const std::vector<std::int32_t>& numbers) {
  if (WindowStatus == kStatusCancelled) return;
  if (layoutType == Layout::kNewerLayout && messageNumber == 1317) {
    auto info = fnd::makeShared(fnd::Dictionary{{"MessageID", 1321},
                                                {"ProgressBar", true},
                                                {"CancelButton", false},
                                                {"DetailInfo", true},
                                                {"DetailInfoSimple", 1}});
    setInformationDataMainThreadMode(info.get());
    const auto number = [&numbers](std::size_t i) {
      return static_cast<std::int16_t>(i < numbers.size() ? numbers[i] : 0);
    };
    setScanningInfoMainThreadMode(number(0), number(1), 1);
    return;
  }
  std::string text = messageText(messageNumber);
  if (format) {
    // The catalogue text is the format; its known placeholders take the numbers literally, and
    // anything else in it ("%n", a placeholder left without a number) is shown as written.
    fnd::Array args;
    for (std::int32_t n : numbers) args.push_back(n);
    text = MES_FillPlaceholders(text, args);
  }
  setMessageFieldInfoMainThread_NRT(text);
}

void Quirel_ProgressWindow::setMessageFieldInfoMainThread_NRT(const std::string& text) {
  if (!Message1) return;
  Message1->setHidden(true);
  Message2->setHidden(false);
  Message2->setStringValue(text);
}

// --- Cancel and the mouse-down hook -------------------------------------------------------------

void Quirel_ProgressWindow::attachMousedownEventMainThreadMode(
    const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  mCancelStatus = status;
  if (status) status->setCancelNum(0);
  mAttachEv = 1;
  if (mCancelEv > 0 && status) status->setCancelNum(1);
}

void Quirel_ProgressWindow::cancelBTAction() {
  WindowStatus = kStatusCancelled;
  postProgressStatus();
  if (mAttachEv) {
    mCancelEv = 1;
    if (mCancelStatus) mCancelStatus->setCancelNum(1);
    return;
  }
  Quirel_PostNotification(mCenter).postExternalNotificationName(kCancelScan, this, nullptr);
  if (CancelButton) CancelButton->setEnabled(false);
}

void Quirel_ProgressWindow::cancelPost() {
  postProgressStatus();
  Quirel_PostNotification(mCenter).postExternalNotificationName(kCancelScan, this, nullptr);
}

// --- disclosure and level -----------------------------------------------------------------------

void Quirel_ProgressWindow::DisclosereBTAction() {
  if (!DisclosereButton) return;
  if (DisclosereButton->state() == 1) {
    DisclosereButton->setImage(foldItem);
    windowHSt = Layout::kStateUnfolded;
    placeBoxes();
    resizeKeepingTop(windowHeight, true);
  } else {
    DisclosereButton->setImage(spreadItem);
    windowHSt = Layout::kStateFolded;
    placeBoxes();
    resizeKeepingTop(layoutType == Layout::kNewerLayout ? windowMid + 22 : 244, true);
  }
}

void Quirel_ProgressWindow::windowDidBecomeKey(kit::Window& window) {
  const int level = uimWindow ? uimWindow->level() + kLevelAboveMain : kWaitLevel;
  if (window.level() != level) window.setLevel(level);
}

void Quirel_ProgressWindow::windowDidUpdate(kit::Window& window) { windowDidBecomeKey(window); }

kit::View* Quirel_ProgressWindow::messageBox() const { return MessageBox; }
kit::View* Quirel_ProgressWindow::infoBox() const { return InfoBox; }
