#include "ui/windows/BookCorrectDialog.h"

#include "kit/Application.h"
#include "kit/View.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/UIScannerInfo.h"

namespace {

constexpr double kBookGap = 10;
constexpr double kBookOkHeight = 32;
constexpr double kBookSeparatorHeight = 5;
constexpr double kBookCheckBoxY = 50;
constexpr double kBookCheckBoxHeight = 25;
constexpr double kBookTextX = 20;

}  // namespace

double Quirel_BookCorrectDialog::contentHeightForText(double textHeight) {
  return kPictureHeight + kBookGap + textHeight + kBookGap + kBookCheckBoxHeight + kBookGap + kBookSeparatorHeight +
         kBookGap + kBookOkHeight + kBookGap;
}

std::unique_ptr<Quirel_BookCorrectDialog> Quirel_BookCorrectDialog::initWithSetting(
    const Quirel_UIScannerInfo* scannerInfo) {
  return std::unique_ptr<Quirel_BookCorrectDialog>(new Quirel_BookCorrectDialog(scannerInfo));
}

Quirel_BookCorrectDialog::Quirel_BookCorrectDialog(const Quirel_UIScannerInfo* scannerInfo)
    : kit::Window(fnd::Rect(400, 200, kWidth, 200), kit::kTitledWindowMask) {
  setReleasedWhenClosed(false);
  setDelegate(this);
  setLevel(kLevel);
  // The texts come from the bundle the main-window controller names.
  mBundleStr = Quirel_PVLocalizedBundle::askWindowController(this);
  setTitle(uiText("IDD_ASK_TEMPLATE_STR"));
  kit::View* content = contentView();

  auto ok = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(130, 5, 100, kBookOkHeight));
  ok->setBezelStyle(kit::BezelStyle::Rounded);
  ok->setButtonType(kit::ButtonType::MomentaryPushIn);
  ok->setTitle(uiText("IDMAC_OK_BTN"));
  ok->setAction([this] { clickOkBtn(); });
  mOkBtn = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(ok)));

  auto separator = std::make_unique<kit::Box>(fnd::Rect(10, 40, 340, kBookSeparatorHeight));
  separator->setBoxType(kit::BoxType::Separator);
  mSeparator = static_cast<kit::Box*>(content->addSubview(std::move(separator)));

  auto check = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(30, kBookCheckBoxY, 300, kBookCheckBoxHeight));
  check->setButtonType(kit::ButtonType::Switch);
  check->setTitle(uiText("IDC_BOOKEXPLAIN_CHK_STR"));
  check->setAction([this] { clickCheckBox(); });
  mCheckBox = static_cast<Quirel_NoFocusButton*>(content->addSubview(std::move(check)));

  const bool newer14 = scannerInfo && scannerInfo->isVer1400Later();
  const std::string message =
      newer14 ? uiText("IDC_TXT_BOOKEXPLAIN_STR") + "\r\r" + uiText("IDC_TXT_BOOKEXPLAIN2_STR")
              : uiText("IDMAC_CHKBOXDLG_TXT_MSG_BOOKCORRECT");
  const double textY = kBookCheckBoxY + kBookCheckBoxHeight + kBookGap;
  auto field = kit::TextField::wrappingLabelWithString(message, fnd::Rect(kBookTextX, textY, kTextWidth, 1000));
  const double textHeight = field->heightForWidth(kTextWidth);
  field->setFrame(fnd::Rect(kBookTextX, textY, kTextWidth, textHeight));
  mMsgTextF = static_cast<kit::TextField*>(content->addSubview(std::move(field)));

  const bool newer15 = scannerInfo && scannerInfo->isVer1500Later();
  mPictureName = newer15 ? kNewerPicture : kOlderPicture;
  auto picture = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(0, textY + textHeight + kBookGap, kWidth,
                                                                     kPictureHeight));
  picture->setImageScaling(kit::ImageScaling::ProportionallyDown);
  picture->setImage(kit::Image::named(mPictureName, kPictureFolder));
  mImageView = static_cast<Quirel_NoFocusImageView*>(content->addSubview(std::move(picture)));

  setContentSize(fnd::Size(kWidth, contentHeightForText(textHeight)));
}

Quirel_BookCorrectDialog::~Quirel_BookCorrectDialog() { setDelegate(nullptr); }

std::string Quirel_BookCorrectDialog::uiText(const std::string& key) const {
  const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(mBundleStr));
  std::string text = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? key : text;
}

int Quirel_BookCorrectDialog::runModal() {
  setDefaultButton(mOkBtn);
  const int code = kit::Application::shared().runModalForWindow(*this);
  mCloseFlg = true;
  close();
  return code == 1 ? 1 : 0;
}

void Quirel_BookCorrectDialog::clickOkBtn() { kit::Application::shared().stopModalWithCode(1); }

void Quirel_BookCorrectDialog::clickCheckBox() { mChecked = mCheckBox->state() != 0; }

void Quirel_BookCorrectDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_BookCorrectDialog::windowDidUpdate(kit::Window& window) {
  if (window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_BookCorrectDialog::sendEvent(const kit::Event& event) {
  if (mCloseFlg) return;
  kit::Window::sendEvent(event);
}
