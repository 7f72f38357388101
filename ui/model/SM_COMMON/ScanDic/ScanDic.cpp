#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

scandic_testing::CropAllocator gCropAllocator = &std::malloc;

// The entry under key when it is a dictionary; null for a missing key or another kind.
const fnd::Dictionary* dictionaryAt(const fnd::Dictionary& dict, std::string_view key) {
  const fnd::Value* v = dict.find(key);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

std::int32_t readInt(const fnd::Dictionary& dict, std::string_view key) { return dict.intValue(key); }

// Owned copy of a string entry; null when the key is missing or holds another kind.
char* readString(const fnd::Dictionary& dict, std::string_view key) { return UIM_getStringInfo(dict.get(key)); }

void releaseString(char*& s) {
  std::free(s);
  s = nullptr;
}

void setRect(fnd::Dictionary& dict, std::string_view key, const ScanRect& rect) {
  dict.set(key, *UIM_CreateDictionary_ScanRect(&rect));
}

std::optional<fnd::Dictionary> makeRectDictionary(const ScanRect* rect) {
  if (!rect) return std::nullopt;
  fnd::Dictionary d;
  d.set("X", rect->x);
  d.set("Y", rect->y);
  d.set("width", rect->width);
  d.set("height", rect->height);
  return d;
}

int readRectDictionary(const fnd::Dictionary* dict, ScanRect* rect) {
  if (!rect) return -1;
  *rect = ScanRect{};
  if (!dict) return -1;
  rect->x = dict->real("X");
  rect->y = dict->real("Y");
  rect->width = dict->real("width");
  rect->height = dict->real("height");
  return 0;
}

// A nested rectangle entry; a missing or malformed one reads as the zero rectangle.
void readRect(const fnd::Dictionary& dict, std::string_view key, ScanRect* rect) {
  readRectDictionary(dictionaryAt(dict, key), rect);
}

fnd::Data bytes(const std::uint8_t* p, std::size_t n) { return fnd::Data(p, p + n); }

std::optional<fnd::Dictionary> makeScanInfoDictionary(const ScanInfo* info, bool sendDocumentType,
                                                      bool sendInputDocumentSize) {
  if (!info) return std::nullopt;
  // A count outside the table would read past it; the record is not one we can describe.
  if (info->crop_num < 0 || info->crop_num > kScanInfoMaxCrops) return std::nullopt;
  std::optional<fnd::Dictionary> setting = UIM_CreateDictionary_ScanSetting(&info->Setting);
  if (!setting) return std::nullopt;

  fnd::Array crops;
  crops.reserve(static_cast<std::size_t>(info->crop_num));
  for (int i = 0; i < info->crop_num; ++i) {
    std::optional<fnd::Dictionary> crop = UIM_CreateDictionary_CropSetting(info->CropItem[i]);
    if (!crop) return std::nullopt;  // a slot in use without its crop
    crops.emplace_back(std::move(*crop));
  }

  fnd::Dictionary d;
  d.set("ScanSetting", std::move(*setting));
  d.set("OnePass", info->OnePass);
  d.set("Rotation", info->Rotation);
  d.set("INVERT_ADF", info->InvertADF);
  d.set("TargetCrop", info->target_num);
  d.set("InputSource", info->InputSource);
  d.set("BitDepth", info->BitDepth);
  d.set("CopyGamma", info->CopyGamma);
  d.set("Calibration", info->Calibration);
  d.set("SilentMode", info->Silent);
  d.set("FilmDetectArea", info->FilmDetectArea);
  d.set("HighQuality", info->HighQuality);
  if (sendDocumentType) d.set("IMAGEDOCUMENTTYPE", info->ImageDocumentType);
  d.set("PULLPUSH", info->PullPush);
  d.set("ORDERREJECTION", info->OrderRejection);
  d.set("HIGHSPEED", info->HighSpeedScan);
  if (sendInputDocumentSize) d.set("INPUTDOCUMENTSIZE", info->InputDocumentSize);
  d.set("ICAOverView", info->ICAOverView);
  d.set("FAInputSourceADF", info->FAInputSourceADF);
  d.set("RefSumMode", info->RefSumMode);
  d.set("ALMViewScannedImages", info->ALMViewScannedImages);
  d.set("ADFPrefetch", info->ADFPrefetch);
  d.set("CropItem", std::move(crops));
  return d;
}

}  // namespace

namespace scandic_testing {
CropAllocator setCropAllocator(CropAllocator allocator) {
  CropAllocator previous = gCropAllocator;
  gCropAllocator = allocator ? allocator : &std::malloc;
  return previous;
}
}  // namespace scandic_testing

// ---- whole record -------------------------------------------------------------------------

std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanInfo(const ScanInfo* info) {
  return makeScanInfoDictionary(info, true, true);
}

std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanInfoDT(const ScanInfo* info, unsigned char sendDocumentType,
                                                               unsigned char sendInputDocumentSize) {
  return makeScanInfoDictionary(info, sendDocumentType != 0, sendInputDocumentSize != 0);
}

int UIM_GetDictionary_ScanInfo(const fnd::Dictionary* dict, ScanInfo* info) {
  if (!info) return -1;
  std::memset(info, 0, sizeof *info);
  if (!dict) return -1;

  if (const fnd::Dictionary* setting = dictionaryAt(*dict, "ScanSetting")) {
    UIM_GetDictionary_ScanSetting(setting, &info->Setting);
  }

  info->OnePass = readInt(*dict, "OnePass");
  info->Rotation = readInt(*dict, "Rotation");
  info->InvertADF = readInt(*dict, "INVERT_ADF");
  info->target_num = readInt(*dict, "TargetCrop");
  info->InputSource = readInt(*dict, "InputSource");
  info->BitDepth = readInt(*dict, "BitDepth");
  info->CopyGamma = readInt(*dict, "CopyGamma");
  info->Calibration = readInt(*dict, "Calibration");
  info->Silent = readInt(*dict, "SilentMode");
  info->FilmDetectArea = readInt(*dict, "FilmDetectArea");
  info->HighQuality = readInt(*dict, "HighQuality");

  // The scan module knows the film sources only by their first two numbers.
  if (info->InputSource == 6) {
    info->InputSource = 4;
  } else if (info->InputSource == 5) {
    info->InputSource = 3;
  }

  info->ImageDocumentType = readInt(*dict, "IMAGEDOCUMENTTYPE");
  info->PullPush = readInt(*dict, "PULLPUSH");
  info->OrderRejection = readInt(*dict, "ORDERREJECTION");
  info->HighSpeedScan = readInt(*dict, "HIGHSPEED");
  info->InputDocumentSize = readInt(*dict, "INPUTDOCUMENTSIZE");
  info->ICAOverView = readInt(*dict, "ICAOverView");
  info->FAInputSourceADF = readInt(*dict, "FAInputSourceADF");
  if (info->FAInputSourceADF == 0) info->FAInputSourceADF = 1;  // one side unless told otherwise
  info->RefSumMode = readInt(*dict, "RefSumMode");
  info->ALMViewScannedImages = readInt(*dict, "ALMViewScannedImages");
  info->ADFPrefetch = readInt(*dict, "ADFPrefetch");

  // The table has 61 slots: further entries cannot be carried and are dropped. crop_num counts
  // only slots really filled, so a record cut short by a failed allocation stays consistent.
  const fnd::Array& crops = dict->array("CropItem");
  const std::size_t count = std::min<std::size_t>(crops.size(), kScanInfoMaxCrops);
  static const fnd::Dictionary empty;
  for (std::size_t i = 0; i < count; ++i) {
    auto* crop = static_cast<CropSetting*>(gCropAllocator(sizeof(CropSetting)));
    if (!crop) return -1;
    info->CropItem[i] = crop;
    info->crop_num = static_cast<std::int32_t>(i + 1);
    const fnd::Dictionary* entry = crops[i].isDictionary() ? &crops[i].toDictionary() : &empty;
    UIM_GetDictionary_CropSetting(entry, crop);
  }

  for (int i = 0; i < info->crop_num; ++i) {
    CropSetting* crop = info->CropItem[i];
    if (info->Rotation != 0 && crop->Rotation == 0) crop->Rotation = info->Rotation;
    if (crop->meRatio == 0) crop->meRatio = 100;
  }
  return 0;
}

int UIM_Check_ScanInfo(const ScanInfo* info) {
  if (!info) return -1;
  if (info->crop_num < 0 || info->crop_num > kScanInfoMaxCrops) return -1;
  const bool filmSource = info->InputSource >= 3 && info->InputSource <= 7;
  for (int i = 0; i < info->crop_num; ++i) {
    const CropSetting* crop = info->CropItem[i];
    if (!crop) return -1;
    if (filmSource && crop->CuBS != 0) return -1;  // book correction has no meaning on film
  }
  return 0;
}

void UIM_Clear_ScanInfo(ScanInfo* info) {
  if (!info) return;
  // Every non-null slot, not only the first crop_num: unused slots are null by the record's
  // rules, and a record whose used slots are not packed at the front must not leak.
  for (CropSetting*& crop : info->CropItem) {
    std::free(crop);
    crop = nullptr;
  }
  UIM_Clear_ScanSetting(&info->Setting);
  std::memset(info, 0, sizeof *info);
}

void UIM_Free_ScanInfo(ScanInfo* info) {
  if (!info) return;
  UIM_Clear_ScanInfo(info);
  std::free(info);
}

// ---- scan-wide part -----------------------------------------------------------------------

std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanSetting(const ScanSetting* setting) {
  // The scan module needs somewhere to put its temporary files; without one there is no request.
  if (!setting || !setting->temporaryPath) return std::nullopt;
  fnd::Dictionary d;
  d.set("NeedScan", setting->NeedScan);
  d.set("MonitorGamma", setting->MonitorGamma);
  d.set("ImageSource", setting->ImageSource);
  d.set("Threshold", setting->Threshold);
  d.set("ColorMode", setting->ColorMode);
  d.set("ColorSetting", setting->ColorSetting);
  d.set("WindowWidth", setting->WindowWidth);
  d.set("WindowHeight", setting->WindowHeight);
  d.set("UiLess", setting->UiLessScan);
  d.set("NoCloseUI", setting->NoCloseUI);
  d.set("TemporaryPath", std::string(setting->temporaryPath));
  d.set("ScanRect", *UIM_CreateDictionary_ScanRect_Inch(&setting->ScanRect));
  if (setting->ColorSetting == 1) {
    d.set("Profile2", *UIM_CreateDictionary_ColorSyncSetting(&setting->ColorSync));
  }
  return d;
}

int UIM_GetDictionary_ScanSetting(const fnd::Dictionary* dict, ScanSetting* setting) {
  if (!setting) return -1;
  std::memset(setting, 0, sizeof *setting);
  if (!dict) return -1;
  setting->NeedScan = readInt(*dict, "NeedScan");
  setting->MonitorGamma = dict->real("MonitorGamma");
  setting->ImageSource = readInt(*dict, "ImageSource");
  setting->Threshold = readInt(*dict, "Threshold");
  setting->ColorMode = readInt(*dict, "ColorMode");
  setting->ColorSetting = readInt(*dict, "ColorSetting");
  setting->WindowWidth = readInt(*dict, "WindowWidth");
  setting->WindowHeight = readInt(*dict, "WindowHeight");
  setting->UiLessScan = readInt(*dict, "UiLess");
  setting->NoCloseUI = readInt(*dict, "NoCloseUI");
  // An owned copy: the record outlives the dictionary it was read from.
  setting->temporaryPath = readString(*dict, "TemporaryPath");
  if (const fnd::Dictionary* rect = dictionaryAt(*dict, "ScanRect")) {
    UIM_GetDictionary_ScanRect_Inch(rect, &setting->ScanRect);
  }
  if (setting->ColorSetting == 1) {
    UIM_GetDictionary_ColorSyncSetting(dictionaryAt(*dict, "Profile2"), &setting->ColorSync);
  }
  return 0;
}

void UIM_Clear_ScanSetting(ScanSetting* setting) {
  if (!setting) return;
  releaseString(setting->temporaryPath);
  releaseString(setting->ColorSync.SourceProfile);
  releaseString(setting->ColorSync.TargetProfile);
}

std::optional<fnd::Dictionary> UIM_CreateDictionary_ColorSyncSetting(const ColorSyncSetting* colorSync) {
  if (!colorSync) return std::nullopt;
  fnd::Dictionary d;
  d.set("Monitor", colorSync->monitor);
  if (colorSync->SourceProfile) d.set("SourcePath", std::string(colorSync->SourceProfile));
  if (colorSync->TargetProfile) d.set("TargetPath", std::string(colorSync->TargetProfile));
  return d;
}

int UIM_GetDictionary_ColorSyncSetting(const fnd::Dictionary* dict, ColorSyncSetting* colorSync) {
  if (!dict || !colorSync) return -1;
  // Cleared, not freed: like every reader, the storage is taken as uninitialised.
  colorSync->monitor = readInt(*dict, "Monitor");
  colorSync->gap4 = 0;
  colorSync->SourceProfile = readString(*dict, "SourcePath");
  colorSync->TargetProfile = readString(*dict, "TargetPath");
  return 0;
}

// ---- rectangles and shapes ----------------------------------------------------------------

std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanRect_Inch(const ScanRect* rect) {
  return makeRectDictionary(rect);
}

int UIM_GetDictionary_ScanRect_Inch(const fnd::Dictionary* dict, ScanRect* rect) {
  return readRectDictionary(dict, rect);
}

std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanRect(const ScanRect* rect) { return makeRectDictionary(rect); }

int UIM_GetDictionary_ScanRect(const fnd::Dictionary* dict, ScanRect* rect) { return readRectDictionary(dict, rect); }

std::optional<fnd::Dictionary> UIM_CreateDictionary_CropShape(const CropShape* shape) {
  if (!shape) return std::nullopt;
  fnd::Dictionary d;
  d.set("Format", shape->Format);
  d.set("Shape", bytes(shape->Shape, sizeof shape->Shape));
  return d;
}

int UIM_GetDictionary_CropShape(const fnd::Dictionary* dict, CropShape* shape) {
  if (!shape) return -1;
  std::memset(shape, 0, sizeof *shape);
  if (!dict) return -1;
  shape->Format = readInt(*dict, "Format");
  // A short block is copied as far as it goes, a long one only up to the 32 bytes there are.
  const fnd::Data& data = dict->data("Shape");
  if (!data.empty()) std::memcpy(shape->Shape, data.data(), std::min(data.size(), sizeof shape->Shape));
  return 0;
}

// ---- one crop -----------------------------------------------------------------------------

std::optional<fnd::Dictionary> UIM_CreateDictionary_CropSetting(const CropSetting* crop) {
  if (!crop) return std::nullopt;
  fnd::Dictionary d;
  d.set("AutoTone", crop->AutoTone);
  d.set("UnsharpMask", crop->UnsharpMask);
  d.set("Descreen", crop->Descreen);
  d.set("ReduceDust", crop->ReduceDust);
  d.set("FadingCorrect", crop->FadingCorrect);
  d.set("GrainCorrect", crop->GrainCorrect);
  d.set("BacklightCorrect", crop->BacklightCorrect);
  d.set("UserGamma", crop->UserGamma);
  d.set("Threshold", crop->Threshold);
  d.set("Resolution", crop->Resolution);
  d.set("RangeMode", crop->RangeMode);
  setRect(d, "ScanRect", crop->ScanRect);
  d.set("CropShape", *UIM_CreateDictionary_CropShape(&crop->CropShape));
  d.set("SetDataRetain", crop->SetDataRetain);
  d.set("UseDataRetain", crop->UseDataRetain);
  d.set("Scale", crop->Scale);
  d.set("Rotation", crop->Rotation);
  d.set("CuBS", crop->CuBS);
  d.set("IRScan", crop->IRScan);
  d.set("SIRScan", crop->SIRScan);
  d.set("HSLCyanRed", crop->HSLCyanRed);
  d.set("HSLMagentaGreen", crop->HSLMagentaGreen);
  d.set("HSLYellowBlue", crop->HSLYellowBlue);
  d.set("HSLSaturation", crop->HSLSaturation);
  d.set("meRatio", crop->meRatio);
  // The scan module expects this one as a floating number.
  d.set("Mirror", static_cast<double>(crop->Mirror));
  setRect(d, "AGRect", crop->AGRect);
  d.set("DATA_WIDTH", fnd::Value::pointer(crop->DATA_WIDTH));
  d.set("DATA_HEIGHT", fnd::Value::pointer(crop->DATA_HEIGHT));
  d.set("DATA_P", fnd::Value::pointer(crop->DATA_P));
  d.set("DATA_H", fnd::Value::pointer(crop->DATA_H));
  if (crop->TRIMRECT.width > 0 && crop->TRIMRECT.height > 0) setRect(d, "TRIMRECT", crop->TRIMRECT);
  d.set("IMAGEDOCUMENTTYPE", crop->IMAGEDOCUMENTTYPE);
  d.set("UISettingDocument", crop->UISettingDocument);
  d.set("COMPRESSION", crop->COMPRESSION);
  d.set("AUTOFINE", crop->AUTOFINE);
  d.set("AUTOFINEPHOTO", crop->AUTOFINEPHOTO);
  d.set("AUTOFINEDOCUMENT", crop->AUTOFINEDOCUMENT);
  d.set("FREESIZE", crop->FREESIZE);
  d.set("ALMBasicDestination", crop->ALMBasicDestination);
  return d;
}

int UIM_GetDictionary_CropSetting(const fnd::Dictionary* dict, CropSetting* crop) {
  if (!crop) return -1;
  std::memset(crop, 0, sizeof *crop);
  if (!dict) return -1;
  crop->AutoTone = readInt(*dict, "AutoTone");
  crop->UnsharpMask = readInt(*dict, "UnsharpMask");
  crop->Descreen = readInt(*dict, "Descreen");
  crop->ReduceDust = readInt(*dict, "ReduceDust");
  crop->FadingCorrect = readInt(*dict, "FadingCorrect");
  crop->GrainCorrect = readInt(*dict, "GrainCorrect");
  crop->BacklightCorrect = readInt(*dict, "BacklightCorrect");
  crop->UserGamma = readInt(*dict, "UserGamma");
  crop->Threshold = readInt(*dict, "Threshold");
  crop->Resolution = readInt(*dict, "Resolution");
  crop->RangeMode = readInt(*dict, "RangeMode");
  readRect(*dict, "ScanRect", &crop->ScanRect);
  if (const fnd::Dictionary* shape = dictionaryAt(*dict, "CropShape")) {
    UIM_GetDictionary_CropShape(shape, &crop->CropShape);
  }
  crop->SetDataRetain = readInt(*dict, "SetDataRetain");
  crop->UseDataRetain = readInt(*dict, "UseDataRetain");
  crop->Scale = dict->real("Scale");
  crop->Rotation = readInt(*dict, "Rotation");
  crop->CuBS = readInt(*dict, "CuBS");
  crop->IRScan = readInt(*dict, "IRScan");
  crop->SIRScan = readInt(*dict, "SIRScan");
  crop->HSLCyanRed = readInt(*dict, "HSLCyanRed");
  crop->HSLMagentaGreen = readInt(*dict, "HSLMagentaGreen");
  crop->HSLYellowBlue = readInt(*dict, "HSLYellowBlue");
  crop->HSLSaturation = readInt(*dict, "HSLSaturation");
  crop->meRatio = readInt(*dict, "meRatio");
  if (crop->meRatio == 0) crop->meRatio = 100;  // unchanged exposure
  crop->Mirror = readInt(*dict, "Mirror");
  // Without its own reference rectangle a crop measures exposure over itself.
  if (const fnd::Dictionary* ag = dictionaryAt(*dict, "AGRect")) {
    UIM_GetDictionary_ScanRect(ag, &crop->AGRect);
  } else {
    crop->AGRect = crop->ScanRect;
  }
  crop->DATA_WIDTH = static_cast<std::int32_t*>(dict->get("DATA_WIDTH").toPointer());
  crop->DATA_HEIGHT = static_cast<std::int32_t*>(dict->get("DATA_HEIGHT").toPointer());
  crop->DATA_P = static_cast<unsigned char**>(dict->get("DATA_P").toPointer());
  crop->DATA_H = static_cast<unsigned char**>(dict->get("DATA_H").toPointer());
  readRect(*dict, "TRIMRECT", &crop->TRIMRECT);
  crop->IMAGEDOCUMENTTYPE = readInt(*dict, "IMAGEDOCUMENTTYPE");
  crop->UISettingDocument = readInt(*dict, "UISettingDocument");
  crop->COMPRESSION = readInt(*dict, "COMPRESSION");
  crop->AUTOFINE = readInt(*dict, "AUTOFINE");
  crop->AUTOFINEPHOTO = readInt(*dict, "AUTOFINEPHOTO");
  crop->AUTOFINEDOCUMENT = readInt(*dict, "AUTOFINEDOCUMENT");
  crop->FREESIZE = readInt(*dict, "FREESIZE");
  crop->ALMBasicDestination = readInt(*dict, "ALMBasicDestination");
  return 0;
}

// ---- user tone table ----------------------------------------------------------------------

std::optional<fnd::Dictionary> UIM_CreateDictionary_UserGamma(const UserGamma* gamma) {
  if (!gamma) return std::nullopt;
  fnd::Dictionary d;
  d.set("Size", gamma->Size);
  d.set("UserGammaNumber", gamma->UserGammaNumber);
  d.set("Red", bytes(gamma->Red, kUserGammaChannelBytes));
  d.set("Green", bytes(gamma->Green, kUserGammaChannelBytes));
  d.set("Blue", bytes(gamma->Blue, kUserGammaChannelBytes));
  return d;
}

int UIM_GetDictionary_UserGamma(const fnd::Dictionary* dict, UserGamma* gamma) {
  if (!dict || !gamma) return -1;
  gamma->Size = readInt(*dict, "Size");
  gamma->UserGammaNumber = readInt(*dict, "UserGammaNumber");
  int result = 0;
  auto channel = [&](std::string_view key, std::uint8_t* block) {
    const fnd::Value* v = dict->find(key);
    if (!v) return;
    const fnd::Data& data = v->toData();
    if (!v->isData() || data.size() != kUserGammaChannelBytes) {
      result = -1;  // a table of another size cannot be meant for this block
      return;
    }
    std::memcpy(block, data.data(), kUserGammaChannelBytes);
  };
  channel("Red", gamma->Red);
  channel("Green", gamma->Green);
  channel("Blue", gamma->Blue);
  return result;
}

// ---- strings ------------------------------------------------------------------------------

char* UIM_getStringInfo(const fnd::Value& string) {
  if (!string.isString()) return nullptr;
  const std::string s = string.toString();
  auto* copy = static_cast<char*>(std::malloc(s.size() + 1));
  if (!copy) return nullptr;
  std::memcpy(copy, s.c_str(), s.size() + 1);
  return copy;
}
