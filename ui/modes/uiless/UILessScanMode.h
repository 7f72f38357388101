#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/WindowDelegate.h"
#include "ui/model/UILessScanModeLink.h"
#include "ui/model/Units.h"
#include "ui/windows/DisplayManager.h"

class Quirel_ColorButton;
class Quirel_DisabledView;
class Quirel_NoFocusButton;
class Quirel_NoFocusImageView;
class Quirel_NoFocusTextField;
class Quirel_PVLocalizedString;
class Quirel_PreferenceInfo;
class Quirel_PreviewFrameView;
class Quirel_PreviewInfo;
class Quirel_UIOffColorView;
class Quirel_UIScannerInfo;
namespace kit {
class Box;
class Button;
class TextField;
class View;
class Window;
}  // namespace kit

// A scan without the main window: the calling application hands a complete scan dictionary;
// the mode sends a preview request built from it, lets the user check the found film frames in
// a small frame-select dialog and sends the scan request for the checked ones, or the cancel
// request when the user gives up. A plain object, not a scan mode of the base. Main thread
// only.
//
// The dialog is UILessScanModeDialog.cpp, its thumbnails UILessScanModeThumbnails.cpp.
class Quirel_UILessScanMode : public UILessScanModeLink, public kit::WindowDelegate {
 public:
  static constexpr const char* kCancelClosePost = "UILessMode_CancelClosePost";
  static constexpr const char* kRemoveThumbnailImagePost = "removeThumbnailImagePost";
  static constexpr int kMaxThumbnails = 12;
  // Which right panel the dialog has, by the scanner's generation.
  enum class Layout { None, Ver12, Ver13, Ver14 };

  explicit Quirel_UILessScanMode(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_UILessScanMode() override;
  Quirel_UILessScanMode(const Quirel_UILessScanMode&) = delete;
  Quirel_UILessScanMode& operator=(const Quirel_UILessScanMode&) = delete;

  // ---- Records handed in by the window controller.
  void setTWAINObject(const void* twain, const void* uim) {
    mTwObject = twain;
    mUIMObject = uim;
  }
  void setTWAINObject(const void* twain) { mTwObject = twain; }
  void setUIMObject(const void* uim) { mUIMObject = uim; }
  const void* getUIMObject() const { return mUIMObject; }
  void setPreferenceInfo(std::shared_ptr<Quirel_PreferenceInfo> info) { mPreferenceInfo = std::move(info); }
  void setScannerInfo(std::shared_ptr<Quirel_UIScannerInfo> info) { mScannerInfo = std::move(info); }
  void setUserSpaceScaleFactor(double factor) { mUserSpaceScaleFactor = factor; }
  void setPlatenResolution(int dpi) { mPlatenResolution = dpi; }
  int getPlatenResolution() const { return mPlatenResolution; }
  void setFilmPlatenRect_Pixel96(const SRectDouble& r) { mFilmPlatenRect_Pixel96 = r; }
  SRectDouble getFilmPlatenRect_Pixel96() override { return mFilmPlatenRect_Pixel96; }
  void setInputSource(int source) { mInputSource = source; }
  int getInputSource() override { return mInputSource; }
  // Where the dialog is placed; the main screen unless replaced.
  void setDisplayManager(const Quirel_DisplayManager& manager) { mDisplayManager = manager; }

  // ---- What the preview model and the window controller read.
  Quirel_PreferenceInfo* getPreferenceInfo() override { return mPreferenceInfo.get(); }
  Quirel_UIScannerInfo* getScannerInfo() override { return mScannerInfo.get(); }
  Quirel_CropInfo* getTemplateCrop() override { return mTemplateCrop.get(); }
  const CropList& getCropList() override { return mCropList; }
  const ThumbnailList& getThumbnailList() override { return mThumbnailList; }
  // The request's scan dictionary; an empty one before any was set.
  const fnd::Dictionary& getScanDic() override;
  kit::Window* getWindow() const { return mWindow.get(); }
  int getThumbnailCount() const { return mThumbnailCount; }
  // "progressStatusPost": the progress window's result, when the post names the window.
  void setProgressStatus(const fnd::Notification& n);
  int getProgressStatus() const { return mProgressStatus; }
  void setProgressStatusValue(int status) { mProgressStatus = status; }

  // ---- The flow.
  // Keeps the request's dictionary and takes its colour mode, first frame's resolution, width
  // and corrections into the template crop.
  void setScanDic(const fnd::Dictionary* scanDic);
  // The preview request built from the scan dictionary; answers whether it went out.
  bool previewStart();
  // The scan request for the checked frames; answers whether it went out.
  bool scanStart();

  // ---- The frame-select dialog (UILessScanModeDialog.cpp).
  void createDialog();
  void showDialog();
  void closeDialog();
  // enable YES gives the controls back; NO lays the overlay, and with all YES also disables
  // the buttons and the select-all box.
  void setEnabledAllControl(bool enable, bool all);
  Layout getLayout() const { return mLayout; }
  bool isDisabled() const { return mDisabledView != nullptr; }
  void appDidBecomeActive(const fnd::Notification& n);
  void appWillResignActive(const fnd::Notification& n);
  // Back (Cancel) and Next (Scan) act one run-loop turn after the click.
  void clickBackBtn();
  void clickBackBtnPerformSelector();
  void clickNextBtn();
  void clickNextBtnPerformSelector();
  // Window delegate.
  void windowDidResize(kit::Window& window) override;
  bool windowShouldZoom(kit::Window& window, const fnd::Rect& newFrame) override;
  fnd::Size windowWillResize(kit::Window& window, fnd::Size proposedFrameSize) override;
  bool windowShouldClose(kit::Window& window) override;
  // The dialog's controls, for the window controller's tests and pictures.
  Quirel_PreviewFrameView* getPreviewFrame() const { return mPreviewFrame.get(); }
  Quirel_NoFocusButton* getAllSelectCbx() const { return mAllSelectCbx.get(); }
  Quirel_NoFocusButton* getBackBtn() const { return mBackBtn.get(); }
  Quirel_NoFocusButton* getNextBtn() const { return mNextBtn.get(); }
  Quirel_ColorButton* getScanBtn() const { return mScanBtn.get(); }
  kit::TextField* getMsgTxtF() const { return mMsgTxtF.get(); }

  // ---- The thumbnails (UILessScanModeThumbnails.cpp).
  // The frames the preview found: frame list of {"points": four corners {"X", "Y"}},
  // film-size index (from 1) and film type.
  void createThumbnail(Quirel_PreviewInfo* preview, const fnd::Array* frames, int filmSizeIndex, int filmType);
  void createThumbnailInfo(int no, bool hidden, const SRectDouble& rect);
  void setThumbnailImage(Quirel_PreviewInfo* preview) override;
  void resizeThumbnailFrame(int no);
  void resizeThumbnailFrame();
  using ThumbnailRects = std::array<fnd::Rect, kMaxThumbnails>;
  void makeThumbnailRects(int count, ThumbnailRects& rects) const;
  fnd::Rect makeThumbnailRect(int no, int count) const;
  void clickThumbnailCheckBox(const kit::Button* box);
  void clickSelectAllCheckBox();
  void clickFrameView(const fnd::Notification& n);
  void mouseEventOnThumbnail(const fnd::Notification&) {}
  void removeAllThumbnail();
  static void copyCrop(const Quirel_CropInfo& from, Quirel_CropInfo& to);
  // The film frame's rectangle in 96-dpi pixels of the film area from its four corners in
  // preview pixels (y down) of a preview of previewWidth x previewHeight.
  static SRectDouble frameRectFromCorners(const std::array<SPointDouble, 4>& corners, double previewWidth,
                                          double previewHeight, const SSizeDouble& filmArea);
  // The picture view's frame for a picture of pictureSize (rotated by quarter turns) in the
  // space left in a frame view of frameSize above a check box whose top is boxTop.
  static fnd::Rect pictureRectInFrame(const fnd::Size& frameSize, double boxTop, const fnd::Size& pictureSize,
                                      int rotation);

 private:
  const void* selfIdentity() const { return static_cast<const void*>(this); }
  const void* outwardObject() const { return mUIMObject ? mUIMObject : selfIdentity(); }
  bool requestOut(const char* outwardName, bool preview);
  void cancelAndClose();
  std::string localized(const std::string& key, const char* table = "UserInterface") const;
  void buildVer12Panel(const fnd::Rect& area, double contentWidth);
  void buildVer13Panel(const fnd::Rect& area, double contentWidth, bool ver14);
  void observeActivation(bool on);
  bool allChecked() const;
  void placePreviewFrame();

  fnd::NotificationCenter& mCenter;

  std::shared_ptr<Quirel_PreferenceInfo> mPreferenceInfo;
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  int mPlatenResolution = 9600;
  SRectDouble mFilmPlatenRect_Pixel96{{0, 0}, {0, 0}};
  std::shared_ptr<Quirel_CropInfo> mTemplateCrop;
  CropList mCropList;
  ThumbnailList mThumbnailList;
  int mThumbnailCount = 0;
  std::optional<fnd::Dictionary> mScanDic;
  int mInputSource = 4;
  int mProgressStatus = 0;
  double mUserSpaceScaleFactor = 1.0;
  const void* mTwObject = nullptr;   // kept identity
  const void* mUIMObject = nullptr;  // kept identity
  Quirel_DisplayManager mDisplayManager;

  // The dialog.
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  std::unique_ptr<kit::Window> mWindow;
  Layout mLayout = Layout::None;
  std::unique_ptr<Quirel_PreviewFrameView> mPreviewFrame;
  std::unique_ptr<Quirel_UIOffColorView> mRightView;
  std::unique_ptr<kit::Box> mRightBox;
  std::unique_ptr<kit::View> mRightSubView;
  std::unique_ptr<kit::View> mStepImageView;
  std::unique_ptr<Quirel_NoFocusImageView> mLineView, mImageView_1, mDotView_1, mImageView_2, mDotView_2;
  std::unique_ptr<Quirel_NoFocusTextField> mStep1Title, mStep2Title;
  std::unique_ptr<kit::TextField> mMsgTxtF;
  std::unique_ptr<Quirel_NoFocusButton> mAllSelectCbx;
  std::unique_ptr<kit::Box> mSeparator;
  std::unique_ptr<Quirel_ColorButton> mScanBtn;
  std::unique_ptr<Quirel_NoFocusButton> mNextBtn;
  std::unique_ptr<Quirel_NoFocusButton> mBackBtn;
  std::unique_ptr<Quirel_DisabledView> mDisabledView;
  std::vector<fnd::NotificationCenter::Token> mActivationTokens;
  // Calls left on the run loop act only while the mode lives.
  std::shared_ptr<int> mAlive = std::make_shared<int>(0);
};
