#pragma once

#include <array>
#include <memory>

#include "foundation/Value.h"
#include "ui/model/CropValueGroups.h"
#include "ui/modes/base/BaseScanMode.h"

class Quirel_CTRLS_ImageSourcePopup;
class Quirel_CTRLS_PushButton;
class Quirel_InfoDialog;
class Quirel_Toolbar;

// The basic mode: the numbered-step panel's state on top of the scan-mode base. The panel
// itself (its controls and their layout) is built by a later layer; until then its fields stay
// empty and the operations that drive it do nothing. Main thread only.
class Quirel_StandardMode : public Quirel_BaseScanMode {
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
  void updateCropByDirection(Quirel_CropInfo& crop);
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

 // ---- What the window controller calls. The panel, the window's life, the scan start and
  // the hand-over between modes are built by later layers: until then these do nothing.
  void createStandardItem(Quirel_CTRLS_TabView*) {}
  void setStandardItem(const fnd::Dictionary*, bool) {}
  void createToolBarItem(Quirel_Toolbar* toolbar) { setToolbar(toolbar); }
  void createPreviewAreaItem(Quirel_CTRLS_PreviewFrame*) {}
  void setPreferenceButton(Quirel_CTRLS_PushButton*) {}
  void setCloseMainWindowButton(Quirel_CTRLS_PushButton*) {}
  Quirel_CTRLS_ImageSourcePopup* getImgSrcPopup() const { return nullptr; }
  void setEnabledToolTips() {}
  void setEnabledAllControl(bool) {}
  void setValueOfSelectedCrop(int) {}
  void calibrationStart(const fnd::Notification&) {}
  void preferenceDialogOpen(const fnd::Notification&, bool) {}
  void scanStartRerty() {}
  void selectAll() {}
  void showModalDialog() {}
  void closeModalDialog() {}
  void willShowWindow() {}
  void didShowWindow(bool) {}
  void willCloseWindow() {}
  void closeWindow() {}
  void showTab() {}
  void didShowTabView() {}
  bool willChangeToExtendMode() { return true; }
  bool willChangeToMultiScanMode() { return true; }
  void setExtendModeData(Quirel_BaseScanMode*) {}
  void endPreviewClearImage() {}
  void endFilmPreview_previewInfo(Quirel_PreviewInfo*, const fnd::Array*, int) {}
  void endFilmPreviewClearImage() {}
  void mouseEventOnPreviewFrameStd(const fnd::Notification&) {}
  void inputSourceChangePostToSM() {}

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

  std::shared_ptr<Quirel_InfoDialog> mInfoDialog;
  Quirel_Toolbar* mToolbar = nullptr;  // the window controller's, kept
  bool mADFLayout = false;
  int mImageSource = 0;
  int mDestination = 0;
  std::array<ImgSrcSetting, 2> mImgSrcSetting{};
  bool mTabChanging = false;
};
