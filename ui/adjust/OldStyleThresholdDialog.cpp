#include "ui/adjust/OldStyleThresholdDialog.h"

#include <cmath>

#include "kit/Box.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "ui/adjust/ThresholdGraphView.h"
#include "ui/controls/CTRLS_ThresholdGraph.h"
#include "ui/controls/CTRLS_ThresholdInputTextF.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

void Quirel_OldStyleThresholdDialog::createThresholdDialog(fnd::Size size) {
  setOlderLayout({});
  createPanel(size, "IDD_PAGE_TONE_TH_STR", true);
  mBackgroundView = installBackgroundViews(size, fnd::Rect(0, 0, size.width, size.height), mSubContentView);
  const double x0 = columnX(size.width);
  const double top = size.height;
  auto addImage = [&](fnd::Rect frame, const char* name, kit::ImageScaling scaling) {
    mImageViews.push_back(addPicture(mBackgroundView, frame, name, scaling));
  };

  if (!mPendingGraphView) mPendingGraphView = std::make_unique<Quirel_ThresholdGraphView>();
  kit::View* graphView = mPendingGraphView->linkedView();
  mGraphFrame = std::make_unique<Quirel_CTRLS_ThresholdGraph>(std::move(mPendingGraphView));
  if (graphView) {
    mBackgroundView->addSubview(graphView);
    mGraphFrame->setGraphViewRect(x0 + 35, top - 170, 150, 150);
  }
  addImage(fnd::Rect(x0 + 35, top - 184, 151, 10), "GradationHorizonBar", kit::ImageScaling::AxesIndependently);

  // The level starts at 72 whatever the scanner record says; Reset still takes the record's.
  mThresholdInput = std::make_unique<Quirel_CTRLS_ThresholdInputTextF>(kPictureFolder);
  Quirel_CTRLS_ThresholdInputTextF* in = mThresholdInput.get();
  in->setTitleTxtTitle(localized("IDC_PGTH_THRESHOLD_LEVEL_STR"));
  in->setTitleTxtRect(x0 + 7, top - 216, 150, 17);
  in->setNumberTxtFRect(x0 + 157, top - 216, 40, 19);
  in->setStepperRect(x0 + 197, top - 218, 20, 22);
  in->setSliderRect(x0 + 24, top - 276, 172, 25);
  in->setStringValue("72");
  in->getSlider()->setIntValue(72);
  mShownValue = 72;
  mGraphFrame->setThreshold(72);
  in->getNumberTxtF()->setDelegate(this);
  mBackgroundView->addSubview(in->getTitleTxt());
  mBackgroundView->addSubview(in->getNumberTxtF());
  mBackgroundView->addSubview(in->getStepper());
  in->setAction();
  addImage(fnd::Rect(x0 + 24, top - 246, 172, 12), "B&W", kit::ImageScaling::AxesIndependently);
  addImage(fnd::Rect(x0 + 2, top - 250, 20, 20), "WhiteIcon", kit::ImageScaling::None);
  addImage(fnd::Rect(x0 + 198, top - 250, 20, 20), "BlackIcon", kit::ImageScaling::None);
  mBackgroundView->addSubview(in->getSlider());

  addSeparator(mBackgroundView, fnd::Rect(10, 40, size.width - 20, 1));
  const kit::Font small = kit::Font::systemFont(10);
  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    return addPushButton(mBackgroundView, key, fnd::Rect(x, 6, 98, 28), small, std::move(action));
  };
  mBtnReset = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", x0 + 8, [this] { Quirel_ThresholdDialog::resetBtnClick(); });
  mBtnClose = makeButton("IDC_MAINSHEET_CLOSE_STR", x0 + 114, [this] { Quirel_ThresholdDialog::closeBtnClick(); });

  setToolTipsThreshold();
  registerThresholdObservers();
  storeContentHeights();
}
