#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "ui/model/SM_COMMON/CSpline.h"

namespace {

const char* const kChannelNames[4] = {"Master", "Red", "Green", "Blue"};

fnd::Array fourInts(const std::uint32_t* v) {
  return fnd::Array{static_cast<long long>(v[0]), static_cast<long long>(v[1]), static_cast<long long>(v[2]),
                    static_cast<long long>(v[3])};
}

// Four tone values; a value outside 0..255 is pulled onto the scale, a missing one kept.
void readFour(const fnd::Dictionary& dict, std::string_view key, std::uint32_t* out) {
  const fnd::Value* v = dict.find(key);
  if (!v || !v->isArray()) return;
  const fnd::Array& a = v->toArray();
  for (std::size_t i = 0; i < 4 && i < a.size(); ++i) {
    if (a[i].isInteger() || a[i].isReal())
      out[i] = static_cast<std::uint32_t>(std::clamp<long long>(a[i].toInteger(), 0, 255));
  }
}

void readChannel(const fnd::Dictionary& channel, std::int32_t* count, TagPoint* points) {
  const fnd::Value* list = channel.find("UserCurvePoint");
  if (!list || !list->isArray()) return;
  const fnd::Array& a = list->toArray();
  const long long asked = channel.integer("PointNum");
  const int n = static_cast<int>(std::clamp<long long>(std::min<long long>(asked, static_cast<long long>(a.size())), 0,
                                                      kToneMaxPoints));
  for (int i = 0; i < n; ++i) {
    const fnd::Value& p = a[static_cast<std::size_t>(i)];
    const fnd::Dictionary empty;
    const fnd::Dictionary& d = p.isDictionary() ? p.toDictionary() : empty;
    points[i] = TagPoint{d.intValue("h"), d.intValue("v")};
  }
  *count = n;
}

ToneParam toneParamOf(const UserToneSetting& s, double masterGamma) {
  ToneParam p{};
  for (int c = 0; c < 4; ++c) {
    p.brightness[c] = s.Brightness[c];
    p.contrast[c] = s.Contrast[c];
    p.gamma[c] = c == 0 ? masterGamma : s.Gamma[c];
    p.shadow[c] = s.Shadow[c];
    p.middle[c] = s.Middle[c];
    p.hilight[c] = s.Hilight[c];
    p.grayPoint[c] = s.GrayPoint[c];
  }
  return p;
}

// A channel's curve; fewer than two points, or points the spline refuses, leave it straight.
template <typename Entry, typename Calc>
void channelCurve(const UserToneSetting& s, int c, Entry* table, std::size_t n, Calc calc) {
  for (std::size_t i = 0; i < n; ++i) table[i] = static_cast<Entry>(i);
  if (s.PointNum[c] >= 2) calc(table, s.UserCurvePoint[c], s.PointNum[c]);
}

}  // namespace

extern "C" void UIM_Neutral_UserToneSetting(UserToneSetting* setting) {
  if (!setting) return;
  std::memset(setting, 0, sizeof *setting);
  for (int c = 0; c < 4; ++c) {
    setting->PointNum[c] = 2;
    setting->UserCurvePoint[c][0] = TagPoint{0, 0};
    setting->UserCurvePoint[c][1] = TagPoint{255, 255};
    setting->Brightness[c] = 128;
    setting->Contrast[c] = 128;
    setting->Shadow[c] = 0;
    setting->Middle[c] = 128;
    setting->Hilight[c] = 255;
    setting->GrayPoint[c] = 128;
    setting->Gamma[c] = 1.0;
  }
}

std::optional<fnd::Dictionary> UIM_CreateDictionary_UserToneSetting(const UserToneSetting* setting) {
  if (!setting) return std::nullopt;
  fnd::Dictionary spline;
  for (int c = 0; c < 4; ++c) {
    const int n = std::clamp(setting->PointNum[c], 0, kToneMaxPoints);
    fnd::Array points;
    for (int i = 0; i < n; ++i)
      points.push_back(fnd::Dictionary{{"h", setting->UserCurvePoint[c][i].h}, {"v", setting->UserCurvePoint[c][i].v}});
    spline.set(kChannelNames[c], fnd::Dictionary{{"PointNum", n}, {"UserCurvePoint", std::move(points)}});
  }
  fnd::Dictionary tone{{"Brightness", fourInts(setting->Brightness)},
                       {"Contrast", fourInts(setting->Contrast)},
                       {"Shadow", fourInts(setting->Shadow)},
                       {"Middle", fourInts(setting->Middle)},
                       {"Hilight", fourInts(setting->Hilight)},
                       {"GrayPoint", fourInts(setting->GrayPoint)},
                       {"Gamma", fnd::Array{setting->Gamma[0], setting->Gamma[1], setting->Gamma[2], setting->Gamma[3]}}};
  return fnd::Dictionary{{"UserGammaNumber", setting->UserGammaNumber}, {"Spline", std::move(spline)},
                         {"ToneParam", std::move(tone)}};
}

int UIM_GetDictionary_UserToneSetting(const fnd::Dictionary* dict, UserToneSetting* setting) {
  if (!setting) return -1;
  UIM_Neutral_UserToneSetting(setting);
  if (!dict) return -1;
  const fnd::Value* spline = dict->find("Spline");
  const fnd::Value* tone = dict->find("ToneParam");
  const bool hasSpline = spline && spline->isDictionary();
  const bool hasTone = tone && tone->isDictionary();
  if (!hasSpline && !hasTone) return -1;
  setting->UserGammaNumber = dict->intValue("UserGammaNumber");
  if (hasSpline) {
    for (int c = 0; c < 4; ++c) {
      const fnd::Value* channel = spline->toDictionary().find(kChannelNames[c]);
      if (channel && channel->isDictionary())
        readChannel(channel->toDictionary(), &setting->PointNum[c], setting->UserCurvePoint[c]);
    }
  }
  if (hasTone) {
    const fnd::Dictionary& t = tone->toDictionary();
    readFour(t, "Brightness", setting->Brightness);
    readFour(t, "Contrast", setting->Contrast);
    readFour(t, "Shadow", setting->Shadow);
    readFour(t, "Middle", setting->Middle);
    readFour(t, "Hilight", setting->Hilight);
    readFour(t, "GrayPoint", setting->GrayPoint);
    const fnd::Value* gamma = t.find("Gamma");
    if (gamma && gamma->isArray()) {
      const fnd::Array& a = gamma->toArray();
      for (std::size_t i = 0; i < 4 && i < a.size(); ++i) {
        const double g = a[i].toReal();
        setting->Gamma[i] = std::isfinite(g) && g > 0 ? g : 1.0;
      }
    }
  }
  return 0;
}

extern "C" int UIM_MakeUserToneTables(const UserToneSetting* setting, double masterGamma, std::uint8_t* red,
                                      std::uint8_t* green, std::uint8_t* blue) {
  if (!setting || !red || !green || !blue) return -1;
  std::uint8_t curves[4][256];
  for (int c = 0; c < 4; ++c) channelCurve(*setting, c, curves[c], 256, SplineCalc);
  ToneParam p = toneParamOf(*setting, masterGamma);
  p.masterCurve = curves[0];
  p.redCurve = curves[1];
  p.greenCurve = curves[2];
  p.blueCurve = curves[3];
  for (int i = 0; i < 256; ++i) red[i] = green[i] = blue[i] = static_cast<std::uint8_t>(i);
  FinalToneCurve(red, green, blue, p);
  return 0;
}

extern "C" int UIM_MakeUserToneTables16(const UserToneSetting* setting, double masterGamma, std::uint16_t* red,
                                        std::uint16_t* green, std::uint16_t* blue) {
  if (!setting || !red || !green || !blue) return -1;
  constexpr std::size_t n = 65536;
  std::unique_ptr<std::uint16_t[]> curves(new (std::nothrow) std::uint16_t[4 * n]);
  if (!curves) return -1;
  for (int c = 0; c < 4; ++c) channelCurve(*setting, c, curves.get() + c * n, n, SplineCalc16);
  ToneParam p = toneParamOf(*setting, masterGamma);
  p.masterCurve = curves.get();
  p.redCurve = curves.get() + n;
  p.greenCurve = curves.get() + 2 * n;
  p.blueCurve = curves.get() + 3 * n;
  static_assert(sizeof(std::int16_t) == sizeof(std::uint16_t));
  if (MakeFinalToneCurve(reinterpret_cast<std::int16_t*>(red), reinterpret_cast<std::int16_t*>(green),
                         reinterpret_cast<std::int16_t*>(blue), static_cast<int>(n), p) != 0)
    return -1;
  return 0;
}
