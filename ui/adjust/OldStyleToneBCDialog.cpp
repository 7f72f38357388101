#include "ui/adjust/OldStyleToneBCDialog.h"

#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "ui/controls/CTRLS_ToneBCChannelPopup.h"
#include "ui/controls/CTRLS_ToneBCGraph.h"
#include "ui/controls/CTRLS_ToneBCInputTextF.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

namespace {
struct OldToneBCRow {
  const char* title;
  double fieldY, sliderY;
  const char* images[3];  // left end, bar, right end
};
constexpr OldToneBCRow kOldToneBCRows[2] = {
    {"IDC_PGBC_BRGHT_LABEL_STR", 122, 94, {"AdvBri2", "BrightnessBar", "AdvBri1"}},
    {"IDC_PGBC_CNTRST_LABEL_STR", 70, 44, {"AdvCon2", "ContrastBar", "AdvCon1"}},
};
}  // namespace

void Quirel_OldStyleToneBCDialog::createToneBCDialog(fnd::Size size) {
  setOlderLayout({Code::HIST});
  createPanel(size, "IDD_PAGE_TONE_BC_STR", true);
  const kit::Font small = kit::Font::systemFont(10);
  mLowerHeight = size.height - kGraphAreaHeight - 33;

  mBackgroundView = installBackgroundViews(size, fnd::Rect(0, 0, size.width, size.height), mSubContentView);
  mBackgroundView->setAutoresizesSubviews(false);
  auto addImage = [&](kit::View* parent, fnd::Rect frame, const char* name, kit::ImageScaling scaling) {
    return mImageViews.emplace_back(addPicture(parent, frame, name, scaling));
  };

  // Channel menu, and the fold button to its right.
  const double top = mLowerHeight + kGraphAreaHeight;
  mChannelPopupBtn = std::make_unique<Quirel_CTRLS_ToneBCChannelPopup>();
  mChannelPopupBtn->setTitleTxtTitle(localized("IDC_PGBC_CH_LABEL_STR"));
  mChannelPopupBtn->setTitleTxtRect(10, top + 10, 60, 13);
  mChannelPopupBtn->setPopupBTRect(70, top + 4, 110, 22);
  mChannelPopupBtn->setPopupBTFont(small);
  mChannelPopupBtn->getPopupBT()->setNotificationType(2);
  mBackgroundView->addSubview(mChannelPopupBtn->getTitleTxt());
  mBackgroundView->addSubview(mChannelPopupBtn->getPopupBT());
  mChannelPopupBtn->setPopupBTAction();
  auto fold = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(190, top + 9, 17, 18));
  fold->setButtonType(kit::ButtonType::MomentaryChange);
  fold->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  fold->setBordered(false);
  fold->setImagePosition(kit::ImagePosition::ImageLeft);
  fold->setImage(kit::Image::fromFile(getFileName("Folditem")));
  fold->setAction([this] { Quirel_ToneBCDialog::changeBtnClick(); });
  mChangeBtn = static_cast<Quirel_NoFocusButton*>(mBackgroundView->addSubview(std::move(fold)));

  // Graph area.
  buildGraphArea(size.width, "GradationverticalBar", "GradationHorizonBar");
  mGraphAreaView->setToolTip(mWindow->title());

  for (int r = 0; r < 2; ++r) {
    const OldToneBCRow& look = kOldToneBCRows[r];
    auto input = makeInputRow(look.title, look.fieldY, look.fieldY, look.fieldY - 2, look.sliderY, small);
    const double endY = look.sliderY + 2.5;
    addImage(mBackgroundView, fnd::Rect(2, endY, 20, 20), look.images[0], kit::ImageScaling::ProportionallyUpOrDown);
    addImage(mBackgroundView, fnd::Rect(24, look.sliderY - 4, 172, 8), look.images[1], kit::ImageScaling::AxesIndependently);
    addImage(mBackgroundView, fnd::Rect(198, endY, 20, 20), look.images[2], kit::ImageScaling::ProportionallyUpOrDown);
    mBackgroundView->addSubview(input->getSlider());
    mInputs[static_cast<std::size_t>(r)] = std::move(input);
  }

  addSeparator(mBackgroundView, fnd::Rect(10, 36, size.width - 20, 1));
  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    return addPushButton(mBackgroundView, key, fnd::Rect(x, 4, 98, 28), small, std::move(action));
  };
  mResetBtn = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", 8, [this] { Quirel_ToneBCDialog::resetBtnClick(); });
  mCloseBtn = makeButton("IDC_MAINSHEET_CLOSE_STR", 114, [this] { Quirel_ToneBCDialog::closeBtnClick(); });

  popupSelected = 3;
  fillChannelMenu();
  mToneBCChannel = 0;
  mChannelPopupBtn->select(0);
  mChgBtnOnOffState = true;
  setEnabledToolTips();
  registerToneBCObservers({Code::HIST, Code::CURVE, Code::FINAL, Code::INFO});
  storeContentHeights();
  mContentHeight_Close = mContentHeight_Open - kGraphAreaHeight;
}
