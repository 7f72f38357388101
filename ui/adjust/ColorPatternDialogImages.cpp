// The colour-pattern dialog's pictures: the cell table, the base picture of the focus crop, its
// reduction to at most 100 pixels a side and the nineteen colour-balanced copies, by the
// plug-ins or by the scan module.
#include <algorithm>
#include <cstring>
#include <new>

#include "foundation/NotificationCenter.h"
#include "ui/adjust/ColorPatternDialog.h"
#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ImagePlugIn.h"
#include "ui/model/ThumbnailInfo.h"

namespace {

// What an outward request's answer slot holds until somebody answers it.
constexpr int kColorPatternNoAnswer = -1;

bool isNeutralColorPatternBalance(const ColorBalanceValues& b) { return b.cyanRed == 0 && b.magentaGreen == 0 && b.yellowBlue == 0; }

// The plug-in description under `key` of the "PluginInfo" entry, or null.
const fnd::Dictionary* colorPatternPluginEntry(const std::optional<fnd::Dictionary>& info, const char* key) {
  if (!info) return nullptr;
  const fnd::Value* v = info->find(key);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

}  // namespace

// The hexagon of offsets, step 5, R + G + B = 0, with the cells' places in the left view.
const std::array<Quirel_ColorPatternDialog::CellTableRow, Quirel_ColorPatternDialog::kCellCount>&
Quirel_ColorPatternDialog::cellTable() {
  static const std::array<CellTableRow, kCellCount> table{{
      //  x    y     R    G    B    enabled R G B C M Y        next R G B C M Y
      {10, 120, -20, 10, 10, {1, 0, 0, 0, 1, 1}, {4, 0, 0, 0, 3, 1}},
      {10, 235, -15, 15, 0, {1, 0, 1, 0, 1, 1}, {5, 1, 0, 1, 4, 2}},
      {10, 350, -10, 20, -10, {1, 0, 1, 0, 1, 0}, {6, 2, 1, 2, 5, 2}},
      {125, 60, -15, 0, 15, {1, 1, 0, 0, 1, 1}, {8, 0, 3, 3, 7, 4}},
      {125, 175, -10, 5, 5, {1, 1, 1, 1, 1, 1}, {9, 1, 3, 0, 8, 5}},
      {125, 290, -5, 10, -5, {1, 1, 1, 1, 1, 1}, {10, 2, 4, 1, 9, 6}},
      {125, 405, 0, 15, -15, {1, 0, 1, 1, 1, 0}, {11, 6, 5, 2, 10, 6}},
      {240, 5, -10, -10, 20, {1, 1, 0, 0, 0, 1}, {12, 3, 7, 7, 7, 8}},
      {240, 120, -5, -5, 10, {1, 1, 1, 1, 1, 1}, {13, 4, 7, 3, 12, 9}},
      {240, 235, 0, 0, 0, {1, 1, 1, 1, 1, 1}, {14, 5, 8, 4, 13, 10}},
      {240, 350, 5, 5, -10, {1, 1, 1, 1, 1, 1}, {15, 6, 9, 5, 14, 11}},
      {240, 465, 10, 10, -20, {0, 0, 1, 1, 1, 0}, {11, 11, 10, 6, 15, 11}},
      {355, 60, 0, -15, 15, {1, 1, 0, 1, 0, 1}, {16, 8, 12, 7, 12, 13}},
      {355, 175, 5, -10, 5, {1, 1, 1, 1, 1, 1}, {17, 9, 12, 8, 16, 14}},
      {355, 290, 10, -5, -5, {1, 1, 1, 1, 1, 1}, {18, 10, 13, 9, 17, 15}},
      {355, 405, 15, 0, -15, {0, 1, 1, 1, 1, 0}, {15, 11, 14, 10, 18, 15}},
      {470, 120, 10, -20, 10, {0, 1, 0, 1, 0, 1}, {16, 13, 16, 12, 16, 17}},
      {470, 235, 15, -15, 0, {0, 1, 1, 1, 0, 1}, {17, 14, 16, 13, 17, 18}},
      {470, 350, 20, -10, -10, {0, 1, 1, 1, 0, 0}, {18, 15, 17, 14, 18, 18}},
  }};
  return table;
}

std::array<int, 3> Quirel_ColorPatternDialog::buttonMove(ColorButton button) {
  switch (button) {
    case kButtonR: return {10, -5, -5};
    case kButtonG: return {-5, 10, -5};
    case kButtonB: return {-5, -5, 10};
    case kButtonC: return {-10, 5, 5};
    case kButtonM: return {5, -10, 5};
    case kButtonY: return {5, 5, -10};
    default: return {0, 0, 0};
  }
}

void Quirel_ColorPatternDialog::reducedSize(int width, int height, int* targetWidth, int* targetHeight) {
  int tw = 0, th = 0;
  if (width > 0 && height > 0) {
    const long long w = width, h = height;
    if (w < h) {
      tw = static_cast<int>(w * kMaxCellSide / h);
      th = kMaxCellSide;
    } else {
      tw = kMaxCellSide;
      th = static_cast<int>(h * kMaxCellSide / w);
    }
    // A very long, thin crop keeps a side of one pixel rather than none.
    tw = std::max(tw, 1);
    th = std::max(th, 1);
  }
  if (targetWidth) *targetWidth = tw;
  if (targetHeight) *targetHeight = th;
}

int Quirel_ColorPatternDialog::cellRotation() const {
  const int r = mFocusCrop ? mFocusCrop->getRotation() : 0;
  return r >= 0 && r <= 3 ? r * 90 : 0;
}

bool Quirel_ColorPatternDialog::cellMirror() const { return mFocusCrop && mFocusCrop->getMirror(); }

// --- base picture ------------------------------------------------------------------------------

std::vector<std::uint8_t> Quirel_ColorPatternDialog::getBaseImageBuffer(int* width, int* height) {
  *width = 0;
  *height = 0;
  if (!mFocusCrop) return {};
  mCropCorRect = mFocusCrop->getcropCorRect();
  const std::uint8_t* source = nullptr;
  SRectDouble rect = mCropCorRect;
  if (!isNeutralColorPatternBalance(mBaseColorBalance)) {
    auto info = fnd::makeShared();
    info->set("Mode", 0);
    info->set("ThumbnailMode", mThumbnailMode);
    info->set("PlatenThumbnailMode", mScanMode == 1);
    if (mThumbnailMode && mFocusThumbnail) {
      info->set("ImageSetTarget", fnd::Value::object(mFocusThumbnail));
    } else {
      info->set("ImageSetTarget", fnd::Value::object(mFocusCrop));
    }
    fnd::NotificationCenter::defaultCenter().post(kHSLPrepareNotification, this, info);
    source = mFocusCrop->getCropHSLData();
    // The trial picture is made for the rectangle the model holds now.
    rect = mFocusCrop->getcropCorRect();
  } else {
    source = mFocusCrop->getcropCorData();
  }
  const int w = rect.size.width > 0 && rect.size.width < 1e6 ? static_cast<int>(rect.size.width) : 0;
  const int h = rect.size.height > 0 && rect.size.height < 1e6 ? static_cast<int>(rect.size.height) : 0;
  std::vector<std::uint8_t> buffer;
  if (source && w > 0 && h > 0) {
    try {
      buffer.assign(source, source + std::size_t(w) * std::size_t(h) * 3);
      *width = w;
      *height = h;
    } catch (const std::bad_alloc&) {
      buffer.clear();
    }
  }
  mFocusCrop->releaseCropHSLData();
  return buffer;
}

// --- reduction ---------------------------------------------------------------------------------

bool Quirel_ColorPatternDialog::resizeBaseImageBuffer(std::vector<std::uint8_t>& buffer, int* width, int* height) {
  int tw = 0, th = 0;
  reducedSize(*width, *height, &tw, &th);
  const fnd::Dictionary* zoom = colorPatternPluginEntry(mPluginInfo, "ZOOM");
  UIM_PLUGIN* raw = nullptr;
  const int loaded = UIM_getPlugin(zoom, &raw);
  UIM_PluginPtr plugin(raw);
  if (loaded != 0 || !plugin) return false;
  UIM_RESIZE_STATE* state = nullptr;
  if (UIM_resize_Initialize(&state, plugin.get(), tw, th, *width, *height, 3, 8) != 0 || !state) {
    UIM_resize_Terminate(&state);
    return false;
  }
  const std::size_t srcRow = std::size_t(*width) * 3;
  const std::size_t dstRow = std::size_t(tw) * 3;
  std::vector<std::uint8_t> target(dstRow * std::size_t(th), 0);
  // One spare line: the plug-in may hand out more lines than asked for; only the target's own
  // lines are kept, so nothing lands past the buffer.
  std::vector<std::uint8_t> spare(dstRow, 0);
  int lines = 0;
  bool failed = false;
  for (int y = 0; y < *height && lines < th && !failed; ++y) {
    if (UIM_resize_Set_line(state, buffer.data() + srcRow * std::size_t(y)) != 0) failed = true;
    while (lines < th && UIM_resize_Get_line(state, spare.data()) == 1) {
      std::memcpy(target.data() + dstRow * std::size_t(lines), spare.data(), dstRow);
      ++lines;
    }
  }
  UIM_resize_Terminate(&state);
  // Fewer lines than the target holds: the picture was not made, keep the unreduced one.
  if (failed || lines < th) return false;
  buffer.swap(target);
  *width = tw;
  *height = th;
  return true;
}

int Quirel_ColorPatternDialog::postRequest(const char* name, fnd::Dictionary userInfo) {
  auto info = fnd::makeShared(std::move(userInfo));
  std::shared_ptr<int> result = Quirel_PostNotification::addResultSlot(*info);
  *result = kColorPatternNoAnswer;
  Quirel_PostNotification().postExternalNotificationName(name, requestSender(), info);
  return *result;
}

bool Quirel_ColorPatternDialog::resizeBaseImageCallSM(std::vector<std::uint8_t>& buffer, int* width, int* height) {
  int tw = 0, th = 0;
  reducedSize(*width, *height, &tw, &th);
  std::vector<std::uint8_t> target;
  try {
    // Zeroed, so a half-answered request never shows what the memory held before.
    target.assign(std::size_t(tw) * std::size_t(th) * 3, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const int answer = postRequest(kResizeRequest, fnd::Dictionary{{"srcWidth", *width},
                                                                 {"srcHeight", *height},
                                                                 {"srcBitmap", fnd::Value::pointer(buffer.data())},
                                                                 {"dstWidth", tw},
                                                                 {"dstHeight", th},
                                                                 {"dstBitmap", fnd::Value::pointer(target.data())}});
  // Nobody answered, or the module could not do it: the unreduced copy stays.
  if (answer != 0) return false;
  buffer.swap(target);
  *width = tw;
  *height = th;
  return true;
}

// --- the nineteen copies -----------------------------------------------------------------------

void Quirel_ColorPatternDialog::makeThumbnailImages() {
  mReducedWidth = 0;
  mReducedHeight = 0;
  int w = 0, h = 0;
  std::vector<std::uint8_t> buffer = getBaseImageBuffer(&w, &h);
  if (buffer.empty()) return;
  int tw = 0, th = 0;
  reducedSize(w, h, &tw, &th);
  if (w > tw || h > th) {
    if (mPluginInfo)
      resizeBaseImageBuffer(buffer, &w, &h);
    else
      resizeBaseImageCallSM(buffer, &w, &h);
  }
  mReducedWidth = w;
  mReducedHeight = h;
  if (mPluginInfo)
    createThumbnailImages(buffer, w, h);
  else
    createThumbnailImagesCallSM(buffer, w, h);
}

void Quirel_ColorPatternDialog::createThumbnailImages(const std::vector<std::uint8_t>& reduced, int width,
                                                      int height) {
  const fnd::Dictionary* hsl = colorPatternPluginEntry(mPluginInfo, "HSL");
  UIM_PLUGIN* raw = nullptr;
  const int loaded = UIM_getPlugin(hsl, &raw);
  UIM_PluginPtr plugin(raw);
  if (loaded != 0 || !plugin) return;
  const int rotation = cellRotation();
  const bool mirror = cellMirror();
  for (const auto& cell : mPatternList) {
    const ColorBalanceValues b = cell->getColorBalance();
    std::vector<std::uint8_t> bitmap = reduced;
    UIM_HSL_STATE* state = nullptr;
    if (UIM_pHSL_Initialize(plugin.get(), &state, width, height, b.cyanRed, b.magentaGreen, b.yellowBlue, 0, 3, 8) ==
            0 &&
        state) {
      // A plug-in that fails leaves the copy as it was given.
      if (UIM_pHSL_Set_and_Get_line(state, bitmap.data()) != 0) bitmap = reduced;
    }
    UIM_pHSL_Terminate(&state);
    cell->setImage(kit::Image::fromRGB(bitmap.data(), width, height), rotation, mirror);
  }
}

std::optional<kit::Image> Quirel_ColorPatternDialog::makeHSLImageCallSM(const ColorBalanceValues& balance, int width,
                                                                        int height,
                                                                        const std::vector<std::uint8_t>& reduced) {
  std::vector<std::uint8_t> bitmap = reduced;
  if (!isNeutralColorPatternBalance(balance)) {
    const int answer =
        postRequest(kHSLRequest, fnd::Dictionary{{"srcWidth", width},
                                                 {"srcHeight", height},
                                                 {"srcBitmap", fnd::Value::pointer(const_cast<std::uint8_t*>(reduced.data()))},
                                                 {"dstBitmap", fnd::Value::pointer(bitmap.data())},
                                                 {"CyanRed", balance.cyanRed},
                                                 {"MagentaGreen", balance.magentaGreen},
                                                 {"YellowBlue", balance.yellowBlue},
                                                 {"Saturation", 0}});
    // Unanswered or refused: whatever was written is dropped for the unadjusted copy.
    if (answer != 0) bitmap = reduced;
  }
  return kit::Image::fromRGB(bitmap.data(), width, height);
}

void Quirel_ColorPatternDialog::createThumbnailImagesCallSM(const std::vector<std::uint8_t>& reduced, int width,
                                                            int height) {
  const int rotation = cellRotation();
  const bool mirror = cellMirror();
  for (const auto& cell : mPatternList)
    cell->setImage(makeHSLImageCallSM(cell->getColorBalance(), width, height, reduced), rotation, mirror);
}
