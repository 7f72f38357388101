// Page sizes, output sizes and their menus, and the conversions between displayed and plain
// rectangles.

#include <charconv>
#include <cmath>
#include <cstdio>

#include "ui/base/PVLocalizedString.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSizeFile.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

constexpr std::array<double, 6> kBaseZoomRateTable{1.0, 1.5, 2.0, 3.0, 4.0, 0.0};
constexpr std::array<double, 4> kBaseRotationRateTable{0, 90, 180, 270};

bool isFilmHolderPaperIndex(int index) { return (index >= 21 && index <= 31) || index == 34; }

// The first of the keys present, as a number; 0 when none is.
double sizeKeyNumber(const fnd::Dictionary& d, std::initializer_list<const char*> keys) {
  for (const char* key : keys) {
    if (const fnd::Value* v = d.find(key)) return v->toReal();
  }
  return 0;
}

// Adds one unit in the last place to a string of decimal digits ("0.29" -> "0.30", "9.9" -> "10.0").
std::string incrementDecimalText(std::string text) {
  for (std::size_t i = text.size(); i-- > 0;) {
    if (text[i] == '.') continue;
    if (text[i] != '9') {
      ++text[i];
      return text;
    }
    text[i] = '0';
  }
  return "1" + text;
}

}  // namespace

// ---- tables ---------------------------------------------------------------------------------

SSizeDouble Quirel_BaseScanMode::getPaperSizeWH_Pixel96(int entry) {
  if (entry == 0) return mPlatenRect_Pixel96.size;
  if (isFilmHolderPaperIndex(entry)) return mFilmPlatenRect_Pixel96.size;
  if (entry == 32) return mADFPlatenRect_Pixel96.size;
  const SSizeDouble mm = getPaperSizeWH(entry);
  return {mm.width / 10 * mPlatenResolution / 2.54, mm.height / 10 * mPlatenResolution / 2.54};
}

SPointDouble Quirel_BaseScanMode::getPaperSizePoint_Pixel96(int entry) {
  if (isFilmHolderPaperIndex(entry)) return mFilmPlatenRect_Pixel96.origin;
  if (entry == 32) return mADFPlatenRect_Pixel96.origin;
  return {0, 0};
}

SSizeDouble Quirel_BaseScanMode::getPaperSizeWH(int index) const {
  if (index < 0 || index >= kPaperSizeCount) return {0, 0};
  return mPaperSizeTable[static_cast<std::size_t>(index)];
}

SSizeDouble Quirel_BaseScanMode::getDefaultOutputSizeWH(int index) const {
  if (index < 0 || index >= kOutputSizeCount) return {0, 0};
  return mDefaultOutputSizeTable[static_cast<std::size_t>(index)];
}

double Quirel_BaseScanMode::getSZoomRate(int index) {
  if (index < 0 || index >= static_cast<int>(kBaseZoomRateTable.size())) return 0;
  return kBaseZoomRateTable[static_cast<std::size_t>(index)];
}

double Quirel_BaseScanMode::getSRotationRate(int index) {
  if (index < 0 || index >= static_cast<int>(kBaseRotationRateTable.size())) return 0;
  return kBaseRotationRateTable[static_cast<std::size_t>(index)];
}

void Quirel_BaseScanMode::loadPaperSizeTableFromXmlFile(const fnd::Dictionary* parameters) {
  if (!parameters) return;
  const fnd::Array& sizes = parameters->array("PaperSizeWH");
  // Entries past the table's end have no paper index to replace.
  const std::size_t count = std::min(sizes.size(), mPaperSizeTable.size());
  for (std::size_t i = 0; i < count; ++i) {
    mPaperSizeTable[i] = dictionaryToSize(sizes[i].isDictionary() ? &sizes[i].toDictionary() : nullptr);
  }
}

void Quirel_BaseScanMode::loadDefaultOutputSizeTableFromXmlFile(const fnd::Dictionary* parameters) {
  if (!parameters) return;
  const fnd::Array& sizes = parameters->array("OutputSizeWH");
  const bool millimetres = mScannerInfo && mScannerInfo->isVer1500Later();
  const std::size_t count = std::min(sizes.size(), mDefaultOutputSizeTable.size());
  for (std::size_t i = 0; i < count; ++i) {
    SSizeDouble size = dictionaryToSize(sizes[i].isDictionary() ? &sizes[i].toDictionary() : nullptr);
    // Newer parameter files give the print sizes in millimetres.
    if (millimetres && i <= 15) size = {size.width / 10, size.height / 10};
    mDefaultOutputSizeTable[i] = size;
  }
}

SSizeDouble Quirel_BaseScanMode::dictionaryToSize(const fnd::Dictionary* d) {
  if (!d) return {0, 0};
  return {sizeKeyNumber(*d, {"W", "w", "Width"}), sizeKeyNumber(*d, {"H", "h", "Height"})};
}

SRectDouble Quirel_BaseScanMode::dictionaryToRect(const fnd::Dictionary* d) {
  if (!d) return {{0, 0}, {0, 0}};
  return {{sizeKeyNumber(*d, {"X", "x"}), sizeKeyNumber(*d, {"Y", "y"})},
          {sizeKeyNumber(*d, {"W", "Width"}), sizeKeyNumber(*d, {"H", "Height"})}};
}

// ---- sizes and units ------------------------------------------------------------------------

SSizeDouble Quirel_BaseScanMode::calcSizeInSize(double a, double b, double c, double e) {
  // A side of zero has no size of that aspect (and would divide by zero).
  if (a <= 0 || b <= 0 || c <= 0 || e <= 0) return {0, 0};
  const double height = c * b / a;
  if (height > e) return {e * a / b, e};
  return {c, height};
}

SSizeDouble Quirel_BaseScanMode::calcSizeOutSize(double a, double b, double c, double e) {
  if (a <= 0 || b <= 0 || c <= 0 || e <= 0) return {0, 0};
  const double height = c * b / a;
  if (height < e) return {e * a / b, e};
  return {c, height};
}

SPointDouble Quirel_BaseScanMode::calcNonConvertedPoint(SPointDouble p, SSizeDouble size, bool mirror, int rotation) {
  double x = p.x;
  const double y = p.y;
  if (mirror) x = size.width - x;
  switch (rotation) {
    case 1: return {y, size.width - x};
    case 2: return {size.width - x, size.height - y};
    case 3: return {size.height - y, x};
    default: return {x, y};
  }
}

SRectDouble Quirel_BaseScanMode::calcNonConvertedRect(SRectDouble r, SSizeDouble size, bool mirror, int rotation) {
  double x = r.origin.x;
  const double y = r.origin.y;
  const double w = r.size.width;
  const double h = r.size.height;
  if (mirror) x = size.width - (x + w);
  const double right = size.width - (x + w);
  const double bottom = size.height - (y + h);
  switch (rotation) {
    case 1: return {{y, right}, {h, w}};
    case 2: return {{right, bottom}, {w, h}};
    case 3: return {{bottom, x}, {h, w}};
    default: return {{x, y}, {w, h}};
  }
}

void Quirel_BaseScanMode::setNonConvertedRect(Quirel_CropInfo& crop) {
  const bool mirror = crop.getMirror();
  const int rotation = crop.getRotation();
  const SSizeDouble p = crop.getPreviewSize_Pixel96();
  const double visibleWidth = crop.getVisiblePreviewSize_Pixel96().width;
  const SRectDouble in = crop.getInputRect_Pixel96();
  const SSizeDouble out = crop.getOutputSize_Pixel96();
  double x = in.origin.x;
  const double y = in.origin.y;
  const double w = in.size.width;
  const double h = in.size.height;
  if (mirror) x = visibleWidth - (x + w);
  SRectDouble r{{x, y}, {w, h}};
  SSizeDouble o = out;
  switch (rotation) {
    case 1:
      r = {{y, p.width - (x + w)}, {h, w}};
      o = {out.height, out.width};
      break;
    case 2: r = {{p.width - (x + w), p.height - (y + h)}, {w, h}}; break;
    case 3:
      r = {{p.height - (y + h), x}, {h, w}};
      o = {out.height, out.width};
      break;
    default: break;
  }
  const SPointDouble start = crop.getPreviewStartPoint_Pixel96();
  r.origin.x += start.x;
  r.origin.y += start.y;
  crop.setInputRect_Pixel96(r);
  crop.setOutputSize_Pixel96(o);
  crop.setRotation(0);
  crop.setMirror(false);
}

void Quirel_BaseScanMode::setConvertedRect(Quirel_CropInfo& crop) {
  const SRectDouble in = crop.getInputRect_Pixel96();
  const SPointDouble start = crop.getPreviewStartPoint_Pixel96();
  const SSizeDouble p = crop.getPreviewSize_Pixel96();
  const SSizeDouble out = crop.getOutputSize_Pixel96();
  const double w = in.size.width;
  const double h = in.size.height;
  const double x = start.x + in.origin.x;
  const double y = start.y + in.origin.y;
  SRectDouble r{{x, y}, {w, h}};
  SSizeDouble o = out;
  switch (crop.getRotation()) {
    case 1:
      r = {{p.width - (y + h), x}, {h, w}};
      o = {out.height, out.width};
      break;
    case 2: r = {{p.width - (x + w), p.height - (y + h)}, {w, h}}; break;
    case 3:
      r = {{y, p.height - (x + w)}, {h, w}};
      o = {out.height, out.width};
      break;
    default: break;
  }
  if (crop.getMirror()) r.origin.x = p.width - (r.origin.x + r.size.width);
  crop.setInputRect_Pixel96(r);
  crop.setOutputSize_Pixel96(o);
}

double Quirel_BaseScanMode::maltipleUnit(double magnification, double length) { return magnification * length / 100; }

std::string Quirel_BaseScanMode::roundDownForString(double value, int digits) {
  if (digits < 0) digits = 0;
  if (!std::isfinite(value)) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", digits, value);
    return buf;
  }
  // Cut the shortest decimal text that reads back as the value, so a value such as 0.29 (held
  // as 0.28999...) keeps its last digit.
  char buf[400];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
  std::string text = ec == std::errc() ? std::string(buf, end) : std::string("0");
  std::string whole = text;
  std::string fraction;
  if (const std::size_t dot = text.find('.'); dot != std::string::npos) {
    whole = text.substr(0, dot);
    fraction = text.substr(dot + 1);
  }
  bool dropped = false;
  if (fraction.size() > static_cast<std::size_t>(digits)) {
    dropped = fraction.find_first_not_of('0', static_cast<std::size_t>(digits)) != std::string::npos;
    fraction.resize(static_cast<std::size_t>(digits));
  } else {
    fraction.append(static_cast<std::size_t>(digits) - fraction.size(), '0');
  }
  std::string result = digits > 0 ? whole + "." + fraction : whole;
  const bool negative = value < 0;
  // Below zero the floor is one step further from zero when anything was cut.
  if (negative && dropped) result = incrementDecimalText(result);
  const bool zero = result.find_first_not_of("0.") == std::string::npos;
  return negative && !zero ? "-" + result : result;
}

// ---- output-size menus ----------------------------------------------------------------------

std::string Quirel_BaseScanMode::outputSizeKey(int n) const {
  const char* prefix = "OUTPUTSIZE_";
  if (mScannerInfo && mScannerInfo->isVer1600Later())
    prefix = "OUTPUTSIZE_1600_";
  else if (mScannerInfo && mScannerInfo->isVer1500Later())
    prefix = "OUTPUTSIZE_1500_";
  else if (mScannerInfo && mScannerInfo->isVer1300Later())
    prefix = "OUTPUTSIZE_1300_";
  return prefix + std::to_string(n);
}

std::string Quirel_BaseScanMode::outputSizeName(int n) const {
  const std::string key = outputSizeKey(n);
  if (!mLSobj) return key;
  return mLSobj->ls_localizedStringForKey(key, "UserInterface").value_or(key);
}

const fnd::Dictionary* Quirel_BaseScanMode::modeMenuItems(const char* modeKey) const {
  if (!mUimParameterDic) return nullptr;
  const fnd::Value* mode = mUimParameterDic->find(modeKey);
  if (!mode || !mode->isDictionary()) return nullptr;
  const fnd::Value* outputSize = mode->toDictionary().find("OutputSize");
  if (!outputSize || !outputSize->isDictionary()) return nullptr;
  const fnd::Value* menu = outputSize->toDictionary().find("MenuItem");
  if (!menu || !menu->isDictionary()) return nullptr;
  return &menu->toDictionary();
}

void Quirel_BaseScanMode::createOutputSizeObjects() {
  mPrintArray.emplace();
  mDisplayArray.emplace();
  mOcrArray.emplace();
  createDefaultOutputSizeObjects();

  // The user's own sizes; one without a usable width and height would give a frame of no size
  // (or of no finite one), so it is left out of the menus (the file keeps it).
  for (Quirel_OutputSize& size : Quirel_OutputSizeFile::read(mSettingFilePath.value_or(std::string()))) {
    const int unit = size.getUnit();
    const auto own = [unit](const OutputSizeLength& l) { return unit == 0 ? l.inch : unit == 1 ? l.cm : l.pixel; };
    const auto usable = [](double side) { return side > 0 && std::isfinite(side); };
    if (!usable(own(size.getOutputWidth())) || !usable(own(size.getOutputHeight()))) continue;
    size.setCustom(true);
    auto object = std::make_shared<Quirel_OutputSize>(size);
    const int destination = object->getDestination();
    (destination == 0 ? *mPrintArray : destination == 1 ? *mDisplayArray : *mOcrArray).push_back(std::move(object));
  }
}

void Quirel_BaseScanMode::createDefaultOutputSizeObjects() {
  if (!mPrintArray) mPrintArray.emplace();
  if (!mDisplayArray) mDisplayArray.emplace();
  if (!mOcrArray) mOcrArray.emplace();
  const fnd::Dictionary* menu = modeMenuItems(mUIMode == 0 ? "StandardMode" : "ExtendMode");
  if (!menu) return;
  const auto add = [this](const fnd::Array& numbers, int destination, int unit, OutputSizeList& list) {
    for (const fnd::Value& number : numbers) {
      const int n = number.toInt();
      auto object = std::make_shared<Quirel_OutputSize>(n, destination, outputSizeName(n), unit);
      const SSizeDouble size = getDefaultOutputSizeWH(n);
      object->setSize(unit, size.width, size.height);
      list.push_back(std::move(object));
    }
  };
  add(menu->array("Print"), 0, 1, *mPrintArray);
  add(menu->array("Display"), 1, 2, *mDisplayArray);
}

std::shared_ptr<Quirel_OutputSize> Quirel_BaseScanMode::getOutputSizeObject(int index) {
  if (!mPrintArray || !mDisplayArray || !mOcrArray) createOutputSizeObjects();
  for (const OutputSizeList* list : {&*mPrintArray, &*mDisplayArray, &*mOcrArray}) {
    for (const auto& object : *list) {
      if (object->getIndex() == index) return object;
    }
  }
  return nullptr;
}

std::shared_ptr<Quirel_OutputSize> Quirel_BaseScanMode::getOutputSizeObjectAtName(
    const std::optional<std::string>& name, const OutputSizeLength& width, const OutputSizeLength& height) {
  if (!name) return nullptr;
  if (!mPrintArray || !mDisplayArray || !mOcrArray) createOutputSizeObjects();
  for (const OutputSizeList* list : {&*mPrintArray, &*mDisplayArray, &*mOcrArray}) {
    for (const auto& object : *list) {
      if (object->getName() != name) continue;
      const OutputSizeLength w = object->getOutputWidth();
      const OutputSizeLength h = object->getOutputHeight();
      bool same = false;
      switch (object->getUnit()) {
        case 0: same = w.inch == width.inch && h.inch == height.inch; break;
        case 1: same = w.cm == width.cm && h.cm == height.cm; break;
        default: same = w.pixel == width.pixel && h.pixel == height.pixel; break;
      }
      if (same) return object;
    }
  }
  return nullptr;
}

std::vector<std::string> Quirel_BaseScanMode::getDefaultOutputSizeName() const {
  const auto text = [this](const char* key) {
    return mLSobj ? mLSobj->ls_localizedStringForKey(key, "UserInterface").value_or(key) : std::string(key);
  };
  std::vector<std::string> names{text("IDS_SIM_SIZE_FREE"), text("IDS_ADV_FAV_ADD_DELETE")};
  if (!mUimParameterDic) return names;
  for (const char* mode : {"StandardMode", "ExtendMode"}) {
    const fnd::Dictionary* menu = modeMenuItems(mode);
    if (!menu) continue;
    for (const char* list : {"Print", "Display"}) {
      for (const fnd::Value& number : menu->array(list)) names.push_back(outputSizeName(number.toInt()));
    }
  }
  return names;
}

Quirel_BaseScanMode::OutputSizeListChange Quirel_BaseScanMode::applyOutputSizeListChange(
    CropList crops, const std::vector<int>& deletedSizes, const std::vector<int>& updatedSizes,
    const std::function<void(int, Quirel_CropInfo&)>& setSize) {
  OutputSizeListChange change;
  for (int index : deletedSizes) {
    for (const auto& crop : crops) {
      if (crop->getOutputSize() != index) continue;
      setSize(0, *crop);
      change.deleted = true;
      if (!crop->isSelected()) change.deletedUnselected = true;
    }
  }
  for (int index : updatedSizes) {
    for (const auto& crop : crops) {
      if (crop->getOutputSize() != index) continue;
      setSize(crop->isSelected() ? index : 0, *crop);
      change.updated = true;
      if (!crop->isSelected()) change.updatedUnselected = true;
    }
  }
  return change;
}
