#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/NotificationCenter.h"
#include "kit/WindowDelegate.h"
#include "ui/settings/InfoDialogRows.h"

class Quirel_CTRLS_ScanInfoText;
class Quirel_CTRLS_Separator;
class Quirel_CropInfo;
class Quirel_DisabledView;
class Quirel_InfoDlgPanel;
class Quirel_PVLocalizedString;
class Quirel_PreferenceInfo;
class Quirel_UIScannerInfo;
namespace kit {
class ScrollView;
class View;
class Window;
}  // namespace kit

// The floating scan-information panel: one row per setting of the focused crop, a label and
// a value, grouped by separators in a scroll view. The toolbar creates it and the scan modes
// fill it and choose its rows; it edits nothing. It follows the floating dialogs' key-window
// protocol with flags of its own: a close, zoom or becoming key first hands the focus to a
// dialog that is changing a value and confirms values a dialog has fixed.
class Quirel_InfoDialog : public kit::WindowDelegate {
 public:
  using Row = Quirel_InfoDialogRows::Row;
  static constexpr double kMinWidth = 320;
  static constexpr double kLabelX = 5, kLabelWidth = 160, kValueX = 165, kValueWidth = 140;

  explicit Quirel_InfoDialog(const Quirel_UIScannerInfo* scannerInfo);
  ~Quirel_InfoDialog() override;
  Quirel_InfoDialog(const Quirel_InfoDialog&) = delete;
  Quirel_InfoDialog& operator=(const Quirel_InfoDialog&) = delete;

  void createScanInfoDialog();
  Quirel_InfoDlgPanel* getWindow() const { return mWindow.get(); }
  void setParentWindow(kit::Window* parent) { mParentWindow = parent; }
  void setUserSpaceScaleFactor(double factor);
  void showScanInfoDialog();
  void closeScanInfoDialog();
  bool isVisible() const;
  void setHidden(bool hidden) { mHiddenFlg = hidden; }
  bool isHidden() const { return mHiddenFlg; }
  void setHasOpened(bool opened) { mHasOpened = opened; }
  bool hasOpened() const { return mHasOpened; }
  fnd::Size dialogMinSize() const { return mDialogMinSize; }

  // Row choice (the scan modes call the first; it reads the crop and the preferences).
  void setColumn_UIMode(int uiMode, int scanMode, bool hasPreview, bool multiCrop, const Quirel_PreferenceInfo& pref,
                        const Quirel_CropInfo& focusCrop, bool hiddenCopyGamma);
  void setColmnForPlatenMode_UIMode(int uiMode, int scanMode, int colorMode, int colorSetting, bool multiCrop,
                                    int outputSize, bool hiddenCopyGamma);
  void setColmnForFilmMode(int scanMode, int imageSource, int colorMode, int colorSetting, bool hasPreview,
                           int outputSize, bool exposure);
  void sizeToFit();
  double maxHeight() const { return mMaxHeight; }
  void setEnabledAllControl(bool enabled);
  bool hasDisabledView() const { return mDisabledView != nullptr; }

  // Text setters: a null text leaves the value as it is.
  void setInterfaceStr(const char* text) { setRowText(Row::Interface, text, false); }
  void setSourceStr(const char* text) { setRowText(Row::Source, text, true); }
  void setPaperSizeStr(const char* text) { setRowText(Row::PaperSize, text, true); }
  void setFilmSizeStr(const char* text) { setRowText(Row::FilmSize, text, true); }
  void setInputWidthStr(const char* text) { setRowText(Row::InputW, text, false); }
  void setInputHeightStr(const char* text) { setRowText(Row::InputH, text, false); }
  void setColorModeStr(const char* text) { setRowText(Row::ColorMode, text, true); }
  void setResolutionStr(const char* text) { setRowText(Row::Resolution, text, true); }
  // Cut at the end with an ellipsis when it does not fit; not measured again.
  void setOutputSizeStr(const char* text);
  void setOutputWidthStr(const char* text) { setRowText(Row::OutputW, text, false); }
  void setOutputHeightStr(const char* text) { setRowText(Row::OutputH, text, false); }
  void setOutputScaleSrt(const char* text) { setRowText(Row::OutputScale, text, true); }
  void setAutoToneStr(const char* text) { setRowText(Row::AutoTone, text, true); }
  void setAutoDocCorrectStr(const char* text) { setRowText(Row::AutoDocCorrect, text, true); }
  void setColorAdjustStr(const char* text) { setRowText(Row::ColorAdjust, text, true); }
  void setCopyGammaStr(const char* text) { setRowText(Row::CopyGamma, text, true); }
  void setUnsharpStr(const char* text) { setRowText(Row::Unsharp, text, true); }
  void setDescreenStr(const char* text) { setRowText(Row::Descreen, text, true); }
  void setReduceDustStr(const char* text) { setRowText(Row::ReduceDust, text, true); }
  void setRemoveDustStr(const char* text) { setRowText(Row::RemoveDust, text, true); }
  void setReduceDustFAUStr(const char* text) { setRowText(Row::ReduceDustFAU, text, true); }
  void setFadingCorrectStr(const char* text) { setRowText(Row::Fading, text, true); }
  void setGrainCorrectStr(const char* text) { setRowText(Row::Grain, text, true); }
  void setBackLightStr(const char* text) { setRowText(Row::BackLight, text, true); }
  void setBookCorrectStr(const char* text) { setRowText(Row::Book, text, true); }
  void setExposureStr(const char* text) { setRowText(Row::Exposure, text, true); }
  void setExposureValueStr(const char* text) { setRowText(Row::ExposureValue, text, true); }
  void setSaveToneStr(const char* text, bool frame) { setRowText(frame ? Row::SaveFrameTone : Row::SaveCropTone, text, true); }
  void setHighQualityModeStr(const char* text) { setRowText(Row::HighQualityMode, text, true); }
  void setCalibrationEveryScanStr(const char* text) { setRowText(Row::CalbEveryScan, text, true); }
  void setColorSettingStr(const char* text) { setRowText(Row::ColorSetting, text, true); }
  void setSilentModeStr(const char* text) { setRowText(Row::SilentMode, text, true); }
  void setNumberCropStr(const char* text) { setRowText(Row::NumberCrop, text, true); }
  // The panel has no version rows.
  void setDriverVersionStr(const char*) {}
  void setLLDVersionStr(const char*) {}

  // Numeric setters.
  void setPaperSizeForStandard(int code);
  void setFilmSize(int code);
  void setColorMode(int mode);
  void setInputWidth(int unit, double length);
  void setInputHeight(int unit, double length);
  void setOutputWidth(int unit, double length);
  void setOutputHeight(int unit, double length);
  void setResolution(int dpi);
  void setOutputScale(int percent);
  void setExposureValue(int percent);
  void setDataSize(std::uint64_t bytes, std::uint64_t pixels);
  void setAutoTone(int value);
  void setColorAdjust(int value);
  void setAutoDocCorrect(int value);
  void setDescreen(int value);
  void setCopyGamma(int value);
  void setUnsharp(int value);
  void setReduceDust(int value);
  void setRemoveDust(int value);
  void setReduceDustFAU(int value);
  void setFadingCorrect(int value);
  void setGrainCorrect(int value);
  void setBackLight(int value);
  void setBookCorrect(int value);
  void setExposure(bool on);
  void setSilentMode(bool on);
  void setSaveTone(bool on, bool frame);
  void setHighQualityMode(int value);
  void setCalibrationEveryScan(int value);
  void setColorSetting(int value);
  void setNumberCrop(int count);

  Quirel_CTRLS_ScanInfoText* row(Row r) const { return mRows[static_cast<std::size_t>(r)].get(); }
  std::string valueText(Row r) const;
  Quirel_CTRLS_Separator* separator(int i) const { return mSeparators[static_cast<std::size_t>(i)].get(); }
  kit::ScrollView* scrollView() const { return mScrollView; }
  kit::View* documentView() const { return mDocumentView; }

  // Panel delegate.
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  bool windowShouldClose(kit::Window& window) override;
  bool windowShouldZoom(kit::Window& window, const fnd::Rect& newFrame) override;
  fnd::Size windowWillResize(kit::Window& window, fnd::Size proposedFrameSize) override;
  void windowDidResize(kit::Window& window) override;

  // Edit states of the floating dialogs (the observers' handlers).
  enum class Other { COLOR, TONEBC, HIST, THRESHOLD };
  bool changeFlag(Other o) const { return mChgFlg[static_cast<std::size_t>(o)]; }
  bool fixFlag(Other o) const { return mFixFlg[static_cast<std::size_t>(o)]; }
  bool closeOK() const { return mCloseOKFlg; }
  bool zoomOK() const { return mZoomBtnFlg; }
  void floatingDialogLevelChange();

 private:
  std::string localized(const std::string& key) const;
  void setRowText(Row r, const char* text, bool measure);
  void setRowValue(Row r, const std::string& text, bool measure);
  void measureRow(Row r);
  void layoutRows();
  void applyRows(const Quirel_InfoDialogRows::Shown& shown);
  void observe(const std::string& name, std::function<void()> handler);
  void post(const std::string& name) const;
  void otherChanging(Other o);
  void otherValueFix(Other o);
  void otherFix(Other o);
  void mainChanging();
  void setTitleDown(bool on);
  // Steps 1 to 4 of becoming key; with `confirm` each post is followed by "CONTROL_SET_YES".
  void handBackChanging(bool confirm);
  // Step 5 in the given order of dialogs.
  void postValueFixes(const std::vector<Other>& order);
  bool refuseOnce(bool& okFlag);

  const Quirel_UIScannerInfo* mScannerInfo;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  std::unique_ptr<Quirel_InfoDlgPanel> mWindow;
  kit::ScrollView* mScrollView = nullptr;
  kit::View* mDocumentView = nullptr;
  std::array<std::unique_ptr<Quirel_CTRLS_ScanInfoText>, Row::kRowCount> mRows;
  std::array<std::unique_ptr<Quirel_CTRLS_Separator>, 5> mSeparators;
  Quirel_InfoDialogRows::Shown mShown{};
  std::unique_ptr<Quirel_DisabledView> mDisabledView;
  double mMaxHeight = 0;
  bool mFitting = false;
  bool mHiddenFlg = false;
  bool mHasOpened = false;
  std::array<bool, 4> mChgFlg{};
  std::array<bool, 4> mFixFlg{};
  bool mCloseOKFlg = true;
  bool mZoomBtnFlg = true;
  kit::Window* mParentWindow = nullptr;
  double mUserSpaceScaleFactor = 1.0;
  fnd::Size mDialogMinSize{320, 200};
  std::vector<fnd::NotificationCenter::Token> mTokens;
};
