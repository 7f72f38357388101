#include "ui/modes/base/BaseScanMode.h"

#include <algorithm>

#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/CropView.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/ThumbnailSelectView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/PrefsDialog.h"
#include "ui/windows/ProgressWindow.h"
#include "ui/windows/ShowMessageDialog.h"

namespace {

// Millimetres, by paper index.
constexpr std::array<SSizeDouble, Quirel_BaseScanMode::kPaperSizeCount> kBasePaperSizeTable{{
    {216, 297},      {90, 55},        {89, 127},       {127, 89},   {101.6, 152.4}, {152.4, 101.6},
    {100, 148},      {148, 100},      {127, 178},      {178, 127},  {210, 297},     {210, 297},
    {297, 210},      {148, 210},      {148, 210},      {210, 148},  {182, 257},     {215.9, 279.4},
    {215.9, 279.4},  {279.4, 215.9},  {215.9, 355.6},  {0, 0},      {0, 0},         {0, 0},
}};

// Centimetres for 1..15, pixels for 16..24.
constexpr std::array<SSizeDouble, Quirel_BaseScanMode::kOutputSizeCount> kBaseOutputSizeTable{{
    {0, 0},        {9, 5.5},        {8.9, 12.7},     {12.7, 8.9},  {12.7, 17.8},  {17.8, 12.7}, {10.16, 15.24},
    {15.24, 10.16}, {10, 14.8},     {29.7, 42},      {21, 29.7},   {14.8, 21},    {25.7, 36.4}, {18.2, 25.7},
    {21.59, 35.56}, {21.59, 27.94}, {128, 128},      {640, 480},   {800, 600},    {1024, 768},  {1280, 1024},
    {1600, 1200},   {2048, 1536},   {2272, 1704},    {2592, 1944},
}};

}  // namespace

Quirel_BaseScanMode::Quirel_BaseScanMode(fnd::NotificationCenter& center)
    : mCenter(center), mPaperSizeTable(kBasePaperSizeTable), mDefaultOutputSizeTable(kBaseOutputSizeTable) {
  const void* self = this;
  mCenter.addObserver(self, "remakeCropFromCorrectionDlgPost", nullptr,
                      [this](const fnd::Notification& n) { remakeCropFromCorrectionDlg(n); });
  mCenter.addObserver(self, Quirel_ShowMessageDialog::kShowMessagePost, nullptr,
                      [this](const fnd::Notification& n) { showMessageClassPost(n); });
  mCenter.addObserver(self, Quirel_ProgressWindow::kProgressStatusPost, nullptr,
                      [this](const fnd::Notification& n) { setProgressStatus(n); });
}

Quirel_BaseScanMode::~Quirel_BaseScanMode() {
  // Every observation, the three life-long ones and any registered since, ends here.
  mCenter.removeObserver(static_cast<const void*>(this));
  if (mWindowMaskView) mWindowMaskView->removeFromSuperview();
}

// ---- setters --------------------------------------------------------------------------------

void Quirel_BaseScanMode::setUimParameterDic(const fnd::Dictionary* parameters) {
  if (parameters) mUimParameterDic = *parameters;
}

void Quirel_BaseScanMode::setLLDVersion(const std::optional<std::string>& text) {
  if (text) mLLDversionStr = text;
}

void Quirel_BaseScanMode::setInterfaceInfo(const std::optional<std::string>& text) {
  if (text) mInterfaceStr = text;
}

void Quirel_BaseScanMode::setDriverVersion(const std::optional<std::string>& text) {
  if (text) mDriverVersionStr = text;
}

bool Quirel_BaseScanMode::isCalibrationEveryScan() {
  return mPreferenceInfo && mPreferenceInfo->getCalibrationEveryScan() == 1;
}

// ---- counts ---------------------------------------------------------------------------------

int Quirel_BaseScanMode::getSelectedCropCount() const {
  return static_cast<int>(std::count_if(mCropList.begin(), mCropList.end(),
                                        [](const auto& crop) { return crop && crop->isSelected(); }));
}

int Quirel_BaseScanMode::getMultiCropCount(bool selectedOnly) const {
  return static_cast<int>(std::count_if(mCropList.begin(), mCropList.end(), [selectedOnly](const auto& crop) {
    return crop && crop->isMultiCrop() && (!selectedOnly || crop->isSelected());
  }));
}

int Quirel_BaseScanMode::getCheckedThumbnailCount() const {
  return static_cast<int>(std::count_if(mThumbnailList.begin(), mThumbnailList.end(),
                                        [](const auto& thumbnail) { return thumbnail && thumbnail->isChecked(); }));
}

std::vector<int> Quirel_BaseScanMode::getUsedOutputSize() const {
  std::vector<int> used;
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    if (!*it) continue;
    const int size = (*it)->getOutputSize();
    if (std::find(used.begin(), used.end(), size) == used.end()) used.push_back(size);
  }
  return used;
}

void Quirel_BaseScanMode::addDialog(const std::shared_ptr<kit::Window>& dialog) {
  if (!dialog) return;
  if (std::find(mDialogList.begin(), mDialogList.end(), dialog) == mDialogList.end()) mDialogList.push_back(dialog);
}

// ---- observations ---------------------------------------------------------------------------

void Quirel_BaseScanMode::registObserver(const void* object, Handler handler, const std::string& name) {
  mCenter.addObserver(static_cast<const void*>(this), name, object, std::move(handler));
}

void Quirel_BaseScanMode::removeObserver(const void* object, const std::string& name) {
  // A null object ends the mode's observations of that name for every sender, as registering
  // with none observes every sender.
  mCenter.removeObserver(static_cast<const void*>(this), name, object);
}

namespace {

// The identity a thumbnail's view posts with: the whole view object.
template <class Link>
const void* thumbnailViewIdentity(const Link* link) {
  return link ? dynamic_cast<const void*>(link) : nullptr;
}

}  // namespace

void Quirel_BaseScanMode::registObserverToThumbnailInfo(const Quirel_ThumbnailInfo& thumbnail) {
  if (const void* frame = thumbnailViewIdentity(thumbnail.getFrameView())) {
    registObserver(frame, [this](const fnd::Notification& n) { mouseEventOnThumbnail(n); },
                   Quirel_ThumbnailFrameView::kMouseEventPost);
    registObserver(frame, [this](const fnd::Notification& n) { enterTextFByOtherControls(n); }, "VIEW_DOWN");
  }
  if (const void* preview = thumbnailViewIdentity(thumbnail.getPreviewView())) {
    registObserver(preview, [this](const fnd::Notification& n) { mouseEventOnThumbnail(n); },
                   Quirel_ThumbnailPreviewView::kMouseEventPost);
    registObserver(preview, [this](const fnd::Notification& n) { thumbnailPreviewViewUpdateCursorRects(n); },
                   Quirel_ThumbnailPreviewView::kUpdateCursorRectsPost);
    registObserver(preview, [this](const fnd::Notification& n) { enterTextFByOtherControls(n); }, "VIEW_DOWN");
  }
  if (const void* box = thumbnailViewIdentity(thumbnail.getCheckBox())) {
    registObserver(box, [this](const fnd::Notification& n) { enterTextFByOtherControls(n); }, "BUTTON_DOWN");
  }
}

void Quirel_BaseScanMode::removeObserverFromThumbnailInfo(const Quirel_ThumbnailInfo& thumbnail) {
  if (const void* frame = thumbnailViewIdentity(thumbnail.getFrameView())) {
    removeObserver(frame, Quirel_ThumbnailFrameView::kMouseEventPost);
    removeObserver(frame, "VIEW_DOWN");
  }
  ThumbnailPreviewViewLink* previewView = thumbnail.getPreviewView();
  if (const void* preview = thumbnailViewIdentity(previewView)) {
    removeObserver(preview, Quirel_ThumbnailPreviewView::kMouseEventPost);
    removeObserver(preview, Quirel_ThumbnailPreviewView::kUpdateCursorRectsPost);
    removeObserver(preview, "VIEW_DOWN");
  }
  if (const void* box = thumbnailViewIdentity(thumbnail.getCheckBox())) removeObserver(box, "BUTTON_DOWN");
  if (previewView) previewView->removeTrackingRect();
}

void Quirel_BaseScanMode::showMessageClassPost(const fnd::Notification& n) {
  Quirel_ShowMessageDialog* dialog = Quirel_ShowMessageDialog::fromNotification(n);
  // A mode without a window leaves the parent another mode gave.
  if (dialog && mMainWindow) dialog->setMainWindow(mMainWindow->getWindow());
}

void Quirel_BaseScanMode::setProgressStatus(const fnd::Notification& n) {
  if (const Quirel_ProgressWindow* window = Quirel_ProgressWindow::fromNotification(n))
    mProgressStatus = window->resultProgressWindow();
}
