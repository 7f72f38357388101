#include "ui/windows/ScanResultDialog.h"

#include <filesystem>
#include <system_error>

#include "kit/Application.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/windows/AfterScanWindowLevels.h"

namespace {

constexpr double kScanResultWidth = 500;
constexpr double kScanResultHeight = 240;
constexpr double kScanResultTopGap = 30;

}  // namespace

Quirel_ScanResultDialog::Quirel_ScanResultDialog(fnd::NotificationCenter& center) : mCenter(center) {
  mCenter.addObserver(this, kMousedownPost, nullptr, [this](const fnd::Notification& n) {
    if (!n.userInfo) return;
    if (const fnd::Value* v = n.userInfo->find("pCancelSts"))
      scanResultMousedownEvent2(v->toObject<Quirel_progressCancelStatus>());
  });
}

Quirel_ScanResultDialog::~Quirel_ScanResultDialog() {
  mCenter.removeObserver(this);
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->setStopEvent(true);
    mWindow->orderOut();
  }
}

std::string Quirel_ScanResultDialog::uiText(const char* key) const {
  const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(mBundleStr));
  std::string text = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? std::string(key) : text;
}

void Quirel_ScanResultDialog::createDialog() {
  if (mWindow) return;
  mBundleStr = Quirel_PVLocalizedBundle::askWindowController(this, mCenter);

  mWindow = std::make_unique<Quirel_ScanResultWindow>(fnd::Rect(400, 200, kScanResultWidth, kScanResultHeight),
                                                      kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setTitle(uiText("IDD_SCAN_RESULT_STR"));
  mWindow->setLevel(kLevel);
  mWindow->setDelegate(this);
  kit::View* content = mWindow->contentView();

  auto heading = std::make_unique<kit::TextField>(fnd::Rect(10, 210, 480, 20));
  heading->setDrawsBackground(false);
  heading->setBezeled(false);
  heading->setEditable(false);
  heading->setSelectable(false);
  heading->setStringValue(uiText("IDC_LIST_TITLE_STR"));
  mTextField = static_cast<kit::TextField*>(content->addSubview(std::move(heading)));

  auto scroll = std::make_unique<kit::ScrollView>(fnd::Rect(10, 45, 480, 160));
  scroll->setHasHorizontalScroller(true);
  scroll->setHasVerticalScroller(false);
  scroll->setBorderType(kit::BorderType::BezelBorder);
  scroll->setAutoresizingMask(kit::kViewWidthSizable);
  scroll->setHorizontalLineScroll(kItemPitch);
  auto clip = std::make_unique<kit::ClipView>(fnd::Rect(0, 0, 400, 160));
  auto document = std::make_unique<kit::View>(fnd::Rect(0, 0, 400, 160));
  document->setAutoresizingMask(kit::kViewMinXMargin | kit::kViewMinYMargin);
  mDocumentView = document.get();
  clip->setDocumentView(std::move(document));
  mClipView = clip.get();
  scroll->setContentView(std::move(clip));
  mScrollView = static_cast<kit::ScrollView*>(content->addSubview(std::move(scroll)));

  auto separator = std::make_unique<kit::Box>(fnd::Rect(5, 35, 490, 5));
  separator->setBoxType(kit::BoxType::Separator);
  mSeparator = static_cast<kit::Box*>(content->addSubview(std::move(separator)));

  auto close = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(380, 2, 120, 32));
  close->setBezelStyle(kit::BezelStyle::Rounded);
  close->setButtonType(kit::ButtonType::MomentaryPushIn);
  close->setTitle(uiText("IDC_MAINSHEET_CLOSE_STR"));
  close->setEnabled(false);
  close->setTarget(this, &Quirel_ScanResultDialog::clickCloseBtnAction);
  mCloseBtn = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(close)));

  mCenter.addObserver(this, "appBecomeActiveFromMainPost", nullptr,
                      [this](const fnd::Notification&) { appBecomeActiveFromMain(); });
  mCenter.addObserver(this, "appResignActiveFromMainPost", nullptr,
                      [this](const fnd::Notification&) { appResignActiveFromMain(); });
}

void Quirel_ScanResultDialog::showDialog(kit::Window* parent) {
  mParentWindow = parent;
  if (!mWindow || mWindow->isVisible()) return;
  fnd::Rect frame = mWindow->frame();
  if (parent) {
    const fnd::Rect p = parent->frame();
    frame.origin.x = p.origin.x + (p.size.width - frame.size.width) / 2;
    frame.origin.y = p.origin.y + p.size.height - frame.size.height - kScanResultTopGap;
  }
  Quirel_AfterScanWindowLevels::placeAndShow(*mWindow, frame, mCloseBtn);
  mCenter.post(kShowStatusPost, this);
}

bool Quirel_ScanResultDialog::isInsideFolders(const std::string& path, const std::vector<std::string>& folders) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file = fs::weakly_canonical(fs::path(path), error);
  if (error || file.empty()) return false;
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    std::error_code folderError;
    const fs::path root = fs::weakly_canonical(fs::path(folder), folderError);
    if (folderError || root.empty()) continue;
    // Compared element by element, so "/tmp/x" is not inside "/tm".
    auto f = file.begin();
    bool inside = true;
    for (auto r = root.begin(); r != root.end(); ++r) {
      if (r->empty()) continue;  // a trailing slash
      if (f == file.end() || *f != *r) {
        inside = false;
        break;
      }
      ++f;
    }
    if (inside && f != file.end()) return true;
  }
  return false;
}

void Quirel_ScanResultDialog::addImage(const std::string& path, std::int32_t erase) {
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return;
  const kit::Image image = kit::Image::fromFile(path);
  if (image.isValid()) addImageObject(image);
  if (erase == 1) {
    // Only the data source's own temporary files go; anything else stays where it is.
    if (isInsideFolders(path, mTemporaryFolders)) std::filesystem::remove(path, error);
  }
}

void Quirel_ScanResultDialog::addImageObject(const kit::Image& image) {
  if (!mDocumentView) return;
  const std::int32_t n = static_cast<std::int32_t>(mImageViewList.size()) + 1;
  auto item = std::make_unique<Quirel_ScanResultImage>(n, image);
  mImageViewList.push_back(static_cast<Quirel_ScanResultImage*>(mDocumentView->addSubview(std::move(item))));

  double width = n * kItemPitch - 3;
  double x = 0;
  if (n <= 4)
    width -= 3;
  else
    x = width;
  fnd::Rect frame = mDocumentView->frame();
  frame.size.width = width;
  mDocumentView->setFrame(frame);
  mScrollView->scrollToPoint(fnd::Point(x, 80));
  mScrollView->display();
}

void Quirel_ScanResultDialog::closeDialog() {
  if (mWindow) {
    mWindow->setStopEvent(true);
    if (mWindow->isVisible()) {
      kit::Application::shared().discardEventsMatchingMask(kit::kAnyEventMask, mWindow.get());
      mWindow->close();
      mCenter.post(kCloseStatusPost, this);
    }
  }
  mCenter.removeObserver(this);
}

void Quirel_ScanResultDialog::clickCloseBtnAction(kit::Control*) { clickCloseBtn(); }

void Quirel_ScanResultDialog::clickCloseBtn() {
  if (mAttachEv == 0) {
    if (mWindow) mWindow->setStopEvent(true);
    Quirel_PostNotification(mCenter).postExternalNotificationName(kClickClosePost, mUIMObject ? mUIMObject : this,
                                                                  nullptr);
  } else {
    mCancelEv = 1;
  }
}

void Quirel_ScanResultDialog::setEnableCloseButton(bool enabled) {
  if (mCloseBtn) mCloseBtn->setEnabled(enabled);
}

void Quirel_ScanResultDialog::scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (!status) return;
  status->setCancelNum(0);
  mAttachEv = 1;
  if (mCancelEv > 0) status->setCancelNum(1);
}

void Quirel_ScanResultDialog::levelForActivity(kit::Window& window) {
  Quirel_AfterScanWindowLevels::levelForActivity(window, mParentWindow, 2, kLevel);
}

void Quirel_ScanResultDialog::windowDidBecomeKey(kit::Window& window) { levelForActivity(window); }

void Quirel_ScanResultDialog::windowDidUpdate(kit::Window& window) { levelForActivity(window); }

void Quirel_ScanResultDialog::appBecomeActiveFromMain() {
  Quirel_AfterScanWindowLevels::comeForward(mWindow.get(), mParentWindow, 2, kLevel);
}

void Quirel_ScanResultDialog::appResignActiveFromMain() { Quirel_AfterScanWindowLevels::stepBack(mWindow.get()); }
