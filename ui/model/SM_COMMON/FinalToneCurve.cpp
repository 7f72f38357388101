#include <cstdint>
#include <memory>
#include <new>

#include "ui/model/SM_COMMON/ToneCurve.h"

// The entry points through which dialogs, graphs and the preview model turn tone values into
// tables. Each fills a `ToneCurveParam`, resets the gamma point list to its default and calls
// `MakeToneCurve`.

namespace {

KunekuneData gGammaPointList = {2, {0, 0}, {0, 0}};

void resetPointList() {
  gGammaPointList = KunekuneData{};
  gGammaPointList.count = 2;
}

void fillIdentity(std::int16_t* table, int n) {
  for (int i = 0; i < n; ++i) {
    table[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(i));
  }
}

std::uint32_t curveEntry(const void* curve, int i, bool bytes) {
  if (curve == nullptr) {
    return static_cast<std::uint32_t>(i);
  }
  return bytes ? static_cast<const std::uint8_t*>(curve)[i]
               : static_cast<const std::uint16_t*>(curve)[i];
}

// A parameter record with every value neutral for a 256-entry table.
ToneCurveParam neutralParam256() {
  ToneCurveParam p{};
  p.count = 256;
  p.outMax = 256;
  p.reverse = 0;
  for (int c = 0; c < 4; ++c) {
    p.shadow[c] = 0;
    p.middle[c] = 128;
    p.hilight[c] = 255;
    p.grayPoint[c] = 128;
    p.brightness[c] = 128;
    p.contrast[c] = 128;
    p.balance[c] = 128;
    p.gamma[c] = 1.0f;
  }
  return p;
}

// Runs `MakeToneCurve` on an identity user curve of 256 entries; false when it was refused.
bool makeCurve256(const ToneCurveParam& param, ToneTableEntry (&output)[256]) {
  ToneTableEntry identity[256];
  for (std::uint32_t i = 0; i < 256; ++i) {
    identity[i] = {i, i, i, i};
    output[i] = {i, i, i, i};
  }
  resetPointList();
  return MakeToneCurve(&param, identity, output, &gGammaPointList) == 0;
}

}  // namespace

extern "C" {

KunekuneData* TranslateWDParam(const std::int32_t* list) {
  // A list of fewer than 2 or more than 15 points is refused: copying it would run past the
  // static list, and the default is the list every caller expects.
  if (list == nullptr || list[0] < 2 || list[0] > kToneMaxPoints) {
    resetPointList();
    return &gGammaPointList;
  }
  const std::int32_t k = list[0];
  gGammaPointList = KunekuneData{};
  gGammaPointList.count = k;
  for (std::int32_t j = 0; j < k; ++j) {
    gGammaPointList.x[j] = list[2 * (j + 1)];
    gGammaPointList.y[j] = list[2 * (j + 1) + 1];
  }
  return &gGammaPointList;
}

int MakeFinalToneCurve(std::int16_t* red, std::int16_t* green, std::int16_t* blue, int n,
                       ToneParam param) {
  if (red == nullptr || green == nullptr || blue == nullptr || (n != 256 && n != 65536)) {
    return -1;
  }
  const auto count = static_cast<std::size_t>(n);
  std::unique_ptr<ToneTableEntry[]> userCurve(new (std::nothrow) ToneTableEntry[count]);
  std::unique_ptr<ToneTableEntry[]> output(new (std::nothrow) ToneTableEntry[count]);
  if (!userCurve || !output) {
    fillIdentity(red, n);
    fillIdentity(green, n);
    fillIdentity(blue, n);
    return 0;
  }

  const bool bytes = n <= 256;
  for (int i = 0; i < n; ++i) {
    userCurve[i] = {curveEntry(param.masterCurve, i, bytes), curveEntry(param.redCurve, i, bytes),
                    curveEntry(param.greenCurve, i, bytes), curveEntry(param.blueCurve, i, bytes)};
  }

  ToneCurveParam p{};
  p.count = static_cast<std::uint32_t>(n);
  p.outMax = static_cast<std::uint32_t>(n);
  p.reverse = 0;
  for (int c = 0; c < 4; ++c) {
    p.brightness[c] = static_cast<std::uint8_t>(param.brightness[c]);
    p.contrast[c] = static_cast<std::uint8_t>(param.contrast[c]);
    p.balance[c] = 128;
    p.gamma[c] = static_cast<float>(param.gamma[c]);
    if (bytes) {
      const double factor = static_cast<double>(n - 1) / 255.0;
      p.shadow[c] = static_cast<std::uint32_t>(param.shadow[c] * factor + 0.5);
      p.middle[c] = static_cast<std::uint32_t>(param.middle[c] * factor + 0.5);
      p.hilight[c] = static_cast<std::uint32_t>(param.hilight[c] * factor + 0.5);
      p.grayPoint[c] = param.grayPoint[c];
    } else {
      // Middle by 256, not 257, so the neutral 128 lands exactly on (65535 + 1) / 2.
      p.shadow[c] = param.shadow[c] * 257;
      p.middle[c] = param.middle[c] * 256;
      p.hilight[c] = param.hilight[c] * 257;
      p.grayPoint[c] = param.grayPoint[c] * 257;
    }
  }

  resetPointList();
  if (MakeToneCurve(&p, userCurve.get(), output.get(), &gGammaPointList) != 0) {
    fillIdentity(red, n);
    fillIdentity(green, n);
    fillIdentity(blue, n);
    return 0;
  }
  for (int i = 0; i < n; ++i) {
    red[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(output[i].red));
    green[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(output[i].green));
    blue[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(output[i].blue));
  }
  return 0;
}

void FinalToneCurve(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                    ToneParam param) {
  if (red == nullptr || green == nullptr || blue == nullptr) {
    return;
  }
  std::int16_t r[256];
  std::int16_t g[256];
  std::int16_t b[256];
  if (MakeFinalToneCurve(r, g, b, 256, param) != 0) {
    return;
  }
  for (int i = 0; i < 256; ++i) {
    red[i] = static_cast<std::uint8_t>(r[i]);
    green[i] = static_cast<std::uint8_t>(g[i]);
    blue[i] = static_cast<std::uint8_t>(b[i]);
  }
}

void CurveFromBCG(std::uint8_t* table, int brightness, int contrast, double gamma) {
  if (table == nullptr) {
    return;
  }
  ToneCurveParam p = neutralParam256();
  p.brightness[kToneMaster] = static_cast<std::uint8_t>(brightness);
  p.contrast[kToneMaster] = static_cast<std::uint8_t>(contrast);
  p.gamma[kToneMaster] = static_cast<float>(gamma);
  ToneTableEntry output[256];
  if (!makeCurve256(p, output)) {
    return;
  }
  for (int i = 0; i < 256; ++i) {
    table[i] = static_cast<std::uint8_t>(output[i].red);
  }
}

void CurveFromBlackMiddleWhiteMaster(std::uint8_t* table, int black, int middle, int white) {
  if (table == nullptr) {
    return;
  }
  ToneCurveParam p = neutralParam256();
  p.shadow[kToneMaster] = static_cast<std::uint32_t>(black);
  p.middle[kToneMaster] = static_cast<std::uint32_t>(middle);
  p.hilight[kToneMaster] = static_cast<std::uint32_t>(white);
  ToneTableEntry output[256];
  if (!makeCurve256(p, output)) {
    return;
  }
  for (int i = 0; i < 256; ++i) {
    table[i] = static_cast<std::uint8_t>(output[i].red);
  }
}

void CurveFromBlackMiddleWhite(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                               int black, int middle, int white, ChannelValues grayPoint) {
  if (red == nullptr || green == nullptr || blue == nullptr) {
    return;
  }
  ToneCurveParam p = neutralParam256();
  p.shadow[kToneMaster] = static_cast<std::uint32_t>(black);
  p.middle[kToneMaster] = static_cast<std::uint32_t>(middle);
  p.hilight[kToneMaster] = static_cast<std::uint32_t>(white);
  p.grayPoint[kToneMaster] = static_cast<std::uint32_t>(grayPoint.master);
  p.grayPoint[kToneRed] = static_cast<std::uint32_t>(grayPoint.red);
  p.grayPoint[kToneGreen] = static_cast<std::uint32_t>(grayPoint.green);
  p.grayPoint[kToneBlue] = static_cast<std::uint32_t>(grayPoint.blue);
  ToneTableEntry output[256];
  if (!makeCurve256(p, output)) {
    return;
  }
  for (int i = 0; i < 256; ++i) {
    red[i] = static_cast<std::uint8_t>(output[i].red);
    green[i] = static_cast<std::uint8_t>(output[i].green);
    blue[i] = static_cast<std::uint8_t>(output[i].blue);
  }
}

}  // extern "C"
