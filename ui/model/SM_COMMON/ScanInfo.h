#pragma once

// The scan-settings record that travels to the scan module with every preview, zoom, scan and
// per-crop correction. The scan module reads it byte for byte, so field order, widths, offsets,
// alignment gaps and reserved blocks are fixed; the static_asserts below pin them.
//
// Ownership: a record owns its crop blocks (malloc'ed, 344 bytes each) and its three strings
// (`SourceProfile`, `TargetProfile`, `temporaryPath`, malloc'ed, zero-terminated UTF-8).
// `UIM_Clear_ScanInfo` / `UIM_Free_ScanInfo` (ScanDic.h) release them.

#include <bit>
#include <cstddef>
#include <cstdint>

// Most crops a single request can carry.
inline constexpr int kScanInfoMaxCrops = 61;

// Four doubles: x, y, width, height.
struct ScanRect {
  double x;
  double y;
  double width;
  double height;
};

// Colour matching; meaningful only when `ScanSetting::ColorSetting` is 1.
struct ColorSyncSetting {
  std::int32_t monitor;
  std::int32_t gap4;  // alignment
  char* SourceProfile;
  char* TargetProfile;
};

struct ScanSetting {
  std::int32_t NeedScan;
  std::int32_t gap4;  // alignment
  double MonitorGamma;
  std::int32_t ImageSource;
  std::int32_t Threshold;
  std::int32_t ColorMode;
  std::int32_t ColorSetting;
  ColorSyncSetting ColorSync;
  struct ScanRect ScanRect;  // inches
  std::int32_t WindowWidth;
  std::int32_t WindowHeight;
  std::int32_t UiLessScan;
  std::int32_t NoCloseUI;
  char* temporaryPath;
};

// Format 0: plain rectangle, Shape all zero. Format 4: four corners, eight int32 in Shape.
struct CropShape {
  std::int32_t Format;
  std::uint8_t Shape[32];
};

struct CropSetting {
  std::int32_t AutoTone;
  std::int32_t UnsharpMask;
  std::int32_t Descreen;
  std::int32_t ReduceDust;
  std::int32_t FadingCorrect;
  std::int32_t GrainCorrect;
  std::int32_t BacklightCorrect;
  std::int32_t Threshold;
  std::int32_t UserGamma;
  std::int32_t Resolution;
  std::int32_t RangeMode;
  std::int32_t gap44;  // alignment
  struct ScanRect ScanRect;
  struct CropShape CropShape;
  std::int32_t SetDataRetain;
  std::int32_t UseDataRetain;
  std::int32_t gap124;  // alignment
  double Scale;  // percent
  std::int32_t Rotation;
  std::int32_t Mirror;
  std::int32_t CuBS;
  std::int32_t IRScan;
  std::int32_t HSLCyanRed;
  std::int32_t HSLMagentaGreen;
  std::int32_t HSLYellowBlue;
  std::int32_t HSLSaturation;
  std::int32_t meRatio;
  std::int32_t gap172;  // alignment
  struct ScanRect AGRect;
  std::int32_t SIRScan;
  std::int32_t gap212;  // alignment
  // Result cells in the requester's memory, filled by the scan module.
  std::int32_t* DATA_WIDTH;
  std::int32_t* DATA_HEIGHT;
  unsigned char** DATA_P;
  unsigned char** DATA_H;
  std::int32_t IMAGEDOCUMENTTYPE;
  std::int32_t UISettingDocument;
  struct ScanRect TRIMRECT;  // used only when width and height are both > 0
  std::int32_t COMPRESSION;
  std::int32_t AUTOFINE;
  std::int32_t AUTOFINEPHOTO;
  std::int32_t AUTOFINEDOCUMENT;
  std::int32_t reserved304;
  std::int32_t FREESIZE;
  std::int32_t ALMBasicDestination;
  std::uint8_t reserved316[28];
};

struct ScanInfo {
  ScanSetting Setting;
  std::int32_t OnePass;
  std::int32_t InputSource;
  std::int32_t Rotation;
  std::int32_t InvertADF;
  std::int32_t crop_num;
  std::int32_t target_num;
  CropSetting* CropItem[kScanInfoMaxCrops];
  std::int32_t BitDepth;
  std::int32_t CopyGamma;
  std::int32_t FilmDetectArea;
  std::int32_t targetCrop;
  std::int32_t ActionMode;
  std::int32_t error_number;
  std::int32_t error_process;
  std::int32_t errro_detail;
  std::int32_t Silent;
  std::int32_t Calibration;
  std::int32_t HighQuality;
  std::int32_t ImageDocumentType;
  std::int32_t PullPush;
  std::int32_t OrderRejection;
  std::int32_t HighSpeedScan;
  std::int32_t InputDocumentSize;
  std::int32_t ICAOverView;
  std::int32_t FAInputSourceADF;
  std::int32_t RefSumMode;
  std::int32_t BAF;
  std::int32_t RawJpeg;
  std::int32_t MultiPDF;
  std::int32_t UsbNetwork;
  std::int32_t MfpSfs;
  std::int32_t FAADFRotation;
  std::int32_t ALMViewScannedImages;
  std::int32_t ALMFilmDetectType1P1;
  std::int32_t ADFPrefetch;
};

// One user tone table: three opaque channel blocks of 0x20000 bytes each, no gaps.
inline constexpr std::size_t kUserGammaChannelBytes = 0x20000;
struct UserGamma {
  std::int32_t Size;
  std::int32_t UserGammaNumber;
  std::uint8_t Red[kUserGammaChannelBytes];
  std::uint8_t Green[kUserGammaChannelBytes];
  std::uint8_t Blue[kUserGammaChannelBytes];
};

// The scan module shares this exact layout.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(void*) == 8);

static_assert(sizeof(ScanRect) == 32);
static_assert(sizeof(ColorSyncSetting) == 24);
static_assert(offsetof(ColorSyncSetting, SourceProfile) == 8);
static_assert(offsetof(ColorSyncSetting, TargetProfile) == 16);

static_assert(sizeof(ScanSetting) == 112);
static_assert(offsetof(ScanSetting, MonitorGamma) == 8);
static_assert(offsetof(ScanSetting, ImageSource) == 16);
static_assert(offsetof(ScanSetting, ColorMode) == 24);
static_assert(offsetof(ScanSetting, ColorSync) == 32);
static_assert(offsetof(ScanSetting, ScanRect) == 56);
static_assert(offsetof(ScanSetting, WindowWidth) == 88);
static_assert(offsetof(ScanSetting, UiLessScan) == 96);
static_assert(offsetof(ScanSetting, NoCloseUI) == 100);
static_assert(offsetof(ScanSetting, temporaryPath) == 104);

static_assert(sizeof(CropShape) == 36);
static_assert(offsetof(CropShape, Shape) == 4);

static_assert(sizeof(CropSetting) == 344);
static_assert(offsetof(CropSetting, UserGamma) == 32);
static_assert(offsetof(CropSetting, RangeMode) == 40);
static_assert(offsetof(CropSetting, ScanRect) == 48);
static_assert(offsetof(CropSetting, CropShape) == 80);
static_assert(offsetof(CropSetting, SetDataRetain) == 116);
static_assert(offsetof(CropSetting, UseDataRetain) == 120);
static_assert(offsetof(CropSetting, Scale) == 128);
static_assert(offsetof(CropSetting, Rotation) == 136);
static_assert(offsetof(CropSetting, CuBS) == 144);
static_assert(offsetof(CropSetting, HSLCyanRed) == 152);
static_assert(offsetof(CropSetting, meRatio) == 168);
static_assert(offsetof(CropSetting, AGRect) == 176);
static_assert(offsetof(CropSetting, SIRScan) == 208);
static_assert(offsetof(CropSetting, DATA_WIDTH) == 216);
static_assert(offsetof(CropSetting, DATA_HEIGHT) == 224);
static_assert(offsetof(CropSetting, DATA_P) == 232);
static_assert(offsetof(CropSetting, DATA_H) == 240);
static_assert(offsetof(CropSetting, IMAGEDOCUMENTTYPE) == 248);
static_assert(offsetof(CropSetting, UISettingDocument) == 252);
static_assert(offsetof(CropSetting, TRIMRECT) == 256);
static_assert(offsetof(CropSetting, COMPRESSION) == 288);
static_assert(offsetof(CropSetting, AUTOFINEDOCUMENT) == 300);
static_assert(offsetof(CropSetting, reserved304) == 304);
static_assert(offsetof(CropSetting, FREESIZE) == 308);
static_assert(offsetof(CropSetting, ALMBasicDestination) == 312);
static_assert(offsetof(CropSetting, reserved316) == 316);

static_assert(sizeof(ScanInfo) == 736);
static_assert(offsetof(ScanInfo, OnePass) == 112);
static_assert(offsetof(ScanInfo, InputSource) == 116);
static_assert(offsetof(ScanInfo, Rotation) == 120);
static_assert(offsetof(ScanInfo, InvertADF) == 124);
static_assert(offsetof(ScanInfo, crop_num) == 128);
static_assert(offsetof(ScanInfo, target_num) == 132);
static_assert(offsetof(ScanInfo, CropItem) == 136);
static_assert(offsetof(ScanInfo, BitDepth) == 624);
static_assert(offsetof(ScanInfo, targetCrop) == 636);
static_assert(offsetof(ScanInfo, errro_detail) == 652);
static_assert(offsetof(ScanInfo, Silent) == 656);
static_assert(offsetof(ScanInfo, ImageDocumentType) == 668);
static_assert(offsetof(ScanInfo, OrderRejection) == 676);
static_assert(offsetof(ScanInfo, FAInputSourceADF) == 692);
static_assert(offsetof(ScanInfo, RefSumMode) == 696);
static_assert(offsetof(ScanInfo, FAADFRotation) == 720);
static_assert(offsetof(ScanInfo, ALMViewScannedImages) == 724);
static_assert(offsetof(ScanInfo, ADFPrefetch) == 732);

static_assert(sizeof(UserGamma) == 393224);
static_assert(offsetof(UserGamma, Red) == 8);
static_assert(offsetof(UserGamma, Green) == 131080);
static_assert(offsetof(UserGamma, Blue) == 262152);
