#include "launcher/ShowMessageDialog.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

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

namespace {

constexpr double kTextX = 100;
constexpr double kTextY = 60;
constexpr double kTextWidth = 300;
constexpr double kTextBoundsHeight = 340;

// The badge: the driver's icon while its main window answers, else the program's own.
kit::Image badgeImage(const void* box) {
  auto carrier = std::make_shared<Zorvik_DSBundleStr>();
  fnd::SharedDictionary info = fnd::makeShared();
  info->set(Zorvik_DSBundleStr::kSetToMN, fnd::Value::object(carrier));
  fnd::NotificationCenter::defaultCenter().post(Zorvik_ShowMessageDialog::kDSBundleURLPost, box, info);
  if (!carrier->getDSBundleString().empty()) {
    if (const fnd::Bundle* bundle = fnd::Bundle::withIdentifier(carrier->getDSBundleString())) {
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

// The natural width of the text: its widest line (carriage returns and line feeds break
// lines), plus the label's insets so that line still fits unbroken.
double naturalWidth(const kit::TextField& field) {
  std::string text = field.stringValue();
  std::replace(text.begin(), text.end(), '\r', '\n');
  double widest = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) widest = std::max(widest, field.font().widthOfString(line));
  return widest + 2 * kit::TextField::kLabelInset;
}

struct Layout {
  double textWidth = kTextWidth;
  double windowWidth = 420;
};

}  // namespace

double Zorvik_ShowMessageDialog::maximumTextWidth(double visibleWidth) {
  return std::max(kTextWidth, static_cast<double>(static_cast<float>(visibleWidth * 0.9 - 120)));
}

Zorvik_ShowMessageDialog::Zorvik_ShowMessageDialog(const std::string& text, std::int32_t buttonKind,
                                                   std::int32_t messageType)
    : kit::Window(fnd::Rect{{0, 0}, {420, 145}}, kit::kTitledWindowMask) {
  const double maxWidth = maximumTextWidth(Zorvik_DisplayManager().getVisibleDisplayFrame().size.width);
  const Zorvik_PVLocalizedString strings(Zorvik_PVLocalizedBundle::askDataSource());

  auto textView = kit::TextField::wrappingLabelWithString(text, fnd::Rect{{kTextX, kTextY}, {kTextWidth, kTextBoundsHeight}});
  textView->setFont(kit::Font::messageFont(0));

  Layout layout;
  if (messageType == 1) {
    const double w = naturalWidth(*textView);
    if (w >= maxWidth) {
      const int lines = static_cast<std::int16_t>(std::floor(w / maxWidth)) + 1;
      layout.textWidth = w / std::max(1, lines);
      layout.windowWidth = static_cast<float>(layout.textWidth + 120);
    } else if (w > kTextWidth) {
      layout.textWidth = w;
      layout.windowWidth = static_cast<float>(layout.textWidth + 120);
    }
  }
  const double h = textView->heightForWidth(layout.textWidth);
  double textHeight = h, contentHeight = 145;
  if (h < 68) {
    textHeight = 68;
  } else {
    contentHeight = static_cast<float>(h + 77);
  }
  textView->setFrame(fnd::Rect{{kTextX, kTextY}, {layout.textWidth, textHeight}});
  setContentSize(fnd::Size{layout.windowWidth, contentHeight});
  setLevel(kLevel);
  setReleasedWhenClosed(false);
  setDelegate(this);

  const double top = kTextY + textHeight;
  auto caution = std::make_unique<kit::ImageView>(fnd::Rect{{10, top - 64}, {64, 64}});
  caution->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  caution->setImage(kit::Image::named("caution"));
  auto badge = std::make_unique<kit::ImageView>(fnd::Rect{{42, top - 64}, {32, 32}});
  badge->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  badge->setImage(badgeImage(this));

  const double W = layout.windowWidth;
  auto makeButton = [&](double x, const char* key, void (Zorvik_ShowMessageDialog::*action)(kit::Control*)) {
    auto button = std::make_unique<kit::Button>(fnd::Rect{{x, 12}, {100, 32}});
    button->setBezelStyle(kit::BezelStyle::Rounded);
    button->setButtonType(kit::ButtonType::MomentaryPushIn);
    button->setIgnoresMultipleClicks(true);
    button->setTitle(strings.ls_localizedStringForKey(key, "UserInterface").value_or(""));
    button->setTarget(this, action);
    return button;
  };
  auto ok = makeButton(W - 115, "IDMAC_OK_BTN", &Zorvik_ShowMessageDialog::clickOkBtn);
  ok->setKeyEquivalent("\r");
  auto cancel = makeButton(W - 220, "IDMAC_CANCEL_BTN", &Zorvik_ShowMessageDialog::clickCancelBtn);

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
