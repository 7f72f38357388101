#include "ui/settings/ScannerTestDialog.h"

#include <cmath>

#include "foundation/RunLoop.h"
#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"

namespace {
std::vector<std::string> testDialogLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

int testDialogInt(const fnd::Dictionary& info, const char* key) {
  const fnd::Value* v = info.find(key);
  return v ? v->toInt() : 0;
}
}  // namespace

Quirel_ScannerTestDialog::Quirel_ScannerTestDialog(const Quirel_UIScannerInfo* scannerInfo, const void* twainObject)
    : kit::Window(fnd::Rect(400, 200, 360, 150), kit::kTitledWindowMask) {
  const bool v15 = scannerInfo && scannerInfo->isVer1500Later();
  const bool v17 = scannerInfo && scannerInfo->isVer1700Later();
  const std::string name = scannerInfo ? scannerInfo->scannerName().value_or("") : "";
  mBundleStr = Quirel_PVLocalizedBundle::askWindowController(this);

  setReleasedWhenClosed(false);
  setDelegate(this);
  setLevel(kLevel);
  setTitle(uiText("IDD_ON_SELF_TEST_STR"));
  kit::View* content = contentView();

  auto title = kit::TextField::wrappingLabelWithString(
      fnd::formatString(uiText("IDS_DIAGSMSG_STR"), fnd::Array{fnd::Value(name)}), fnd::Rect(5, 110, 350, 30));
  mTitleTxtF = static_cast<kit::TextField*>(content->addSubview(std::move(title)));

  auto scroll = std::make_unique<kit::ScrollView>(fnd::Rect(5, 40, 350, 80));
  scroll->setHasVerticalScroller(true);
  scroll->setBorderType(kit::BorderType::BezelBorder);
  auto message = std::make_unique<Quirel_NoFocusTextField>(fnd::Rect(10, 0, kFieldWidth, 78));
  message->makeLabel();
  message->setUsesSingleLineMode(false);
  message->setLineBreakMode(kit::LineBreakMode::WordWrapping);
  mMsgTxtF = message.get();
  scroll->setDocumentView(std::move(message));
  mScrollView = static_cast<kit::ScrollView*>(content->addSubview(std::move(scroll)));

  auto button = [&](double x, const std::string& titleText, void (Quirel_ScannerTestDialog::*action)()) {
    auto b = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(x, 3, 100, 32));
    b->setBezelStyle(kit::BezelStyle::Rounded);
    b->setButtonType(kit::ButtonType::MomentaryPushIn);
    b->setIgnoresMultipleClicks(true);
    b->setTitle(titleText);
    b->setAction([this, action](kit::Control&) { (this->*action)(); });
    return static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(b)));
  };
  const bool newTitles = v15 && !v17;
  mStartBtn = button(160, uiText(newTitles ? "SELFTESTDLG_START_BTN_1500" : "IDD_ON_SELF_TEST_OK_STR"),
                     &Quirel_ScannerTestDialog::clickStartBtn);
  mCloseBtn = button(260, uiText(newTitles ? "SELFTESTDLG_CLOSE_BTN_1500" : "IDC_MAINSHEET_CLOSE_STR"),
                     &Quirel_ScannerTestDialog::clickCloseBtn);

  auto& center = fnd::NotificationCenter::defaultCenter();
  if (twainObject) {
    mTokens.push_back(center.observe("DisplayScannerTestStatusPost", twainObject,
                                     [this](const fnd::Notification& n) { displayScannerTestStatus(n); }));
    mTokens.push_back(center.observe("EndScannerTestPost", twainObject,
                                     [this](const fnd::Notification& n) { endScannerTest(n); }));
  }
  // A test cut short by the application's end has not passed.
  mTokens.push_back(center.observe(kit::Application::kWillTerminateNotification, nullptr,
                                   [this](const fnd::Notification&) {
                                     if (mTesting) testEnded(true);
                                   }));
}

Quirel_ScannerTestDialog::~Quirel_ScannerTestDialog() {
  *mAlive = false;
  mTokens.clear();
  mUIMTokens.clear();
  setDelegate(nullptr);
}

std::string Quirel_ScannerTestDialog::uiText(const std::string& key) const {
  const Quirel_PVLocalizedString strings(mBundleStr);
  std::string text = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? key : text;
}

void Quirel_ScannerTestDialog::setUIMObject(const void* uimObject) {
  mUIMObject = uimObject;
  mUIMTokens.clear();
  if (!uimObject) return;
  auto& center = fnd::NotificationCenter::defaultCenter();
  mUIMTokens.push_back(center.observe("DisplayScannerTestStatusInnerPost", uimObject,
                                      [this](const fnd::Notification& n) { displayScannerTestStatus(n); }));
  mUIMTokens.push_back(center.observe("EndScannerTestInnerPost", uimObject,
                                      [this](const fnd::Notification& n) { endScannerTest(n); }));
}

int Quirel_ScannerTestDialog::runModal() {
  mError = 0;
  const int code = kit::Application::shared().runModalForWindow(*this);
  mTesting = false;
  close();
  return code == 0 || code == 1 ? code : mError;
}

void Quirel_ScannerTestDialog::clickStartBtn() {
  mStartBtn->setEnabled(false);
  mCloseBtn->setEnabled(false);
  setMessageTextField(uiText("IDS_TESTING"));
  mError = 0;
  mTesting = true;
  const int run = ++mRun;
  std::weak_ptr<bool> alive = mAlive;
  fnd::RunLoop::main().performAfterDelay(
      0.1,
      [this, alive] {
        if (alive.lock() && *alive.lock()) clickStartBtnPerformSelector();
      },
      fnd::ModeSet(fnd::RunLoopMode::Default) | fnd::RunLoopMode::ModalPanel);
  // Every wait ends: no end report within the limit fails the test.
  auto expire = [this, alive, run] {
    const auto still = alive.lock();
    if (still && *still && mTesting && mRun == run) testEnded(true);
  };
  if (mScheduler)
    mScheduler(kTimeLimitSeconds, expire);
  else
    fnd::RunLoop::main().performAfterDelay(kTimeLimitSeconds, expire, fnd::ModeSet::common());
}

void Quirel_ScannerTestDialog::clickStartBtnPerformSelector() {
  Quirel_PostNotification().postExternalNotificationName("ExecuteScannerTestPost", mUIMObject ? mUIMObject : this,
                                                         nullptr);
}

void Quirel_ScannerTestDialog::clickCloseBtn() { kit::Application::shared().stopModalWithCode(mError); }

void Quirel_ScannerTestDialog::displayScannerTestStatus(const fnd::Notification& notification) {
  const fnd::Dictionary* info = notification.userInfo.get();
  if (!info) return;
  setMessageTextField(getMessageString(*info));
  if (info->contains("TestStatus") && testDialogInt(*info, "TestStatus") != kPassed) mError = 1;
}

void Quirel_ScannerTestDialog::endScannerTest(const fnd::Notification& notification) {
  const fnd::Dictionary* info = notification.userInfo.get();
  bool failed = mError != 0;
  if (info && info->contains("TestStatus")) {
    setMessageTextField(getMessageString(*info));
    if (testDialogInt(*info, "TestStatus") != kPassed) failed = true;
  }
  testEnded(failed);
}

void Quirel_ScannerTestDialog::testEnded(bool failed) {
  if (failed) mError = 1;
  if (mTesting && failed && mMsgTxtF->stringValue() == uiText("IDS_TESTING"))
    setMessageTextField(uiText("IDS_TEST_NO_END"));
  mTesting = false;
  mStartBtn->setEnabled(mError == 0);
  mCloseBtn->setEnabled(true);
}

std::string Quirel_ScannerTestDialog::getMessageString(const fnd::Dictionary& info) const {
  const int status = testDialogInt(info, "TestStatus");
  const std::string text = MES_GetMessageStringAndInfomation(
      status, std::nullopt, mBundleStr.empty() ? std::nullopt : std::optional<std::string>(mBundleStr), nullptr,
      nullptr, nullptr);
  const int n1 = testDialogInt(info, "Number1");
  const int n2 = testDialogInt(info, "Number2");
  const int n3 = testDialogInt(info, "Number3");
  if (n1 == 0 && n2 == 0 && n3 == 0) return text;
  return fnd::formatString("%@\r\r(%d.%d.%d)", fnd::Array{fnd::Value(text), fnd::Value(n1), fnd::Value(n2), fnd::Value(n3)});
}

double Quirel_ScannerTestDialog::messageFieldHeight(const std::vector<double>& lineWidths) {
  double rows = 0;
  for (double w : lineWidths) rows += std::max(1.0, std::floor(w / kFieldWidth));
  return std::max(kMinFieldHeight, kLineHeight * rows + kLineHeight);
}

void Quirel_ScannerTestDialog::setMessageTextField(const std::string& text) {
  double height = kMinFieldHeight;
  if (!text.empty()) {
    std::vector<double> widths;
    for (const std::string& line : testDialogLines(text)) widths.push_back(mMsgTxtF->font().widthOfString(line));
    height = messageFieldHeight(widths);
  }
  mMsgTxtF->setFrame(fnd::Rect(10, 0, kFieldWidth, height));
  mMsgTxtF->setStringValue(text);
  // Show the start of the text (the document's top lies at its height, y up).
  const double visible = mScrollView->documentVisibleRect().size.height;
  mScrollView->scrollToPoint(fnd::Point(0, std::max(0.0, height - visible)));
}

void Quirel_ScannerTestDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.isVisible() && window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_ScannerTestDialog::windowDidUpdate(kit::Window& window) {
  if (window.isVisible() && window.level() != kLevel) window.setLevel(kLevel);
}
