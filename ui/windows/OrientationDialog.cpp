#include "ui/windows/OrientationDialog.h"

#include "kit/Color.h"
#include "kit/View.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/DisplayManager.h"

namespace {

constexpr double kOrientUpperY = 205;
constexpr double kOrientUpperHeight = 190;
constexpr double kOrientLowerY = 45;

}  // namespace

Quirel_OrientationDialog::Quirel_OrientationDialog(fnd::NotificationCenter& center)
    : Quirel_OrientationDialog(0, 0, true, true, center) {}

Quirel_OrientationDialog::Quirel_OrientationDialog(std::int32_t direction, std::int32_t binding, bool visibleBinding,
                                                   bool enabledBinding, fnd::NotificationCenter& center)
    : mCenter(center) {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this, center));
  initControls();
  mOkClose = 0;
  mDirection = direction;
  mBinding = binding;
  mVisibleBinding = visibleBinding;
  mEnabledBinding = enabledBinding;
}

Quirel_OrientationDialog::~Quirel_OrientationDialog() {
  mCenter.removeObserver(this);
  releaseControls();
}

void Quirel_OrientationDialog::initControls() {
  mWindow.reset();
  mDirectionView = nullptr;
  mDirectionTitle = nullptr;
  mDirectionImageView = nullptr;
  mTopImage = kit::Image();
  mLeftImage = kit::Image();
  mDirectionRadioBtn = nullptr;
  mTopTitleImageView = nullptr;
  mLeftTitleImageView = nullptr;
  mSeparator = nullptr;
  mBindView = nullptr;
  mBindTitle = nullptr;
  mBindRadioBtn = nullptr;
  mTopLongTitleImageView = nullptr;
  mLeftLongTitleImageView = nullptr;
  mTopShortTitleImageView = nullptr;
  mLeftShortTitleImageView = nullptr;
  mSeparator2 = nullptr;
  mOkBtn = nullptr;
  mCancelBtn = nullptr;
}

void Quirel_OrientationDialog::releaseControls() {
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
  initControls();
}

std::string Quirel_OrientationDialog::text(const std::string& key, const char* table) const {
  std::optional<std::string> t = mLSobj ? mLSobj->ls_localizedStringForKey(key, table) : std::nullopt;
  if (!t || *t == Quirel_PVLocalizedString::kNone) return key;
  return *t;
}

kit::Image Quirel_OrientationDialog::picture(const std::string& name) { return kit::Image::named(name, kPictureFolder); }

Quirel_NoFocusImageView* Quirel_OrientationDialog::bindingImageView(int choice, bool left) const {
  if (choice == 0) return left ? mLeftLongTitleImageView : mTopLongTitleImageView;
  return left ? mLeftShortTitleImageView : mTopShortTitleImageView;
}

void Quirel_OrientationDialog::createOrientationDialog() {
  const bool v1600 = mScannerInfo && mScannerInfo->isVer1600Later();
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later();
  if (v1600)
    createOrientationDialog_V1600();
  else if (v1500)
    createOrientationDialog_V1500();
  else
    createOrientationDialog_V1400();
}

void Quirel_OrientationDialog::createOrientationDialog_V1400() { buildLayout({1400, 150, false}); }
void Quirel_OrientationDialog::createOrientationDialog_V1500() { buildLayout({1500, 150, false}); }
void Quirel_OrientationDialog::createOrientationDialog_V1600() { buildLayout({1600, 190, true}); }

void Quirel_OrientationDialog::buildLayout(const Layout& layout) {
  releaseControls();
  mLayout = layout.generation;
  const bool v1400 = mScannerInfo && mScannerInfo->isVer1400Later();
  const bool revised = mScannerInfo && mScannerInfo->isRevisedADFOrientation();
  const bool first = layout.generation == 1400;

  mWindow = std::make_unique<Quirel_OrientationDlgWindow>(fnd::Rect(400, 200, kWidth, kHeight), kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setLevel(kLevel);
  mWindow->setDelegate(this);
  mWindow->setCloseFlg(0);
  mWindow->setTitle(text(first && !v1400 ? "IDMAC_ADFDLG_CAPTION" : "IDD_OPENSIDE_STR"));
  kit::View* content = mWindow->contentView();

  auto label = [&](kit::View* parent, const fnd::Rect& frame, const std::string& key) {
    auto field = kit::TextField::labelWithString(text(key), frame);
    field->setDrawsBackground(false);
    field->setBezeled(false);
    field->setEditable(false);
    return static_cast<kit::TextField*>(parent->addSubview(std::move(field)));
  };
  auto imageView = [&](kit::View* parent, const fnd::Rect& frame, const kit::Image& image) {
    auto view = std::make_unique<Quirel_NoFocusImageView>(frame);
    view->setImageScaling(kit::ImageScaling::ProportionallyDown);
    view->setImage(image);
    return static_cast<Quirel_NoFocusImageView*>(parent->addSubview(std::move(view)));
  };
  auto separator = [&](kit::View* parent) {
    auto box = std::make_unique<kit::Box>(fnd::Rect(10, 0, 380, 5));
    box->setBoxType(kit::BoxType::Separator);
    return static_cast<kit::Box*>(parent->addSubview(std::move(box)));
  };
  auto matrix = [&](kit::View* parent, const fnd::Rect& frame, int rows, int columns,
                    void (Quirel_OrientationDialog::*action)(kit::Control*)) {
    auto m = std::make_unique<Quirel_NoFocusRadioButton>(frame, rows, columns);
    m->setAutosizesCells(true);
    m->setTarget(this, action);
    return static_cast<Quirel_NoFocusRadioButton*>(parent->addSubview(std::move(m)));
  };

  // The upper group: the leading edge. Its top part lies above the content and stays empty.
  mDirectionView = content->addSubview(std::make_unique<kit::View>(fnd::Rect(0, kOrientUpperY, kWidth, kOrientUpperHeight)));
  mDirectionTitle = label(mDirectionView, fnd::Rect(20, 135, 360, 17),
                          layout.generation == 1600 || v1400 ? "IDC_PGADV_ORIENTATION_LABEL_STR" : "IDMAC_ADFDLG_TXT");
  const double matrixX = first ? 265 : 170;
  mDirectionRadioBtn = matrix(mDirectionView, fnd::Rect(matrixX, 20, 120, 100), 2, 1,
                              &Quirel_OrientationDialog::directionRadioClick);
  mDirectionRadioBtn->setCellTitle(0, 0, text("IDC_OPENSIDE_UPPER_STR"));
  mDirectionRadioBtn->setCellTitle(1, 0, text("IDC_OPENSIDE_LEFT_STR"));
  if (first) {
    mTopImage = picture("AdfOperationTop.tif");
    mLeftImage = picture("AdfOperationLeft.tif");
    mDirectionImageView = imageView(mDirectionView, fnd::Rect(50, 30, 90, 70), mTopImage);
  }
  const std::string topSide = first ? "AdfFromTop.tif" : "FEEDER_L_UPPER.tiff";
  const std::string leftSide = first ? "AdfFromLeft.tif" : "FEEDER_L_LEFT.tiff";
  mTopTitleImageView = imageView(mDirectionView, fnd::Rect(matrixX - 45, 79, 40, 32), picture(topSide));
  mLeftTitleImageView = imageView(mDirectionView, fnd::Rect(matrixX - 45, 29, 40, 32), picture(leftSide));
  mSeparator = separator(mDirectionView);

  // The lower group: the binding edge.
  auto bind = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, kOrientLowerY, kWidth, layout.lowerHeight));
  mBindView = static_cast<Quirel_NoFocusView*>(content->addSubview(std::move(bind)));
  mBindTitle = label(mBindView, fnd::Rect(20, layout.bindingInRows ? 135 : 120, 360, 17), "IDC_OPEN_DIRECT_STR");

  // Picture names: [choice][direction top, left].
  const bool grey = layout.generation != 1400 && !(mVisibleBinding && mEnabledBinding);
  auto g = [&](const std::string& base) { return base + (grey ? "_G" : "") + ".tiff"; };
  if (first) {
    mBindPictureNames[0][0] = "AdfBindLong.tif";
    mBindPictureNames[0][1] = revised ? "FEEDER_UL_R.tif" : "AdfBindShort.tif";
    mBindPictureNames[1][0] = "AdfBindShort.tif";
    mBindPictureNames[1][1] = revised ? "FEEDER_LR_R.tif" : "AdfBindLong.tif";
  } else if (layout.generation == 1500) {
    mBindPictureNames[0][0] = g("FEEDER_LR");
    mBindPictureNames[0][1] = g(revised ? "FEEDER_UL_R" : "FEEDER_UL");
    mBindPictureNames[1][0] = g("FEEDER_UL");
    mBindPictureNames[1][1] = g(revised ? "FEEDER_LR_R" : "FEEDER_LR");
  } else {
    mBindPictureNames[0][0] = g("FEEDER_LR");
    mBindPictureNames[0][1] = g("FEEDER_UL_R");
    mBindPictureNames[1][0] = g("FEEDER_UL");
    mBindPictureNames[1][1] = g("FEEDER_LR_R");
  }

  fnd::Rect choiceFrames[2];
  if (layout.bindingInRows) {
    mBindRadioBtn = matrix(mBindView, fnd::Rect(170, 15, 200, 110), 2, 1, &Quirel_OrientationDialog::bindingRadioClick);
    mBindRadioBtn->setCellTitle(0, 0, text("IDC_OPENSIDE_LR_STR"));
    mBindRadioBtn->setCellTitle(1, 0, text("IDC_OPENSIDE_UL_STR"));
    choiceFrames[0] = fnd::Rect(90, 71, 64, 48);
    choiceFrames[1] = fnd::Rect(90, 16, 64, 48);
  } else {
    mBindRadioBtn = matrix(mBindView, fnd::Rect(80, 20, 300, 40), 1, 2, &Quirel_OrientationDialog::bindingRadioClick);
    mBindRadioBtn->setCellTitle(0, 0, text("IDC_OPENSIDE_LR_STR"));
    mBindRadioBtn->setCellTitle(0, 1, text("IDC_OPENSIDE_UL_STR"));
    choiceFrames[0] = fnd::Rect(88, 62, 64, 48);
    choiceFrames[1] = fnd::Rect(238, 62, 64, 48);
  }
  mTopLongTitleImageView = imageView(mBindView, choiceFrames[0], picture(mBindPictureNames[0][0]));
  mLeftLongTitleImageView = imageView(mBindView, choiceFrames[0], picture(mBindPictureNames[0][1]));
  mTopShortTitleImageView = imageView(mBindView, choiceFrames[1], picture(mBindPictureNames[1][0]));
  mLeftShortTitleImageView = imageView(mBindView, choiceFrames[1], picture(mBindPictureNames[1][1]));
  mSeparator2 = separator(mBindView);

  auto button = [&](const fnd::Rect& frame, const std::string& key, void (Quirel_OrientationDialog::*action)(kit::Control*)) {
    auto b = std::make_unique<Quirel_NoFocusButton>(frame);
    b->setBezelStyle(kit::BezelStyle::Rounded);
    b->setButtonType(kit::ButtonType::MomentaryPushIn);
    b->setTitle(text(key));
    b->setTarget(this, action);
    return static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(b)));
  };
  mOkBtn = button(fnd::Rect(280, 7, 120, 32), "IDMAC_OK_BTN", &Quirel_OrientationDialog::okButtonClick);
  mCancelBtn = button(fnd::Rect(160, 7, 120, 32), "IDMAC_CANCEL_BTN", &Quirel_OrientationDialog::cancelButtonClick);
  setToolTips();
}

void Quirel_OrientationDialog::setToolTips() {
  if (!mDirectionRadioBtn || !mBindRadioBtn) return;
  const bool v1400 = mScannerInfo && mScannerInfo->isVer1400Later();
  mDirectionRadioBtn->setToolTip(text(v1400 ? "IDC_OPENSIDE_UPPER" : "IDMAC_ADFDLG_RADIO_TOP", "ToolTips"), 0, 0);
  mDirectionRadioBtn->setToolTip(text(v1400 ? "IDC_OPENSIDE_LEFT" : "IDMAC_ADFDLG_RADIO_LEFT", "ToolTips"), 1, 0);
  mBindRadioBtn->setToolTip(text("IDC_OPENSIDE_LR", "ToolTips"), 0, 0);
  if (mBindRadioBtn->numberOfRows() == 1)
    mBindRadioBtn->setToolTip(text("IDC_OPENSIDE_UL", "ToolTips"), 0, 1);
  else
    mBindRadioBtn->setToolTip(text("IDC_OPENSIDE_UL", "ToolTips"), 1, 0);
}

void Quirel_OrientationDialog::setDirectionImage(std::int32_t direction) {
  const bool top = direction == 0;
  if (mDirectionImageView) mDirectionImageView->setImage(top ? mTopImage : mLeftImage);
  for (Quirel_NoFocusImageView* v : {mTopLongTitleImageView, mTopShortTitleImageView})
    if (v) v->setHidden(!top);
  for (Quirel_NoFocusImageView* v : {mLeftLongTitleImageView, mLeftShortTitleImageView})
    if (v) v->setHidden(top);
}

void Quirel_OrientationDialog::selectBinding(std::int32_t choice) {
  if (!mBindRadioBtn) return;
  if (mBindRadioBtn->numberOfRows() == 1)
    mBindRadioBtn->selectCellAtRow(0, choice);
  else
    mBindRadioBtn->selectCellAtRow(choice, 0);
}

void Quirel_OrientationDialog::directionRadioClick(kit::Control*) {
  if (!mDirectionRadioBtn) return;
  mDirection = mDirectionRadioBtn->selectedRow();
  setDirectionImage(mDirection);
}

void Quirel_OrientationDialog::bindingRadioClick(kit::Control*) {
  if (!mBindRadioBtn) return;
  if (mBindRadioBtn->numberOfRows() == 1 && mBindRadioBtn->numberOfColumns() == 2)
    mBinding = mBindRadioBtn->selectedColumn();
  else if (mBindRadioBtn->numberOfRows() == 2 && mBindRadioBtn->numberOfColumns() == 1)
    mBinding = mBindRadioBtn->selectedRow();
}

void Quirel_OrientationDialog::okButtonClick(kit::Control*) {
  mOkClose = 1;
  mCenter.post(kClosePost, this);
}

void Quirel_OrientationDialog::cancelButtonClick(kit::Control*) {
  mOkClose = 0;
  mCenter.post(kClosePost, this);
}

void Quirel_OrientationDialog::showOrientationDialog(kit::Window* parent) {
  if (!mWindow) return;
  mOkClose = 0;
  mWindow->setDefaultButton(mOkBtn);
  mDirectionRadioBtn->selectCellAtRow(mDirection, 0);
  setDirectionImage(mDirection);
  selectBinding(mBinding);

  if (mVisibleBinding && !mEnabledBinding) {
    mBindTitle->setTextColor(kit::Color::disabledControlText());
    const bool later = mScannerInfo && mScannerInfo->isVer1500Later();
    if (!later)
      for (Quirel_NoFocusImageView* v : {mTopLongTitleImageView, mLeftLongTitleImageView, mTopShortTitleImageView,
                                         mLeftShortTitleImageView})
        v->setEnabled(false);
    mBindRadioBtn->setEnabled(false);
  }
  if (!mVisibleBinding) {
    mBindView->setHidden(true);
    const fnd::Rect f = mDirectionView->frame();
    mDirectionView->setFrame(fnd::Rect(f.origin.x, f.origin.y - kBindingGroupHeight, f.size.width, f.size.height));
    const fnd::Rect c = mWindow->contentView()->frame();
    mWindow->setContentSize(fnd::Size(c.size.width, c.size.height - kBindingGroupHeight));
  }

  const fnd::Rect parentFrame = parent ? parent->frame() : fnd::Rect(0, 0, 0, 0);
  const fnd::Rect own = mWindow->frame();
  fnd::Rect centred(parentFrame.origin.x + (parentFrame.size.width - own.size.width) / 2,
                    parentFrame.origin.y + (parentFrame.size.height - own.size.height) / 2, own.size.width,
                    own.size.height);
  centred = Quirel_DisplayManager().getAdjustmentWindowFrame(centred, own.size);
  mWindow->setFrame(centred, true);
  mWindow->makeKeyAndOrderFront();
  mWindow->display();
}

void Quirel_OrientationDialog::closeOrientationDialog() {
  if (!mWindow) return;
  mWindow->setCloseFlg(1);
  mWindow->close();
}

void Quirel_OrientationDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.isVisible() && window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_OrientationDialog::windowDidUpdate(kit::Window& window) { windowDidBecomeKey(window); }
