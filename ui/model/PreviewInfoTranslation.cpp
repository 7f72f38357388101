// The translations of a mode's choices into the codes of the scan-settings record.
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

// Entry `index` of a table, or `fallback` outside it.
template <std::size_t N>
int pick(const int (&table)[N], int index, int fallback) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? table[index] : fallback;
}

// The table of the mode (0 basic, 1 advanced, 2 multi-scan), or `fallback`.
template <std::size_t A, std::size_t B, std::size_t C>
int byMode(int index, int mode, const int (&basic)[A], const int (&advanced)[B], const int (&multi)[C],
           int fallback) {
  if (mode == 0) return pick(basic, index, fallback);
  if (mode == 1) return pick(advanced, index, fallback);
  if (mode == 2) return pick(multi, index, fallback);
  return fallback;
}

bool oneOf(int value, std::initializer_list<int> values) {
  for (int v : values)
    if (v == value) return true;
  return false;
}

char* copyString(const std::string& s) {
  char* copy = static_cast<char*>(std::malloc(s.size() + 1));
  if (copy) std::memcpy(copy, s.c_str(), s.size() + 1);
  return copy;
}

}  // namespace

int Quirel_PreviewInfo::getImageDocumentTypeToSM(int index, int mode) {
  static const int basic[] = {12288, 4096, 4096, 4096, 12288, 12288, 4096, 4096, 4096, 4096, 4096, 4096, 4096, 4096};
  static const int advanced[] = {0, 12288, 12288, 12288, 12288, 4096, 4096};
  static const int multi[] = {0, 0, 4096, 0, 0};
  return byMode(index, mode, basic, advanced, multi, 0);
}

int Quirel_PreviewInfo::getImageSourceToSM(int index, int mode) {
  static const int basic[] = {0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  static const int advanced[] = {0, 1, 1, 1, 1, 0};
  static const int multi[] = {0, 0, 0, 0, 0, 1, 1};
  return byMode(index, mode, basic, advanced, multi, 0);
}

int Quirel_PreviewInfo::getBitDepthToSM(int index, int mode) {
  static const int basic[] = {8, 8, 1, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};
  static const int advanced[] = {1, 8, 16, 8, 16, 8};
  static const int multi[] = {8, 8, 1, 8, 8, 8, 8};
  return byMode(index, mode, basic, advanced, multi, 8);
}

int Quirel_PreviewInfo::getInputSourceToSM(int index, int mode) {
  static const int basic[] = {0, 0, 0, 0, 3, 4, 1, 1, 1, 1, 2, 2, 0, 0};
  static const int advanced[] = {0, 3, 4, 5, 6, 1, 2};
  static const int multi[] = {0, 0, 0, 0, 0, 3, 4};
  return byMode(index, mode, basic, advanced, multi, 0);
}

int Quirel_PreviewInfo::getColorModeToSM(int index, int mode) {
  static const int basic[] = {2, 2, 0, 1, 2, 2, 2, 1, 2, 1, 2, 1, 1, 2};
  static const int advanced[] = {0, 1, 1, 2, 2, 2};
  static const int multi[] = {2, 1, 0, 3, 1, 2, 2};
  return byMode(index, mode, basic, advanced, multi, 2);
}

int Quirel_PreviewInfo::getColorModeToSM(int index, int mode, int type) {
  if (mode == 2) return getColorModeToSM(index, 2);
  if (mode == 1) {
    if (index == 0) return 0;
    if (index == 1 || index == 2) return 1;
    if (index == 5) return type == 1 ? 3 : 2;
    return 2;
  }
  if (mode == 0) {
    if (oneOf(index, {3, 7, 9, 11, 12})) return 1;
    if (index == 1) return type == 1 ? 3 : 2;
    if (index == 2) return 0;
    return 2;
  }
  return 2;
}

int Quirel_PreviewInfo::getOnePassToSM(int index, bool multiCrop, int mode, bool thumbnail) {
  if (mode == 2) {
    static const int multi[] = {2, 2, 2, 2, 2, 4, 4};
    return pick(multi, index, 0);
  }
  const int r = multiCrop ? 1 : 0;
  if (mode == 1) return index == 0 && thumbnail ? 8 : r;
  if (mode == 0) return oneOf(index, {0, 1, 2, 3, 12, 13}) && thumbnail ? 8 : r;
  return 0;
}

int Quirel_PreviewInfo::getColorSettingToSM(int index, const Quirel_PreferenceInfo* preferences, int mode) {
  int slot = 3;
  if (mode == 1) {
    slot = index;
  } else if (mode == 0) {
    static const int basic[] = {3, 3, 0, 1, 3, 3, 3, 1, 3, 1, 3, 1, 1, 3};
    slot = pick(basic, index, 3);
  } else if (mode == 3) {
    slot = index == 0 || index == 1 ? index : 3;
  }
  return preferences ? preferences->getColorSetting(slot) : 0;
}

int Quirel_PreviewInfo::getADFPrefetch(int index, int mode) const {
  if (mADFPrefetch <= 0) return 0;
  if (mode == 0 && index >= 6 && index <= 11) return mADFPrefetch;
  if (mode == 1 && (index == 5 || index == 6)) return mADFPrefetch;
  if (mode == 2) return mADFPrefetch;
  return 0;
}

int Quirel_PreviewInfo::getAutoExitToSM(int autoExit) {
  if (autoExit == 2) return 2;
  if (autoExit == 0) return 1;
  return 0;
}

int Quirel_PreviewInfo::getADFRotationToSM(int index, int direction, int mode) {
  return mode == 1 && (index == 5 || index == 6) && direction == 1 ? 1 : 0;
}

int Quirel_PreviewInfo::getADFInvertToSM(int index, int direction, int binding, bool revisedOrientation, int mode) {
  if (mode != 1 || index != 6) return 0;
  if (direction == 0) return binding == 0 ? 1 : 0;
  if (direction == 1) {
    if (binding == 1) return revisedOrientation ? 0 : 1;
    if (binding == 0) return revisedOrientation ? 1 : 0;
    return 0;
  }
  return 0;
}

int Quirel_PreviewInfo::getCopyGammaToSM(int index, int colorModeIndex, int colorSetting, const Quirel_CropInfo* crop,
                                         int mode, const Quirel_UIScannerInfo* scanner) {
  if (scanner && scanner->useRACS2()) return 0;
  if (!crop) return 0;
  bool translate = false;
  if (mode == 1) {
    translate = (index == 5 || index == 6) && (colorModeIndex == 1 || colorModeIndex == 3) && colorSetting == 0;
  } else if (mode == 0) {
    translate = index >= 6 && index <= 11 && colorSetting == 0 && crop->getAutoDocCorrect() == 0;
  }
  if (!translate) return 0;
  const int g = crop->getCopyGamma();
  if (g == 4) return 2;
  if (g == 2) return 1;
  return 0;
}

int Quirel_PreviewInfo::getDestinationToSM(int destination) {
  static const int table[] = {1, 2, 3};
  return pick(table, destination, 0);
}

int Quirel_PreviewInfo::getAutoToneToSM(int colorAdjust, int mode) {
  if (mode == 0) return 1;
  if (mode == 1) return colorAdjust != 0 ? 1 : 0;
  return 0;
}

int Quirel_PreviewInfo::getCropImageDocumetType(int colorAdjust, int index, int mode) {
  static const int byAdjust[] = {0, 0, 12288, 4096, 8192, 4096};
  if (mode == 1) return index == 5 || index == 6 ? 4096 : pick(byAdjust, colorAdjust, 0);
  if (mode == 0) {
    static const int basic[] = {12288, 8192, 4096, 4096, 12288, 12288, 4096, 4096, 4096, 4096, 4096, 4096, 4096, 4096};
    return pick(basic, index, 0);
  }
  return 0;
}

int Quirel_PreviewInfo::getCropImageDocumetType(int colorAdjust, int index, int colorSetting, int mode) {
  if (mode == 1) {
    if (colorSetting == 2) {
      static const int film[] = {0, 12288, 12288, 12288, 12288};
      return pick(film, index, 0);
    }
    if (colorSetting != 0) return 0;
    if (index == 0) {
      static const int byAdjust[] = {0, 0, 12288, 4096, 8192, 4096};
      return pick(byAdjust, colorAdjust, 0);
    }
    if (index >= 1 && index <= 4) return colorAdjust == 0 || colorAdjust == 2 ? 12288 : 0;
    if (index == 5 || index == 6) return 4096;
    return 0;
  }
  if (mode == 0) {
    if (oneOf(index, {0, 4, 5})) return 12288;
    if (index == 1) return 8192;
    if (oneOf(index, {2, 3, 12, 13})) return 4096;
    if (index >= 6 && index <= 11) return colorSetting == 0 ? 4096 : 0;
    return 0;
  }
  return 0;
}

int Quirel_PreviewInfo::getFilmDetectAreaToSM(int thumbnailSize, int mode) {
  if (mode == 0 || mode == 1) {
    if (thumbnailSize == 2) return -1;
    return thumbnailSize == 0 ? 1 : 0;
  }
  if (mode == 3) return thumbnailSize == 1 ? -1 : 0;
  return 0;
}

char* Quirel_PreviewInfo::getSourceProfilePathToSM(int inputSource, const Quirel_PreferenceInfo* preferences) {
  if (!preferences) return nullptr;
  int slot = -1;
  if (inputSource >= 0 && inputSource <= 2) slot = 0;
  if (inputSource == 3 || inputSource == 5) slot = 1;
  if (inputSource == 4 || inputSource == 6) slot = 2;
  if (slot < 0) return nullptr;
  return copyString(preferences->getInputPf_FilePath(slot));
}

char* Quirel_PreviewInfo::getOutputProfilePathToSM(const Quirel_PreferenceInfo* preferences) {
  return preferences ? copyString(preferences->getOutputPf_FilePath()) : nullptr;
}

int Quirel_PreviewInfo::getBackGhostClearAt(int index, int colorModeIndex, int imageAdjust, int copyGamma,
                                            int colorSetting, bool hasPreview, int mode,
                                            const Quirel_UIScannerInfo* scanner) {
  if (!scanner || !scanner->useRACS2()) return -1;
  bool film = false;
  bool feeder = false;
  bool blackWhite = false;
  if (mode == 1) {
    film = oneOf(index, {2, 3, 4});
    feeder = index == 5 || index == 6;
    blackWhite = colorModeIndex == 0;
  } else if (mode == 0) {
    film = index == 4 || index == 5;
    feeder = index >= 6 && index <= 11;
    blackWhite = index == 2;
  }
  if (film || colorSetting != 0 || blackWhite || !(hasPreview || feeder)) return 0;
  if (imageAdjust != 3 && imageAdjust != 4) return 0;
  return copyGamma != 0 ? 2 : 1;
}

int Quirel_PreviewInfo::getUISettingDocumentToSM(int index, int colorSetting, int colorModeIndex, bool preview,
                                                 int imageAdjust, int copyGamma, int autoFine, int mode) const {
  if (mode == 2) return colorSetting == 0 && autoFine == 1 ? 26 : 25;
  if (mode == 0) {
    static const int basic[] = {1, 2, 3, 4, 8, 7, 5, 31, 5, 31, 6, 32, 3, 33};
    return pick(basic, index, 0);
  }
  if (mode != 1) return 0;
  const int g = getBackGhostClearAt(index, colorModeIndex, imageAdjust, copyGamma, colorSetting, preview, mode,
                                    mUIScannerInfo.get());
  const bool k = colorSetting == 0 && colorModeIndex >= 1 && colorModeIndex <= 4;
  // By g: 1 and 2 pick the RACS2 codes, anything else the plain one.
  auto byGhost = [g](int plain) { return g == 1 ? 1000 + plain : g == 2 ? 2000 + plain : plain; };
  switch (index) {
    case 0:
      if (!k || !preview) return 9;
      switch (imageAdjust) {
        case 1: return 10;
        case 2: return 11;
        case 3: return byGhost(14);
        case 4: return byGhost(12);
        case 5: return 13;
        default: return 9;
      }
    case 1: return 22 + (k && imageAdjust == 2 ? 6 : 0);
    case 2: return 21 + (k && imageAdjust == 2 ? 6 : 0);
    case 3: return 24 + (k && imageAdjust == 2 ? 6 : 0);
    case 4: return 23 + (k && imageAdjust == 2 ? 6 : 0);
    case 5:
    case 6: {
      const int base = index == 5 ? 15 : 18;
      if (!k) return base;
      if (g == 1) return 1000 + base;
      if (g == 2) return 2000 + base;
      if (g == -1 && copyGamma == 4) return base + 2;
      if (g == -1 && copyGamma == 2) return base + 1;
      return base;
    }
    default: return 0;
  }
}

ScanRect Quirel_PreviewInfo::getScanRectToSM(int imageSource, ModeLink* mode) const {
  SRectDouble r{};
  if (mMode == 3) {
    if (auto* uiLess = dynamic_cast<UILessScanModeLink*>(mode)) r = uiLess->getFilmPlatenRect_Pixel96();
  } else if (mMode == 1) {
    if (auto* extend = dynamic_cast<ExtendModeLink*>(mode)) {
      if (imageSource == 1) {
        const int n = extend->getFilmSizeNumber();
        r.origin = extend->getPaperSizePoint_Pixel96(n);
        r.size = extend->getPaperSizeWH_Pixel96(n);
      } else {
        r.size = extend->getPaperSizeWH_Pixel96(extend->getPaperSizeNumber());
      }
    }
  } else if (mMode == 0) {
    if (auto* base = dynamic_cast<ScanModeLink*>(mode)) {
      if (imageSource == 1) {
        r.origin = base->getPaperSizePoint_Pixel96(21);
        r.size = base->getPaperSizeWH_Pixel96(21);
      } else {
        r.size = base->getPaperSizeWH_Pixel96(0);
      }
    }
  }
  ScanRect out{};
  if (mPlatenResolution <= 0) return out;  // no resolution to convert from
  const double res = mPlatenResolution;
  out.x = pixelToInch(r.origin.x, res);
  out.y = pixelToInch(r.origin.y, res);
  out.width = pixelToInch(r.size.width, res);
  out.height = pixelToInch(r.size.height, res);
  return out;
}
