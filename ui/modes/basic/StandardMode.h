#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "foundation/Value.h"
#include "kit/Color.h"
#include "ui/model/CropValueGroups.h"
#include "ui/model/StandardModeLink.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/base/ScanRetryGate.h"
#include "ui/windows/DisplayManager.h"

class Quirel_CTRLS_AdjustCropText;
class Quirel_CTRLS_ColorPatternButton;
class Quirel_CTRLS_DestinationPopup;
class Quirel_CTRLS_ImageCorrectText;
class Quirel_CTRLS_ImageSourcePopup;
class Quirel_CTRLS_OutputSizePopup;
class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_STDCheckBox;
class Quirel_CTRLS_STDDirectionButton;
class Quirel_CTRLS_STDPreviewButton;
class Quirel_CTRLS_STDScanButton;
class Quirel_CTRLS_TOOLThumbnailButton;
class Quirel_InfoDialog;
class Quirel_NoFocusImageView;
class Quirel_NoFocusView;
class Quirel_Toolbar;
class Quirel_ToolButton;
namespace kit {
class Image;
class View;
}

// The basic mode: the numbered-step panel on top of the scan-mode base, its buttons on the
// preview toolbar and its preview. Main thread only.
class Quirel_StandardMode : public Quirel_BaseScanMode, public StandardModeLink {
 public:
  // The correction check-box states remembered for one kind of source.
  struct ImgSrcSetting {
    int removeDust = 0;
    int reduceDustFAU = 0;
    int fading = 0;
    int backlight = 0;
    int book = 0;
    int autoDocCorrect = 0;
    bool operator==(const ImgSrcSetting&) const = default;
  };
  static constexpr int kImageSourceCount = 14;
  static constexpr const char* kLastSettingKey = "StandardMode";

  explicit Quirel_StandardMode(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_StandardMode() override;

  // ---- Image sources.
  // The crop's colour-adjustment value for an image source (0 above 13).
  int convColorAdjustFromImageSource(int imageSource) const;
  // The scan module's input source for an image source: 0 platen, 1 ADF, 3 and 4 film.
  static int inputSourceForImageSource(int imageSource);
  int getInputSourceForPostToSM() const { return inputSourceForImageSource(mImageSource); }
  int getImageSource() const { return mImageSource; }
  int getDestination() const { return mDestination; }
  const std::array<ImgSrcSetting, 2>& getImgSrcSetting() const { return mImgSrcSetting; }
  bool getADFLayout() const { return mADFLayout; }
  bool getTabChanging() const { return mTabChanging; }
  bool getSelectAllThumbnail() const { return mSelectAllThumbnail; }

  // ---- Default and last settings.
  // Full reset of the mode and the template crop; null takes the model's "StandardMode" entry.
  void setDefaultSetting(const fnd::Dictionary* parameters);
  void setDefaultSettingAtPlaten();
  void setDefaultSettingAtFilm();
  void setDefaultSettingAtADF();
  Quirel_InfoDialog* getInfoDialog() const { return mInfoDialog.get(); }
  // Takes the toolbar's information panel (once), lists its window with the mode's dialogs,
  // closes it and marks it not yet opened.
  void initModelessDialogs();
  void setToolbar(Quirel_Toolbar* toolbar) { mToolbar = toolbar; }
  fnd::Dictionary getLastSetting() const;
  // Restores from a stored dictionary. Values out of range or of the wrong kind read as missing.
  void setLastSetting(const fnd::Dictionary& lastSetting);

  // ---- Crop updates.
  void updateCropByImageSource(int imageSource, Quirel_CropInfo& crop, bool changeInputSource, bool resetToneSetting);
  void updateCropByDestination(int destination, Quirel_CropInfo& crop, bool removeCropView);
  void updateCropByOutputSize(int outputSize, Quirel_CropInfo& crop, bool removeCropView);
  void changeToFlexible(Quirel_CropInfo& crop, bool removeCropView);
  void changeToFixedSize(const Quirel_OutputSize& outputSize, Quirel_CropInfo& crop);
  void updateCropByMagnification(Quirel_CropInfo& crop);
  void updateCropByResolusion(int resolution, Quirel_CropInfo& crop);
  void updateCropByRemoveDust(int value, Quirel_CropInfo& crop);
  void updateCropByReduceDustFAU(int value, Quirel_CropInfo& crop);
  void updateCropByFadingCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByBackLightCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByBookCorrect(int value, Quirel_CropInfo& crop);
  void updateCropByColorPattern(const ColorBalanceValues& balance, Quirel_CropInfo& crop);
  // Whether a frame of named size n can be shown in a preview of width x height.
  bool checkOutputSizeInPreview(int outputSize, double width, double height, int rotation, int paperSize);
  // The named size's width and height in preview pixels (a pixel size counted at `pixelDpi`);
  // none when either side is not positive, so no side is ever divided by zero.
  std::optional<SSizeDouble> namedSizeInPreviewPixels(const Quirel_OutputSize& outputSize, double pixelDpi) const;

  // ---- The panel, its toolbar buttons and its preview. The tab view, the toolbar, the preview
  // frame and the two bottom buttons are the window controller's: the mode keeps them.
  enum class Step { ImageSource, Preview, Destination, OutputSize, AdjustCrop, ImageCorrect, Scan };
  enum class CorrectRow { ColorPattern, AutoDoc, AutoPhoto, Book, BackLight, Fading, RemoveDust, ReduceDustFAU };
  static constexpr const char* kPictureBundle = "quirel_r14";
  void createStandardItem(Quirel_CTRLS_TabView* tabView);
  void setStandardItem(const fnd::Dictionary* parameters, bool filmAdapter);
  void createToolBarItem(Quirel_Toolbar* toolbar);
  void createPreviewAreaItem(Quirel_CTRLS_PreviewFrame* previewFrame);
  void setPreferenceButton(Quirel_CTRLS_PushButton* button) { mPrefBtn = button; }
  void setCloseMainWindowButton(Quirel_CTRLS_PushButton* button) { mCloseWindowBtn = button; }
  Quirel_CTRLS_ImageSourcePopup* getImgSrcPopup() const { return mImageSourcePopup.get(); }
  // The image-source pop-up's selected number (the mode's own value before the panel is built).
  int getImgSrcNumber() override;
  // One picture of the panel's bundle, found by name whatever the extension; none when missing.
  static std::optional<kit::Image> getImageFromFile(const std::string& name);
  void setFrameStandardItem();
  void setFrameInImageCorrectView();
  void setEnabledToolTips();
  void setMenuItem_OutputSizePopupBT(int destination);
  void releaseStandardItem();
  // The frames inside the output-size step for a label that needs `labelHeight` points.
  struct OutputSizeStepFrames {
    fnd::Rect icon, label, popup, title;
    double dotY = 0;
  };
  static OutputSizeStepFrames outputSizeStepFrames(double labelHeight);
  // The panel's pieces, for the window controller's layout and for tests; null before building.
  kit::View* getStepView(Step step) const;
  kit::View* getCorrectRowView(CorrectRow row) const;
  Quirel_CTRLS_STDCheckBox* getCorrectCheckBox(CorrectRow row) const;
  Quirel_CTRLS_STDPreviewButton* getPreviewButton() const { return mPreviewBtn.get(); }
  Quirel_CTRLS_STDScanButton* getScanButton() const { return mScanBtn.get(); }
  Quirel_CTRLS_DestinationPopup* getDestinationPopup() const { return mDestinationPopup.get(); }
  Quirel_CTRLS_OutputSizePopup* getOutputSizePopup() const { return mOutputSizePopup.get(); }
  Quirel_CTRLS_STDDirectionButton* getDirectionButton() const { return mDirectionBtn.get(); }
  Quirel_CTRLS_ColorPatternButton* getColorPatternButton() const { return mColorPatternBtn.get(); }
  Quirel_CTRLS_ImageCorrectText* getImageCorrectText() const { return mImageCorrectTxt.get(); }
  Quirel_NoFocusImageView* getScanNumberImage(bool adf) const;

  // ---- Enabling and the values shown.
  void setEnabledAllControl(bool enable);
  void setDisableControlInTabview();
  void setEnabledMainWindow(bool enable);
  void setValueOfSelectedCrop(bool infoOnly);
  void setHiddenToolbar_CropCount(int count);
  void setEnabledToolbar();
  void setValueDestinationPopupBT(int destination);
  void setValueOutputSizePopupBT(int outputSize);
  void setValueRemoveDustBT(int value);
  void setValueReduceDustFAUBT(int value);
  void setValueFadingCorrectBT(int colorMode, int value);
  void setValueBackLightCorrectBT(int colorMode, int value);
  void setValueBookCorrectBT(int value);
  void setValueAutoDocumentCorrectBT_ColorMode(int colorMode, int value);
  void setValueAutoPhotoCorrectBT(int value);
  void setValueColorPatternBT(int colorMode);
  void setValueInfoDialog(const Quirel_CropInfo& crop, bool sizesOnly, bool force);
  void showModalDialog() { mModal = true; }
  void closeModalDialog();
  bool isModal() const { return mModal; }

  // ---- Preview and scan start. Each request that does not go out gives the controls back.
  void previewStart(const fnd::Notification* notification);
  void platenPreviewStart();
  void filmPreviewStart();
  void scanStart(const fnd::Notification* notification);
  // Runs the scan start again for the scan module: on a thread of its own that takes the retry
  // lock and has the start run on the main thread, waiting for it to end.
  void scanStartRerty();
  void ntf_previewStart(const fnd::Notification& n);
  void ntf_scanStart(const fnd::Notification& n);

  // ---- End of preview and the automatic crop.
  void endPreview_previewInfo(Quirel_PreviewInfo* preview, const SRectDouble& autoCropRect,
                              const fnd::Array* mcPoints) override;
  void endPreviewClearImage();
  void endFilmPreview_previewInfo(Quirel_PreviewInfo* preview, const fnd::Array* capsPoints, int capsFilmSize);
  void endFilmPreviewClearImage();
  void setThumbnailRectFromCropCorRect() override;
  using Quirel_BaseScanMode::setAutoCropRect;
  // Fits the focused frame to the preview's automatic crop; a tiny one deletes it instead.
  void setAutoCropRect(Quirel_PreviewInfo* preview);
  void deleteCropByAutoCrop();

  // ---- The window's life and the tab.
  void willShowWindow();
  // previewWanted: the window controller wants the start-up preview.
  void didShowWindow(bool previewWanted);
  void willCloseWindow();
  void closeWindow();
  void showTab();
  void didShowTabView();
  // The feeder layout (Preview, output size and crop hint hidden) or the normal one.
  void setADFControl(bool adf);
  void inputSourceChangePostToSM();
  bool isCalibrationEveryScan() override;

  // ---- Preferences: opened from this tab (autoScan: from the multi-scan tab).
  void preferenceDialogOpen(const fnd::Notification& n, bool autoScan);

  // ---- Hand-over between the tabs. Leaving answers true; coming back from the advanced mode
  // reads it only through the scan-mode base.
  bool willChangeToExtendMode();
  bool willChangeToMultiScanMode();
  using Quirel_BaseScanMode::getRotation;
  void setExtendModeData(Quirel_BaseScanMode* extendMode);
  void setExtendModeThumbnailData(Quirel_BaseScanMode* extendMode);
  void setExtendModePlatenData(Quirel_BaseScanMode* extendMode);

  // ---- Image source, sizes and corrections; each takes its control's post (or none).
  void imageSourceChange(const fnd::Notification* notification);
  // Each answers false when the user kept the current source.
  bool changeToPlaten(int value);
  bool changeToADF(int value);
  bool changeToFilm(int value);
  void ntf_imageSourceChange(const fnd::Notification& n);
  void destinationChange(const fnd::Notification* notification);
  void outputSizeChange(const fnd::Notification* notification);
  void outputSizeDialogOpen();
  void directionChange(const fnd::Notification* notification);
  void removeDustCheck(const fnd::Notification* notification);
  void reduceDustFAUCheck(const fnd::Notification* notification);
  void fadingCorrectCheck(const fnd::Notification* notification);
  void backlightCorrectCheck(const fnd::Notification* notification);
  void bookCorrectCheck(const fnd::Notification* notification);
  void autoDocumentCorrectCheck(const fnd::Notification* notification);
  void autoPhotoCorrectCheck(const fnd::Notification* notification);
  void colorPatternOpen(const fnd::Notification* notification);
  // The panel's forwarders: each hands its post to the handler of the same name.
  void ntf_destinationChange(const fnd::Notification& n);
  void ntf_outputSizeChange(const fnd::Notification& n);
  void ntf_directionChange(const fnd::Notification& n);
  void ntf_removeDustCheck(const fnd::Notification& n);
  void ntf_reduceDustFAUCheck(const fnd::Notification& n);
  void ntf_fadingCorrectCheck(const fnd::Notification& n);
  void ntf_backlightCorrectCheck(const fnd::Notification& n);
  void ntf_bookCorrectCheck(const fnd::Notification& n);
  void ntf_autoDocumentCorrectCheck(const fnd::Notification& n);
  void ntf_autoPhotoCorrectCheck(const fnd::Notification& n);
  void ntf_colorPatternOpen(const fnd::Notification& n);

  // ---- Calibration, clearing and the preview's events.
  void calibrationStart(const fnd::Notification& n);
  // Answers false when the user cancelled the message (-1: no message).
  bool clearPreviewWithMessageID(int messageId, bool clearColorSetting);
  void selectAll();
  void mouseMovedOnPreview(const fnd::Notification& n);
  void mouseExitedOnPreview(const fnd::Notification& n);
  void mouseEventOnPreview(const fnd::Notification& n);
  void mouseEventOnThumbnail(const fnd::Notification& n) override;
  void mouseEventOnPreviewFrameStd(const fnd::Notification& n);
  void enterTextFByOtherControls(const fnd::Notification&) override {}
  void ntf_mouseEventOnPreview(const fnd::Notification& n);
  void ntf_mouseExitedOnPreview(const fnd::Notification& n);
  void ntf_previewViewUpdateCursorRects(const fnd::Notification& n);

  // ---- Toolbar actions and deletion; each takes its button's post (or none).
  void toolMirrorButtonClick(const fnd::Notification* notification);
  void toolLeftRotateButtonClick(const fnd::Notification* notification);
  void toolRightRotateButtonClick(const fnd::Notification* notification);
  void toolSelectAllCropButtonClick(const fnd::Notification* notification);
  void toolSelectAllFrameButtonClick(const fnd::Notification* notification);
  void toolAllCheckButtonClick(const fnd::Notification* notification);
  void toolAllCheckResetButtonClick(const fnd::Notification* notification);
  void backThumbnail(const fnd::Notification* notification);
  void nextThumbnail(const fnd::Notification* notification);
  void toolDeleteCropButtonClick(const fnd::Notification* notification);
  void toolAutoCropButtonClick(const fnd::Notification* notification);
  void toolHelpButtonClick(const fnd::Notification* notification);
  // Opens the scan-information panel, or closes it when it is open.
  void toolScanInfoButtonClick(const fnd::Notification* notification);
  void toolPlatenThumbnailButtonClick(const fnd::Notification* notification);
  void toolFilmThumbnailButtonClick(const fnd::Notification* notification);
  void deleteCrops();
  void deleteKeyDownOnPreview(const fnd::Notification* notification);
  // Where the information panel is centred the first time (the main screen by default).
  void setDisplayManager(const Quirel_DisplayManager& manager) { mDisplayManager = manager; }
  // The toolbar buttons this mode built, by the name they post; null for one it did not build.
  Quirel_ToolButton* getToolButton(const std::string& postName) const;
  Quirel_CTRLS_TOOLThumbnailButton* getFilmThumbnailButton() const { return mFilmThumbnailBtn.get(); }
  Quirel_CTRLS_TOOLThumbnailButton* getPlatenThumbnailButton() const { return mPlatenThumbnailBtn.get(); }

 protected:
  // The defaults the parameter entry gives; all off without one.
  struct SourceDefaults {
    bool hasEntry = false;
    int imageSource = 0;
    int destination = 0;
    int removeDust = 0;
    int reduceDustFAU = 0;
    int fading = 0;
    int backlight = 0;
    int book = 0;
    int autoDocCorrect = 0;
  };
  SourceDefaults readSourceDefaults(const fnd::Dictionary* entry) const;
  const fnd::Dictionary* standardModeEntry() const;
  int copyGammaValue() const;
  // The tail of the three per-source resets.
  struct SourceReset {
    int imageSource, sourceNumber, colorMode, paperSize, destination, resolution, colorAdjust, descreen;
    int removeDust, reduceDustFAU, fading, backlight, book, autoDocCorrect;
  };
  void applySourceReset(const SourceReset& values);
  void restoreCrops(const fnd::Array& crops);
  void restoreThumbnails(const fnd::Array& thumbnails);
  // A crop restored past the frame limit of this mode is dropped.
  int restoredCropLimit() const;

  // One step of the panel: its view and the three decorations (line, dotted line, number or bullet).
  struct StepParts {
    std::unique_ptr<Quirel_NoFocusView> view;
    std::unique_ptr<Quirel_NoFocusImageView> line, dot, number;
  };
  bool panelVer(int version) const;
  std::string uiText(const std::string& key, const char* table = "UserInterface") const;
  kit::Color stepTitleColor() const;
  double contentWidth() const;
  void buildStepDecorations(StepParts& step, double height, double lineY, double lineHeight, bool longDot,
                            double dotY, const char* numberImage);
  void placeStep(StepParts& step);
  void createImageSourcePopup();
  void createPreviewButton();
  void createDestinationPopup();
  void createOutputSizePopup();
  void createAdjustCrop();
  void createImageCorrect();
  void createScanButton();
  // The forwarders of the panel's controls whose handlers this layer has.
  void observeStandardItem();
  void createToolBarItem_V14();
  void createToolBarItem_V15();
  std::unique_ptr<Quirel_NoFocusView> makeCheckRow(std::unique_ptr<Quirel_CTRLS_STDCheckBox>& box, double y,
                                                   const char* title, const char* postName, bool wideLayout,
                                                   const char* const images[3], bool titleFix);
  bool windowEnabled() const;
  // Only the focused frame survives a new preview (made from the template when there is none).
  void keepOnlyFocusedCrop();
  void sendPreviewRequest();
  void showScanMessage(int number, const char* argTypes, const fnd::Array& args);
  void scanStartRertyThread();
  // A frame's settings into the template, whose output size follows its own input rectangle.
  void takeCropIntoTemplate(const Quirel_CropInfo& crop);
  void refreshAutoToneOfCrop(Quirel_CropInfo& crop, const Quirel_CropInfo& base);
  void markContentForRedisplay();
  int previewAtStart() const;
  void postClearPreview();
  int colorSettingFor(int colorMode) const;
  void showRow(kit::View* row, bool shown);
  bool confirmSourceChange();
  Quirel_CropInfo& focusOrTemplate() const;
  void rememberSourceSetting();
  void clearForSourceChange(int paperSize);
  void finishSourceChange(bool adf, bool film, bool postInputSource);
  void forTargetCrops(bool lastToFirst, const std::function<void(Quirel_CropInfo&)>& write);
  void updateImageSetOfSelection();
  void updateImageSetOfSelectionThumbAware();
  void refreshAfterSizeChange();
  void autoToneRefreshForSize(Quirel_CropInfo& crop);
  // Fit check (message when it fails), a frame from the template when there is none, then the
  // size into every selected frame.
  bool applyOutputSize(int n);
  void observeSizeAndSourceControls();
  void observePreviewEvents();
  // Toolbar actions and deletion.
  void observeToolButton(const std::string& postName, Quirel_ToolButton* button);
  void observeThumbnailButtons();
  void replaceDeletedFocus(const std::shared_ptr<Quirel_CropInfo>& kept);
  void switchThumbnailPresentation(bool film);

  // Closed first thing in the mode's end, so no retry reaches a mode that is going away.
  Quirel_ScanRetryGate mRetryGate;

  std::shared_ptr<Quirel_InfoDialog> mInfoDialog;
  StepParts mImageSourceStep, mPreviewStep, mDestinationStep, mOutputSizeStep, mAdjustCropStep, mImageCorrectStep,
      mScanStep;
  std::unique_ptr<Quirel_NoFocusImageView> mScanBtnNumImage_ADF;
  std::unique_ptr<Quirel_CTRLS_ImageSourcePopup> mImageSourcePopup;
  std::unique_ptr<Quirel_CTRLS_STDPreviewButton> mPreviewBtn;
  std::unique_ptr<Quirel_CTRLS_DestinationPopup> mDestinationPopup;
  std::unique_ptr<Quirel_CTRLS_OutputSizePopup> mOutputSizePopup;
  std::unique_ptr<Quirel_CTRLS_STDDirectionButton> mDirectionBtn;
  std::unique_ptr<Quirel_CTRLS_AdjustCropText> mAdjustCropTxt;
  std::unique_ptr<Quirel_CTRLS_ImageCorrectText> mImageCorrectTxt;
  std::unique_ptr<Quirel_NoFocusView> mColorPatternView, mAutoDocCorrectView, mAutoPhotoCorrectView,
      mBookCorrectView, mLightCorrectView, mFadingCorrectView, mRemoveDustView, mReduceDustFAUView;
  std::unique_ptr<Quirel_CTRLS_ColorPatternButton> mColorPatternBtn;
  std::unique_ptr<Quirel_CTRLS_STDCheckBox> mAutoDocCorrectCbx, mAutoPhotoCorrectCbx, mBookCorrectCbx,
      mLightCorrectCbx, mFadingCorrectCbx, mRemoveDustCbx, mReduceDustFAUCbx;
  std::unique_ptr<Quirel_CTRLS_STDScanButton> mScanBtn;
  Quirel_CTRLS_PushButton* mPrefBtn = nullptr;         // the window controller's, kept
  Quirel_CTRLS_PushButton* mCloseWindowBtn = nullptr;  // the window controller's, kept
  Quirel_Toolbar* mToolbar = nullptr;  // the window controller's, kept
  bool mADFLayout = false;
  int mImageSource = 0;
  int mDestination = 0;
  std::array<ImgSrcSetting, 2> mImgSrcSetting{};
  bool mTabChanging = false;
  // Toolbar actions and deletion.
  Quirel_DisplayManager mDisplayManager;
  std::map<std::string, Quirel_ToolButton*> mToolButtons;  // the toolbar's, kept
  std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton> mFilmThumbnailBtn, mPlatenThumbnailBtn;
};
