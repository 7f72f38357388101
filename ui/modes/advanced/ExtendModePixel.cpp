// The pixel under the pointer for the final-review and histogram dialogs: the values before
// and after correction and the 21 by 21 loupe, over the preview and over the thumbnails.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "kit/Application.h"
#include "kit/Image.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CropView.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace {

constexpr int kLoupeSide = 21;
constexpr int kLoupeReach = 10;

int pixelTrunc(double v) {
  if (!std::isfinite(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

// The cell of a view point in the unturned frame, before any clamping.
Quirel_ExtendMode::PixelIndex pixelUnclamped(SSizeDouble viewSize, SPointDouble point, int rotation, bool mirror,
                                             int dataWidth, int dataHeight) {
  const SPointDouble p = Quirel_BaseScanMode::calcNonConvertedPoint(point, viewSize, mirror, rotation);
  double w = viewSize.width, h = viewSize.height;
  if (rotation == 1 || rotation == 3) std::swap(w, h);
  Quirel_ExtendMode::PixelIndex at;
  at.x = w == 0 ? 0 : pixelTrunc(p.x * dataWidth / w);
  at.y = h == 0 ? 0 : pixelTrunc((h - p.y) * dataHeight / h);
  at.x = std::max(at.x, 0);
  at.y = std::max(at.y, 0);
  return at;
}

std::string pixelText(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", v);
  return buf;
}

// The crop's data size in whole pixels; 0 by 0 when it has no usable data.
bool cropDataSize(const Quirel_CropInfo& crop, int* cw, int* ch) {
  const SRectDouble r = crop.getcropCorRect();
  *cw = pixelTrunc(r.size.width);
  *ch = pixelTrunc(r.size.height);
  return *cw > 0 && *ch > 0 && crop.getcropBefData();
}

const kit::View* cropKitView(const Quirel_CropInfo& crop) {
  return dynamic_cast<const kit::View*>(crop.getCropView());
}

}  // namespace

Quirel_ExtendMode::PixelIndex Quirel_ExtendMode::locatePixel(SSizeDouble viewSize, SPointDouble point, int rotation,
                                                             bool mirror, int dataWidth, int dataHeight) {
  PixelIndex at = pixelUnclamped(viewSize, point, rotation, mirror, dataWidth, dataHeight);
  at.x = std::max(0, std::min(at.x, dataWidth - 1));
  at.y = std::max(0, std::min(at.y, dataHeight - 1));
  return at;
}

std::vector<std::uint8_t> Quirel_ExtendMode::getZoomImageDataInImage(const std::vector<std::uint8_t>& rgb, int width,
                                                                     int height, int x, int y) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(kLoupeSide) * kLoupeSide * 3, 0);
  if (width <= 0 || height <= 0 || rgb.size() < static_cast<std::size_t>(width) * height * 3) return out;
  for (int r = 0; r < kLoupeSide; ++r) {
    const long long row = static_cast<long long>(y) - kLoupeReach + r;
    if (row < 0 || row >= height) continue;
    for (int c = 0; c < kLoupeSide; ++c) {
      const long long col = static_cast<long long>(x) - kLoupeReach + c;
      if (col < 0 || col >= width) continue;
      const std::size_t from = (static_cast<std::size_t>(row) * width + static_cast<std::size_t>(col)) * 3;
      const std::size_t to = (static_cast<std::size_t>(r) * kLoupeSide + c) * 3;
      std::copy_n(rgb.begin() + static_cast<std::ptrdiff_t>(from), 3, out.begin() + static_cast<std::ptrdiff_t>(to));
    }
  }
  return out;
}

std::vector<std::uint8_t> Quirel_ExtendMode::getZoomImageDataInView(const kit::View& view, fnd::Point point,
                                                                    bool mirror, int rotation, const kit::Image& image) {
  // The picture's own pixels, packed, whatever its stored rows look like: its pixel size bounds
  // every read.
  int w = 0, h = 0;
  const std::vector<std::uint8_t> rgb = image.copyRGB(&w, &h);
  if (rgb.empty()) return {};
  const fnd::Size vs = view.frame().size;
  PixelIndex at = pixelUnclamped({vs.width, vs.height}, {point.x, point.y}, rotation, mirror, w, h);
  at.x = std::min(at.x, w);
  at.y = std::min(at.y, h);
  return getZoomImageDataInImage(rgb, w, h, at.x, at.y);
}

std::optional<std::array<int, 3>> Quirel_ExtendMode::averagePixels(const std::uint8_t* data, int cw, int ch, int x0,
                                                                   int y0, int n, int m) {
  if (!data || cw <= 0 || ch <= 0) return std::nullopt;
  long long sum[3] = {0, 0, 0};
  long long count = 0;
  for (int j = 0; j < m; ++j) {
    const long long row = static_cast<long long>(y0) + j;
    if (row < 0 || row >= ch) continue;
    for (int i = 0; i < n; ++i) {
      const long long col = static_cast<long long>(x0) + i;
      if (col < 0 || col >= cw) continue;
      const std::uint8_t* px = data + (row * cw + col) * 3;
      for (int k = 0; k < 3; ++k) sum[k] += px[k];
      ++count;
    }
  }
  // Divided by the pixels actually read, so a rectangle past the data's edge is not darkened.
  count = std::max(count, 1LL);
  return std::array<int, 3>{static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
                            static_cast<int>(sum[2] / count)};
}

fnd::Point Quirel_ExtendMode::pointerInPreviewImageView() const {
  if (!mPreview) return {};
  const kit::Window* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  const fnd::Point origin = window ? window->frame().origin : fnd::Point{};
  const fnd::Point screen = kit::Application::shared().mouseLocation();
  return mPreview->getImageView()->convertPointFromView({screen.x - origin.x, screen.y - origin.y}, nullptr);
}

std::optional<fnd::Dictionary> Quirel_ExtendMode::pixelValuesOfCrop(const Quirel_CropInfo& crop, const kit::View& view,
                                                                    fnd::Point point, int rotation, bool mirror,
                                                                    const kit::View& loupeView, fnd::Point loupePoint,
                                                                    const kit::Image* loupeImage) const {
  int cw = 0, ch = 0;
  if (!cropDataSize(crop, &cw, &ch)) return std::nullopt;
  const fnd::Size vs = view.frame().size;
  const PixelIndex at = locatePixel({vs.width, vs.height}, {point.x, point.y}, rotation, mirror, cw, ch);
  const std::size_t offset = (static_cast<std::size_t>(at.y) * static_cast<std::size_t>(cw) + at.x) * 3;
  const std::uint8_t* before = crop.getcropBefData() + offset;
  const std::uint8_t* after = crop.getcropCorData() ? crop.getcropCorData() + offset : before;
  fnd::Dictionary d;
  d.set("RedValue", pixelText(before[0]));
  d.set("GreenValue", pixelText(before[1]));
  d.set("BlueValue", pixelText(before[2]));
  d.set("GrayValue", pixelText(before[1]));
  d.set("AfterRedValue", pixelText(after[0]));
  d.set("AfterGreenValue", pixelText(after[1]));
  d.set("AfterBlueValue", pixelText(after[2]));
  d.set("AfterGrayValue", pixelText(after[1]));
  if (loupeImage && loupeImage->isValid()) {
    const std::vector<std::uint8_t> zoom = getZoomImageDataInView(loupeView, loupePoint, mirror, rotation, *loupeImage);
    if (!zoom.empty())
      d.set("ZoomViewData",
            fnd::Value::object(std::make_shared<kit::Image>(kit::Image::fromRGB(zoom.data(), kLoupeSide, kLoupeSide))));
  }
  return d;
}

void Quirel_ExtendMode::deliverPixelValues(const fnd::Dictionary* values, int rotation, bool mirror,
                                           bool histogramAlways) {
  if (finalIsVisible()) {
    mFinalReviewDialog->setRotation(rotation);
    mFinalReviewDialog->setMirror(mirror);
    mFinalReviewDialog->pixelValueSet(values);
  }
  if (histIsVisible() && (histogramAlways || mToolMode == 3)) mHistogramDialog->pixelValueSet(values);
}

void Quirel_ExtendMode::mouseMovedOnPreview(const fnd::Notification&) {
  const Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window && (window->getCloseFlg() || !window->isEnabled())) return;
  if (mWindowMaskView || mModal) return;
  if (isThumbnailMode())
    mouseMovedOnThumbnail();
  else
    mouseMovedOnPlaten();
  setMouseCursor();
}

void Quirel_ExtendMode::mouseMovedOnPlaten() {
  std::optional<fnd::Dictionary> values;
  const bool wanted = finalIsVisible() || (histIsVisible() && mToolMode == 3);
  if (mHasPreview && mPreview && wanted && isEnteredInPreview()) {
    Quirel_PreviewView* imageView = mPreview->getImageView();
    const fnd::Point p = pointerInPreviewImageView();
    const Quirel_CropInfo* crop = nullptr;
    auto inItsView = [&p](const Quirel_CropInfo* c) {
      const kit::View* v = c ? cropKitView(*c) : nullptr;
      return v && v->frame().contains(p);
    };
    if (mToolMode == 3) {
      if (Quirel_CropInfo* focus = getFocusCrop())
        crop = inItsView(focus) ? focus : nullptr;
      else
        crop = mTemplateCrop.get();
    } else if (mCropList.empty()) {
      crop = mTemplateCrop.get();
    } else {
      Quirel_CropInfo* found = getCropInPoint2(p);
      crop = inItsView(found) ? found : nullptr;
    }
    if (crop) {
      const kit::View* view = cropKitView(*crop);
      if (!view) view = imageView;
      const fnd::Point inView = view == imageView ? p : view->convertPointFromView(p, imageView);
      const std::optional<kit::Image>& picture = imageView->getPreviewImage();
      values = pixelValuesOfCrop(*crop, *view, inView, mRotation, mMirror, *imageView, p,
                                 picture ? &*picture : nullptr);
    }
  }
  deliverPixelValues(values ? &*values : nullptr, mRotation, mMirror, false);
}

void Quirel_ExtendMode::mouseMovedOnThumbnail() {
  if (!histIsVisible() && !finalIsVisible()) return;
  std::optional<fnd::Dictionary> values;
  int rotation = 0;
  bool mirror = false;
  if (mHasPreview) {
    const kit::Window* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
    const fnd::Point origin = window ? window->frame().origin : fnd::Point{};
    const fnd::Point screen = kit::Application::shared().mouseLocation();
    const fnd::Point inWindow{screen.x - origin.x, screen.y - origin.y};
    for (const auto& thumbnail : mThumbnailList) {
      if (!thumbnail) continue;
      if (mZoomScan && !thumbnail->isZoom()) continue;
      if (mToolMode == 3 && !thumbnail->isFocus()) continue;
      rotation = thumbnail->getRotation();
      mirror = thumbnail->getMirror();
      const auto* preview = dynamic_cast<const Quirel_ThumbnailPreviewView*>(thumbnail->getPreviewView());
      if (!preview) continue;
      const fnd::Point p = preview->convertPointFromView(inWindow, nullptr);
      if (!preview->visibleRect().contains(p)) continue;
      std::shared_ptr<Quirel_CropInfo> crop;
      const kit::View* view = preview;
      if (thumbnail->hasCrop() && thumbnail->getCropInfo()) {
        const kit::View* cv = cropKitView(*thumbnail->getCropInfo());
        if (cv && cv->frame().contains(p)) {
          crop = thumbnail->getCropInfo();
          view = cv;
        }
      }
      if (!crop) crop = thumbnail->getThumnailCrop();
      if (!crop) continue;
      const fnd::Point inView = view == preview ? p : view->convertPointFromView(p, preview);
      const std::optional<kit::Image>& picture = preview->getImage();
      values = pixelValuesOfCrop(*crop, *view, inView, rotation, mirror, *preview, p, picture ? &*picture : nullptr);
      break;
    }
  }
  deliverPixelValues(values ? &*values : nullptr, rotation, mirror, true);
}
