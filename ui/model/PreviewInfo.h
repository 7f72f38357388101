#pragma once

#include <cstdint>
#include <map>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Lock.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "ui/model/ExtendModeLink.h"
#include "ui/model/ProgressWindowLink.h"
#include "ui/model/SM_COMMON/ScanInfo.h"
#include "ui/model/StandardModeLink.h"
#include "ui/model/SM_COMMON/TagPoint.h"
#include "ui/model/SM_COMMON/ToneCurve.h"
#include "ui/model/UILessScanModeLink.h"
#include "ui/model/Units.h"

class MultiScanModeLink;
class Quirel_CropInfo;
class Quirel_PreferenceInfo;
class Quirel_SettingToSM;
class Quirel_ThumbnailInfo;
class Quirel_UIScannerInfo;

// Most entries the distinct tone-table numbering takes; longer lists are refused.
inline constexpr int kUserGammaTableMax = 30;
// Retain numbers run 1..61.
inline constexpr int kRetainTableSize = 61;
// The outward request that hands the scan module one user tone table.
inline constexpr const char* kSetUserGamma = "Set_User_Gamma";

// The preview model of one main window: the preview buffers, the crop and thumbnail bookkeeping,
// and the translation of a mode's choices into the codes of the scan-settings record. Everything
// reaches it through synchronous notifications of its centre and runs on the posting thread.
//
// Locks: previewLock guards the preview and image-set updates, cropLock the per-crop image
// exchanges; cropLock is taken inside previewLock, never previewLock while holding cropLock.
//
// Ownership: the four preview buffers are the model's; the scanner record is shared; the mode
// objects, the data-source object and the main-window module are only referred to. A null mode,
// preference, scanner, crop or thumbnail reads as 0, NO or empty.
class Quirel_PreviewInfo {
 public:
  using PixelBuffer = std::unique_ptr<std::uint8_t[]>;

  explicit Quirel_PreviewInfo(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_PreviewInfo();
  Quirel_PreviewInfo(const Quirel_PreviewInfo&) = delete;
  Quirel_PreviewInfo& operator=(const Quirel_PreviewInfo&) = delete;

  fnd::NotificationCenter& center() const { return mCenter; }

  // --- Setters
  void setTWAINObject(const void* object, const void* uimObject) {
    mTwObject = object;
    mUIMObject = uimObject;
  }
  void setTWAINObject(const void* object) { mTwObject = object; }
  void setUIMObject(const void* object) { mUIMObject = object; }
  const void* getTWAINObject() const { return mTwObject; }
  const void* getUIMObject() const { return mUIMObject; }
  void setADFPrefetch(int prefetch) { mADFPrefetch = prefetch; }
  int getADFPrefetchValue() const { return mADFPrefetch; }
  void setPlatenResolution(int resolution) { mPlatenResolution = resolution; }
  int getPlatenResolution() const { return mPlatenResolution; }
  // Null is ignored: the record stays.
  void setScannerInfo(std::shared_ptr<Quirel_UIScannerInfo> info);
  Quirel_UIScannerInfo* getScannerInfo() const { return mUIScannerInfo.get(); }
  void setPrevModeandId(int mode, StandardModeLink* standard, ExtendModeLink* extend);
  void setUILessMode(UILessScanModeLink* mode) { mUiLessMode = mode; }
  int getMode() const { return mMode; }
  void setMode(int mode) { mMode = mode; }
  void setHasPreview(bool hasPreview) { mHasPreview = hasPreview; }
  bool getHasPreview() const { return mHasPreview; }
  void setPreviewDataSize(SSizeDouble size) { mPreviewDataSize = size; }
  SSizeDouble getPreviewDataSize() const { return mPreviewDataSize; }
  void setZoomSize(int width, int height) {
    mZoomWidth = width;
    mZoomHeight = height;
  }
  void setWholeSize(int width, int height) {
    mOWidth = width;
    mOHeight = height;
  }
  bool getNeedDocumentType() const { return mNeedDocumentType; }
  bool getVer1700() const { return mVer1700; }
  int getThumbnailAuto() const { return mThumbnailAuto; }

  // The colour-adjust number kept for a crop whose document kind was sent.
  void setImageAdjust(int cropNumber, int value) { mImageAdjust[std::to_string(cropNumber)] = value; }
  void clearImageAdjust() { mImageAdjust.clear(); }
  // 0 when none is kept.
  int getImageAdjust(int cropNumber) const;

  fnd::Lock& getPreviewLock() { return previewLock; }
  fnd::Lock& getCropLock() { return cropLock; }

  // Observer of "setScanningInfoImageAdjustPost": the window gets the crop's colour-adjust number,
  // or 0 when the scanner uses no RACS2 and no preview exists.
  void setScanningInfoImageAdjust(ProgressWindowLink* window);

  // --- Translations into ScanInfo codes (mode 0 basic, 1 advanced, 2 multi-scan)
  static int getImageDocumentTypeToSM(int index, int mode);
  static int getImageSourceToSM(int index, int mode);
  static int getBitDepthToSM(int index, int mode);
  static int getInputSourceToSM(int index, int mode);
  static int getColorModeToSM(int index, int mode);
  // type 1 scan, 0 preview.
  static int getColorModeToSM(int index, int mode, int type);
  static int getOnePassToSM(int index, bool multiCrop, int mode, bool thumbnail);
  static int getColorSettingToSM(int index, const Quirel_PreferenceInfo* preferences, int mode);
  int getADFPrefetch(int index, int mode) const;
  static int getAutoExitToSM(int autoExit);
  static int getADFRotationToSM(int index, int direction, int mode);
  static int getADFInvertToSM(int index, int direction, int binding, bool revisedOrientation, int mode);
  static int getCopyGammaToSM(int index, int colorModeIndex, int colorSetting, const Quirel_CropInfo* crop, int mode,
                              const Quirel_UIScannerInfo* scanner);
  static int getDestinationToSM(int destination);
  static int getAutoToneToSM(int colorAdjust, int mode);
  static int getCropImageDocumetType(int colorAdjust, int index, int mode);
  static int getCropImageDocumetType(int colorAdjust, int index, int colorSetting, int mode);
  static int getFilmDetectAreaToSM(int thumbnailSize, int mode);
  // Null for codes outside 0..6 or without preferences; a malloc'ed copy otherwise (caller frees).
  static char* getSourceProfilePathToSM(int inputSource, const Quirel_PreferenceInfo* preferences);
  static char* getOutputProfilePathToSM(const Quirel_PreferenceInfo* preferences);
  static int getBackGhostClearAt(int index, int colorModeIndex, int imageAdjust, int copyGamma, int colorSetting,
                                 bool hasPreview, int mode, const Quirel_UIScannerInfo* scanner);
  int getUISettingDocumentToSM(int index, int colorSetting, int colorModeIndex, bool preview, int imageAdjust,
                               int copyGamma, int autoFine, int mode) const;
  // Inches. mMode 3 reads a UI-less mode, 1 an advanced mode, 0 a basic mode; anything else, or
  // a mode object of another kind, gives zeros.
  ScanRect getScanRectToSM(int imageSource, ModeLink* mode) const;

  // --- Per-crop corrections and user tone tables
  bool setImageSettingInCropSettingExt(CropSetting* setting, const Quirel_CropInfo* crop, bool preview,
                                       int colorModeIndex, int colorSetting, int imageSource, bool ver310,
                                       bool ver1400Later, bool ver1500Later) const;
  bool setImageSettingInCropSettingStd(CropSetting* setting, const Quirel_CropInfo* crop, bool preview, int index,
                                       int colorSetting, bool ver310, bool ver1400Later, bool ver1500Later) const;
  void setImageSettingInCropSettingStdAutoFine(CropSetting* setting, const Quirel_CropInfo* crop, bool preview,
                                               int index, int colorSetting, bool ver1700Later) const;
  void makeToneCurveParam(ToneCurveParam* param, const Quirel_CropInfo* crop) const;
  // 0 when every tone setting is neutral at that monitor gamma, -1 otherwise (also for null).
  static int checkUserGammaDefault(const Quirel_CropInfo* crop, double monitorGamma);
  // Posts one "Set_User_Gamma" for table `number`.
  void setUserGammaTableToSM(int number, const Quirel_CropInfo* crop, double monitorGamma);
  static fnd::Dictionary setUserGammaValue(const Quirel_CropInfo* crop, double monitorGamma);
  static fnd::Dictionary setUserGammaSplineValue(const Quirel_CropInfo* crop);
  static fnd::Dictionary setUserGammaSplineChannelValue(int selectedCurve, int pointCount, const TagPoint* points);

  // One entry of a list numbered for tone tables; in thumbnail mode only checked entries count.
  struct GammaEntry {
    const Quirel_CropInfo* crop;
    bool checked;
  };
  static std::vector<GammaEntry> gammaEntries(const CropList& crops);
  static std::vector<GammaEntry> gammaEntries(const ThumbnailList& thumbnails);
  // Numbers the distinct tone settings into gmTable (one number per entry: -1 unchecked, 0
  // neutral, 1.. table). Answers 0, or -1 with nothing written for more than kUserGammaTableMax.
  int checkUserGammaTable(const std::vector<GammaEntry>& entries, int* gmTable, double monitorGamma) const;
  // Numbers, then sends one table per distinct setting. 0, or -1 when the list is refused.
  int setUserGammaNumTable(const std::vector<GammaEntry>& entries, int* gmTable, double monitorGamma);
  // Sends table 1 for the first (checked) entry's crop when it is not neutral: 1, else 0.
  int setUserGammaNumTableFirstCrop(const std::vector<GammaEntry>& entries, double monitorGamma);

  // --- Per-crop requests
  // Fills `info` (treated as uninitialised) for one crop; answers the crop's auto-tone setting.
  // An auto-tone setting of 5 is sent as 1 unless `mapAutoTone` is false (platen thumbnails,
  // which send what the corrections chose).
  int cropSettingDataSM(ScanInfo* info, int slot, Quirel_CropInfo* crop, bool mapAutoTone = true);
  void multicropSettingDataSM(ScanInfo* info, Quirel_CropInfo* crop);
  // Frees the crop records of a request with their result cells (not the images they point to)
  // and the request's strings; the record is left with no crops.
  static void freeCropItem(ScanInfo* info);
  // Hands a request's record over (or refuses the request when it is not whole) and frees the
  // handler's own copy.
  static void handOverRecord(Quirel_SettingToSM* carrier, ScanInfo* info, bool whole);

  // --- Scan-settings assembly. Each handler fills the carrier's record; a request that cannot
  // be carried whole (too many crops or tone settings, no memory) leaves the carrier refused.
  void scanSettingFromStd(Quirel_SettingToSM* carrier);
  void scanSettingFromExt(Quirel_SettingToSM* carrier);
  void scanSettingFromMulti(Quirel_SettingToSM* carrier);
  void scanSettingFromAuto(Quirel_SettingToSM* carrier);
  void previewSettingFromStd(Quirel_SettingToSM* carrier);
  void previewSettingFromExt(Quirel_SettingToSM* carrier);
  // Asks the scan module to keep the focused crop's processed data.
  void retainSettingFromExt(const CropList& crops, bool zoomRetain);
  // Crop fillers: false when the list cannot be carried; nothing is then left in the record's
  // slots 1..60.
  bool scanSettingPlatenCropFromStd(ScanInfo* info, StandardModeLink* mode);
  bool scanSettingFilmCropFromStd(ScanInfo* info, StandardModeLink* mode);
  bool scanSettingPlatenCropFromExt(ScanInfo* info, ExtendModeLink* mode);
  bool scanSettingFilmCropFromExt(ScanInfo* info, ExtendModeLink* mode);
  // A rectangle in a visible area turned by rotation 0..3 (zeros for others).
  static SRectDouble setLotationRectP96(SRectDouble rect, SSizeDouble visible, int rotation);
  // A film frame's crop: ScanRect, AGRect and Scale.
  void setFilmCropScanRect(SSizeDouble visible, SPointDouble start, const Quirel_CropInfo* crop, CropSetting* setting,
                           int rotation, bool mirror, SSizeDouble preview, SPointDouble origin) const;
  // The preference's temporary folder, or the system's when none is set; malloc'ed.
  static char* newTemporaryPath(const Quirel_PreferenceInfo* preferences);

  // --- Crop exchange and retain numbers
  // Sends one per-crop request and, with takeResult, adopts the images it brings back.
  int call_crop_Imageset2(Quirel_CropInfo* crop, const fnd::Dictionary& request, bool takeResult,
                          const SPointDouble* position, bool hsl);
  void clearRetainNumberAll();
  // The smallest free number 1..61, now taken; 0 when none is free.
  int searchRetainNumber();
  void setRetainTable(const CropList& crops);
  void resetRetainNumber(Quirel_CropInfo* crop);
  int getRetainCount(int number) const {
    return number >= 1 && number <= kRetainTableSize ? mSetRetainTable[number - 1] : 0;
  }
  int getTgtRetainNum() const { return mTgtRetainNum; }
  bool getZoomRetain() const { return mZoomRetain; }
  bool getUIResetImageError() const { return mUIReset; }
  void setUIResetImageError(bool reset) { mUIReset = reset; }

  // --- Thumbnail mode. Images, rectangles and the two stored buffers are kept per thumbnail, in
  // thumbnail order. A point list shorter than the thumbnail list gives zero rectangles.
  int createThumbnailImageDataPlaten(const ThumbnailList& thumbnails, const fnd::Array& points);
  int createThumbnailImageData(const fnd::Array& points, const ThumbnailList& thumbnails);
  // Null for an index out of range; `rect` (when given) gets the thumbnail's rectangle.
  std::shared_ptr<const PreviewBitmap> getThumbnailImageDataAtIndex(int index, SRectDouble* rect) const;
  void removeThumbnailImageData();
  int getThumbnailImageCount() const { return static_cast<int>(thumbnailImageData.size()); }
  int setCropThumbnailSettingDataSM2(ScanInfo* info, int slot, Quirel_CropInfo* crop, const SPointDouble points[4],
                                     bool inner);
  void setThumbnailCropImagedataSM2(Quirel_CropInfo* thumbnailCrop, Quirel_CropInfo* inner, int keepRetain,
                                    const SPointDouble points[4], bool hsl);
  void setThumbnailCropImageDefaultdataSM2(Quirel_CropInfo* crop, const SPointDouble points[4]);
  int setCropThumbnailSettingDataSM(ScanInfo* info, int slot, Quirel_CropInfo* crop, SRectDouble rect);
  void setThumbnailCropImagedataSM(Quirel_CropInfo* crop, int keepRetain, SRectDouble rect);
  void setThumbnailCropImageDefaultdataSM(Quirel_CropInfo* crop, SRectDouble rect);
  // The thumbnail crop's corrected image (with the inner crop's pasted in, clipped) as a bitmap;
  // null when it has none.
  std::shared_ptr<const PreviewBitmap> setThumbnailImageDataP(Quirel_CropInfo* thumbnailCrop, Quirel_CropInfo* inner);
  // The corrected image (0) or the image before adjustment (1), or empty data.
  static fnd::Value setThumbnailImageDataD(const Quirel_CropInfo* crop, int which);
  void resetThumbnailCropImagedata(Quirel_CropInfo* crop, const fnd::Value& corImage, const fnd::Value& histImage);
  void updateImageSetAllSelectedThumbnailPlaten(int mode, const ThumbnailList* thumbnails);
  void updateImageSetSelectedThumbnailPlaten(int mode, const ThumbnailList* thumbnails);
  void updateFocusThumbnailPlaten(int mode, const ThumbnailList* thumbnails);
  void updateImageSetAllSelectedThumbnail(int mode, const ThumbnailList* thumbnails);
  void updateImageSetSelectedThumbnail(int mode, const ThumbnailList* thumbnails);
  void updateFocusThumbnail(int mode, const ThumbnailList* thumbnails);
  SRectDouble getAllRect() const { return mAllRect; }

  // --- UI-less mode and colour-balance base images
  void previewSettingFromUILess(Quirel_SettingToSM* carrier);
  void scanSettingFromUILess(Quirel_SettingToSM* carrier);
  // Ticked film frames into slots 1..; false (nothing left in them) for an empty list, more than
  // 60 ticked frames or more than kUserGammaTableMax tone settings.
  bool scanSettingFilmCropFromUILess(ScanInfo* info, UILessScanModeLink* mode);
  static void setImageSettingInCropSettingForUILess(CropSetting* setting, const Quirel_CropInfo* crop,
                                                    int colorSetting);
  // Per-crop request of a UI-less film thumbnail; answers the crop's auto-tone setting.
  int setCropThumbnailSettingDataSMForUILess(ScanInfo* info, int slot, Quirel_CropInfo* crop, SRectDouble rect);
  // target: a crop, or (thumbnail flags) a thumbnail.
  void updateImageSet_HSL(int mode, bool thumbnailMode, const fnd::Value* target, bool platenThumbnailMode);
  // Asks for the crop's image without colour balance and keeps it as its colour-balance image.
  void setCropImagedataSM_HSL(Quirel_CropInfo* crop);

  // --- Crop remake and image-set updates. Each handler first stores `mode` in mMode; a null
  // or empty list does nothing (the automatic crop falls back to the initial rectangle). With no
  // preview image yet, crops are still requested and stored but nothing is pasted or shown.
  void previewModeChange(int previewMode) { mPreviewMode = previewMode; }
  void remakeCropAutoCropButton(int mode, const CropList* crops);
  void remakeMultiCropButton(int mode, const CropList* crops, bool multiCropMode) {
    updateImageSetAllSelected(mode, crops, multiCropMode);
  }
  void remakeDeleteCrop(int mode, const CropList* crops);
  void updateImageSetTemplate(int mode, Quirel_CropInfo* templateCrop);
  void updateImageSetAllSelected(int mode, const CropList* crops, bool multiCropMode);
  void updateImageSetSelected(int mode, const CropList* crops);
  void updateFocusCrop(int mode, const CropList* crops, int cropCor);
  // Requests a crop's corrected image (-1 for an empty crop, else 0).
  int setCropImagedataSM(Quirel_CropInfo* crop, int keepRetain);
  void setMultiCropImagedataSM(Quirel_CropInfo* crop);
  // Pastes the crop's corrected image into `buffer` (width × height) and its image before
  // adjustment into `before` (beforeWidth × beforeHeight), each clipped to its own buffer.
  // -1 when the crop has no image or an empty rectangle.
  int reMakeCropPrevAndHistData(std::uint8_t* buffer, std::uint8_t* before, Quirel_CropInfo* crop, int width,
                                int height, int beforeWidth, int beforeHeight);
  int reMakeCropPrevData(std::uint8_t* buffer, Quirel_CropInfo* crop, int width, int height);
  // Unselected crops first, then selected ones, the focused crop last (on top).
  void reMakeAllCropPrevAndHistData(std::uint8_t* buffer, std::uint8_t* before, const CropList& crops, int width,
                                    int height, int beforeWidth, int beforeHeight);
  // Replaces the corners of a rotated frame's image outside the frame by the preview under it.
  void changeMultiCropMaskdata(Quirel_CropInfo* crop, const std::uint8_t* preview, int width, int height);

  // --- Geometry
  void setOrgPixelLRect2(SRectDouble* out, bool zoom, double vw, double vh, int rotation, bool mirror, double x,
                         double y, double w, double h, bool shrink) const;
  void setOrgPixelLRectReCal(SRectDouble* out, bool zoom, double vw, double vh, int rotation, bool mirror, double x,
                             double y, double w, double h, bool shrink) const;
  void setOrgPixelLRectThumbnail(SRectDouble* out, const Quirel_CropInfo* crop) const;
  void setOrgPixelLRect2ThumbAuto(SRectDouble* out, double areaWidth, double areaHeight, int rotation, double x,
                                  double y, double w, double h) const;
  void setCropScanRect(const Quirel_CropInfo* crop, CropSetting* setting, int rotation, bool mirror,
                       SSizeDouble area) const;
  void setCropScanRectThumbAuto(const Quirel_CropInfo* crop, CropSetting* setting, int rotation, bool mirror,
                                SSizeDouble area, double fx, double fy, double fw, double fh) const;
  static void setScanRectPixel2(ScanRect* out, int rotation, bool mirror, double areaWidth, double areaHeight,
                                double x, double y, double w, double h);
  static void setScanRectPixelADF(ScanRect* out, int rotation, double x, double y, double w, double h);
  static void setScanSizePixel(ScanRect* out, int rotation, double w, double h);
  // {"min": {"X", "Y"}, "max": {"X", "Y"}}, or null for the whole preview.
  void setAutoCropInitRect(const fnd::Dictionary* dictionary);
  SRectDouble getAutoCropRect() const { return autoCrop; }
  SRectDouble getPrevInitAutoCrop() const { return prevInitAutoCrop; }
  void setAutoCropRect(SRectDouble rect) { autoCrop = rect; }
  void setmultiCropPointArray(const fnd::Array& points, bool keepSingle, bool autoFlag, bool thumbnail);
  const fnd::Array& getMultiCropPoints() const { return multiCropPoints; }

  // --- Preview buffers, chosen by mPreviewMode (or the mode given): 1 zoomed, else whole
  int getPreviewMode() const { return mPreviewMode; }
  void setPreviewMode(int mode) { mPreviewMode = mode; }
  void setPreviewWidth(int width);
  int getPreviewWidth() const { return getPreviewWidth(mPreviewMode); }
  int getPreviewWidth(int mode) const { return mode == 1 ? mZoomWidth : mOWidth; }
  void setPreviewHeight(int height);
  int getPreviewHeight() const { return getPreviewHeight(mPreviewMode); }
  int getPreviewHeight(int mode) const { return mode == 1 ? mZoomHeight : mOHeight; }
  // The setters take the buffer (width × height × 3 bytes of the current size) and free the old.
  void setOriginalPixel24(PixelBuffer buffer);
  std::uint8_t* getOriginalPixel24() const { return getOriginalPixel24(mPreviewMode); }
  std::uint8_t* getOriginalPixel24(int mode) const { return mode == 1 ? originalZoom24.get() : original24.get(); }
  // Bytes the buffer of that mode was handed over with (the size of the time); 0 without one.
  std::size_t getOriginalPixel24Size(int mode) const { return mode == 1 ? originalZoom24Size : original24Size; }
  void setBeforeAdjustPixel24(PixelBuffer buffer);
  std::uint8_t* getBeforeAdjustPixel24() const {
    return mPreviewMode == 1 ? befAdjustZoom24.get() : befAdjust24.get();
  }
  void setsendSize(int size) { msendSize = size; }
  int getsendSize() const { return msendSize; }
  void setSendDataOffset(std::uint64_t offset) { mOffset = offset; }
  std::uint64_t getSendDataOffset() const { return mOffset; }
  void setdcnt(int count) { mdcnt = count; }
  int getdcnt() const { return mdcnt; }
  // Shows `buffer` (current preview width × height × 3 bytes) in the basic (mMode 0) or advanced
  // (mMode 1) mode; other modes draw nothing. The buffer is copied once.
  void changeDrawPreviewArea(const std::uint8_t* buffer);

 private:
  struct ModeReading;
  ModeReading readMode() const;
  ScanModeLink* currentScanMode() const;
  void registerObservers();
  void registerRemakeObservers();
  void registerUILessObservers();
  void registerThumbnailObservers();
  // Helpers of the crop tables.
  static Quirel_CropInfo* thumbnailCropOf(const Quirel_ThumbnailInfo& thumbnail);
  static int checkedCount(const ThumbnailList& thumbnails);
  // The tone-table entries of the crops (or the ticked thumbnails) a scan carries; none when
  // there are more than a scan takes.
  static std::optional<std::vector<GammaEntry>> scanGammaEntries(bool thumbnail, const ThumbnailList& thumbnails,
                                                                 const CropList& crops);
  // One table number per entry, the tables sent; none when the list is refused.
  std::optional<std::vector<int>> userGammaTables(const std::vector<GammaEntry>& entries, double monitorGamma);
  // The UI-less mode a request's carrier holds, made the current mode; null (and the carrier
  // refused) when it holds none.
  UILessScanModeLink* openUILessRequest(Quirel_SettingToSM* carrier);
  static const Quirel_CropInfo* filmGeometryOf(const Quirel_CropInfo* crop, const Quirel_ThumbnailInfo* thumbnail);
  static void dropCrops(ScanInfo* info);
  // Puts a request's crops into their slots from slot 1: the ticked thumbnails in list order,
  // or else the crops in reverse list order. `place` fills one slot (the thumbnail is null for a
  // crop); when it fails the crops are dropped and the answer is false.
  using PlaceCrop =
      std::function<bool(int slot, Quirel_CropInfo* crop, std::size_t listIndex, const Quirel_ThumbnailInfo* thumbnail)>;
  static bool placeRequestCrops(ScanInfo* info, bool thumbnail, const ThumbnailList& thumbnails, const CropList& crops,
                                const PlaceCrop& place);
  static void convertScanRect(ScanRect* rect, double from, double to);
  static void setCornerShape(CropSetting* setting, const SPointDouble corners[4]);
  // A thumbnail's crop rectangle in thumbnail mode; false when it goes without resolution
  // conversion (the frame's own rectangle).
  bool thumbnailFrameRect(ScanInfo* info, CropSetting* setting, const Quirel_CropInfo* crop,
                          const Quirel_ThumbnailInfo* thumbnail, std::size_t index, SSizeDouble area);
  enum class Which { All, Selected, Focus };
  void platenThumbnails(int mode, const ThumbnailList* thumbnails, Which which);
  void filmThumbnails(int mode, const ThumbnailList* thumbnails, Which which);
  void tellThumbnailsShown();
  SRectDouble thumbnailRect(std::size_t index) const;
  // Thumbnail images are stored as shared bitmaps that nobody changes after they are made.
  static fnd::Value boxedImage(std::shared_ptr<const PreviewBitmap> image) {
    return fnd::Value::object(std::const_pointer_cast<PreviewBitmap>(std::move(image)));
  }
  // Scan-wide fields of a UI-less request from the mode's scan dictionary.
  bool fillFromScanDic(ScanInfo* info, UILessScanModeLink* mode, bool scan);
  void exchangeHSL(Quirel_CropInfo* crop, ScanInfo* info);
  // The crops under "CropList" (or `key`); `present` tells whether the key was there.
  static CropList cropsFrom(const fnd::Dictionary* info, bool* present, const char* key = "CropList");
  // A copy of the shown preview (current size) to paste into; shown, it becomes the mode's
  // picture without a further copy.
  struct WorkCopy {
    std::shared_ptr<std::vector<std::uint8_t>> bytes;
    std::uint8_t* get() const { return bytes ? bytes->data() : nullptr; }
    explicit operator bool() const { return bytes != nullptr; }
  };
  // Null when there is no preview.
  WorkCopy previewCopy(int* width, int* height) const;
  void showCopy(WorkCopy copy);
  void postProgress();
  struct ScanWide;
  void fillRequestCommon(ScanInfo* info, const Quirel_PreferenceInfo* preferences,
                         const Quirel_UIScannerInfo* scanner) const;
  // The colour-matching profiles of a request whose colour setting asks for them.
  static void fillColorSync(ScanInfo* info, const Quirel_PreferenceInfo* preferences);
  void fillPreviewRect(ScanInfo* info, ExtendModeLink* mode);
  bool fillCropEntry(ScanInfo* info, int slot, Quirel_CropInfo* crop, bool preview, int index, int colorIndex,
                     bool ext, const Quirel_UIScannerInfo* scanner);
  void fillScanWide(ScanInfo* info, const ModeReading& m) const;
  static bool allocateCropItems(ScanInfo* info, int slot);
  // UnsharpMask, Descreen, ReduceDust and GrainCorrect from the crop.
  static void copySetValues(CropSetting* setting, const Quirel_CropInfo* crop);
  // The crop's scan rectangle with its input rectangle placed at (x, y), its size and Scale.
  static void cropScanRectAt(const Quirel_CropInfo* crop, CropSetting* setting, int rotation, bool mirror,
                             SSizeDouble area, double x, double y);
  static bool mapRect(SRectDouble* out, double W, double H, double vw, double vh, int rotation, bool mirror,
                      double x, double y, double w, double h, bool single);
  SSizeDouble imageSize(bool zoom) const;

  fnd::NotificationCenter& mCenter;

  std::int32_t mPreviewMode = 0;
  SRectDouble autoCrop{};
  SRectDouble prevInitAutoCrop{};
  fnd::Array multiCropPoints;
  fnd::Array thumbnailImageData;
  fnd::Array thumbnailImageRect;
  fnd::Array thumbnailImageDefaultData;
  fnd::Array thumbnailImageHistData;
  std::int32_t mOWidth = 0;
  std::int32_t mOHeight = 0;
  std::int32_t spp = 3;
  PixelBuffer original24;
  PixelBuffer befAdjust24;
  std::int32_t mZoomWidth = 0;
  std::int32_t mZoomHeight = 0;
  std::int32_t sppZoom = 3;
  PixelBuffer originalZoom24;
  std::size_t original24Size = 0;
  std::size_t originalZoom24Size = 0;
  PixelBuffer befAdjustZoom24;
  std::int32_t mAllRatio = 0;
  SRectDouble mAllRect{};
  SRectDouble mAllScanRect{};
  std::int32_t msendSize = 0;
  std::uint64_t mOffset = 0;
  std::int32_t mdcnt = 0;
  std::int32_t mMode = 0;
  SSizeDouble mPreviewDataSize{};
  bool mCIS = false;
  StandardModeLink* mstdModeId = nullptr;
  ExtendModeLink* mextModeId = nullptr;
  UILessScanModeLink* mUiLessMode = nullptr;
  fnd::Lock cropLock;
  fnd::Lock previewLock;
  std::int32_t mSetRetainTable[kRetainTableSize] = {};
  std::int32_t mTgtRetainNum = 0;
  bool mZoomRetain = false;
  bool mUIReset = false;
  bool mNeedDocumentType = false;
  std::int32_t mPlatenResolution = 0;
  std::int32_t mThumbnailAuto = 0;
  std::map<std::string, int> mImageAdjust;
  bool mVer1700 = false;
  bool mHasPreview = false;
  std::shared_ptr<Quirel_UIScannerInfo> mUIScannerInfo;
  const void* mTwObject = nullptr;
  const void* mUIMObject = nullptr;
  std::int32_t mADFPrefetch = -1;
  // ---- The last work copy's bytes, used again by the next copy once nothing holds them.
  mutable std::mutex mWorkCopyMutex;
  mutable std::shared_ptr<std::vector<std::uint8_t>> mWorkCopyBytes;
};
