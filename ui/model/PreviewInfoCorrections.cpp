// Which of a crop's corrections a per-crop or scan request carries, and the user tone tables.
#include <algorithm>
#include <cstring>

#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"

namespace {

// Basic sources that carry a colour balance.
bool isBalanceSource(int idx) { return idx == 0 || idx == 1 || idx == 4 || idx == 5 || idx == 13; }

std::uint8_t plus128(std::int32_t v) { return static_cast<std::uint8_t>(std::clamp(v + 128, 0, 255)); }

std::uint32_t level(std::int32_t v) { return static_cast<std::uint32_t>(std::max(v, 0)); }

fnd::Array fourInts(const ChannelValues& v, int add) {
  return fnd::Array{v.master + add, v.red + add, v.green + add, v.blue + add};
}

bool sameParam(const ToneCurveParam& a, const ToneCurveParam& b) {
  for (int i = 0; i < 4; ++i) {
    if (a.brightness[i] != b.brightness[i] || a.contrast[i] != b.contrast[i] || a.gamma[i] != b.gamma[i] ||
        a.shadow[i] != b.shadow[i] || a.middle[i] != b.middle[i] || a.hilight[i] != b.hilight[i] ||
        a.grayPoint[i] != b.grayPoint[i])
      return false;
  }
  return true;
}

bool sameSelect(const ChannelValues& a, const ChannelValues& b) {
  return a.master == b.master && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace

void Quirel_PreviewInfo::copySetValues(CropSetting* s, const Quirel_CropInfo* c) {
  s->UnsharpMask = c->getUnsharpMask();
  s->Descreen = c->getDescreen();
  s->ReduceDust = c->getReduceDust();
  s->GrainCorrect = c->getGrainCorrect();
}

bool Quirel_PreviewInfo::setImageSettingInCropSettingExt(CropSetting* s, const Quirel_CropInfo* c, bool preview,
                                                         int cidx, int cs, int idx, bool ver310, bool ver1400Later,
                                                         bool ver1500Later) const {
  if (!s) return false;
  s->AutoTone = s->UnsharpMask = s->Descreen = s->ReduceDust = s->FadingCorrect = s->GrainCorrect = 0;
  s->BacklightCorrect = s->CuBS = s->IRScan = 0;
  s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->HSLSaturation = 0;
  s->SIRScan = s->IMAGEDOCUMENTTYPE = s->UISettingDocument = 0;
  if (!c) return false;
  const bool colour = cidx >= 3 && cidx <= 5;
  const bool multi = c->isMultiCrop();

  if (idx == 1 || idx == 2) {
    s->IRScan = c->getRemoveDust();
    s->SIRScan = c->getReduceDustFAU();
  } else if (idx == 3 || idx == 4) {
    s->SIRScan = c->getReduceDustFAU();
  }
  if (!multi && cs != 1 && colour) {
    const ColorBalanceValues b = c->getColorBalance();
    s->HSLSaturation = b.chroma;
    s->HSLCyanRed = b.cyanRed;
    s->HSLMagentaGreen = b.magentaGreen;
    s->HSLYellowBlue = b.yellowBlue;
  }
  const bool older = ver310 || ver1400Later;
  if (preview) {
    if (idx == 0) s->CuBS = c->getBookCorrect();
    if (cs == 2 && cidx != 0) copySetValues(s, c);
    if (cs == 1 && colour) {
      if (older)
        copySetValues(s, c);
      else
        s->AutoTone = c->getAutoTone();
    }
    if (cs == 0 && cidx != 0) {
      s->AutoTone = c->getAutoTone();
      copySetValues(s, c);
      s->BacklightCorrect = c->getBackLightCorrect();
      if (colour) s->FadingCorrect = c->getFadingCorrect();
    }
    if (multi) {
      if ((cs == 0 && cidx != 0) || (cs == 1 && colour && !older)) s->AutoTone = 1;
      s->FadingCorrect = s->BacklightCorrect = s->CuBS = 0;
    }
  } else if (((cs == 0 || cs == 2) && cidx != 0) || (cs == 1 && colour)) {
    copySetValues(s, c);
  }

  if (!ver1500Later) return false;
  bool documentType = false;
  if (preview && cs == 0 && cidx != 0) s->AutoTone = getAutoToneToSM(c->getColorAdjust(), 1);
  if (preview && ((cs == 0 && cidx != 0) || (cs == 2 && idx >= 1 && idx <= 4 && cidx != 0))) {
    s->IMAGEDOCUMENTTYPE = getCropImageDocumetType(c->getColorAdjust(), idx, cs, 1);
    documentType = true;
  }
  s->UISettingDocument =
      getUISettingDocumentToSM(idx, cs, cidx, preview, c->getColorAdjust(), c->getCopyGamma(), 0, 1);
  return documentType;
}

bool Quirel_PreviewInfo::setImageSettingInCropSettingStd(CropSetting* s, const Quirel_CropInfo* c, bool preview,
                                                         int idx, int cs, bool ver310, bool ver1400Later,
                                                         bool ver1500Later) const {
  if (!s) return false;
  s->AutoTone = s->UnsharpMask = s->Descreen = s->FadingCorrect = s->BacklightCorrect = s->CuBS = s->IRScan = 0;
  s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->meRatio = s->SIRScan = 0;
  s->IMAGEDOCUMENTTYPE = s->UISettingDocument = s->AUTOFINEDOCUMENT = 0;
  if (!c) return false;
  const bool blackWhite = idx == 2;
  const bool balance = isBalanceSource(idx);
  auto sharpen = [&] {
    s->UnsharpMask = 1;
    if (idx == 1) s->Descreen = 1;
  };

  if (preview) {
    if (cs != 1 && balance) {
      const ColorBalanceValues b = c->getColorBalance();
      s->HSLCyanRed = b.cyanRed;
      s->HSLMagentaGreen = b.magentaGreen;
      s->HSLYellowBlue = b.yellowBlue;
    }
    if (idx == 1 || idx == 2 || idx == 3 || idx == 12 || idx == 13) s->CuBS = c->getBookCorrect();
    if (!mVer1700) s->CuBS = 0;
    if (idx == 4 || idx == 5) {
      s->IRScan = c->getRemoveDust();
      s->SIRScan = c->getReduceDustFAU();
    }
    if (cs == 2 && !blackWhite) sharpen();
    if (cs == 1 && balance) {
      if (!(ver310 || ver1400Later)) s->AutoTone = c->getAutoTone();
      sharpen();
    }
    if (cs == 0 && !blackWhite) {
      s->AutoTone = c->getAutoTone();
      s->UnsharpMask = 1;
      s->BacklightCorrect = c->getBackLightCorrect();
      if (idx == 0 || idx == 4 || idx == 5 || idx == 13) s->FadingCorrect = c->getFadingCorrect();
      if (idx == 1) {
        s->FadingCorrect = c->getFadingCorrect();
        s->Descreen = 1;
      }
    }
  } else if (((cs == 0 || cs == 2) && !blackWhite) || (cs == 1 && balance)) {
    sharpen();
  }

  if (!ver1500Later) return false;
  bool documentType = false;
  if (!blackWhite && cs == 0 && preview) s->AutoTone = 1;
  if ((cs == 0 || cs == 2) && !blackWhite) {
    s->IMAGEDOCUMENTTYPE = getCropImageDocumetType(0, idx, cs, 0);
    documentType = true;
  }
  s->UISettingDocument = getUISettingDocumentToSM(idx, cs, 0, preview, 0, c->getCopyGamma(), 0, 0);
  s->ALMBasicDestination = getDestinationToSM(c->getDestination());
  return documentType;
}

void Quirel_PreviewInfo::setImageSettingInCropSettingStdAutoFine(CropSetting* s, const Quirel_CropInfo* c,
                                                                 bool preview, int idx, int cs,
                                                                 bool ver1700Later) const {
  if (!s || !c || !ver1700Later || cs != 0) return;
  if (preview && (idx == 1 || idx == 2 || idx == 3 || idx == 12 || idx == 13)) {
    s->AUTOFINEDOCUMENT = c->getAutoDocCorrect();
    if (s->AUTOFINEDOCUMENT == 1) s->AutoTone = 0;
    s->CuBS = c->getBookCorrect();
    s->FadingCorrect = s->BacklightCorrect = 0;
  } else if (preview && idx == 0) {
    s->FadingCorrect = c->getFadingCorrect();
    s->BacklightCorrect = c->getBackLightCorrect();
    s->AUTOFINEDOCUMENT = s->CuBS = 0;
  } else if (idx >= 8 && idx <= 11) {
    s->AUTOFINEDOCUMENT = c->getAutoDocCorrect();
    if (s->AUTOFINEDOCUMENT == 1) s->AutoTone = 0;
    s->FadingCorrect = s->BacklightCorrect = s->CuBS = 0;
  }
}

void Quirel_PreviewInfo::makeToneCurveParam(ToneCurveParam* p, const Quirel_CropInfo* crop) const {
  if (!p) return;
  const Quirel_PreferenceInfo* preferences = nullptr;
  if (mMode == 0 && mstdModeId) preferences = mstdModeId->getPreferenceInfo();
  if (mMode == 1 && mextModeId) preferences = mextModeId->getPreferenceInfo();
  p->gamma[0] = static_cast<float>(preferences ? preferences->getMonitorGamma() : 2.2);
  p->gamma[1] = p->gamma[2] = p->gamma[3] = 1.0f;
  if (!crop) {
    for (int i = 0; i < 4; ++i) {
      p->brightness[i] = p->contrast[i] = 128;
      p->shadow[i] = p->middle[i] = p->hilight[i] = p->grayPoint[i] = 0;
    }
    return;
  }
  const ToneBCValues bc = crop->getToneBC();
  const HistogramValues h = crop->getHistogram();
  const ChannelValues* groups[] = {&bc.brightness, &bc.contrast, &h.black, &h.mid, &h.white, &h.gray};
  std::int32_t v[6][4];
  for (int g = 0; g < 6; ++g) {
    v[g][0] = groups[g]->master;
    v[g][1] = groups[g]->red;
    v[g][2] = groups[g]->green;
    v[g][3] = groups[g]->blue;
  }
  for (int i = 0; i < 4; ++i) {
    p->brightness[i] = plus128(v[0][i]);
    p->contrast[i] = plus128(v[1][i]);
    p->shadow[i] = level(v[2][i]);
    p->middle[i] = level(v[3][i]);
    p->hilight[i] = level(v[4][i]);
    p->grayPoint[i] = level(v[5][i]);
  }
}

int Quirel_PreviewInfo::checkUserGammaDefault(const Quirel_CropInfo* crop, double monitorGamma) {
  if (!crop) return -1;
  const ChannelValues& sel = crop->getToneCurve().selectToneCurve;
  const ToneBCValues bc = crop->getToneBC();
  const HistogramValues h = crop->getHistogram();
  auto all = [](const ChannelValues& v, int x) { return v.master == x && v.red == x && v.green == x && v.blue == x; };
  const bool neutral = all(sel, 0) && all(bc.brightness, 0) && all(bc.contrast, 0) && all(h.black, 0) &&
                       all(h.mid, 128) && all(h.white, 255) && all(h.gray, 128) &&
                       static_cast<int>((monitorGamma + 0.0001) * 100) == 180;
  return neutral ? 0 : -1;
}

fnd::Dictionary Quirel_PreviewInfo::setUserGammaSplineChannelValue(int selectedCurve, int pointCount,
                                                                   const TagPoint* points) {
  static const TagPoint over[] = {{0, 0}, {255, 255}, {30, 103}, {100, 195}};
  static const TagPoint under[] = {{0, 0}, {255, 255}, {155, 131}};
  static const TagPoint contrast[] = {{0, 0}, {255, 255}, {75, 40}, {175, 225}};
  static const TagPoint inverted[] = {{0, 255}, {255, 0}};
  static const TagPoint straight[] = {{0, 0}, {255, 255}};
  const TagPoint* list = straight;
  int count = 2;
  switch (selectedCurve) {
    case 1: list = over, count = 4; break;
    case 2: list = under, count = 3; break;
    case 3: list = contrast, count = 4; break;
    case 4: list = inverted, count = 2; break;
    case 5:
      list = points;
      count = points ? std::clamp(pointCount, 0, kCropToneCurvePoints) : 0;
      break;
    default: break;
  }
  fnd::Array array;
  for (int i = 0; i < count; ++i) array.push_back(fnd::Dictionary{{"h", list[i].h}, {"v", list[i].v}});
  return fnd::Dictionary{{"PointNum", count}, {"UserCurvePoint", std::move(array)}};
}

fnd::Dictionary Quirel_PreviewInfo::setUserGammaSplineValue(const Quirel_CropInfo* crop) {
  static const char* const names[] = {"Master", "Red", "Green", "Blue"};
  ToneCurveValues curve{};
  if (crop) curve = crop->getToneCurve();
  const std::int32_t sel[] = {curve.selectToneCurve.master, curve.selectToneCurve.red,
                              curve.selectToneCurve.green, curve.selectToneCurve.blue};
  fnd::Dictionary spline;
  for (int c = 0; c < 4; ++c)
    spline.set(names[c], setUserGammaSplineChannelValue(sel[c], curve.setPointCount[c], curve.setPoint[c]));
  return spline;
}

fnd::Dictionary Quirel_PreviewInfo::setUserGammaValue(const Quirel_CropInfo* crop, double monitorGamma) {
  ToneBCValues bc{};
  HistogramValues h{};
  if (crop) {
    bc = crop->getToneBC();
    h = crop->getHistogram();
  }
  return fnd::Dictionary{{"Brightness", fourInts(bc.brightness, 128)},
                         {"Contrast", fourInts(bc.contrast, 128)},
                         {"Shadow", fourInts(h.black, 0)},
                         {"Middle", fourInts(h.mid, 0)},
                         {"Hilight", fourInts(h.white, 0)},
                         {"GrayPoint", fourInts(h.gray, 0)},
                         {"Gamma", fnd::Array{monitorGamma, 1.0, 1.0, 1.0}}};
}

void Quirel_PreviewInfo::setUserGammaTableToSM(int number, const Quirel_CropInfo* crop, double monitorGamma) {
  auto info = std::make_shared<fnd::Dictionary>();
  info->set("UserGammaNumber", number);
  info->set("Spline", setUserGammaSplineValue(crop));
  info->set("ToneParam", setUserGammaValue(crop, monitorGamma));
  Quirel_PostNotification(mCenter).postExternalNotificationName(kSetUserGamma, mUIMObject ? mUIMObject : this,
                                                                std::move(info));
}

std::vector<Quirel_PreviewInfo::GammaEntry> Quirel_PreviewInfo::gammaEntries(const CropList& crops) {
  std::vector<GammaEntry> entries;
  for (const auto& c : crops) entries.push_back({c.get(), true});
  return entries;
}

std::vector<Quirel_PreviewInfo::GammaEntry> Quirel_PreviewInfo::gammaEntries(const ThumbnailList& thumbnails) {
  std::vector<GammaEntry> entries;
  for (const auto& t : thumbnails) {
    if (t)
      entries.push_back({t->getCropInfo().get(), t->isChecked()});
    else
      entries.push_back({nullptr, false});
  }
  return entries;
}

int Quirel_PreviewInfo::checkUserGammaTable(const std::vector<GammaEntry>& entries, int* gmTable,
                                            double monitorGamma) const {
  // The table has room for kUserGammaTableMax entries; a longer list is refused whole.
  if (!gmTable || entries.size() > static_cast<std::size_t>(kUserGammaTableMax)) return -1;
  std::fill(gmTable, gmTable + kUserGammaTableMax, 0);
  struct Known {
    ToneCurveParam param;
    ChannelValues select;
  };
  std::vector<Known> known;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const GammaEntry& e = entries[k];
    if (!e.checked) {
      gmTable[k] = -1;
      continue;
    }
    if (checkUserGammaDefault(e.crop, monitorGamma) == 0) {
      gmTable[k] = 0;
      continue;
    }
    Known mine{};
    makeToneCurveParam(&mine.param, e.crop);
    if (e.crop) mine.select = e.crop->getToneCurve().selectToneCurve;
    const ChannelValues& s = mine.select;
    const bool ownPoints = s.master == 5 || s.red == 5 || s.green == 5 || s.blue == 5;
    int number = 0;
    if (!ownPoints) {
      for (std::size_t t = 0; t < known.size(); ++t) {
        if (sameParam(known[t].param, mine.param) && sameSelect(known[t].select, mine.select)) {
          number = static_cast<int>(t) + 1;
          break;
        }
      }
    }
    if (number == 0) {
      known.push_back(mine);
      number = static_cast<int>(known.size());
    }
    gmTable[k] = number;
  }
  return 0;
}

int Quirel_PreviewInfo::setUserGammaNumTable(const std::vector<GammaEntry>& entries, int* gmTable,
                                             double monitorGamma) {
  if (checkUserGammaTable(entries, gmTable, monitorGamma) != 0) return -1;
  int i = 1;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (gmTable[k] == i) {
      setUserGammaTableToSM(i, entries[k].crop, monitorGamma);
      ++i;
    }
  }
  return 0;
}

int Quirel_PreviewInfo::setUserGammaNumTableFirstCrop(const std::vector<GammaEntry>& entries, double monitorGamma) {
  for (const GammaEntry& e : entries) {
    if (!e.checked) continue;
    if (!e.crop || checkUserGammaDefault(e.crop, monitorGamma) == 0) return 0;
    setUserGammaTableToSM(1, e.crop, monitorGamma);
    return 1;
  }
  return 0;
}
