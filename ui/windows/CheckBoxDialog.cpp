#include "ui/windows/CheckBoxDialog.h"

#include <cmath>

#include "kit/Application.h"
#include "kit/View.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/windows/MessageBoxWindow.h"

namespace {

constexpr double kCheckBoxHeight = 25;
constexpr double kSeparatorHeight = 5;
constexpr double kButtonHeight = 32;
constexpr double kGap = 10;
constexpr double kTextX = 70;
constexpr double kTextY = 85;
constexpr double kIconSide = 45;

std::vector<std::string> splitCheckBoxLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

// The window is made before its views know their sizes; the question is asked once here.
std::string askCheckBoxBundle() { return Quirel_PVLocalizedBundle::askWindowController(nullptr); }

}  // namespace

double Quirel_CheckBoxDialog::messageTextHeight(const std::vector<double>& lineWidths) {
  double lines = 0;
  for (double w : lineWidths) lines += std::max(1.0, std::floor(w / kTextWidth));
  return kLineHeight * lines + 10;
}

std::unique_ptr<Quirel_CheckBoxDialog> Quirel_CheckBoxDialog::initWithLStringKey(const std::string& key,
                                                                                 std::int32_t tableSelector,
                                                                                 std::int32_t focusBtn) {
  const std::string bundle = askCheckBoxBundle();
  const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(bundle));
  std::string text = strings.ls_localizedStringForKey(key, tableSelector == 1 ? "Message" : "UserInterface").value_or(key);
  if (text == Quirel_PVLocalizedString::kNone) text = key;
  return std::unique_ptr<Quirel_CheckBoxDialog>(new Quirel_CheckBoxDialog(text, false, focusBtn, bundle));
}

std::unique_ptr<Quirel_CheckBoxDialog> Quirel_CheckBoxDialog::initWithMessageID(std::int32_t messageNumber,
                                                                                std::int32_t focusBtn) {
  const std::string bundle = askCheckBoxBundle();
  const std::string text = MES_GetMessageStringAndInfomation(
      messageNumber, std::nullopt, bundle.empty() ? std::nullopt : std::optional<std::string>(bundle), nullptr,
      nullptr, nullptr);
  return std::unique_ptr<Quirel_CheckBoxDialog>(new Quirel_CheckBoxDialog(text, true, focusBtn, bundle));
}

Quirel_CheckBoxDialog::Quirel_CheckBoxDialog(const std::string& message, bool messageVariant, std::int32_t focusBtn,
                                             const std::string& bundleStr)
    : kit::Window(fnd::Rect(400, 200, 400, 200), kit::kTitledWindowMask), mBundleStr(bundleStr), mFocusBtn(focusBtn) {
  setReleasedWhenClosed(false);
  setDelegate(this);
  setLevel(kLevel);
  setTitle(uiText("IDD_ASK_TEMPLATE_STR"));
  kit::View* content = contentView();

  auto addPush = [&](const fnd::Rect& frame, const char* titleKey) {
    auto button = std::make_unique<kit::Button>(frame);
    button->setBezelStyle(kit::BezelStyle::Rounded);
    button->setButtonType(kit::ButtonType::MomentaryPushIn);
    button->setTitle(uiText(titleKey));
    return static_cast<kit::Button*>(content->addSubview(std::move(button)));
  };
  mCancelBtn = addPush(fnd::Rect(180, 4, 100, kButtonHeight), "IDMAC_CANCEL_BTN");
  mCancelBtn->setTarget(this, &Quirel_CheckBoxDialog::clickCancelBtn);
  mOkBtn = addPush(fnd::Rect(280, 4, 100, kButtonHeight), "IDMAC_OK_BTN");
  mOkBtn->setTarget(this, &Quirel_CheckBoxDialog::clickOkBtn);

  auto separator = std::make_unique<kit::Box>(fnd::Rect(10, 40, 380, kSeparatorHeight));
  separator->setBoxType(kit::BoxType::Separator);
  mSeparator = static_cast<kit::Box*>(content->addSubview(std::move(separator)));

  auto check = std::make_unique<kit::Button>(fnd::Rect(kTextX, 50, kTextWidth, kCheckBoxHeight));
  check->setButtonType(kit::ButtonType::Switch);
  check->setTitle(uiText("IDC_BOOKEXPLAIN_CHK_STR"));
  mCheckBox = static_cast<kit::Button*>(content->addSubview(std::move(check)));
  mCheckBox->setTarget(this, &Quirel_CheckBoxDialog::clickCheckBox);

  auto field = kit::TextField::wrappingLabelWithString(message, fnd::Rect(kTextX, kTextY, kTextWidth, 1000));
  double textHeight = 0;
  if (messageVariant) {
    std::vector<double> widths;
    for (const std::string& line : splitCheckBoxLines(message))
      widths.push_back(line.empty() ? 0 : field->font().widthOfString(line) + 2 * kit::TextField::kLabelInset);
    textHeight = message.empty() ? 10 : messageTextHeight(widths);
  } else {
    textHeight = field->heightForWidth(kTextWidth);
  }
  field->setFrame(fnd::Rect(kTextX, kTextY, kTextWidth, textHeight));
  mMsgTextF = static_cast<kit::TextField*>(content->addSubview(std::move(field)));

  auto icon = std::make_unique<Quirel_NoFocusImageView>(
      fnd::Rect(10, kTextY + textHeight - kIconSide, kIconSide, kIconSide));
  icon->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  icon->setImage(kit::Image::named(Quirel_MessageBoxWindow::kCautionPicture));
  mImageView = static_cast<Quirel_NoFocusImageView*>(content->addSubview(std::move(icon)));

  const double height = textHeight + kGap + kCheckBoxHeight + kGap + kSeparatorHeight + kGap + kButtonHeight + kGap;
  setContentSize(fnd::Size(400, height));
}

Quirel_CheckBoxDialog::~Quirel_CheckBoxDialog() { setDelegate(nullptr); }

std::string Quirel_CheckBoxDialog::uiText(const std::string& key) const {
  const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(mBundleStr));
  std::string text = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? key : text;
}

std::int32_t Quirel_CheckBoxDialog::runModal() {
  if (mFocusBtn == kFocusCancel)
    setDefaultButton(mCancelBtn);
  else if (mFocusBtn == kFocusOK)
    setDefaultButton(mOkBtn);
  else
    setDefaultButton(nullptr);
  const int code = kit::Application::shared().runModalForWindow(*this);
  mCloseFlg = true;
  close();
  return code == 1 ? 1 : 0;
}

void Quirel_CheckBoxDialog::clickOkBtn(kit::Control*) { kit::Application::shared().stopModalWithCode(1); }

void Quirel_CheckBoxDialog::clickCancelBtn(kit::Control*) { kit::Application::shared().stopModalWithCode(0); }

void Quirel_CheckBoxDialog::clickCheckBox(kit::Control*) { mChecked = mCheckBox->state() != 0; }

void Quirel_CheckBoxDialog::windowDidBecomeKey(kit::Window& window) {
  if (window.isVisible() && window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_CheckBoxDialog::windowDidUpdate(kit::Window& window) {
  if (window.isVisible() && window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_CheckBoxDialog::sendEvent(const kit::Event& event) {
  if (mCloseFlg) return;
  kit::Window::sendEvent(event);
}
