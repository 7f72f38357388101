#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Lock.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/Cursor.h"
#include "kit/Image.h"
#include "ui/model/OutputSize.h"
#include "ui/model/SM_COMMON/ScanInfo.h"
#include "ui/model/ScanModeLink.h"
#include "ui/model/Units.h"

class Quirel_CTRLS_MainWindow;
class Quirel_CTRLS_NextThumbnailButton;
class Quirel_CTRLS_Preview;
class Quirel_CTRLS_PreviewFrame;
class Quirel_CTRLS_TabView;
class Quirel_CropView;
class Quirel_DisabledView;
class Quirel_ThumbnailSelectView;
class Quirel_ProfileCMList;
class Quirel_PreviewView;
class Quirel_PVLocalizedString;
class Quirel_PreviewInfo;
class Quirel_PrefsDialog;
class Quirel_SettingToSM;
namespace kit {
class Event;
class View;
class Window;
}

// The locale's defaults: unit 1 metric, 0 inch; the feeder's paper index; the film size.
struct UserLocaleUnits {
  int unit = 1;
  int paperSize = 10;
  int filmSize = 3;
};

// Units of a data-size limit.
enum class Quirel_DataSizeUnit { GiB = 0, MiB = 1, Byte = 2 };

// What the basic and advanced modes of one main window share: the records handed in by the
// window controller, the crop frames and thumbnails, the page and output-size tables, the
// scanner's limits, the flags of the request in flight and the notice flags. It sends the
// preview and scan requests outward. Main thread only (the subclasses' retry thread takes
// mRetryLock and nothing else).
//
// The subclasses create the template crop and the window's controls; what they refine is
// virtual.
class Quirel_BaseScanMode : public virtual ScanModeLink {
 public:
  static constexpr int kPaperSizeCount = 24;
  static constexpr int kOutputSizeCount = 25;
  static constexpr const char* kSetToSMKey = "SetToSM";
  static constexpr const char* kSaveInfoPost = "ntfQuirel_SaveInfo";
  static constexpr const char* kScanSoundTimerPost = "setScanSoundTimerPost";
  static constexpr const char* kPreviewModeChangePost = "previewModeChangePost";
  // Posted when the user confirmed a change worth keeping at once (the preferences' OK): the
  // window controller writes the settings files then, not only at the close.
  static constexpr const char* kSettingsChangedPost = "settingsChangedPost";

  ~Quirel_BaseScanMode() override;
  Quirel_BaseScanMode(const Quirel_BaseScanMode&) = delete;
  Quirel_BaseScanMode& operator=(const Quirel_BaseScanMode&) = delete;

  // ---- Records handed in by the window controller.
  // The window controller: an identity only, the object of every outward post.
  void setUIMObject(const void* object) { mUIMObject = object; }
  const void* getUIMObject() const { return mUIMObject; }
  void setTWAINObject(const void* object) { mTwObject = object; }
  void setPVLocalizedString(std::shared_ptr<const Quirel_PVLocalizedString> strings) { mLSobj = std::move(strings); }
  void setMainWindow(std::shared_ptr<Quirel_CTRLS_MainWindow> window) { mMainWindow = std::move(window); }
  Quirel_CTRLS_MainWindow* getMainWindow() const { return mMainWindow.get(); }
  // The preview control; none until the preview area is built.
  Quirel_CTRLS_Preview* getPreviewView() const { return mPreview.get(); }
  void setScannerInfo(std::shared_ptr<Quirel_UIScannerInfo> info) { mScannerInfo = std::move(info); }
  Quirel_UIScannerInfo* getScannerInfo() override { return mScannerInfo.get(); }
  void setProfileCMList(std::shared_ptr<const Quirel_ProfileCMList> list) { mProfileCMList = std::move(list); }
  void setPreferenceInfo(std::shared_ptr<Quirel_PreferenceInfo> info) { mPreferenceInfo = std::move(info); }
  Quirel_PreferenceInfo* getPreferenceInfo() override { return mPreferenceInfo.get(); }
  // A copy of the per-model parameters; null keeps the earlier one.
  void setUimParameterDic(const fnd::Dictionary* parameters);
  const std::optional<fnd::Dictionary>& getUimParameterDic() const { return mUimParameterDic; }
  void setSettingFilePath(const std::optional<std::string>& path) { mSettingFilePath = path; }
  const std::optional<std::string>& getSettingFilePath() const { return mSettingFilePath; }
  void setDefaultTempPath(const std::optional<std::string>& path) { mDefaultTempPath = path; }
  void setDefaultSavePath(const std::optional<std::string>& path) { mDefaultSavePath = path; }
  void setDefaultSaveName(const std::optional<std::string>& name) { mDefaultSaveName = name; }
  // These three keep the earlier text when given none.
  void setLLDVersion(const std::optional<std::string>& text);
  void setInterfaceInfo(const std::optional<std::string>& text);
  void setDriverVersion(const std::optional<std::string>& text);
  const std::optional<std::string>& getLLDVersion() const { return mLLDversionStr; }
  const std::optional<std::string>& getInterfaceInfo() const { return mInterfaceStr; }
  const std::optional<std::string>& getDriverVersion() const { return mDriverVersionStr; }
  void setConnectFAU(bool connected) { mConnectFAU = connected; }
  void setPlatenResolution(int dpi) { mPlatenResolution = dpi; }
  int getPlatenResolution() const { return mPlatenResolution; }
  void setPlatenRect_Pixel96(const SRectDouble& r) { mPlatenRect_Pixel96 = r; }
  void setFilmPlatenRect_Pixel96(const SRectDouble& r) { mFilmPlatenRect_Pixel96 = r; }
  void setADFPlatenRect_Pixel96(const SRectDouble& r) { mADFPlatenRect_Pixel96 = r; }
  void setUserSpaceScaleFactor(double factor) { mUserSpaceScaleFactor = factor; }
  double getUserSpaceScaleFactor() const { return mUserSpaceScaleFactor; }
  void setDefaultUserLocaleUnits(const UserLocaleUnits& units) { mUserLocaleUnits = units; }
  UserLocaleUnits getDefaultUserLocaleUnits() const { return mUserLocaleUnits; }
  void setChangeThumbnailMode(bool on) { mChangeThumbnailMode = on; }
  bool getChangeThumbnailMode() const { return mChangeThumbnailMode; }
  void setProgressStatusValue(int status) { mProgressStatus = status; }
  int getProgressStatus() const { return mProgressStatus; }

  // ---- State.
  int getUIMode() const { return mUIMode; }
  int getScanMode() const { return mScanMode; }
  bool getPlatenThumbnail() const { return mPlatenThumbnail; }
  bool getFilmThumbnail() const { return mFilmThumbnail; }
  bool isMultiCropMode() override { return mMultiCrop; }
  bool getZoomScan() override { return mZoomScan; }
  bool getHasPreview() override { return mHasPreview; }
  bool getHasNonThumPreview() const { return mHasNonThumPreview; }
  bool getEnableThumbnailBtn() const { return mEnableThumbnailBtn; }
  int getRotation() const { return mRotation; }
  bool getMirror() const { return mMirror; }
  int getADFDirection() override { return mADFDirection; }
  int getADFBinding() override { return mADFBinding; }
  bool isHighQualityMode() override { return mHighQualityMode; }
  bool getRedrawPreview() const { return mRedraw; }
  bool getNeedScan() override { return mNeedScan; }
  bool getOriginalScan() const { return mOriginalScan; }
  bool getPreviewAtStart() const { return mPreviewAtStart; }
  bool getCreateFilmCrop() const { return mCreateFilmCrop; }
  bool getChangeThumbnailSize() const { return mChangeThumbnailSize; }
  bool getChangeFavoriteSetting() const { return mChangeFavoriteSetting; }
  SSizeDouble getPreviewDataSize() override { return mPreviewDataSize; }
  bool isADFMode() const { return mScanMode == 4; }
  bool isFilmMode() override { return inFilmMode(); }
  bool isThumbnailMode() override { return inThumbnailMode(); }
  bool isCalibrationEveryScan() override;

  // The seven "show this notice again" flags.
  bool showBookCorrectMsg() const { return mBookCorrectMsg; }
  bool showClearThumbnailMsg() const { return mClearThumbnailMsg; }
  bool showLargePixelMsg() const { return mLargePicMsg; }
  bool showBitEnableMsg() const { return mColorBitMsg; }
  bool showFavoriteDlgMsg() const { return mFavoriteMsg; }
  bool showToneSettingDlgMsg() const { return mToneSettingMsg; }
  bool showColorModeAndDataFormatMsg() const { return mColorModeAndDataFormatMsg; }

  // ---- Frames and thumbnails.
  Quirel_CropInfo* getTemplateCrop() override { return mTemplateCrop.get(); }
  const CropList& getCropList() override { return mCropList; }
  const ThumbnailList& getThumbnailList() override { return mThumbnailList; }
  int getSelectedCropCount() const;
  int getMultiCropCount(bool selectedOnly) const;
  int getCheckedThumbnailCount() const;
  // The distinct output-size numbers of the frames, in the order of their last use.
  std::vector<int> getUsedOutputSize() const;

  // Floating dialogs of the mode, each listed once.
  void addDialog(const std::shared_ptr<kit::Window>& dialog);
  const std::vector<std::shared_ptr<kit::Window>>& getDialogList() const { return mDialogList; }

  // ---- Observations on the default centre, with the mode as owner.
  using Handler = std::function<void(const fnd::Notification&)>;
  void registObserver(const void* object, Handler handler, const std::string& name);
  void removeObserver(const void* object, const std::string& name);
  // The six observations of one thumbnail's frame view, preview view and check box.
  void registObserverToThumbnailInfo(const Quirel_ThumbnailInfo& thumbnail);
  // Ends them and drops the preview view's tracking rectangle.
  void removeObserverFromThumbnailInfo(const Quirel_ThumbnailInfo& thumbnail);

  // ---- Page sizes, output sizes and conversions.
  SSizeDouble getPaperSizeWH_Pixel96(int entry) override;
  SPointDouble getPaperSizePoint_Pixel96(int entry) override;
  // The table's entry; the zero size outside the table.
  SSizeDouble getDefaultOutputSizeWH(int index) const;
  SSizeDouble getPaperSizeWH(int index) const;
  static double getSZoomRate(int index);
  static double getSRotationRate(int index);
  void loadPaperSizeTableFromXmlFile(const fnd::Dictionary* parameters);
  void loadDefaultOutputSizeTableFromXmlFile(const fnd::Dictionary* parameters);
  static SSizeDouble dictionaryToSize(const fnd::Dictionary* d);
  static SRectDouble dictionaryToRect(const fnd::Dictionary* d);
  static SSizeDouble calcSizeInSize(double aspectWidth, double aspectHeight, double boxWidth, double boxHeight);
  static SSizeDouble calcSizeOutSize(double aspectWidth, double aspectHeight, double boxWidth, double boxHeight);
  static SPointDouble calcNonConvertedPoint(SPointDouble point, SSizeDouble size, bool mirror, int rotation);
  static SRectDouble calcNonConvertedRect(SRectDouble rect, SSizeDouble size, bool mirror, int rotation);
  void setNonConvertedRect(Quirel_CropInfo& crop);
  void setConvertedRect(Quirel_CropInfo& crop);
  static double maltipleUnit(double magnification, double length);
  static std::string roundDownForString(double value, int digits);

  using OutputSizeList = std::vector<std::shared_ptr<Quirel_OutputSize>>;
  void createOutputSizeObjects();
  void createDefaultOutputSizeObjects();
  std::shared_ptr<Quirel_OutputSize> getOutputSizeObject(int index);
  std::shared_ptr<Quirel_OutputSize> getOutputSizeObjectAtName(const std::optional<std::string>& name,
                                                               const OutputSizeLength& width,
                                                               const OutputSizeLength& height);
  std::vector<std::string> getDefaultOutputSizeName() const;
  const std::optional<OutputSizeList>& getPrintArray() const { return mPrintArray; }
  const std::optional<OutputSizeList>& getDisplayArray() const { return mDisplayArray; }
  const std::optional<OutputSizeList>& getOcrArray() const { return mOcrArray; }

  // ---- Film frame rectangles.
  void setDefaultFilmSizeRects(int filmSize, const fnd::Array* frames, const fnd::Dictionary* reference);
  void setDefaultFilmSizeRectsForRudide(const fnd::Array* frames, double resolution, const fnd::Dictionary* reference);
  void addDefaultFilmSizeRects(int filmSize, fnd::Array rects);
  // The stored list (possibly empty), or null when none is stored. On newer models outside the
  // thumbnail modes the scanner's own rectangles, when it reported any.
  const fnd::Array* getDefaultFilmSizeRects(int filmSize) const;
  void setCapsFilmSizeRects(const fnd::Array* frames);
  const fnd::Array& getCapsFilmRects() const { return mCapsFilmRects; }
  void setUseCapsFilmSize(bool on) { mUseCapsFilmSize = on; }
  static int convFilmSizeCapsToUIM(int scannerFilmSize);
  bool needRotation90(int filmSize, double width, double height, int orientation) const {
    return needRotation90(mScannerInfo.get(), filmSize, width, height, orientation);
  }
  static bool needRotation90(const Quirel_UIScannerInfo* scanner, int filmSize, double width, double height,
                             int orientation);

  // ---- Feature tests and limits.
  bool checkScanCount() const;
  bool checkScanSize(int colorMode) const;
  bool checkScanDataSize(double limit, Quirel_DataSizeUnit unit, bool total) const;
  // The limit comes first: a call with the arguments swapped must not compile.
  bool checkScanDataSize(bool, Quirel_DataSizeUnit, double) const = delete;
  bool isEnableLargeScan() const;
  bool isEnabledAlwaysAutoTone(int colorMode) const;
  bool isAlwaysAutoTone(int colorMode) const;
  bool isHiddenColorAdjust() const;
  bool isHiddenCopyGamma() const;
  bool isHiddenPlatenCopyGammaAtCrop(const Quirel_CropInfo& crop) const;
  int getCalibrationMassageID(int kind) const;
  int convEnableResolution(int resolution) const;
  void setEnabledMainWindow(bool enable);
  Quirel_DisabledView* getWindowMaskView() const { return mWindowMaskView.get(); }

  // ---- Crop geometry: view points of the preview image view against preview pixels.
  // Rotated by angle degrees first, then moved into (width, height), then mirrored (x -> width - x).
  static fnd::AffineTransform makeTransform(double angle, bool mirror, const fnd::Size& size);
  void updateCropRectFromCrop(Quirel_CropInfo& crop, bool redraw);
  void updateCropFromCropRect(Quirel_CropInfo& crop);
  bool checkCropInPreview(const SSizeDouble& size, Quirel_CropInfo& crop, bool move);
  void updateCropByDirection(Quirel_CropInfo& crop);
  // A fixed-size frame of w by h with the size's proportions OW : OH, fitted into the visible
  // preview VW by VH and grown to the smallest frame a scan takes (48 pixels at 300 dpi).
  void fitFixedSizeToPreview(double OW, double OH, double VW, double VH, double& w, double& h) const;
  Quirel_CropInfo* getCropInPoint(const fnd::Point& point) const;
  Quirel_CropInfo* getCropInPoint2(const fnd::Point& point) const;
  Quirel_CropInfo* getMultiCropInPoint(const fnd::Point& point) const;
  static bool inMultiCrop(const fnd::Point& point, const Quirel_CropInfo& crop);
  Quirel_CropInfo* getFocusCrop() const;
  void setFocus(Quirel_CropInfo* crop);
  Quirel_CropInfo* getNextCrop(const Quirel_CropInfo* crop) const;
  Quirel_CropInfo* getNextSelectedCrop(const Quirel_CropInfo* crop) const;
  // The new frame is the list's last; the list keeps it.
  Quirel_CropInfo* createCropWithView(const fnd::Rect& rect);
  Quirel_CropInfo* createMultiCropWithView(const fnd::Rect& rect);
  // The minimum frame edge in preview pixels.
  double minimumCropLength() const;
  static void updateCropByLeftRotate(int rotation, Quirel_CropInfo& crop);
  static void updateCropByRightRotate(int rotation, Quirel_CropInfo& crop);
  void updateCropByMirror(bool mirror, Quirel_CropInfo& crop);

  // ---- Whole-frame changes.
  void mirrorImage();
  void rotateToLeft();
  void rotateToRight();
  static void copyCrop(const Quirel_CropInfo& source, Quirel_CropInfo& target, bool withSizes);
  void copyCropFromFocusToTemplate();
  void copyCropFromMultiToTemplate();
  // The advanced mode also resets its adjustment dialogs.
  virtual void updateCropByResetToneSetting(Quirel_CropInfo& crop, bool withThreshold);
  SRectDouble updateCropByZoomScan(Quirel_CropInfo& crop);
  SRectDouble updateCropByResetZoomScan(Quirel_CropInfo& crop, double areaWidth, double areaHeight) override;
  void updateCropForFlexibleAutoCrop(Quirel_CropInfo& crop);
  void updateCropForFixedAutoCrop(const Quirel_OutputSize& outputSize, Quirel_CropInfo& crop, bool useOutputOrientation);

  // ---- Auto tone and the preview canvas.
  void updateAutoToneByCropViewUpdate(Quirel_CropInfo& crop, const Quirel_CropInfo* base);
  void updateAutoToneByPreviewUpdate(Quirel_CropInfo& crop) { updateAutoToneByPreviewUpdate(crop, false); }
  void updateAutoToneByPreviewUpdate(Quirel_CropInfo& crop, bool keepTone);
  void updateAutoToneByChangeColorMode(Quirel_CropInfo& crop);
  void updateAutoToneByChangeAutoTone(int value, Quirel_CropInfo& crop);
  void updateAutoToneByChangeManualExposure(Quirel_CropInfo& crop);
  void updateAutoToneByChangeAllExposure(Quirel_CropInfo& crop, const Quirel_CropInfo& exposureSource);
  void updateAutoToneByZoomScan(Quirel_CropInfo& crop);
  void updateAutoToneByClearPreview(Quirel_CropInfo& crop);
  void updatePreview();
  void resizePreviewSize(double zoom);
  void resetPreview(const SSizeDouble& size, bool clearImage, bool hideFrames);
  // The state both single-image modes start from before their defaults are read: no preview,
  // no zoom, tools and turns reset, every question shown again.
  void resetModeStateToDefaults(bool selectAllThumbnail);
  SSizeDouble getPreviewViewSize() override;
  std::optional<kit::Image> getPreviewImage() const;
  // The preview model's whole preview as an image; none without a preview or whole pixels.
  std::optional<kit::Image> getPreviewImage(const Quirel_PreviewInfo* preview) const;
  void updatePreviewArea();
  // Whether the mouse is over the visible part of the preview image.
  bool isEnteredInPreview() const;

  // ---- Thumbnails.
  static constexpr int kMaxThumbnails = 12;
  using ThumbnailRects = std::array<fnd::Rect, kMaxThumbnails>;
  Quirel_ThumbnailInfo* createThumbnailWithIndex(int index, const std::optional<kit::Image>& image,
                                                 const SRectDouble& rect, bool hidden);
  Quirel_ThumbnailInfo* createEmptyThumbnailWithIndex(int index);
  void createThumbnailsFromThumbnailInfos(const ThumbnailList* thumbnails);
  Quirel_ThumbnailInfo* createThumbnailFromThumbnailInfo(const Quirel_ThumbnailInfo& other);
  Quirel_ThumbnailInfo* createThumbnailFromDictionary(const fnd::Dictionary& dictionary);
  void removeThumbnails();
  void setHiddenThumbnail(bool hidden, int index);
  virtual void setThumbnailRectFromCropCorRect();
  void setThumbnailImage(Quirel_PreviewInfo* preview) override;
  void setThumbnailImage(const std::optional<kit::Image>& image, int index);
  void zoomThumbnail();
  void zoomThumbnail(int index);
  void showNextThumbnail();
  void showBackThumbnail();
  Quirel_ThumbnailInfo* getFocusThumbnail() const;
  Quirel_ThumbnailInfo* getThumbnailAtCrop(const Quirel_CropInfo* crop) const;
  void setSelectedThumbnail(unsigned long modifierFlags, int index);
  Quirel_ThumbnailInfo* getNextSelectThumbnail(int index) const;
  void updateThumbnail();
  void resizeThumbnailFrame();
  void resizeThumbnailFrame(int index);
  void resizeThumbnailPreview();
  void resizeThumbnailPreview(int index);
  // Writes slots 0..n-1 (at most 12); nothing for n <= 0.
  void makeThumbnailRects(int count, ThumbnailRects& rects) const;
  // The same layout in an area of the given size (the UI-less dialog's thumbnail area).
  static void makeThumbnailRects(int count, const fnd::Size& area, bool ver1500, ThumbnailRects& rects);
  fnd::Rect makeThumbnailRect(int index, int count) const;
  int getThumbnailCount() const { return mThumbnailCount; }

  // ---- End of preview.
  virtual void endPreview_previewInfo(Quirel_PreviewInfo* preview, const SRectDouble& autoCropRect,
                                      const fnd::Array* mcPoints);
  void endPlatenPreview_autoCropRect(const SRectDouble& rect);
  void endPlatenPreviewAndCreateCrop_autoCropRect(const SRectDouble& rect);
  void endPlatenThumbnailPreview_autoCropRect(const SRectDouble& rect, const fnd::Array* mcPoints);
  // Fits the focused frame (made when there is none) to the automatic crop of a preview of
  // dataSize pixels.
  void setAutoCropRect(const SSizeDouble& dataSize, const SRectDouble& rect);
  void endFilmPlatenPreview_capsPointArray(const fnd::Array* corners);
  void endFilmPlatenPreview_capsPointArray(const fnd::Array* corners, int capsFilmSize, int userFilmSize);
  void endFilmThumbnailPreview_capsPointArray(const fnd::Array* corners);
  // n frames of the default film frames, -1 all.
  void createDefaultFilmCrop(int count);
  void reDrawPreview(const PreviewBitmap& bitmap) override;

  // Image-set posts to the preview model.
  void updateImageSetAllSelectByPreview(int mode, bool multiCrop, bool doIt, bool showPanel);
  void RemakeDeleteCropPostByPreview(int mode);
  void updateImageSetSelectByPreview(int mode);
  void updateImageSetSelectByThumbnailPreview(int mode);
  void updateImageSetAllSelectByThumbnailPreview(int mode, bool showPanel);
  void updateImageSetAllSelectByThumbnailPreview(int mode) { updateImageSetAllSelectByThumbnailPreview(mode, true); }
  void updateFocusCropPostByPreview(int mode, bool doIt, int correction);
  void updateFocusThumbnailPostByPreview(int mode, bool doIt);
  void remakeMultiCropButtonByPreview();
  void remakeCropAutoCropButtonByPreview(int mode);

  // ---- Requests. Each answers whether it went out.
  bool postPreviewWithScan(bool scan, bool zoomScan, bool changePreviewMode, bool redraw, bool originalScan,
                           bool previewAtStart, bool createCrop, bool changeThumbnailSize, int progressStatus,
                           int threshold);
  bool postPreviewWithScan(bool scan, bool zoomScan, bool changePreviewMode, bool redraw, bool originalScan,
                           bool previewAtStart, bool createCrop, bool changeThumbnailSize, int progressStatus,
                           int threshold, bool changeFavoriteSetting);
  void postPreviewSettingFromStd(const std::shared_ptr<Quirel_SettingToSM>& carrier);
  void postPreviewSettingFromExt(const std::shared_ptr<Quirel_SettingToSM>& carrier);
  bool postScan();
  // The save settings that follow a scan request ("ntfQuirel_SaveInfo"), from the record sent
  // and the preferences and profiles of the mode that sent it. Shared with the multi-scan tab.
  static fnd::SharedDictionary makeSaveInfo(const ScanInfo& record, const Quirel_PreferenceInfo* preferences,
                                            const Quirel_ProfileCMList* profiles);
  // Arms the scan-end sound when the preferences want one and its file can be played.
  static void armScanSound(fnd::NotificationCenter& center, const Quirel_PreferenceInfo* preferences,
                           const void* sender);

  // ---- Mouse tools on the preview and the thumbnails. Points are in the points of the view
  // clicked; a mode calls the phase that matches the event.
  // The crop tool: draw, move and resize frames. uiMode is 0 from the basic mode, 1 from the
  // advanced one.
  void mouseDownOnPreviewForCrop(const kit::Event& event);
  void mouseDraggedOnPreviewForCrop(const kit::Event& event);
  void mouseUpOnPreviewForCrop(int uiMode);
  void mouseDragForCreateCrop(const fnd::Point& start, const fnd::Point& current, Quirel_CropInfo& crop);
  fnd::Point checkMouseDragForMoveCrop(const fnd::Point& start, const fnd::Point& current, Quirel_CropInfo& crop);
  void mouseDragForMoveCrop(const fnd::Point& start, const fnd::Point& limited, Quirel_CropInfo& crop);
  fnd::Point checkMouseDragForResizeCrop(const fnd::Point& start, const fnd::Point& current, Quirel_CropInfo& crop);
  void mouseDragForResizeCrop(const fnd::Point& start, const fnd::Point& limited, Quirel_CropInfo& crop);
  void mouseUpAfterCreateCrop();
  void mouseUpAfterResizeCrop();
  // Whether the list holds as many frames as a new one may join (or more, from a restore).
  bool isCropLimitReached() const;
  // The hand, zoom and multi-crop tools.
  void mouseDownOnPreviewForHand(const kit::Event& event);
  void mouseDraggedOnPreviewForHand(const kit::Event& event);
  void mouseUpOnPreviewForHand();
  void mouseDownOnPreviewForZoom(const kit::Event& event);
  void mouseUpOnPreviewForZoom();
  void mouseDownOnPreviewForMultiCrop(const kit::Event& event);
  void mouseDraggedOnPreviewForMultiCrop();
  void mouseUpOnPreviewForMultiCrop();
  // The rubber band over the thumbnails; the mouse-up answers whether it touched any.
  void mouseDownOnPreviewFrame(const kit::Event& event);
  void mouseDraggedOnPreviewFrame(const kit::Event& event);
  bool mouseUpOnPreviewFrame();
  void mouseDownOnThumbnail(const kit::Event& event, int index);
  // The one frame inside a thumbnail.
  void mouseDownOnThumbnailPreview(const kit::Event& event, int index);
  void mouseDraggedOnThumbnailPreview(const kit::Event& event, int index);
  void mouseUpOnThumbnailPreview(int index, int uiMode);
  void mouseUpAfterCreateThumbnailCrop(Quirel_CropInfo& crop);
  void selectAllCrops();
  void selectAllFrames(bool select);
  void checkAllFrames(bool check);

  // ---- Mouse cursors. The list holds 15 pictures by fixed index (0 arrow, 1 crosshair, 2 hand,
  // 3 zoom stop, 4 zoom out, 5 zoom in, 6 move, 7 top/bottom edge, 8 left/right edge, 9 and 10
  // the corners, 11 to 13 the eyedroppers, 14 stop).
  static constexpr int kCursorCount = 15;
  void createCursorImage();
  const std::vector<kit::Image>& getCursorList() const { return mCursorList; }
  // The picture for a point on a frame: move, an edge or a corner; the crosshair without a view.
  const kit::Image& getCropCursorImage(const Quirel_CropInfo& crop, const fnd::Point& point);
  void setMouseCursor();
  void setMouseCursorOnPlaten();
  void setMouseCursorOnThumbnail();
  void updateCursorRectsOnPlaten();
  // One thumbnail preview view's rectangles, or every thumbnail's for null.
  void updateCursorRectsOnThumbnailAtView(const kit::View* view);
  // "PreviewViewUpdateCursorRectsPost", forwarded by the window modes.
  void previewViewUpdateCursorRects(const fnd::Notification& n);
  // Command (0x100000) and option (0x80000) in an event's modifier flags.
  static bool commandKeyIn(unsigned modifierFlags);
  static bool optionKeyIn(unsigned modifierFlags);

  // ---- After the preferences dialog: takes its edited values (after an OK close) and works out
  // what they mean for the scanner, the frames and the preview. uiMode 0 basic, 1 advanced;
  // imageSource is the caller's own; autoScanReflective when opened for the automatic scan.
  void preferenceDialogClose(int uiMode, int imageSource, bool autoScanReflective);
  Quirel_PrefsDialog* getPrefsDialog() const { return mPrefsDialog.get(); }
  // Makes the preferences dialog for the mode, ready to be run: a temporary or save folder that
  // can no longer be used is first replaced by the default (nothing is reported).
  Quirel_PrefsDialog& preparePrefsDialog(bool film, int colorMode, int inputProfileSourceType);

  // The cursor rectangles of the preview and the thumbnails, after a tool, zoom or mode change;
  // the window controller also renews them when a preview ends and when the controls come back.
  virtual void updateMouseCursorRects();

 protected:
  explicit Quirel_BaseScanMode(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());

  // The identity the mode posts and observes with (the whole object's address).
  const void* selfIdentity() const { return dynamic_cast<const void*>(this); }
  // The object of the outward posts: the window controller, else the mode.
  const void* outwardObject() const { return mUIMObject ? mUIMObject : selfIdentity(); }

  // Handlers of the observations; the subclasses and later layers fill them in.
  // "remakeCropFromCorrectionDlgPost": the dialogs changed the selected frames' values.
  virtual void remakeCropFromCorrectionDlg(const fnd::Notification& n);
  virtual void mouseEventOnThumbnail(const fnd::Notification&) {}
  virtual void enterTextFByOtherControls(const fnd::Notification&) {}
  virtual void thumbnailPreviewViewUpdateCursorRects(const fnd::Notification& n);
  // "showMessagePost": the box about to show gets the main window as its parent.
  void showMessageClassPost(const fnd::Notification& n);
  // "progressStatusPost": keeps the progress window's result.
  void setProgressStatus(const fnd::Notification& n);

  fnd::NotificationCenter& mCenter;

  std::shared_ptr<const Quirel_PVLocalizedString> mLSobj;
  std::shared_ptr<Quirel_CTRLS_MainWindow> mMainWindow;
  // The window's parts the mode builds (none until then).
  // The window controller's tab view and preview frame, kept (shared by the window's modes).
  Quirel_CTRLS_TabView* mMainTab = nullptr;
  Quirel_CTRLS_PreviewFrame* mPreviewFrame = nullptr;
  std::unique_ptr<Quirel_CTRLS_Preview> mPreview;
  std::unique_ptr<Quirel_CTRLS_NextThumbnailButton> mNextThumbnailBtn;
  std::unique_ptr<Quirel_ThumbnailSelectView> mTumbnailSelView;
  std::vector<std::shared_ptr<kit::Window>> mDialogList;
  int mUIMode = 0;
  int mScanMode = 0;
  bool mPlatenThumbnail = false;
  bool mFilmThumbnail = true;
  bool mZoomScan = false;
  bool mMultiCrop = false;
  int mADFDirection = 0;
  int mADFBinding = 0;
  bool mHasPreview = false;
  bool mHasNonThumPreview = false;
  bool mEnableThumbnailBtn = true;
  bool mMouseEntered = false;
  bool mOnlyClick = false;
  SPointDouble mMouseStart{0, 0};
  SPointDouble mScrollPoint{0, 0};
  bool mSpoitStart = false;
  bool mCommndKey = false;
  bool mOptionKey = false;
  int mToolMode = 0;
  int mZoomRate = 0;
  int mRotation = 0;
  bool mMirror = false;
  int mSpoitMode = -1;
  std::unique_ptr<Quirel_CropView> mSpoitView;
  std::shared_ptr<Quirel_CropInfo> mTemplateCrop;
  CropList mCropList;
  Quirel_CropInfo* mClickCrop = nullptr;  // kept, not owned
  int mThumbnailCount = 0;
  ThumbnailList mThumbnailList;
  bool mSelectAllThumbnail = true;
  fnd::Dictionary mDefFilmSizeRects;
  fnd::Array mCapsFilmRects;
  bool mUseCapsFilmSize = true;
  std::optional<fnd::Dictionary> mUimParameterDic;
  std::optional<std::string> mSettingFilePath;
  std::optional<std::string> mDefaultTempPath;
  std::optional<std::string> mDefaultSavePath;
  std::optional<std::string> mDefaultSaveName;
  std::optional<std::string> mLLDversionStr;
  std::optional<std::string> mInterfaceStr;
  std::optional<std::string> mDriverVersionStr;
  bool mConnectFAU = false;
  int mPlatenResolution = 9600;
  SRectDouble mPlatenRect_Pixel96{{0, 0}, {0, 0}};
  SRectDouble mFilmPlatenRect_Pixel96{{0, 0}, {0, 0}};
  SRectDouble mADFPlatenRect_Pixel96{{0, 0}, {0, 0}};
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  std::array<SSizeDouble, kPaperSizeCount> mPaperSizeTable;
  std::array<SSizeDouble, kOutputSizeCount> mDefaultOutputSizeTable;
  std::optional<OutputSizeList> mPrintArray;
  std::optional<OutputSizeList> mDisplayArray;
  std::optional<OutputSizeList> mOcrArray;
  std::shared_ptr<Quirel_PreferenceInfo> mPreferenceInfo;
  std::shared_ptr<const Quirel_ProfileCMList> mProfileCMList;
  double mUserSpaceScaleFactor = 1.0;
  UserLocaleUnits mUserLocaleUnits;
  const void* mTwObject = nullptr;   // kept identity
  const void* mUIMObject = nullptr;  // kept identity
  SSizeDouble mPreviewDataSize{0, 0};
  bool mRedraw = true;
  bool mNeedScan = false;
  bool mOriginalScan = false;
  bool mPreviewAtStart = false;
  bool mCreateFilmCrop = false;
  bool mChangeThumbnailSize = false;
  bool mChangeThumbnailMode = false;
  bool mChangeFavoriteSetting = false;
  std::optional<kit::Image> mTempImage;
  std::vector<kit::Image> mCursorList;
  // The one overlay that greys the whole window while it is disabled.
  std::unique_ptr<Quirel_DisabledView> mWindowMaskView;
  bool mHighQualityMode = false;
  bool mModal = false;
  int mProgressStatus = 0;
  fnd::Lock mRetryLock;
  bool mBookCorrectMsg = true;
  bool mClearThumbnailMsg = true;
  bool mLargePicMsg = true;
  bool mColorBitMsg = true;
  bool mFavoriteMsg = true;
  bool mToneSettingMsg = true;
  bool mColorModeAndDataFormatMsg = true;
  bool mIgnoreKey = false;
  // The preferences dialog while it is open (the opener creates and releases it).
  std::unique_ptr<Quirel_PrefsDialog> mPrefsDialog;
  // ---- A crop's exposure back to its start: off, 100 %, nothing applied to all (BaseScanModeFrames.cpp).
  static void resetCropExposure(Quirel_CropInfo& crop);
  // ---- Last-setting entries both window modes write alike (BaseScanModeLastSetting.cpp).
  static fnd::Dictionary lastSettingSize(const SSizeDouble& size);
  // The notice flags, then the preview's visible size as "VisiblePreviewSize" and "PreviewSize";
  // answers that size.
  SSizeDouble writeLastNoticesAndPreviewSize(fnd::Dictionary& d) const;
  // ---- A thumbnail's crop without a frame view gets one over the thumbnail's picture, in the
  // editing state, its former crop kept (BaseScanModeThumbnails.cpp).
  void giveThumbnailCropAView(Quirel_CropInfo& crop);
  // ---- After the output-size dialog (BaseScanModeSizes.cpp): frames of a deleted size go back
  // to none, frames of an edited size take it again when selected (else none), through `setSize`.
  // Says which kinds of frames each step reached.
  struct OutputSizeListChange {
    bool deleted = false, deletedUnselected = false, updated = false, updatedUnselected = false;
  };
  static OutputSizeListChange applyOutputSizeListChange(CropList crops, const std::vector<int>& deletedSizes,
                                                        const std::vector<int>& updatedSizes,
                                                        const std::function<void(int, Quirel_CropInfo&)>& setSize);

  // ---- A frame made from the template, selected, focused and drawn plain; null when none can be.
  Quirel_CropInfo* makeFocusCropFromTemplate();
  // Removes every frame but the focused one, whose view is hidden; that frame (or null) is
  // returned, held for the whole walk rather than by the list being emptied around it.
  std::shared_ptr<Quirel_CropInfo> removeAllButFocusCrop();

 private:
  // The mouse tools' shared steps.
  Quirel_PreviewView* previewImageView() const;
  static void takeFirstResponder(kit::View* view);
  // The minimum frame size in points of the frame's preview view.
  fnd::Size cropMinimumInPoints(const Quirel_CropInfo& crop) const;
  // Which edges of a frame view's frame a press grabs: resize (edit state 3) with the edge
  // bits, or move (4) inside it or on a frame too thin to tell its opposite edges apart.
  static void pressedCropEdges(const fnd::Rect& frame, const fnd::Point& point, int& cropMode, int& resizeMode);
  // Minimum size, the anchored edge and the view bounds of a frame at mouse-up.
  void settleCropViewAtMouseUp(Quirel_CropInfo& crop);
  // A kit cursor of list entry index with a hot spot.
  kit::Cursor listCursor(int index, fnd::Point hotSpot);
  bool inFilmMode() const { return mScanMode == 2 || mScanMode == 3; }
  bool inThumbnailMode() const { return mScanMode == 1 || mScanMode == 3; }
  // The focused frame, else the template crop (null when neither).
  const Quirel_CropInfo* focusedOrTemplateCrop() const;
  // The output-size name key of entry n for this scanner generation.
  std::string outputSizeKey(int n) const;
  std::string outputSizeName(int n) const;
  const fnd::Dictionary* modeMenuItems(const char* modeKey) const;
  // The data size of a frame in the unit; the scanned pixel size for the size check.
  double dataSizeIn(const Quirel_CropInfo& crop, Quirel_DataSizeUnit unit) const;
  // The preview or scan record through the preview model; the carrier stays alive with it.
  struct FilledRecord {
    std::shared_ptr<Quirel_SettingToSM> carrier;
    ScanInfo record;
  };
  std::optional<FilledRecord> requestRecord(const char* postName, int threshold);
  void armScanSound() { armScanSound(mCenter, mPreferenceInfo.get(), selfIdentity()); }
  // ---- One body for the frames' left (true) and right turns (BaseScanModeFrames.cpp).
  void rotateFrames(bool left);
  // ---- The picture a cleared preview let go: never drawn, kept so that the next preview's
  // picture is made in its pixels rather than in memory touched for the first time.
  std::optional<kit::Image> mClearedPicture;
};
