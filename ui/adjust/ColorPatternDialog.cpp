#include "ui/adjust/ColorPatternDialog.h"

#include <algorithm>
#include <cmath>

#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Box.h"
#include "kit/Font.h"
#include "kit/TextField.h"
#include "ui/adjust/ColorPatternDlgWindow.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/ColorPatternImageView.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

// One colour button of the adjustment area: title key, title place and fitting rule, button
// place, pictures (newer scanners, older ones) and help tag.
struct ColorPatternButtonSpec {
  Quirel_ColorPatternDialog::ColorButton button;
  const char* titleKey;
  double titleX, titleY;
  int rule;
  double buttonX, buttonY;
  const char* image;
  const char* disabledImage;
  const char* oldImage;
  const char* oldDisabledImage;
  const char* toolTipKey;
};

constexpr ColorPatternButtonSpec kColorPatternButtons[] = {
    {Quirel_ColorPatternDialog::kButtonG, "IDC_PGCB_GREEN_STR", 0, 216, 0, 15, 185, "BT_GREEN.tiff", "BT_GREEN_G.tiff",
     "green_arrow.icns", "green_arrow_d.icns", "IDC_CS_GREEN_BTN"},
    {Quirel_ColorPatternDialog::kButtonY, "IDC_PGCB_YELLOW_STR", 75, 226, 1, 90, 185, "BT_YELLOW.tiff",
     "BT_YELLOW_G.tiff", "yellow_arrow.icns", "yellow_arrow_d.icns", "IDC_CS_YELLOW_BTN"},
    {Quirel_ColorPatternDialog::kButtonR, "IDC_PGCB_RED_STR", 150, 216, 2, 165, 185, "BT_RED.tiff", "BT_RED_G.tiff",
     "red_arrow.icns", "red_arrow_d.icns", "IDC_CS_RED_BTN"},
    {Quirel_ColorPatternDialog::kButtonC, "IDC_PGCB_CYAN_STR", 0, 10, 0, 15, 33, "BT_CYAN.tiff", "BT_CYAN_G.tiff",
     "cyan_arrow.icns", "cyan_arrow_d.icns", "IDC_CS_CYAN_BTN"},
    {Quirel_ColorPatternDialog::kButtonB, "IDC_PGCB_BLUE_STR", 75, 0, 1, 90, 33, "BT_BLUE.tiff", "BT_BLUE_G.tiff",
     "blue_arrow.icns", "blue_arrow_d.icns", "IDC_CS_BLUE_BTN"},
    {Quirel_ColorPatternDialog::kButtonM, "IDC_PGCB_MAGENTA_STR", 150, 10, 2, 165, 33, "BT_MAGENTA.tiff",
     "BT_MAGENTA_G.tiff", "magenta_arrow.icns", "magenta_arrow_d.icns", "IDC_CS_MAGENTA_BTN"},
};

// One row of the balance area.
struct ColorPatternBalanceRow {
  const char* labelKey;
  double chipY, labelY, valueY;
  const char* chip;
  const char* oldChip;
};

constexpr ColorPatternBalanceRow kColorPatternBalanceRows[] = {
    {"IDC_COLORPATTERN_TXT_R_STR", 70, 72, 72, "ADJ_RED.tiff", "colorchip_red.icns"},
    {"IDC_COLORPATTERN_TXT_G_STR", 35, 37, 37, "ADJ_GREEN.tiff", "colorchip_green.icns"},
    {"IDC_COLORPATTERN_TXT_B_STR", 0, 2, 0, "ADJ_BLUE.tiff", "colorchip_blue.icns"},
};

bool sameColorPatternOffsets(const ColorBalanceValues& a, const ColorBalanceValues& b) {
  return a.cyanRed == b.cyanRed && a.magentaGreen == b.magentaGreen && a.yellowBlue == b.yellowBlue;
}

}  // namespace

// --- creation ----------------------------------------------------------------------------------

Quirel_ColorPatternDialog::Quirel_ColorPatternDialog() { initCommon(nullptr, 0); }

Quirel_ColorPatternDialog::Quirel_ColorPatternDialog(std::shared_ptr<Quirel_CropInfo> crop,
                                                     const Quirel_UIScannerInfo* scannerInfo, int scanMode)
    : mFocusCrop(std::move(crop)) {
  initCommon(scannerInfo, scanMode);
}

Quirel_ColorPatternDialog::Quirel_ColorPatternDialog(std::shared_ptr<Quirel_ThumbnailInfo> thumbnail,
                                                     const Quirel_UIScannerInfo* scannerInfo, int scanMode)
    : mFocusThumbnail(std::move(thumbnail)), mThumbnailMode(true) {
  if (mFocusThumbnail) mFocusCrop = mFocusThumbnail->getCropInfo();
  initCommon(scannerInfo, scanMode);
}

void Quirel_ColorPatternDialog::initCommon(const Quirel_UIScannerInfo* scannerInfo, int scanMode) {
  mScannerInfo = scannerInfo;
  mScanMode = scanMode;
  if (mFocusCrop) {
    const ColorBalanceValues crop = mFocusCrop->getColorBalance();
    mBaseColorBalance = ColorBalanceValues{0, crop.cyanRed, crop.magentaGreen, crop.yellowBlue};
  }
  mNewColorBalance = mBaseColorBalance;
  mOkClose = false;
}

Quirel_ColorPatternDialog::~Quirel_ColorPatternDialog() {
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
  // The cells point into the window's views: forget them before the window goes.
  mPatternList.clear();
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

void Quirel_ColorPatternDialog::setTWAINObject(const void* twainObject, const void* uimObject) {
  mTWAINObject = twainObject;
  mUIMObject = uimObject;
}

void Quirel_ColorPatternDialog::createDialog(const fnd::Dictionary* pluginInfo) {
  if (mWindow) return;  // built once
  if (pluginInfo) mPluginInfo = *pluginInfo;
  localizedString();
  createWindow();
  fnd::NotificationCenter::defaultCenter().addObserver(
      this, Quirel_ColorPatternFrameView::kClickPost, nullptr,
      [this](const fnd::Notification& n) { mouseClickOnColorPatternFrameView(n.sender); });
  setToolTips();
  // Later look-ups ask again.
  mLocalizedString.reset();
}

void Quirel_ColorPatternDialog::createWindow() {
  mWindow = std::make_unique<Quirel_ColorPatternDlgWindow>(fnd::Rect(400, 200, 850, 590), kit::kTitledWindowMask);
  mWindow->setTitle(getUILocalizedString("IDD_DIALOG1_STR"));
  mWindow->setLevel(kWindowLevel);
  mWindow->setDelegate(this);
  mWindow->setCloseFlg(false);
  kit::View* content = mWindow->contentView();

  auto left = std::make_unique<Quirel_PreviewFrameView>(fnd::Rect(5, 5, 590, 580));
  left->setPostNotification(false);
  left->setDrawFocusRing(false);
  mLeftView = static_cast<Quirel_PreviewFrameView*>(content->addSubview(std::move(left)));
  createThumbnailArea();

  auto right = std::make_unique<kit::Box>(fnd::Rect(597, 5, 250, 580));
  right->setTitlePosition(kit::TitlePosition::NoTitle);
  auto* rightBox = static_cast<kit::Box*>(content->addSubview(std::move(right)));
  createColorAdjustmentArea(*rightBox);
  createColorBalanceArea(*rightBox);
  auto separator = std::make_unique<kit::Box>(fnd::Rect(0, 35, 250, 5));
  separator->setBoxType(kit::BoxType::Separator);
  rightBox->addSubview(std::move(separator));

  const double half = std::floor(rightBox->contentRect().size.width / 2);
  auto makeButton = [&](const fnd::Rect& frame, const char* key, void (Quirel_ColorPatternDialog::*action)(kit::Control*)) {
    auto b = std::make_unique<Quirel_NoFocusButton>(frame);
    b->setTitle(getUILocalizedString(key));
    b->setBezelStyle(kit::BezelStyle::Rounded);
    b->setButtonType(kit::ButtonType::MomentaryPushIn);
    b->setTarget(this, action);
    return static_cast<kit::Button*>(rightBox->addSubview(std::move(b)));
  };
  mCancelButton = makeButton(fnd::Rect(0, 0, half, 32), "IDMAC_CANCEL_BTN", &Quirel_ColorPatternDialog::cancelButtonClick);
  mOkButton = makeButton(fnd::Rect(half, 0, half, 32), "IDMAC_OK_BTN", &Quirel_ColorPatternDialog::okButtonClick);
}

void Quirel_ColorPatternDialog::createThumbnailArea() {
  mPatternList.clear();
  for (const CellTableRow& row : cellTable()) {
    auto frame = std::make_unique<Quirel_ColorPatternFrameView>(fnd::Rect(row.x, row.y, 110, 110));
    auto* frameView = static_cast<Quirel_ColorPatternFrameView*>(mLeftView->addSubview(std::move(frame)));
    auto* imageView = static_cast<Quirel_ColorPatternImageView*>(
        frameView->addSubview(std::make_unique<Quirel_ColorPatternImageView>(fnd::Rect(5, 5, 100, 100))));
    auto cell = std::make_unique<Quirel_ColorPatternInfo>();
    cell->setFrameView(frameView);
    cell->setImageView(imageView);
    // Absolute balances, not added to the crop's own.
    cell->setColorBalance(ColorBalanceValues{0, row.r, row.g, row.b});
    const auto& e = row.enabled;
    cell->setEnableBtn(e[kButtonR], e[kButtonG], e[kButtonB], e[kButtonC], e[kButtonM], e[kButtonY]);
    const auto& n = row.next;
    cell->setNextIndex(n[kButtonR], n[kButtonG], n[kButtonB], n[kButtonC], n[kButtonM], n[kButtonY]);
    mPatternList.push_back(std::move(cell));
  }
  makeThumbnailImages();
}

void Quirel_ColorPatternDialog::createColorAdjustmentArea(kit::Box& rightBox) {
  auto title = kit::TextField::labelWithString(getUILocalizedString("IDC_COLORPATTERN_ADJUST_STR"),
                                               fnd::Rect(5, 540, 225, 22));
  title->setFont(kit::Font::systemFont(13));
  rightBox.addSubview(std::move(title));

  auto boxView = std::make_unique<kit::Box>(fnd::Rect(5, 275, 225, 265));
  boxView->setBorderType(kit::BorderType::LineBorder);
  boxView->setTitlePosition(kit::TitlePosition::NoTitle);
  auto* box = static_cast<kit::Box*>(rightBox.addSubview(std::move(boxView)));

  auto frame = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(48, 68, 115, 115));
  frame->setImageFrameStyle(kit::ImageFrameStyle::GrayBezel);
  auto* framed = box->addSubview(std::move(frame));
  auto preview = std::make_unique<Quirel_ColorPatternImageView>(fnd::Rect(5, 5, 100, 100));
  preview->setPostNotification(false);
  mAdjustImageView = static_cast<Quirel_ColorPatternImageView*>(framed->addSubview(std::move(preview)));

  const bool newer = mScannerInfo && mScannerInfo->isVer1500Later();
  for (const ColorPatternButtonSpec& entry : kColorPatternButtons) {
    auto button = std::make_unique<Quirel_IconBezelButton>(fnd::Rect(entry.buttonX, entry.buttonY, 32, 32));
    const std::string image = newer ? entry.image : entry.oldImage;
    const std::string disabled = newer ? entry.disabledImage : entry.oldDisabledImage;
    // The one picture serves the normal and the pressed look.
    button->setImage(image, image, disabled, kImageBundle);
    button->setTarget(this, &Quirel_ColorPatternDialog::colorButtonClick);
    mColorButtons[entry.button] = static_cast<Quirel_IconBezelButton*>(box->addSubview(std::move(button)));

    auto field = kit::TextField::labelWithString(getUILocalizedString(entry.titleKey),
                                                 fnd::Rect(entry.titleX, entry.titleY, 60, 22));
    field->setAlignment(kit::TextAlignment::Center);
    auto* placed = static_cast<kit::TextField*>(box->addSubview(std::move(field)));
    setColorAdjustmentAreaButtonTitle(*placed, entry.rule);
    mColorButtonTitles[entry.button] = placed;
  }
}

fnd::Rect Quirel_ColorPatternDialog::fittedTitleFrame(const fnd::Rect& frame, double textWidth, int rule) {
  const double needed = std::ceil(std::min(textWidth, 500.0));
  fnd::Rect r = frame;
  if (needed <= r.size.width) return r;
  const double grow = needed - r.size.width;
  if (rule != 0) r.origin.x -= grow / 2;
  r.size.width = needed;
  if (rule == 2 && r.maxX() > 215) r.origin.x -= r.maxX() - 215;
  return r;
}

void Quirel_ColorPatternDialog::setColorAdjustmentAreaButtonTitle(kit::TextField& field, int rule) {
  const double textWidth = field.font().widthOfString(field.stringValue()) + 2 * kit::TextField::kLabelInset;
  field.setFrame(fittedTitleFrame(field.frame(), textWidth, rule));
}

void Quirel_ColorPatternDialog::createColorBalanceArea(kit::Box& rightBox) {
  auto title = kit::TextField::labelWithString(getUILocalizedString("IDC_COLORPATTERN_BALANCE_STR"),
                                               fnd::Rect(5, 245, 225, 22));
  title->setFont(kit::Font::systemFont(13));
  rightBox.addSubview(std::move(title));

  auto boxView = std::make_unique<kit::Box>(fnd::Rect(5, 130, 225, 115));
  boxView->setBorderType(kit::BorderType::LineBorder);
  boxView->setTitlePosition(kit::TitlePosition::NoTitle);
  auto* box = static_cast<kit::Box*>(rightBox.addSubview(std::move(boxView)));

  const bool newer = mScannerInfo && mScannerInfo->isVer1500Later();
  std::size_t row = 0;
  for (const ColorPatternBalanceRow& entry : kColorPatternBalanceRows) {
    auto chip = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(5, entry.chipY, 32, 32));
    chip->setImage(allocImage(newer ? entry.chip : entry.oldChip));
    box->addSubview(std::move(chip));
    box->addSubview(kit::TextField::labelWithString(getUILocalizedString(entry.labelKey), fnd::Rect(40, entry.labelY, 80, 22)));
    auto value = std::make_unique<kit::TextField>(fnd::Rect(150, entry.valueY, 60, 22));
    value->setEditable(false);
    value->setSelectable(false);
    value->setAlignment(kit::TextAlignment::Right);
    mBalanceValues[row++] = static_cast<kit::TextField*>(box->addSubview(std::move(value)));
  }
}

void Quirel_ColorPatternDialog::setToolTips() {
  for (const ColorPatternButtonSpec& entry : kColorPatternButtons)
    if (mColorButtons[entry.button]) mColorButtons[entry.button]->setToolTip(getToolTipString(entry.toolTipKey));
}

// --- texts and pictures ------------------------------------------------------------------------

Quirel_PVLocalizedString& Quirel_ColorPatternDialog::localizedString() {
  if (!mLocalizedString)
    mLocalizedString =
        std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
  return *mLocalizedString;
}

std::string Quirel_ColorPatternDialog::getUILocalizedString(const std::string& key) {
  return localizedString().ls_localizedStringForKey(key, "UserInterface").value_or(key);
}

std::string Quirel_ColorPatternDialog::getToolTipString(const std::string& key) {
  return localizedString().ls_localizedStringForKey(key, "ToolTips").value_or(key);
}

kit::Image Quirel_ColorPatternDialog::allocImage(const std::string& name) const {
  return kit::Image::named(name, kImageBundle);
}

// --- showing -----------------------------------------------------------------------------------

int Quirel_ColorPatternDialog::showDialog(const kit::Window* parent) {
  if (!mWindow) return 0;
  mOkClose = false;
  const fnd::Rect own = mWindow->frame();
  fnd::Rect placed = own;
  if (parent) {
    const fnd::Rect p = parent->frame();
    placed.origin.x = p.origin.x - (own.size.width - p.size.width) / 2;
    placed.origin.y = p.origin.y + (p.size.height - own.size.height) / 2;
  }
  placed = mDisplayManager.getAdjustmentWindowFrame(placed, own.size);
  mWindow->setFrame(placed, false);

  Quirel_ColorPatternInfo* base = nullptr;
  for (auto it = mPatternList.rbegin(); it != mPatternList.rend() && !base; ++it)
    if (sameColorPatternOffsets((*it)->getColorBalance(), mBaseColorBalance)) base = it->get();
  if (base) {
    base->setSelected(true);
    base->setBased(true);
    updateColorAdjustmentArea(base);
    updateColorBalanceArea(base);
  }
  mWindow->setDefaultButton(mOkButton);
  mCancelButton->setKeyEquivalent(std::string(1, kit::keys::kEscape));
  mWindow->makeKeyAndOrderFront();
  const int code = kit::Application::shared().runModalForWindow(*mWindow);
  // A run ended by anything but OK (the window lost, the program ending) counts as Cancel.
  return code == 1 ? 1 : 0;
}

void Quirel_ColorPatternDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.isVisible() && window.level() != kWindowLevel) window.setLevel(kWindowLevel);
}

void Quirel_ColorPatternDialog::windowDidUpdate(kit::Window& window) { windowDidBecomeKey(window); }

// --- updating and choosing ---------------------------------------------------------------------

Quirel_ColorPatternInfo* Quirel_ColorPatternDialog::getSelectedInfo() const {
  for (auto it = mPatternList.rbegin(); it != mPatternList.rend(); ++it)
    if ((*it)->isSelected()) return it->get();
  return nullptr;
}

Quirel_ColorPatternInfo* Quirel_ColorPatternDialog::getInfoAtFrameView(const void* frameView) const {
  if (!frameView) return nullptr;
  for (auto it = mPatternList.rbegin(); it != mPatternList.rend(); ++it)
    if (static_cast<const void*>((*it)->getFrameView()) == frameView) return it->get();
  return nullptr;
}

int Quirel_ColorPatternDialog::indexOfInfo(const Quirel_ColorPatternInfo* info) const {
  for (std::size_t i = 0; i < mPatternList.size(); ++i)
    if (mPatternList[i].get() == info) return static_cast<int>(i);
  return -1;
}

void Quirel_ColorPatternDialog::updateColorAdjustmentArea(Quirel_ColorPatternInfo* info) {
  Quirel_ColorPatternInfo* cell = info ? info : getSelectedInfo();
  if (!cell) return;
  const bool enabled[kButtonCount] = {cell->isEnableBtn_R(), cell->isEnableBtn_G(), cell->isEnableBtn_B(),
                                      cell->isEnableBtn_C(), cell->isEnableBtn_M(), cell->isEnableBtn_Y()};
  for (int i = 0; i < kButtonCount; ++i)
    if (mColorButtons[i]) mColorButtons[i]->setEnabled(enabled[i]);
  if (mAdjustImageView) {
    mAdjustImageView->setImage(cell->getImage(), cell->getRotation(), cell->getMirror());
    mAdjustImageView->setNeedsDisplay(true);
  }
}

void Quirel_ColorPatternDialog::updateColorBalanceArea(Quirel_ColorPatternInfo* info) {
  Quirel_ColorPatternInfo* cell = info ? info : getSelectedInfo();
  if (!cell) return;
  const ColorBalanceValues b = cell->getColorBalance();
  const int values[3] = {b.cyanRed, b.magentaGreen, b.yellowBlue};
  for (std::size_t i = 0; i < 3; ++i)
    if (mBalanceValues[i]) mBalanceValues[i]->setStringValue(std::to_string(values[i]));
}

void Quirel_ColorPatternDialog::selectInfo(Quirel_ColorPatternInfo* info) {
  if (Quirel_ColorPatternInfo* old = getSelectedInfo()) old->setSelected(false);
  info->setSelected(true);
  mNewColorBalance = info->getColorBalance();
  updateColorAdjustmentArea(info);
  updateColorBalanceArea(info);
  if (mLeftView) mLeftView->setNeedsDisplay(true);
}

void Quirel_ColorPatternDialog::mouseClickOnColorPatternFrameView(const void* frameView) {
  Quirel_ColorPatternInfo* info = getInfoAtFrameView(frameView);
  if (!info || info->isSelected()) return;
  selectInfo(info);
}

void Quirel_ColorPatternDialog::colorButtonClick(kit::Control* sender) {
  if (!sender || mPatternList.empty()) return;
  int button = -1;
  for (int i = 0; i < kButtonCount; ++i)
    if (static_cast<kit::Control*>(mColorButtons[i]) == sender) button = i;
  Quirel_ColorPatternInfo* selected = getSelectedInfo();
  // With no cell chosen yet (a balance that is none of the nineteen) a button starts at cell 0.
  if (!selected) {
    selectInfo(mPatternList.front().get());
    return;
  }
  int next = 0;
  switch (button) {
    case kButtonR: next = selected->nextIndex_R(); break;
    case kButtonG: next = selected->nextIndex_G(); break;
    case kButtonB: next = selected->nextIndex_B(); break;
    case kButtonC: next = selected->nextIndex_C(); break;
    case kButtonM: next = selected->nextIndex_M(); break;
    case kButtonY: next = selected->nextIndex_Y(); break;
    default: next = 0; break;
  }
  if (next < 0 || next >= static_cast<int>(mPatternList.size()) || next == indexOfInfo(selected)) return;
  selectInfo(mPatternList[static_cast<std::size_t>(next)].get());
}

bool Quirel_ColorPatternDialog::didChangeColorBalance() const {
  return mNewColorBalance.chroma != mBaseColorBalance.chroma || mNewColorBalance.cyanRed != mBaseColorBalance.cyanRed ||
         mNewColorBalance.magentaGreen != mBaseColorBalance.magentaGreen ||
         mNewColorBalance.yellowBlue != mBaseColorBalance.yellowBlue;
}

// --- closing -----------------------------------------------------------------------------------

void Quirel_ColorPatternDialog::closeDialog(int code) {
  if (!mWindow) return;
  mWindow->setCloseFlg(true);
  // The run is told its answer before the window goes, which would otherwise end it as aborted.
  kit::Application::shared().stopModalWithCode(code);
  mWindow->orderOut();
}

void Quirel_ColorPatternDialog::okButtonClick(kit::Control*) {
  mOkClose = true;
  closeDialog(1);
}

void Quirel_ColorPatternDialog::cancelButtonClick(kit::Control*) {
  if (mFocusCrop) mFocusCrop->setcropCorRect(mCropCorRect);
  mOkClose = false;
  closeDialog(0);
}
