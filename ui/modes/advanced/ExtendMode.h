#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/Value.h"
#include "kit/TextField.h"
#include "ui/model/ExtendModeLink.h"
#include "ui/modes/advanced/ExtendModeActions.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/base/ScanRetryGate.h"
#include "ui/windows/DisplayManager.h"

namespace kit {
class View;
class Window;
}
class Quirel_ColorBalanceDialog;
class Quirel_CTRLS_ADVDirectionButton;
class Quirel_CTRLS_ADVPreviewButton;
class Quirel_CTRLS_ADVScanButton;
class Quirel_CTRLS_AutoTonePopup;
class Quirel_CTRLS_Box;
class Quirel_CTRLS_CalibrationOpenButton;
class Quirel_CTRLS_CalibrationView;
class Quirel_CTRLS_CheckBox;
class Quirel_CTRLS_ColorAdjustmentPopup;
class Quirel_CTRLS_ColorModePopup;
class Quirel_CTRLS_DateSizeTextF;
class Quirel_CTRLS_ExposureButton;
class Quirel_CTRLS_ExposureField;
class Quirel_CTRLS_ExposureOpenButton;
class Quirel_CTRLS_ExposureView;
class Quirel_CTRLS_FavoritePopup;
class Quirel_CTRLS_FilmSizePopup;
class Quirel_CTRLS_FixesRatioButton;
class Quirel_CTRLS_IconBezelCGButton;
class Quirel_CTRLS_ImageSettingScrollView;
class Quirel_CTRLS_ImageSettingView;
class Quirel_CTRLS_InputSizeHeightTextF;
class Quirel_CTRLS_InputSizeWidthTextF;
class Quirel_CTRLS_Magnification;
class Quirel_CTRLS_OrientationButton;
class Quirel_CTRLS_OutputSizeHeightTextF;
class Quirel_CTRLS_OutputSizeIconView;
class Quirel_CTRLS_OutputSizeWidthTextF;
class Quirel_CTRLS_PaperSizePopup;
class Quirel_CTRLS_PopupButton;
class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_RemoveDustPopup;
class Quirel_CTRLS_ResolutionComboBox;
class Quirel_CTRLS_ScanSettingOpenButton;
class Quirel_CTRLS_ScanSettingView;
class Quirel_CTRLS_Separator;
class Quirel_CTRLS_ShowThroughPopup;
class Quirel_CTRLS_ThresholdButton;
class Quirel_CTRLS_ZoomButton;
class Quirel_FavoriteDialog;
class Quirel_FavoriteSetting;
class Quirel_FinalReviewDialog;
class Quirel_FloatingDialog;
class Quirel_HistogramDialog;
class Quirel_InfoDialog;
class Quirel_NoFocusView;
class Quirel_OrientationDialog;
class Quirel_ThresholdDialog;
class Quirel_ToneBCDialog;
class Quirel_ToneCurveDialog;
class Quirel_ToneSetting;
class Quirel_ToneSettingDialog;
class Quirel_Toolbar;

// The advanced mode: the per-crop settings panel beside the preview, with one settings record
// per kind of image source (platen, film, feeder). Every setting is written into the template
// crop while there is no crop frame, else into the frames the rule of each setting names. The
// panel (ExtendModeItem) is built by createExtendItem and filled by setExtendItem. Main thread
// only. The mode is the delegate of its page's number fields.
class Quirel_ExtendMode : public Quirel_BaseScanMode, public ExtendModeLink, public kit::TextFieldDelegate {
 public:
  // What one kind of image source keeps while the user works with another.
  struct ImgSrcSetting {
    std::int32_t paperSize = 0;
    std::int32_t colorMode[2] = {0, 0};  // slot 1 for film sources 3 and 4, slot 0 otherwise
    std::int32_t resolution = 0;
    std::int32_t colorAdjust = 0;
    std::int32_t copyGamma = 0;
    std::int32_t unsharpMask = 0;
    std::int32_t descreen = 0;
    std::int32_t reduceDust = 0;
    std::int32_t removeDust = 0;
    std::int32_t reduceDustFAU = 0;
    std::int32_t fading = 0;
    std::int32_t grain = 0;
    std::int32_t backlight = 0;
    std::int32_t book = 0;
    std::int32_t toneBcCh = 0;
    std::int32_t toneCurveCh = 0;
    std::int32_t histgramCh = 0;
    std::int32_t reviewCh = 0;
    bool operator==(const ImgSrcSetting&) const = default;
  };
  static_assert(sizeof(ImgSrcSetting) == 19 * sizeof(std::int32_t));
  static constexpr int kImageSourceCount = 7;
  static constexpr const char* kParameterKey = "ExtendMode";

  explicit Quirel_ExtendMode(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_ExtendMode() override;

  // ---- Per-source records.
  // The record of an image source; null outside 0..6.
  ImgSrcSetting* getImgSrcSettingAtIndex(int imageSource);
  const std::array<ImgSrcSetting, 3>& getImgSrcSettings() const { return mImgSrcSetting; }
  // The eleven corrections of the record into the crop; clears its automatic document correction.
  static void updateImageSettingFromImageSouceSetting(const ImgSrcSetting& record, Quirel_CropInfo& crop);
  // The colour-mode slot the current source uses (1 for sources 3 and 4).
  static int colorModeSlot(int imageSource) { return imageSource == 3 || imageSource == 4 ? 1 : 0; }
  int getCurrentColorMode() const;
  void setCurrentColorMode(int colorMode);
  int getImageSource() const { return mImageSource; }
  // Only 0..6 are taken; any other number leaves the source as it is.
  void setImageSource(int imageSource);
  int getFilmSizeWithoutCaps() const { return mFilmSizeWithoutCaps; }
  int getFavorite() const { return mFavorite; }
  int getToneCurve() const { return mToneCurve; }
  bool getADFLayout() const { return mADFLayout; }
  bool getScanLoop() const { return mScanLoop; }
  bool getDoublePreview() const { return mDoublePreview; }
  void setDoublePreview(bool on) { mDoublePreview = on; }
  bool getSelectAllThumbnail() const { return mSelectAllThumbnail; }
  // Pixels before adjustment, kept and not owned.
  void setBeforeAdjustPixel24(const std::uint8_t* pixels) { befAdjust24 = pixels; }

  // ---- Messages over the main window. Each goes out between the floating dialogs giving up and
  // retaking the key state, and between showModalDialog and closeModalDialog.
  std::int32_t showMessage(std::int32_t messageNumber);
  std::int32_t showMessage(std::int32_t messageNumber, int bound);
  // A question with a "do not show again" box: 1 OK, 0 Cancel; *checked tells the box.
  std::int32_t showCheckBoxQuestion(std::int32_t messageNumber, bool* checked);
  void showModalDialog();
  void closeModalDialog();
  bool isModal() const { return mModal; }

  // ---- Defaults from the model's "ExtendMode" entry.
  void setDefaultSetting(const fnd::Dictionary* parameters);
  void setDefaultSettingAtPlaten();
  void setDefaultSettingAtFilmWithResetColorFilm(bool resetColorFilm, bool resetHighQualityMode);
  void setDefaultSettingAtADF();

  // ---- Crop updates. Each writes one setting into one crop.
  void updateCropByUnit(int value, Quirel_CropInfo& crop);
  void updateCropByColorAdjustment(int value, Quirel_CropInfo& crop);
  void updateCropByCopyGamma(int value, Quirel_CropInfo& crop);
  void updateCropByUnsharpMask(int value, Quirel_CropInfo& crop);
  void updateCropByDescreen(int value, Quirel_CropInfo& crop);
  void updateCropByReduceDust(int value, Quirel_CropInfo& crop);
  void updateCropByRemoveDust(int value, Quirel_CropInfo& crop);
  void updateCropByReduceDustFAU(int value, Quirel_CropInfo& crop);
  void updateCropByFadingCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByGrainCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByBackLightCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByBookCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByExposure(bool on, Quirel_CropInfo& crop);
  void updateCropByExposureValue(int value, Quirel_CropInfo& crop);
  void updateCropByAllExposure(bool on, Quirel_CropInfo& crop, const Quirel_CropInfo& exposureSource);
  void updateCropByColorMode(int colorMode, Quirel_CropInfo& crop);
  // The named setting's tone values, with the dialog channels back to the first; none: nothing.
  void updateCropByToneSetting(const Quirel_ToneSetting* setting, Quirel_CropInfo& crop);
  void updateCropByFavoriteSetting(const Quirel_FavoriteSetting& favorite, Quirel_CropInfo& crop);
  void updateCropsByStartMultiCrop();
  void updateCropsByEndMultiCrop();
  void updateCropByResetToneSetting(Quirel_CropInfo& crop, bool withThreshold) override;
  // The crops a setting goes to: the template crop while there is no frame, else the selected frames.
  std::vector<Quirel_CropInfo*> getTargetCrops();
  // Writes a value through `update` into each target crop and clears the favourite selection.
  template <typename Update>
  void applyToTargetCrops(Update update) {
    for (Quirel_CropInfo* crop : getTargetCrops()) update(*crop);
    mFavorite = 0;
  }
  // The template crop and every frame.
  std::vector<Quirel_CropInfo*> getAllCrops();

  // Filled in with the output and input settings.
  virtual void updateCropByOutputSize(int number, Quirel_CropInfo& crop, bool removeCropView);
  virtual void updateCropByOutputSize(int number, bool rotated, Quirel_CropInfo& crop, bool removeCropView);
  virtual void updateCropByResolusion(int value, Quirel_CropInfo& crop);
  virtual void updateCropByMagnification(int value, Quirel_CropInfo& crop);

  // ---- The page (ExtendModeItem).
  void initExtendModeItem();
  void setCloseMainWindowButton(Quirel_CTRLS_PushButton* button) { mCloseWindowBtn = button; }
  void setPreferenceButton(Quirel_CTRLS_PushButton* button) { mPrefBtn = button; }
  void createExtendItem(Quirel_CTRLS_TabView* tabView);
  void releaseExtendModeItem();
  // How many of the page's 90 references are set.
  int countExtendItems() const;
  void setExtendItem(const fnd::Dictionary* parameters, bool connectFAU);
  void setExtendItem_InputSettings(const fnd::Dictionary* parameters, bool connectFAU);
  void setExtendItem_OutputSettings(const fnd::Dictionary* parameters);
  void setExtendItem_ImageSettings(const fnd::Dictionary* parameters);
  void setFrameExtendItem();
  void setFrameInInputSettings();
  void setFrameInOutputSettings();
  void setFrameInImageSettings();
  void setFrameInColorSettings();
  void setEnabledToolTips();
  void setMenuItem_FavoritePopupBT();
  void setMenuItem_OutputSizePopupBT();
  void setMenuItem_ToneCurvePopupBT(int colorMode);
  std::vector<std::string> getDefaultFavoriteName() const;
  std::vector<std::string> getDefaultToneCurveName() const;
  Quirel_CTRLS_PopupButton* getImgSrcPopup() const { return mImgSrcPopup.get(); }
  Quirel_CTRLS_PaperSizePopup* getPaperSizePopup() const { return mPaperSizePopup.get(); }
  Quirel_CTRLS_FilmSizePopup* getFilmSizePopup() const { return mFilmSizePopup.get(); }
  Quirel_CTRLS_ColorModePopup* getColorModePopup() const { return mColorModePopup.get(); }

  // ---- What the model reads (ExtendModeLink).
  int getImgSrcNumber() override;
  int getColorModeNumber() override;
  int getPaperSizeNumber() override;
  int getFilmSizeNumber() override;
  int getSelectedPaperSize() override;

  // ---- What the window controller calls at the end of a scan and for a retry or select-all.
  virtual void endScan();
  virtual void setMultiCropPoints(Quirel_PreviewInfo* preview);
  virtual void updateImageSetEndPreview();
  virtual void scanStartRerty();
  virtual void selectAll();

  // ---- Actions of the controls and their forwarders.
#define QUIREL_EXTEND_DECLARE_ACTION(name)     \
  virtual void name(const fnd::Notification&);   \
  void ntf_##name(const fnd::Notification& n) { name(n); }
  QUIREL_EXTEND_MODE_ACTIONS(QUIREL_EXTEND_DECLARE_ACTION)
#undef QUIREL_EXTEND_DECLARE_ACTION
  void enterTextFByOtherControls(const fnd::Notification& n) override;
  void ntf_enterTextFByOtherControls(const fnd::Notification& n) { enterTextFByOtherControls(n); }

  // The forwarders by name, for registration and tests.
  using Forwarder = void (Quirel_ExtendMode::*)(const fnd::Notification&);
  struct ForwarderEntry {
    const char* name;
    Forwarder forwarder;
  };
  static const std::vector<ForwarderEntry>& forwarderTable();
  static Forwarder forwarderNamed(const std::string& name);

  // ---- Value display, control enabling, the window and mode life (ExtendModeValues.cpp,
  // ExtendModeEnable.cpp, ExtendModeLife.cpp, ExtendModeHandOver.cpp).
  // The crop whose values the panel shows.
  Quirel_CropInfo* getCropInHand() const;
  virtual void setValueOfSelectedCrop(int quick);
  void setValueFavoritePopupBT();
  void setValueToneCurzePopupBT(int colorMode);
  void setValueImageSourcePopupBT(int imageSource);
  void setValuePaperSizePopupBT(int paperSize);
  void setValueColorModePopupBT(int colorMode);
  void setValueInputWidthTextF(int outputSize, int unit, int resolution, int selected, double pixels);
  void setValueInputHeightTextF(int outputSize, int unit, int resolution, int selected, double pixels);
  void setValueOutputWidthTextF(int outputSize, int unit, int resolution, int selected, double pixels);
  void setValueOutputHeightTextF(int outputSize, int unit, int resolution, int selected, double pixels);
  void setValueFixesRatioBT(int outputSize, bool fixed, int selected);
  void setValueUnitPopupBT(int unit);
  void setValueResolutionComboBox(int resolution);
  void setValueOutputSizePopupBT(int outputSize);
  void setValueMagnificationTextFS(int outputSize, int magnification, int resolution);
  void setValueDirectionBT(int outputSize);
  void setValueDataSizeTextF_DataSize(std::uint64_t bytes, int colorMode);
  void setValueAutoTonePopupBT(int value);
  void setValueColorAdjustmentPopupBT(int value);
  void setValueCorrectionPopups(const Quirel_CropInfo& crop);
  void setValueColorSettingDialog();
  void setValueInfoDialog(const Quirel_CropInfo& crop, bool sizesOnly, bool evenWhenHidden);
  // A length held in platen pixels as the panel shows it in `unit` (decimals cut, not rounded).
  std::string lengthText(double pixels, int unit, int resolution) const;
  // The data-size text ("<number> <unit>") and whether it is over the limit of `limitMB`.
  std::string dataSizeText(std::uint64_t bytes) const;
  static bool isDataSizeOver(std::uint64_t bytes, double limitMB);
  double dataSizeLimitMB(int colorMode) const;
  // The correction offer table: group x 60 + colour setting x 20 + preview x 10 + item.
  static const std::array<std::uint8_t, 180> sPlatenPopupFlg;
  static int correctionGroup(int colorMode);
  bool correctionOffered(int colorMode, int colorSetting, int item) const;
  virtual void setEnabledAllControl(bool enable);
  void setDisableControlInTabview();
  void setHiddenToolbar(int scanMode, int cropCount);
  void setEnabledToolbar();
  void setEnabledToneCurveBT(int colorMode);
  void setEnabledImageSettings_ColorMode(int colorMode, int colorSetting);
  void setEnabledScanBTs(int selected);
  void setEnabledOrientationBT();
  void setExposureSettingViewState(bool open, bool onlyIfNeeded);
  void setScanSettingViewState(bool open, bool onlyIfNeeded);
  void setCalibrationSettingViewState(bool open, bool onlyIfNeeded);
  void setValueExposureTextFS(bool check, int value, bool applyAll, bool applyCheck, int applyValue);
  void setValueExposureTextFS_Check(bool check, int value, bool applyAll, bool applyCheck, int applyValue);
  void setValueScanningSetting(bool applyAll);
  void setValueCalibrationSetting();
  bool windowEnabled() const;
  int colorSettingFor(int colorMode) const;
  bool hasDisabledOverlay() const;
  virtual void willShowWindow();
  virtual void didShowWindow(bool current);
  virtual void showTab();
  virtual void didShowTabView();
  virtual void setStandardModeData(Quirel_BaseScanMode* basic);
  void resetAndSetStandardModeData(Quirel_BaseScanMode& basic);
  void setStandardModeThumbnailData(Quirel_BaseScanMode& basic);
  void setStandardModePlatenData(Quirel_BaseScanMode& basic);
  virtual bool willChangeToStandardMode();
  virtual bool willChangeToMultiScanMode();
  virtual void didChangeToMultiScanMode();
  void setDisabledAllTextField();
  virtual void willCloseWindow();
  virtual void closeWindow();
  virtual void inputSourceChangePostToSM();
  int getInputSourceForPostToSM() const;
  static int inputSourceForImageSource(int imageSource);
  bool clearPreviewWithMessageID(int message, bool clearColorSetting);
  void setADFControl(bool adfLayout, int orientation);
  // A crop set to the entry defaults of an image source.
  void updateCropByImageSource(int imageSource, int paperSize, int colorMode, Quirel_CropInfo& crop);
  // The input settings and the change of source (ExtendModeInput.cpp, ExtendModeSource.cpp).
  void changeToPlaten(int source);
  void changeToADF(int source);
  void changeToFilm(int source);
  void changeToSameFilm(int source);
  virtual void orientationDialogClose(const fnd::Notification& n);
  void updateCropByPaperSize(int paperSize, Quirel_CropInfo& crop);
  void updateCropByInputWidthOrHeight(int side, double length, Quirel_CropInfo& crop);
  void updateCropByFixesRatio(bool on, Quirel_CropInfo& crop);
  bool checkInputWidth(const Quirel_CropInfo& crop, double width) const;
  bool checkInputHeight(const Quirel_CropInfo& crop, double height) const;
  // True when the entry was handled (applied or refused), false when the text did not change.
  bool inputSizeTextFieldChange(int side);
  bool resolusionChangeTyped();
  // 48 pixels at 300 dpi, in platen pixels.
  double smallestSidePixels() const;
  Quirel_InfoDialog* getInfoDialog() const { return mInfoDialog.get(); }


  // ---- Floating dialogs, toolbar, preview events and typed numbers.
  virtual void resetChanelImageDialogs();
  virtual void initModelessDialogs();
  void setCascadeRect(kit::Window* window);
  void showImageDialogs(int colorMode);
  void closeModelessDialogs(bool hide);
  virtual bool histIsVisible();
  virtual bool finalIsVisible();
  fnd::Dictionary getImageDialogStates() const;
  void setImageDialogStates(const fnd::Dictionary& states);
  virtual void spoitToolStart(const fnd::Notification& n);
  void dialogValueChange(const fnd::Notification& n);
  void customCurveSet(const fnd::Notification&) {}
  // The dialogs' width and height for this scanner generation.
  fnd::Size modelessDialogSize() const;
  Quirel_ColorBalanceDialog* getColorBalanceDialog() const { return mColorBalanceDialog.get(); }
  Quirel_ToneBCDialog* getToneBCDialog() const { return mToneBCDialog.get(); }
  Quirel_HistogramDialog* getHistogramDialog() const { return mHistogramDialog.get(); }
  Quirel_ToneCurveDialog* getToneCurveDialog() const { return mToneCurveDialog.get(); }
  Quirel_FinalReviewDialog* getFinalReviewDialog() const { return mFinalReviewDialog.get(); }
  Quirel_ThresholdDialog* getThresholdDialog() const { return mThresholdDialog.get(); }
  virtual void createToolBarItem(Quirel_Toolbar* toolbar);
  void createToolBarItem_V14();
  void createToolBarItem_V15();
  virtual void createPreviewAreaItem(Quirel_CTRLS_PreviewFrame* previewFrame);
  void mouseEventOnThumbnail(const fnd::Notification& n) override;
  virtual void mouseEventOnPreviewFrameExt(const fnd::Notification& n);
  void optionKeyDown(const fnd::Notification&);
  void optionKeyUp(const fnd::Notification&);
  void mouseMovedOnPreview(const fnd::Notification&);
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidChange_SizeTextField(int type);
  void controlTextDidChange_Resolution();
  void controlTextDidChange_Magnification();
  void controlTextDidChange_Exposure();
  virtual bool checkAndEnterTextField();
  void enterTextFByOtherWindow(const fnd::Notification&);
  void setFocusAllNumberF(bool valid);
  virtual void setEnabledMouseDownOnControl(bool on);
  void setEnabledMouseDownOnOtherWindow(bool on);
  void controlSetYes(const fnd::Notification&);
  void setEnabledMainWindow(bool enable);
  bool checkOutputSizeInPreview(int outputSize, const SSizeDouble& area, int rotation, int filmOrientation);
  // The screens windows are placed on (the main screen unless given).
  void setDisplayManager(const Quirel_DisplayManager& displays) { mDisplays = displays; }
  // ---- Scan flow, end of preview, output settings and corrections (ExtendModeScan.cpp,
  // ExtendModeEndPreview.cpp, ExtendModeOutput.cpp, ExtendModeCorrect.cpp).
  std::int32_t showMessage(std::int32_t messageNumber, const char* argTypes, const fnd::Array& args);
  void zoomScanForPlaten(Quirel_CropInfo& crop);
  void zoomScanForThumbnail();
  void platenPreviewStart();
  void filmPreviewStart();
  // The retry's body, on the retry thread: the request itself runs on the main thread.
  void scanStartRertyThread();
  void deleteCrops();
  void deleteCropByAutoCrop();
  void endPreview_previewInfo(Quirel_PreviewInfo* preview, const SRectDouble& autoCropRect,
                              const fnd::Array* mcPoints) override;
  void endPreviewClearImage();
  void endFilmPreview_previewInfo(Quirel_PreviewInfo* preview, const fnd::Array* capsPoints, int capsFilmSize);
  void endFilmPreviewClearImage();
  void setThumbnailRectFromCropCorRect() override;
  void setThumbnailImage(Quirel_PreviewInfo* preview) override;
  void setAutoCropRect(Quirel_PreviewInfo* preview);
  int getForcusThreshold();
  // The film size a film preview ends with (21 is the first film size).
  static int filmSizeAtEndOfPreview(bool ver1600, bool detected, bool thumbnail, bool useCapsFilmSize,
                                    int detectedSize, int currentSize);
  // Output settings.
  void outputSizeDialogOpen();
  bool outputSizeTextFieldChange(int side);
  bool typedMagnificationChange();
  static int getMaxMagnification(int resolution);
  bool checkMagnification(int magnification, const Quirel_CropInfo& crop) const;
  bool checkOutputWidth(const Quirel_CropInfo& crop, double length) const;
  bool checkOutputHeight(const Quirel_CropInfo& crop, double length) const;
  void changeToFixedSize(const Quirel_OutputSize& size, Quirel_CropInfo& crop);
  void changeToFlexible(Quirel_CropInfo& crop, bool removeCropView);
  void updateCropByOutputWidthOrHeight(int side, double length, Quirel_CropInfo& crop);
  // Corrections.
  bool typedExposureChange(bool stepper);
  void calibrationStartPerformSelector(const fnd::Dictionary& request);
  // The buttons and the resolution list a user presses to preview and scan.
  Quirel_CTRLS_ADVPreviewButton* getPreviewButton() const { return mPrevBtn.get(); }
  Quirel_CTRLS_ADVScanButton* getScanButton() const { return mScanBtn.get(); }
  Quirel_CTRLS_ResolutionComboBox* getResolutionComboBox() const { return mResComboBox.get(); }


  // ---- Pixel readout, loupe and eyedropper (ExtendModePixel.cpp, ExtendModeSpoit.cpp).
  struct PixelIndex {
    int x = 0;
    int y = 0;
    bool operator==(const PixelIndex&) const = default;
  };
  // The data pixel under `point` of a view of `viewSize` showing data of dataWidth by
  // dataHeight pixels turned by `rotation` quarter turns and mirrored; clamped into the data.
  static PixelIndex locatePixel(SSizeDouble viewSize, SPointDouble point, int rotation, bool mirror,
                                int dataWidth, int dataHeight);
  // The 21 by 21 loupe around pixel (x, y) of packed RGB rows: 1323 bytes, top row first,
  // black outside the picture.
  static std::vector<std::uint8_t> getZoomImageDataInImage(const std::vector<std::uint8_t>& rgb, int width,
                                                           int height, int x, int y);
  // The loupe under `point` of `view` showing `image`; empty without a picture.
  static std::vector<std::uint8_t> getZoomImageDataInView(const kit::View& view, fnd::Point point, bool mirror,
                                                          int rotation, const kit::Image& image);
  // The average colour of n by m pixels from (x0, y0) of packed RGB rows of cw by ch pixels,
  // over the pixels that lie inside the data; none for no data.
  static std::optional<std::array<int, 3>> averagePixels(const std::uint8_t* data, int cw, int ch, int x0, int y0,
                                                         int n, int m);
  // The rubber band spanning start and current, clipped to bounds.
  static fnd::Rect spoitRubberBand(fnd::Point start, fnd::Point current, const fnd::Rect& bounds);
  void mouseMovedOnPlaten();
  void mouseMovedOnThumbnail();
  void mouseDownOnPreviewForSpoit(const kit::Event& event);
  void mouseDraggedOnPreviewForSpoit(const kit::Event& event);
  void mouseUpOnPreviewForSpoit();
  void mouseDownOnThumbnailPreviewForSpoit(const kit::Event& event, int index);
  void mouseDraggedOnThumbnailPreviewForSpoit(const kit::Event& event, int index);
  void mouseUpOnThumbnailPreviewForSpoit(const kit::Event& event, int index);
  void mouseDragForCreateSpoit(Quirel_CropView& band, fnd::Point start, fnd::Point current, const fnd::Rect& bounds);

  // ---- Last settings (ExtendModeLastSetting.cpp): the "ExtendMode" entry of the settings file.
  virtual fnd::Dictionary getLastSetting() const;
  virtual void setLastSetting(const fnd::Dictionary& setting);
  void setLastSetting_ImgSrcSetting(const fnd::Dictionary& setting);
  void setLastSetting_CheckBoxDialogs(const fnd::Dictionary& setting);
  void setLastSetting_Crops(const fnd::Dictionary& setting);
  void setLastSetting_Thumbnails(const fnd::Dictionary& setting);
  void setLastSetting_FloatingDialogs(const fnd::Dictionary& setting);
  void setLastSetting_OpenCloseViews(const fnd::Dictionary& setting);
  // The keys of the entry in the order they are written.
  static const std::array<const char*, 44>& lastSettingKeys();
  // A stored crop's dictionary without the values of the wrong kind or out of range.
  static fnd::Dictionary sanitizedCropDictionary(const fnd::Dictionary& crop);

  // ---- Named tone settings and the preferences (ExtendModeTone.cpp).
  void toneSettingChangeToDialog();
  void toneSettingDialogClose(const fnd::Notification& n);
  void preferenceDialogOpen(const void* sender, bool isAutoScanMode);

  // ---- Favourite settings (ExtendModeFavorite.cpp).
  void favoriteSettingChangeToDialog();
  void favoriteDialogClose(const fnd::Notification& n);
  // The named size lies across the crop's output: its longer side is the crop's shorter one.
  static bool isOutputSizeRotate(const Quirel_OutputSize& size, const Quirel_CropInfo& crop);
  // The favourite's tone values equal those of its named tone setting in "Tone.xml".
  bool compareFavoriteToneWithTone(const Quirel_FavoriteSetting& favorite) const;
  // ---- Default settings and applying a favourite (ExtendModeFavoriteApply.cpp).
  void favoriteSettingChangeToInit();
  void favoriteSettingChangeToOther(int index);
  void favoriteSettingChangeToOtherForFilm(int index);
  // Source, colour mode, paper and output size, resolution and unit within their ranges.
  static bool isUsableFavorite(const Quirel_FavoriteSetting& favorite);

  // ---- Keyboard loop (ExtendModeValues.cpp): Tab from the preview through the typed fields.
  void setKeyboardLoop();
 protected:
  // ---- Applying a favourite: its steps shared by the platen, feeder and film forms.
  std::unique_ptr<Quirel_FavoriteSetting> findFavorite(int index, bool fromLast) const;
  void favoriteNotFound();
  void takeFavoritePreferences(const Quirel_FavoriteSetting& favorite, bool film);
  bool lookUpFavoriteOutputSize(Quirel_FavoriteSetting& favorite);
  void finishFavorite(const Quirel_FavoriteSetting& favorite, int index);
  void finishFavoriteSectionsAndMessages(const Quirel_FavoriteSetting& favorite);
  // The "ExtendMode" entry of the per-model parameters, or null.
  const fnd::Dictionary* extendModeEntry() const;
  // Registers `forwarder` for `name` from `object`.
  void registForwarder(const void* object, Forwarder forwarder, const std::string& name);
  // The text of a "UserInterface" key (the key itself without a string table).
  virtual std::string uiText(const std::string& key) const;
  static std::string removeDustLogoTitle(const std::string& text);
  std::string tipText(const std::string& key) const;
  bool ver(bool (Quirel_UIScannerInfo::*flag)() const) const;

  // The shared tail of the three per-source resets.
  void resetTemplateForSource(int sourceNumber, bool resetBasicSource, int colorMode, int resolution,
                              const ImgSrcSetting& record);

  // Page builders (ExtendModeItem*.cpp).
  void createExtendItem_FavoriteSettings();
  void createExtendItem_InputSettings();
  void createExtendItem_OutputSettings();
  void createExtendItem_ImageSettings();
  void createExtendItem_ColorSettings();
  void createExtendItem_Buttons();
  double tabContentWidth() const;
  void handToTab(kit::View* view);
  // The action and the press notification of one control, each to its forwarder.
  void registControl(const void* control, Forwarder forwarder, const char* action, const char* press);
  // A pop-up row: title and pop-up button in a 310-wide row view.
  void buildPopupRow(Quirel_NoFocusView& row, Quirel_CTRLS_PopupButton& popup, const std::string& titleKey);
  // The width and height labels of the input and output rows ("1001", "1002").
  template <typename Field>
  void buildSizeLabel(Field& field, Quirel_NoFocusView& row, bool width, bool output);

  // ---- Section 1.
  std::unique_ptr<Quirel_NoFocusView> mFavoriteView;
  std::unique_ptr<Quirel_CTRLS_FavoritePopup> mFavoritePopup;
  std::unique_ptr<Quirel_CTRLS_Separator> mTopSeparaor;
  // ---- Section 2.
  std::unique_ptr<Quirel_CTRLS_Box> mInputSetBox;
  std::unique_ptr<Quirel_NoFocusView> mImageSourceView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mImgSrcPopup;
  std::unique_ptr<Quirel_NoFocusView> mPaperSizeView;
  std::unique_ptr<Quirel_CTRLS_PaperSizePopup> mPaperSizePopup;
  std::unique_ptr<Quirel_NoFocusView> mFilmSizeView;
  std::unique_ptr<Quirel_CTRLS_FilmSizePopup> mFilmSizePopup;
  std::unique_ptr<Quirel_NoFocusView> mOrientationView;
  std::unique_ptr<Quirel_CTRLS_OrientationButton> mOrientationBtn;
  std::unique_ptr<Quirel_NoFocusView> mColorModeView;
  std::unique_ptr<Quirel_CTRLS_ColorModePopup> mColorModePopup;
  std::unique_ptr<Quirel_NoFocusView> mInputWHView;
  std::unique_ptr<Quirel_CTRLS_InputSizeWidthTextF> mInSizeWTextF;
  std::unique_ptr<Quirel_CTRLS_FixesRatioButton> mFixRatioBtn;
  std::unique_ptr<Quirel_CTRLS_InputSizeHeightTextF> mInSizeHTextF;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mUnitPopup;
  // ---- Section 3.
  std::unique_ptr<Quirel_CTRLS_Box> mOutputSetBox;
  std::unique_ptr<Quirel_NoFocusView> mResolutionView;
  std::unique_ptr<Quirel_CTRLS_ResolutionComboBox> mResComboBox;
  std::unique_ptr<Quirel_NoFocusView> mOutputSizeView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mOutSizePopup;
  std::unique_ptr<Quirel_NoFocusView> mOutputWHView;
  std::unique_ptr<Quirel_CTRLS_OutputSizeWidthTextF> mOutSizeWTextF;
  std::unique_ptr<Quirel_CTRLS_OutputSizeIconView> mOutSizeIcon;
  std::unique_ptr<Quirel_CTRLS_OutputSizeHeightTextF> mOutSizeHTextF;
  std::unique_ptr<Quirel_CTRLS_Magnification> mMagnification;
  std::unique_ptr<Quirel_CTRLS_ADVDirectionButton> mDirectionBtn;
  std::unique_ptr<Quirel_NoFocusView> mDataSizeView;
  std::unique_ptr<Quirel_CTRLS_DateSizeTextF> mDataSizeTextF;
  // ---- Section 4.
  std::unique_ptr<Quirel_CTRLS_ImageSettingScrollView> mScrollView;
  std::unique_ptr<Quirel_CTRLS_ImageSettingView> mPopupView;
  std::unique_ptr<Quirel_NoFocusView> mAutoToneView;
  std::unique_ptr<Quirel_CTRLS_AutoTonePopup> mAutoTonePopup;
  std::unique_ptr<Quirel_NoFocusView> mColorAdjustView;
  std::unique_ptr<Quirel_CTRLS_ColorAdjustmentPopup> mColorAdjustPopup;
  std::unique_ptr<Quirel_NoFocusView> mCopyGammaView;
  std::unique_ptr<Quirel_CTRLS_ShowThroughPopup> mCopyGammaPopup;
  std::unique_ptr<Quirel_NoFocusView> mUnsharpView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mUnsharpPopup;
  std::unique_ptr<Quirel_NoFocusView> mDescreenView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mDescreenPopup;
  std::unique_ptr<Quirel_NoFocusView> mRdcDustView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mRdcDustPopup;
  std::unique_ptr<Quirel_NoFocusView> mRemoveDustView;
  std::unique_ptr<Quirel_CTRLS_RemoveDustPopup> mRemoveDustPopup;
  std::unique_ptr<Quirel_NoFocusView> mReduceDustFAUView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mReduceDustFAUPopup;
  std::unique_ptr<Quirel_NoFocusView> mFdCorctView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mFdCorctPopup;
  std::unique_ptr<Quirel_NoFocusView> mGrCorctView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mGrCorctPopup;
  std::unique_ptr<Quirel_NoFocusView> mBlCorctView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mBlCorctPopup;
  std::unique_ptr<Quirel_NoFocusView> mBookCorctView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mBookCorctPopup;
  std::unique_ptr<Quirel_CTRLS_ExposureView> mExposureView;
  std::unique_ptr<Quirel_CTRLS_Separator> mExposureSeparator;
  std::unique_ptr<Quirel_CTRLS_ExposureOpenButton> mExposureOpenBtn;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mExposureCbx;
  std::unique_ptr<Quirel_CTRLS_ExposureField> mExposureField;
  std::unique_ptr<Quirel_CTRLS_ExposureButton> mExposureBtns;
  std::unique_ptr<Quirel_CTRLS_ScanSettingView> mScanSettingView;
  std::unique_ptr<Quirel_CTRLS_Separator> mScanSettingSeparator;
  std::unique_ptr<Quirel_CTRLS_ScanSettingOpenButton> mScanSettingOpenBtn;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mHighQualityPopup;
  std::unique_ptr<Quirel_CTRLS_CalibrationView> mCalibrationView;
  std::unique_ptr<Quirel_CTRLS_Separator> mCalibrationSeparator;
  std::unique_ptr<Quirel_CTRLS_CalibrationOpenButton> mCalibrationOpenBtn;
  std::unique_ptr<Quirel_CTRLS_PushButton> mCalibrationBtn;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mCalibrationPopup;
  // ---- Section 5.
  std::unique_ptr<Quirel_CTRLS_Box> mToneCurveSetBox;
  std::unique_ptr<Quirel_CTRLS_IconBezelCGButton> mColorBalanceBtn;
  std::unique_ptr<Quirel_CTRLS_IconBezelCGButton> mContrastBtn;
  std::unique_ptr<Quirel_CTRLS_IconBezelCGButton> mHistogramBtn;
  std::unique_ptr<Quirel_CTRLS_IconBezelCGButton> mToneCurveBtn;
  std::unique_ptr<Quirel_CTRLS_IconBezelCGButton> mFinalReviewBtn;
  std::unique_ptr<Quirel_CTRLS_ThresholdButton> mThresholdBtn;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mToneCurvePopup;
  std::unique_ptr<Quirel_CTRLS_PushButton> mToneResetBtn;
  // ---- Section 6.
  std::unique_ptr<Quirel_NoFocusView> mScanButtonView;
  std::unique_ptr<Quirel_CTRLS_ZoomButton> mZoomBtn;
  std::unique_ptr<Quirel_CTRLS_ADVPreviewButton> mPrevBtn;
  std::unique_ptr<Quirel_CTRLS_ADVScanButton> mScanBtn;
  std::unique_ptr<Quirel_NoFocusView> mPreferenceButtonView;
  std::unique_ptr<Quirel_CTRLS_Separator> mBottomSeparator;
  Quirel_CTRLS_TabView* mExtTab = nullptr;               // the window controller's, kept
  Quirel_CTRLS_PushButton* mPrefBtn = nullptr;          // the window controller's, kept
  Quirel_CTRLS_PushButton* mCloseWindowBtn = nullptr;   // the window controller's, kept

  // ---- Dialogs: owned, except the toolbar's information panel, which is only referenced.
  std::unique_ptr<Quirel_FavoriteDialog> mFavoriteDialog;
  std::unique_ptr<Quirel_ToneSettingDialog> mToneSettingDialog;
  std::unique_ptr<kit::Window> mOrientationDlg;
  std::unique_ptr<Quirel_ColorBalanceDialog> mColorBalanceDialog;
  std::unique_ptr<Quirel_ToneBCDialog> mToneBCDialog;
  std::unique_ptr<Quirel_HistogramDialog> mHistogramDialog;
  std::unique_ptr<Quirel_ToneCurveDialog> mToneCurveDialog;
  std::unique_ptr<Quirel_FinalReviewDialog> mFinalReviewDialog;
  std::unique_ptr<Quirel_ThresholdDialog> mThresholdDialog;
  std::shared_ptr<Quirel_InfoDialog> mInfoDialog;
  Quirel_Toolbar* mToolbar = nullptr;  // the window controller's, kept

  // ---- State.
  int mFavorite = 0;
  int mToneCurve = 0;
  int mImageSource = 0;
  int mFilmSizeWithoutCaps = 21;
  std::array<ImgSrcSetting, 3> mImgSrcSetting{};
  bool mADFLayout = false;
  bool mScanLoop = false;
  bool mDoublePreview = false;
  const std::uint8_t* befAdjust24 = nullptr;  // the window controller's, not owned
  // ---- Value display, enabling and the window and mode life.
  std::shared_ptr<Quirel_OrientationDialog> mOrientationDialog;  // while it runs
  bool askSourceChange();
  Quirel_CropInfo& sourceCropOfCorrections();
  void saveSourceBeingLeft(int leaving, const Quirel_CropInfo& source);
  void removeCropsForSourceChange();
  void enterSource(int previous, bool keepResolutionAndUnit);
  std::vector<Quirel_CropInfo*> resolutionTargets();
  bool checkResolutionBounds(int resolution);
  // The correction pop-ups with their rows, in panel order.
  std::vector<std::pair<Quirel_CTRLS_PopupButton*, kit::View*>> correctionRows() const;

  // ---- Floating dialogs, toolbar, preview events and typed numbers.
  // The six dialogs in the order of the dialog-state keys, each with its key.
  std::vector<std::pair<const char*, Quirel_FloatingDialog*>> floatingDialogs() const;
  void clearChoices();
  void stopSpoitTool();
  void hideFloatingDialog(Quirel_FloatingDialog* dialog);
  void refreshFloatingDialog(Quirel_FloatingDialog* dialog);
  void toggleFloatingDialog(Quirel_FloatingDialog* dialog);
  void deleteSelectedCrops(bool byKey);
  void thumbnailModeSwitch(bool film);
  // The typed text of a number field against the crop's value, in the shown unit.
  bool typedSizeDiffers(int type, const std::string& text) const;
  std::vector<Quirel_CropInfo*> typedFieldTargets() const;
  kit::TextField* numberTextField(int index) const;
  Quirel_DisplayManager mDisplays;
  bool mModelessDialogsObserved = false;
  bool mInfoDialogObserved = false;

  // ---- Pixel readout, loupe and eyedropper.
  // The pointer in the preview's image view (screen location less the main window's origin).
  fnd::Point pointerInPreviewImageView() const;
  // Delivers a readout (none: null) to the final-review and histogram dialogs.
  void deliverPixelValues(const fnd::Dictionary* values, int rotation, bool mirror, bool histogramAlways);
  // The readout of one crop shown in `view` at `pointInImageView` of `imageView`; none without data.
  std::optional<fnd::Dictionary> pixelValuesOfCrop(const Quirel_CropInfo& crop, const kit::View& view, fnd::Point point,
                                                   int rotation, bool mirror, const kit::View& loupeView,
                                                   fnd::Point loupePoint, const kit::Image* loupeImage) const;
  // The eyedropper's bounds on the preview: the focus crop's frame, else the visible image.
  fnd::Rect spoitBoundsOnPreview() const;
  // Applies a finished eyedropper gesture over `crop` shown in `view`.
  // After a tone change: the values shown and the corrected preview of the selected crops.
  void refreshAfterToneChange();
  // The bit-depth and backlight rules every restored crop follows.
  void applyRestoredCropRules(Quirel_CropInfo& crop) const;
  void finishSpoit(const Quirel_CropInfo& crop, const kit::View& view, fnd::Point clickPoint, fnd::Rect band,
                   int rotation, bool mirror);
  // ---- Scan flow, end of preview, output settings and corrections.
  // A question with a "do not show again" box; false on Cancel. OK with the box ticked clears flag.
  bool askQuestion(const char* key, int table, bool& flag);
  SSizeDouble currentPaperSize_Pixel96();
  void showBookCorrectNotice();
  void keepFocusCropForPreview();
  void startScanRequest();
  void requestNotSent();
  void selectNextCropAfterDeletion();
  void takeDeletedCropIntoTemplate(const Quirel_CropInfo& kept);
  Quirel_CropInfo* remakeNamedSizeCrop(const Quirel_CropInfo& kept);
  void remakeFilmCrop(const Quirel_CropInfo& kept);
  bool applyOutputSizeNumber(int number, bool keepAllThumbnails);
  void recomputeSelectedPreview();
  template <typename Get, typename Update>
  void correctionChange(int value, bool multiCropBranch, bool clearsToneCurve, bool recomputes, Get get,
                        Update update);
  // ---- The exposure group's Apply (true) and Reset (false) buttons, one body.
  void applyOrResetAllExposure(bool apply);
  // ---- Last, so that it closes first: no retry reaches a mode that is going away.
  Quirel_ScanRetryGate mScanRetryGate;
};
