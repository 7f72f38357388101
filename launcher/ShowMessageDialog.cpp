#include "launcher/ShowMessageDialog.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/Cursor.h"
#include "kit/ImageView.h"
#include "kit/TextField.h"
#include "launcher/DSBundleStr.h"
#include "launcher/DisplayManager.h"
#include "launcher/PVLocalizedBundle.h"
#include "launcher/PVLocalizedString.h"
#include "ui/windows/MessageBoxLayout.h"

namespace {

// The badge: the driver's icon while its main window answers, else the program's own.
kit::Image badgeImage(const void* box) {
  const std::string dsBundle = Zorvik_DSBundleStr::ask(box);
  if (!dsBundle.empty()) {
    if (const fnd::Bundle* bundle = fnd::Bundle::withIdentifier(dsBundle)) {
      const std::string icon = bundle->infoDictionary().string("CFBundleIconFile");
      if (!icon.empty()) {
        std::string path = bundle->pathForResource(icon);
        if (path.empty()) path = bundle->pathForResource(icon, "", "pictures");
        if (!path.empty()) return kit::Image::fromFile(path);
      }
    }
    return {};
  }
  const std::string icon = fnd::Bundle::main().infoDictionary().string("CFBundleIconFile");
  return icon.empty() ? kit::Image() : kit::Image::named(icon);
}

}  // namespace

double Zorvik_ShowMessageDialog::maximumTextWidth(double visibleWidth) {
  return Quirel_MessageBoxLayout::maximumTextWidth(fnd::Rect(0, 0, visibleWidth, 0));
}

Zorvik_ShowMessageDialog::Zorvik_ShowMessageDialog(const std::string& text, std::int32_t buttonKind,
                                                   std::int32_t messageType)
    : kit::Window(fnd::Rect{{0, 0}, {Quirel_MessageBoxLayout::kWindowWidth, Quirel_MessageBoxLayout::kMinWindowHeight}},
                  kit::kTitledWindowMask) {
  const Zorvik_PVLocalizedString strings(Zorvik_PVLocalizedBundle::askDataSource());

  // Laid out as the driver's box: the same measures and the same pure layout.
  auto textView = kit::TextField::wrappingLabelWithString(
      text, fnd::Rect(Quirel_MessageBoxLayout::kTextX, Quirel_MessageBoxLayout::kTextY,
                      Quirel_MessageBoxLayout::kDefaultTextWidth, Quirel_MessageBoxLayout::kTextFieldHeight));
  textView->setFont(kit::Font::messageFont(0));
  kit::TextField* field = textView.get();
  const double natural = field->font().widthOfString(text) + 2 * kit::TextField::kLabelInset;
  const Quirel_MessageBoxLayout::Result layout = Quirel_MessageBoxLayout::compute(
      natural, [field](double width) { return field->heightForWidth(width); }, messageType,
      static_cast<float>(maximumTextWidth(Zorvik_DisplayManager().getVisibleDisplayFrame().size.width)));
  textView->setFrame(layout.textFrame);
  setContentSize(fnd::Size{layout.windowWidth, layout.windowHeight});
  setLevel(kLevel);
  setReleasedWhenClosed(false);
  setDelegate(this);

  auto caution = std::make_unique<kit::ImageView>(layout.cautionFrame);
  caution->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  caution->setImage(kit::Image::named("caution"));
  auto badge = std::make_unique<kit::ImageView>(layout.badgeFrame);
  badge->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  badge->setImage(badgeImage(this));

  const double W = layout.windowWidth;
  auto makeButton = [&](const fnd::Rect& frame, const char* key, void (Zorvik_ShowMessageDialog::*action)(kit::Control*)) {
    auto button = std::make_unique<kit::Button>(frame);
    button->setBezelStyle(kit::BezelStyle::Rounded);
    button->setButtonType(kit::ButtonType::MomentaryPushIn);
    button->setIgnoresMultipleClicks(true);
    button->setTitle(strings.ls_localizedStringForKey(key, "UserInterface").value_or(""));
    button->setTarget(this, action);
    return button;
  };
  auto ok = makeButton(Quirel_MessageBoxLayout::okButtonFrame(W), "IDMAC_OK_BTN", &Zorvik_ShowMessageDialog::clickOkBtn);
  ok->setKeyEquivalent("\r");
  auto cancel = makeButton(Quirel_MessageBoxLayout::cancelButtonFrame(W), "IDMAC_CANCEL_BTN", &Zorvik_ShowMessageDialog::clickCancelBtn);

  kit::View* content = contentView();
  mMsgTextF = static_cast<kit::TextField*>(content->addSubview(std::move(textView)));
  mImageView = static_cast<kit::ImageView*>(content->addSubview(std::move(caution)));
  mImageView2 = static_cast<kit::ImageView*>(content->addSubview(std::move(badge)));
  mOkBtn = static_cast<kit::Button*>(content->addSubview(std::move(ok)));
  mCancelBtn = static_cast<kit::Button*>(content->addSubview(std::move(cancel)));

  if (buttonKind == 2) {
    mOkBtn->setKeyEquivalent("");
    mCancelBtn->setKeyEquivalent("\r");
  } else if (buttonKind == 1) {
    mCancelBtn->setKeyEquivalent("\x1b");
  } else if (buttonKind == 0) {
    mCancelBtn->setHidden(true);
  }

  fnd::NotificationCenter::defaultCenter().post(kShowMessagePost, this);
}

Zorvik_ShowMessageDialog::~Zorvik_ShowMessageDialog() { setDelegate(nullptr); }

void Zorvik_ShowMessageDialog::clickOkBtn(kit::Control* sender) {
  if (sender) sender->clearAction();
  kit::Application::shared().stopModalWithCode(1);
}

void Zorvik_ShowMessageDialog::clickCancelBtn(kit::Control* sender) {
  if (sender) sender->clearAction();
  kit::Application::shared().stopModalWithCode(0);
}

void Zorvik_ShowMessageDialog::mouseMoved(const kit::Event&) { kit::Cursor::arrow().set(); }

void Zorvik_ShowMessageDialog::windowDidBecomeKey(kit::Window&) {
  if (level() != kLevel) setLevel(kLevel);
}

void Zorvik_ShowMessageDialog::windowDidUpdate(kit::Window&) {
  if (level() != kLevel) setLevel(kLevel);
}
