#include "ui/windows/CloseSavePathtDialog.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "foundation/Paths.h"
#include "kit/Application.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/windows/AfterScanWindowLevels.h"

namespace {

constexpr double kSpGap = 10;
constexpr double kSpButtonHeight = 32;

std::unique_ptr<kit::TextField> savePathLabel(const std::string& text, double x, double y, double width) {
  auto field = kit::TextField::wrappingLabelWithString(text, fnd::Rect(x, y, width, 100));
  field->setFrame(fnd::Rect(x, y, width, std::ceil(field->heightForWidth(width))));
  return field;
}

// `path` with links resolved as far as it exists.
std::filesystem::path savePathResolved(const std::string& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? std::filesystem::path(path).lexically_normal() : resolved;
}

}  // namespace

Quirel_CloseSavePathtDialog::Quirel_CloseSavePathtDialog(fnd::NotificationCenter& center) : mCenter(center) {
  mCenter.addObserver(this, kMousedownPost, nullptr, [this](const fnd::Notification& n) {
    if (!n.userInfo) return;
    if (const fnd::Value* v = n.userInfo->find("pCancelSts"))
      closeSelectMousedownEvent2(v->toObject<Quirel_progressCancelStatus>());
  });
}

Quirel_CloseSavePathtDialog::~Quirel_CloseSavePathtDialog() {
  mCenter.removeObserver(this);
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->setStopEvent(true);
    mWindow->orderOut();
  }
}

std::string Quirel_CloseSavePathtDialog::text(const char* key, const char* table) const {
  const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(mBundleStr));
  std::string value = strings.ls_localizedStringForKey(key, table).value_or(key);
  return value == Quirel_PVLocalizedString::kNone ? std::string(key) : value;
}

std::string Quirel_CloseSavePathtDialog::displayNameAtPicturesDirectory() {
  const std::filesystem::path pictures = savePathResolved(fnd::Paths::picturesDir());
  std::string name = pictures.filename().string();
  if (name.empty()) name = pictures.parent_path().filename().string();  // given with a trailing "/"
  return name;
}

std::string Quirel_CloseSavePathtDialog::displaySavePath(const std::string& given) {
  std::string path = given;
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  if (path.empty()) return path;
  const std::filesystem::path resolved = savePathResolved(path);
  const std::filesystem::path pictures = savePathResolved(fnd::Paths::picturesDir());
  auto p = resolved.begin();
  for (auto q = pictures.begin(); q != pictures.end(); ++q, ++p) {
    if (q->empty()) break;  // a trailing "/"
    if (p == resolved.end() || *p != *q) return path;
  }
  std::string shown = displayNameAtPicturesDirectory();
  for (; p != resolved.end(); ++p) {
    if (p->empty()) continue;
    shown += "/" + p->string();
  }
  return shown;
}

void Quirel_CloseSavePathtDialog::createDialog() {
  if (mWindow) return;
  mBundleStr = Quirel_PVLocalizedBundle::askWindowController(this, mCenter);
  mWindow = std::make_unique<Quirel_CloseSelectWindow>(fnd::Rect(400, 200, kWidth, 400), kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setTitle(text("IDD_ASK_TEMPLATE_STR", "UserInterface"));
  mWindow->setLevel(kLevel);
  mWindow->setDelegate(this);
  kit::View* content = mWindow->contentView();

  auto ok = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(175, 5, 100, kSpButtonHeight));
  ok->setBezelStyle(kit::BezelStyle::Rounded);
  ok->setButtonType(kit::ButtonType::MomentaryPushIn);
  ok->setTitle(text("IDMAC_OK_BTN", "UserInterface"));
  ok->setTarget(this, &Quirel_CloseSavePathtDialog::clickOkBtnAction);
  mOkBtn = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(ok)));
  double y = 5 + kSpButtonHeight + kSpGap;

  auto separator = std::make_unique<kit::Box>(fnd::Rect(10, y, 430, 5));
  separator->setBoxType(kit::BoxType::Separator);
  mSeparator = static_cast<kit::Box*>(content->addSubview(std::move(separator)));
  y += 5 + kSpGap;

  auto check = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, y, 430, 25));
  check->setButtonType(kit::ButtonType::Switch);
  check->setTitle(text("IDC_AUTOCLOSE_CHECK_STR", "UserInterface"));
  check->setState(0);
  mCheckBox = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(check)));
  y += 25 + kSpGap;

  auto explain = savePathLabel(text("PVTO_SAVED_FOLDER_DIALOG2", "PictavoTrivo"), 10, y, 430);
  y += explain->frame().size.height + kSpGap;
  mExplainTextF = static_cast<kit::TextField*>(content->addSubview(std::move(explain)));

  std::string savePath = mPreferenceInfo ? mPreferenceInfo->getSavePath().value_or("") : "";
  auto folder = savePathLabel(displaySavePath(savePath), 27, y, 413);
  folder->setLineBreakMode(kit::LineBreakMode::CharWrapping);
  folder->setFrame(fnd::Rect(27, y, 413, std::ceil(folder->heightForWidth(413))));
  if (savePath.size() > 1 && savePath.back() == '/') savePath.pop_back();
  folder->setToolTip(savePath);
  y += folder->frame().size.height + kSpGap;
  mSavePathStr = static_cast<kit::TextField*>(content->addSubview(std::move(folder)));

  auto heading = savePathLabel(text("PVTO_SAVED_FOLDER_DIALOG", "PictavoTrivo"), 10, y, 430);
  y += heading->frame().size.height + kSpGap;
  mTitleTextF = static_cast<kit::TextField*>(content->addSubview(std::move(heading)));

  mWindow->setContentSize(fnd::Size(kWidth, y));

  mCenter.addObserver(this, "appBecomeActiveFromMainPost", nullptr,
                      [this](const fnd::Notification&) { appBecomeActiveFromMain(); });
  mCenter.addObserver(this, "appResignActiveFromMainPost", nullptr,
                      [this](const fnd::Notification&) { appResignActiveFromMain(); });
}

void Quirel_CloseSavePathtDialog::showDialog(kit::Window* parent) {
  mDisplayModal = false;
  mParentWindow = parent;
  if (!mWindow || mWindow->isVisible()) return;
  Quirel_AfterScanWindowLevels::placeAndShow(*mWindow, Quirel_AfterScanWindowLevels::centredOn(mWindow->frame(), parent),
                                             mOkBtn);
}

std::int32_t Quirel_CloseSavePathtDialog::showModalDialog(kit::Window* parent) {
  mDisplayModal = true;
  mParentWindow = parent;
  if (!mWindow) return 1;
  mWindow->setDefaultButton(mOkBtn);
  kit::Application::shared().runModalForWindow(*mWindow);
  return 1;
}

void Quirel_CloseSavePathtDialog::closeDialog() {
  if (mWindow) {
    mWindow->setStopEvent(true);
    if (!mDisplayModal && mWindow->isVisible()) {
      kit::Application::shared().discardEventsMatchingMask(kit::kAnyEventMask, mWindow.get());
      mWindow->close();
    }
  }
  mCenter.removeObserver(this);
}

bool Quirel_CloseSavePathtDialog::isChecked() const { return mCheckBox && mCheckBox->state() != 0; }

void Quirel_CloseSavePathtDialog::closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (!status) return;
  status->setCancelNum(0);
  mAttachEv = 1;
  if (mCancelEv > 0) status->setCancelNum(1);
}

void Quirel_CloseSavePathtDialog::clickOkBtnAction(kit::Control*) { clickOkBtn(); }

void Quirel_CloseSavePathtDialog::clickOkBtn() {
  if (mDisplayModal) {
    kit::Application::shared().stopModal();
    if (mWindow) mWindow->orderOut();
    return;
  }
  if (mAttachEv != 0) {
    mCancelEv = 1;
    return;
  }
  if (mWindow) mWindow->setStopEvent(true);
  Quirel_PostNotification(mCenter).postExternalNotificationName(kClickPost, mUIMObject ? mUIMObject : this,
                                                                fnd::makeShared(fnd::Dictionary{}));
}

void Quirel_CloseSavePathtDialog::levelForActivity(kit::Window& window) {
  Quirel_AfterScanWindowLevels::levelForActivity(window, mParentWindow, 3, kLevel);
}

void Quirel_CloseSavePathtDialog::windowDidBecomeKey(kit::Window& window) { levelForActivity(window); }

void Quirel_CloseSavePathtDialog::windowDidUpdate(kit::Window& window) { levelForActivity(window); }

void Quirel_CloseSavePathtDialog::appBecomeActiveFromMain() {
  Quirel_AfterScanWindowLevels::comeForward(mWindow.get(), mParentWindow, 3, kLevel);
}

void Quirel_CloseSavePathtDialog::appResignActiveFromMain() { Quirel_AfterScanWindowLevels::stepBack(mWindow.get()); }
