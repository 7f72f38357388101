#include "ui/windows/MessageBoxWindow.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "foundation/Bundle.h"
#include "kit/Button.h"
#include "kit/Cursor.h"
#include "kit/View.h"
#include "ui/base/DSBundleStr.h"
#include "ui/windows/DisplayManager.h"
#include "ui/windows/MessageFunctions.h"

namespace {

constexpr const char* kIconFileKey = "CFBundleIconFile";

std::string lowercase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The picture a bundle's "CFBundleIconFile" names: a file of the bundle, else one of our pictures.
kit::Image iconOfBundle(const fnd::Bundle& bundle, bool mainBundle) {
  const fnd::Value& name = bundle.infoDictionary().get(kIconFileKey);
  if (!name.isString() || name.toString().empty()) return {};
  const std::string file = name.toString();
  std::string type;
  if (mainBundle && lowercase(std::filesystem::path(file).extension().string()) != ".icns") type = "icns";
  const std::string path = bundle.pathForResource(file, type);
  kit::Image image = path.empty() ? kit::Image() : kit::Image::fromFile(path);
  if (!image.isValid()) image = kit::Image::named(file);
  return image;
}

}  // namespace

Quirel_MessageBoxWindow::Measured Quirel_MessageBoxWindow::measure(const std::string& text,
                                                                  std::int32_t messageType, double textX) {
  Measured m;
  m.text = kit::TextField::wrappingLabelWithString(
      text, fnd::Rect(textX, Quirel_MessageBoxLayout::kTextY, Quirel_MessageBoxLayout::kDefaultTextWidth,
                      Quirel_MessageBoxLayout::kTextFieldHeight));
  m.text->setFont(kit::Font::messageFont(0));
  const float maximum = Quirel_MessageBoxLayout::maximumTextWidth(Quirel_DisplayManager().getVisibleDisplayFrame());
  kit::TextField* field = m.text.get();
  // The whole text on one line with the label's insets, unrounded (cellSize rounds up).
  const double natural = field->font().widthOfString(text) + 2 * kit::TextField::kLabelInset;
  m.layout = Quirel_MessageBoxLayout::compute(
      natural, [field](double width) { return field->heightForWidth(width); }, messageType, maximum,
      textX);
  m.text->setFrame(m.layout.textFrame);
  return m;
}

Quirel_MessageBoxWindow::Quirel_MessageBoxWindow(Measured measured)
    : kit::Window(fnd::Rect(0, 0, measured.layout.windowWidth, measured.layout.windowHeight), kit::kTitledWindowMask),
      layout_(measured.layout),
      ls_(MES_LocalizerForBundle(MES_DataSourceBundleStr())) {
  setLevel(kLevel);
  setReleasedWhenClosed(false);
  setDelegate(this);

  kit::View* content = contentView();
  mMsgTextF = static_cast<kit::TextField*>(content->addSubview(std::move(measured.text)));

  auto caution = std::make_unique<Quirel_NoFocusImageView>(layout_.cautionFrame);
  caution->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  caution->setImage(kit::Image::named(kCautionPicture));
  mImageView = static_cast<Quirel_NoFocusImageView*>(content->addSubview(std::move(caution)));

  auto badge = std::make_unique<Quirel_NoFocusImageView>(layout_.badgeFrame);
  badge->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  badge->setImage(badgeImage());
  mImageView2 = static_cast<Quirel_NoFocusImageView*>(content->addSubview(std::move(badge)));
}

Quirel_MessageBoxWindow::~Quirel_MessageBoxWindow() { setDelegate(nullptr); }

kit::Image Quirel_MessageBoxWindow::badgeImage() {
  // The driver's icon while its main window answers; the program's own otherwise.
  const std::string dsBundle = Quirel_DSBundleStr::ask(this);
  if (!dsBundle.empty()) {
    if (const fnd::Bundle* bundle = fnd::Bundle::withIdentifier(dsBundle)) {
      kit::Image image = iconOfBundle(*bundle, false);
      if (image.isValid()) return image;
    }
  }
  return iconOfBundle(fnd::Bundle::main(), true);
}

std::string Quirel_MessageBoxWindow::uiText(const std::string& key) const {
  std::string text = ls_.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? key : text;
}

kit::Button* Quirel_MessageBoxWindow::addButton(const fnd::Rect& frame, const std::string& titleKey) {
  auto button = std::make_unique<kit::Button>(frame);
  button->setBezelStyle(kit::BezelStyle::Rounded);
  button->setButtonType(kit::ButtonType::MomentaryPushIn);
  button->setIgnoresMultipleClicks(true);
  button->setTitle(uiText(titleKey));
  return static_cast<kit::Button*>(contentView()->addSubview(std::move(button)));
}

void Quirel_MessageBoxWindow::mouseMoved(const kit::Event&) { kit::Cursor::arrow().set(); }

void Quirel_MessageBoxWindow::windowDidBecomeKey(kit::Window& window) {
  if (window.level() != kLevel) window.setLevel(kLevel);
}

void Quirel_MessageBoxWindow::windowDidUpdate(kit::Window& window) {
  if (window.level() != kLevel) window.setLevel(kLevel);
}
