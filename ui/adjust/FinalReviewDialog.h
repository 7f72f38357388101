#pragma once

#include <memory>
#include <vector>

#include "foundation/Value.h"
#include "ui/adjust/FloatingDialog.h"
#include "ui/controls/FRZoomViewLink.h"
#include "ui/controls/FinalReviewGraphLink.h"
#include "ui/model/Units.h"

class Quirel_CTRLS_FinalChannelPopup;
class Quirel_CTRLS_FinalReviewGraph;
class Quirel_CTRLS_FinalReviewZoomView;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_FRPixelValueView;
class Quirel_NoFocusButton;
class Quirel_PreferenceInfo;
namespace kit {
class TextField;
}

// The floating final-review dialog. It edits nothing: it shows the combined tone curve of all
// corrections over the histogram of the focused crop's corrected preview, for a chosen
// channel, and the values of the pixel under the pointer before and after the corrections.
// It follows the other dialogs' changes while visible and takes part in the key-window
// protocol as a dialog without typed values.
class Quirel_FinalReviewDialog : public Quirel_FloatingDialog {
 public:
  Quirel_FinalReviewDialog(const CropList* crops, Quirel_CropInfo* templateCrop, const Quirel_PreferenceInfo* preference,
                           const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow);
  ~Quirel_FinalReviewDialog() override;

  // Views to use in place of the dialog's own graph and zoom view; before creation.
  void setGraphView(std::unique_ptr<Quirel_FinalReviewGraphLink> view) { mPendingGraphView = std::move(view); }
  void setZoomView(std::unique_ptr<Quirel_FRZoomViewLink> view) { mPendingZoomView = std::move(view); }
  virtual void createFinalReviewDialog(fnd::Size contentSize);
  virtual void setColorMode(int mode);
  virtual void updateToneCurve(const CropList* crops, bool hasPreview, Quirel_CropInfo* templateCrop,
                               const Quirel_PreferenceInfo* preference);
  virtual void drawHistgram(const CropList* crops, bool hasPreview, Quirel_CropInfo* templateCrop);
  virtual void pixelValueSet(const fnd::Dictionary* values);
  void zoomViewHidden();
  void setRotation(int rotation);
  void setMirror(bool mirror);
  void setSelectChanel(int channel) { mFinalRevChannel = channel; }
  int getSelectChanel() const { return mFinalRevChannel; }
  void resetSelectChanel() { mFinalRevChannel = 0; }
  void setNeedsDisplayInGraph();
  void setEnabledToolTips() override;

  // Handlers.
  virtual void popupClick();
  virtual void closeBtnClick() { close(); }
  virtual void dialogUpdate();
  virtual void setHistgram();
  virtual void displayReflesh();
  void dlgMouseDown() override { setNeedsDisplayInGraph(); }

  // State, for the mode and for tests.
  Quirel_CTRLS_FinalChannelPopup* channelPopup() const { return mChannelPopupBtn.get(); }
  Quirel_CTRLS_FinalReviewGraph* graph() const { return mGraphFrame.get(); }
  Quirel_CTRLS_FinalReviewZoomView* zoomView() const { return mZoomView.get(); }
  Quirel_NoFocusButton* closeButton() const { return mCloseBtn; }
  int popupSelected() const { return mPopupSelected; }
  bool colorReadoutShown() const;
  bool grayReadoutShown() const;
  std::string readoutText() const;
  Quirel_FRPixelValueView* colorReadout() const { return mColorPixelValueView; }
  Quirel_FRPixelValueView* grayReadout() const { return mGrayPixelValueView; }

 protected:
  void setMouseDownOnControl(bool on) override;
  void setControlsEnabled(bool enabled) override;
  void refreshAfterBecomingKey() override;
  void beforeCloseGranted() override;
  void clearCurrentReadout();
  // The before/after readout of a colour (0) or grey (1) image.
  virtual std::unique_ptr<Quirel_FRPixelValueView> createReadout(const fnd::Rect& frame, int color);

  const Quirel_PreferenceInfo* mPreferenceInfo = nullptr;  // not owned
  int mPopupSelected = 0;
  int mFinalRevChannel = 0;
  bool mHasPreview = false;
  SRectDouble mcropCorRect{};
  int mWidth = 0, mHeight = 0;
  const std::uint8_t* mcropCorData = nullptr;  // not owned

  std::unique_ptr<Quirel_FinalReviewGraphLink> mPendingGraphView;
  std::unique_ptr<Quirel_FRZoomViewLink> mPendingZoomView;
  std::unique_ptr<Quirel_CTRLS_FinalChannelPopup> mChannelPopupBtn;
  std::unique_ptr<Quirel_CTRLS_FinalReviewGraph> mGraphFrame;
  std::unique_ptr<Quirel_CTRLS_FinalReviewZoomView> mZoomView;
  Quirel_DlgBackgroundView* mContentView = nullptr;  // owned by the view tree
  Quirel_DlgBackgroundView* mBackgroundView = nullptr;
  std::vector<Quirel_DlgImageView*> mImageViews;
  Quirel_FRPixelValueView* mColorPixelValueView = nullptr;
  Quirel_FRPixelValueView* mGrayPixelValueView = nullptr;
  Quirel_NoFocusButton* mCloseBtn = nullptr;
};
