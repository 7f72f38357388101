#include "ui/model/ToneSetting.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/Paths.h"
#include "ui/model/SettingsListFile.h"

namespace {

constexpr int kToneLevelMax = 255;
constexpr int kToneSignedMax = 127;
constexpr int kToneCurvePresetMax = 5;
constexpr int kToneCurveMinPoints = 2;

fnd::Array toneChannelArray(const ChannelValues& c) { return fnd::Array{c.master, c.red, c.green, c.blue}; }

// A number kept within lo..hi; anything that is no number (or no key) gives the default. Text
// reads as the number it starts with, as the platform's integer reading of a string did.
int toneNumber(const fnd::Value& v, int fallback, int lo, int hi) {
  if (!v.isNumber() && !v.isString()) return fallback;
  if (v.isReal() && !std::isfinite(v.toReal())) return fallback;
  // Clamped as a real first: a real past the integers' range has no integer to become.
  const long long n = v.isReal() ? static_cast<long long>(std::clamp(v.toReal(), double(lo), double(hi))) : v.toInteger();
  return static_cast<int>(std::clamp<long long>(n, lo, hi));
}

// Four channel values; a short or missing array leaves the defaults at the positions it lacks.
ChannelValues toneChannels(const fnd::Dictionary& d, std::string_view key, const ChannelValues& fallback, int lo,
                           int hi) {
  const fnd::Value& a = d.get(key);
  const std::int32_t defaults[4] = {fallback.master, fallback.red, fallback.green, fallback.blue};
  std::int32_t out[4];
  for (std::size_t i = 0; i < 4; ++i) {
    const fnd::Value& e = a.isArray() && i < a.toArray().size() ? a.toArray()[i] : fnd::Value::null();
    out[i] = toneNumber(e, defaults[i], lo, hi);
  }
  return ChannelValues{out[0], out[1], out[2], out[3]};
}

fnd::Array tonePointArrays(const TagPoint (&points)[4][kCropToneCurvePoints]) {
  fnd::Array channels;
  for (const auto& channel : points) {
    fnd::Array list;
    for (const TagPoint& p : channel) list.push_back(fnd::Dictionary{{"pointH", p.h}, {"pointV", p.v}});
    channels.push_back(std::move(list));
  }
  return channels;
}

// Points over the defaults already in place: a missing channel, position or coordinate keeps
// its default.
void readTonePoints(const fnd::Dictionary& d, std::string_view key, TagPoint (&points)[4][kCropToneCurvePoints]) {
  const fnd::Value& channels = d.get(key);
  if (!channels.isArray()) return;
  for (std::size_t c = 0; c < 4 && c < channels.toArray().size(); ++c) {
    const fnd::Value& list = channels.toArray()[c];
    if (!list.isArray()) continue;
    for (std::size_t i = 0; i < std::size_t(kCropToneCurvePoints) && i < list.toArray().size(); ++i) {
      const fnd::Value& p = list.toArray()[i];
      if (!p.isDictionary()) continue;
      TagPoint& out = points[c][i];
      out.h = toneNumber(p["pointH"], out.h, 0, kToneLevelMax);
      out.v = toneNumber(p["pointV"], out.v, 0, kToneLevelMax);
    }
  }
}

}  // namespace

Quirel_ToneSetting::Quirel_ToneSetting() { initData(); }

Quirel_ToneSetting::Quirel_ToneSetting(int index, const std::string& name, int colorMode) {
  initData();
  setValue(index, name, colorMode);
}

void Quirel_ToneSetting::initData() {
  mIndex = 0;
  mName.clear();
  mColorMode = 0;
  mColorBalance = ColorBalanceValues{0, 0, 0, 0};
  mToneBC = ToneBCValues{{0, 0, 0, 0}, {0, 0, 0, 0}};
  mHistogram = HistogramValues{{0, 0, 0, 0}, {128, 128, 128, 128}, {255, 255, 255, 255}, {128, 128, 128, 128}};
  std::memset(&mToneCurve, 0, sizeof mToneCurve);
  for (int c = 0; c < 4; ++c) {
    mToneCurve.setPointCount[c] = 2;
    mToneCurve.setPoint[c][1] = TagPoint{255, 255};
    mToneCurve.squarePoint[c][1] = TagPoint{145, 145};
  }
  mThreshold = kDefaultThreshold;
}

void Quirel_ToneSetting::setValue(int index, const std::string& name, int colorMode) {
  mIndex = index;
  mName = name;
  mColorMode = colorMode;
}

Quirel_ToneSetting::Quirel_ToneSetting(const fnd::Dictionary& d) {
  initData();
  const fnd::Value& name = d.get("Name");
  if (name.isString()) mName = name.toString();
  mIndex = toneNumber(d.get("Index"), 0, INT32_MIN, INT32_MAX);
  mColorMode = toneNumber(d.get("ColorMode"), 0, INT32_MIN, INT32_MAX);
  mColorBalance.chroma = toneNumber(d.get("Chroma"), 0, -kToneSignedMax, kToneSignedMax);
  mColorBalance.cyanRed = toneNumber(d.get("CyanRed"), 0, -kToneSignedMax, kToneSignedMax);
  mColorBalance.magentaGreen = toneNumber(d.get("MagentaGreen"), 0, -kToneSignedMax, kToneSignedMax);
  mColorBalance.yellowBlue = toneNumber(d.get("YellowBlue"), 0, -kToneSignedMax, kToneSignedMax);
  mToneBC.brightness = toneChannels(d, "Brightness", mToneBC.brightness, -kToneSignedMax, kToneSignedMax);
  mToneBC.contrast = toneChannels(d, "Contrast", mToneBC.contrast, -kToneSignedMax, kToneSignedMax);
  mHistogram.black = toneChannels(d, "BlackPoint", mHistogram.black, 0, kToneLevelMax);
  mHistogram.mid = toneChannels(d, "MidPoint", mHistogram.mid, 0, kToneLevelMax);
  mHistogram.white = toneChannels(d, "WhitePoint", mHistogram.white, 0, kToneLevelMax);
  mHistogram.gray = toneChannels(d, "GrayPoint", mHistogram.gray, 0, kToneLevelMax);
  mToneCurve.selectToneCurve = toneChannels(d, "ToneCurve", mToneCurve.selectToneCurve, 0, kToneCurvePresetMax);
  const ChannelValues counts =
      toneChannels(d, "SetPointCount", ChannelValues{2, 2, 2, 2}, kToneCurveMinPoints, kCropToneCurvePoints);
  setPointCounts(mToneCurve, counts);
  readTonePoints(d, "UserSetPoint", mToneCurve.setPoint);
  readTonePoints(d, "SquarePoint", mToneCurve.squarePoint);
  mThreshold = toneNumber(d.get("Threshold"), kDefaultThreshold, 0, kToneLevelMax);
}

fnd::Dictionary Quirel_ToneSetting::getDictionary() const {
  fnd::Dictionary d;
  d.set("Name", mName);
  d.set("Index", mIndex);
  d.set("ColorMode", mColorMode);
  d.set("Chroma", mColorBalance.chroma);
  d.set("CyanRed", mColorBalance.cyanRed);
  d.set("MagentaGreen", mColorBalance.magentaGreen);
  d.set("YellowBlue", mColorBalance.yellowBlue);
  d.set("Brightness", toneChannelArray(mToneBC.brightness));
  d.set("Contrast", toneChannelArray(mToneBC.contrast));
  d.set("BlackPoint", toneChannelArray(mHistogram.black));
  d.set("MidPoint", toneChannelArray(mHistogram.mid));
  d.set("WhitePoint", toneChannelArray(mHistogram.white));
  d.set("GrayPoint", toneChannelArray(mHistogram.gray));
  d.set("ToneCurve", toneChannelArray(mToneCurve.selectToneCurve));
  d.set("SetPointCount", fnd::Array{mToneCurve.setPointCount[0], mToneCurve.setPointCount[1],
                                    mToneCurve.setPointCount[2], mToneCurve.setPointCount[3]});
  d.set("UserSetPoint", tonePointArrays(mToneCurve.setPoint));
  d.set("SquarePoint", tonePointArrays(mToneCurve.squarePoint));
  d.set("Threshold", mThreshold);
  return d;
}

bool Quirel_ToneSetting::operator==(const Quirel_ToneSetting& o) const {
  auto same = [](const ChannelValues& a, const ChannelValues& b) {
    return a.master == b.master && a.red == b.red && a.green == b.green && a.blue == b.blue;
  };
  const ColorBalanceValues &a = mColorBalance, &b = o.mColorBalance;
  if (mIndex != o.mIndex || mName != o.mName || mColorMode != o.mColorMode || mThreshold != o.mThreshold) return false;
  if (a.chroma != b.chroma || a.cyanRed != b.cyanRed || a.magentaGreen != b.magentaGreen || a.yellowBlue != b.yellowBlue)
    return false;
  if (!same(mToneBC.brightness, o.mToneBC.brightness) || !same(mToneBC.contrast, o.mToneBC.contrast)) return false;
  if (!same(mHistogram.black, o.mHistogram.black) || !same(mHistogram.mid, o.mHistogram.mid) ||
      !same(mHistogram.white, o.mHistogram.white) || !same(mHistogram.gray, o.mHistogram.gray))
    return false;
  // The curve record is plain integers without padding.
  return std::memcmp(&mToneCurve, &o.mToneCurve, sizeof mToneCurve) == 0;
}

std::string Quirel_ToneSetting::filePath(const std::string& folder) {
  if (folder.empty()) return {};
  std::string dir = folder;
  if (dir[0] == '~' && (dir.size() == 1 || dir[1] == '/')) dir = fnd::Paths::homeDir() + dir.substr(1);
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir == "/") return dir + kFileName;
  return dir + "/" + kFileName;
}

Quirel_ToneSetting::FileContents Quirel_ToneSetting::readFromFolder(const std::string& folder) {
  FileContents contents;
  const std::string path = filePath(folder);
  if (path.empty()) return contents;
  const Quirel_SettingsListFile::Contents file = Quirel_SettingsListFile::read(path);
  contents.unreadable = file.unreadable;
  for (const fnd::Value& element : file.elements) {
    if (!element.isDictionary()) {
      contents.others.push_back(element);
      continue;
    }
    Quirel_ToneSetting record(element.toDictionary());
    (record.getColorMode() != 0 ? contents.color : contents.threshold).push_back(std::move(record));
  }
  return contents;
}

std::vector<Quirel_ToneSetting> Quirel_ToneSetting::readAll(const std::string& folder) {
  std::vector<Quirel_ToneSetting> out;
  const std::string path = filePath(folder);
  if (path.empty()) return out;
  for (const fnd::Value& element : Quirel_SettingsListFile::read(path).elements)
    if (element.isDictionary()) out.emplace_back(element.toDictionary());
  return out;
}

bool Quirel_ToneSetting::writeToFolder(const std::string& folder, const std::vector<Quirel_ToneSetting>& threshold,
                                       const std::vector<Quirel_ToneSetting>& color, const fnd::Array& others,
                                       bool setAsideUnreadable, std::string* error) {
  const std::string path = filePath(folder);
  if (path.empty()) {
    if (error) *error = "no settings folder";
    return false;
  }
  fnd::Array entries;
  entries.reserve(threshold.size() + color.size() + others.size());
  for (const Quirel_ToneSetting& r : threshold) entries.emplace_back(r.getDictionary());
  for (const Quirel_ToneSetting& r : color) entries.emplace_back(r.getDictionary());
  for (const fnd::Value& other : others) entries.push_back(other);
  return Quirel_SettingsListFile::write(path, entries, setAsideUnreadable, error);
}
