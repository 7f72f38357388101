#include "kit/Alert.h"

#include <algorithm>
#include <cmath>

#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/ImageView.h"
#include "kit/Panel.h"
#include "kit/Sheet.h"
#include "kit/TextField.h"

namespace kit {

using fnd::Rect;

namespace {
constexpr double kWidth = 420;
constexpr double kIcon = 64;
constexpr double kMargin = 20;
constexpr double kButtonHeight = 32;
constexpr int kMessageTag = 1;
constexpr int kInformativeTag = 2;
constexpr int kIconTag = 3;

// A round sign drawn for the style when the caller gives no icon.
class AlertIcon : public View {
 public:
  AlertIcon(const Rect& frame, AlertStyle style) : View(frame), style_(style) {}
  void drawRect(const Rect&) override {
    Rect b = bounds().insetBy(4, 4);
    Color c = style_ == AlertStyle::Critical  ? Color::calibratedRGB(0.85, 0.2, 0.15)
              : style_ == AlertStyle::Warning ? Color::calibratedRGB(0.95, 0.7, 0.1)
                                              : Color::calibratedRGB(0.2, 0.45, 0.85);
    c.setFill();
    BezierPath::withOvalInRect(b).fill();
    if (auto* ctx = GraphicsContext::current()) {
      Font f = Font::boldSystemFont(36);
      double h = f.lineHeight();
      ctx->drawText(style_ == AlertStyle::Informational ? "i" : "!", Rect(b.minX(), b.midY() - h / 2, b.size.width, h),
                    f, Color::white(), TextAlignment::Center);
    }
  }

 private:
  AlertStyle style_;
};
}  // namespace

Alert::Alert() = default;

Alert::~Alert() {
  if (panel_ && Sheet::parentOfSheet(*panel_)) Sheet::end(*panel_, kModalResponseAbort);
}

Button* Alert::addButtonWithTitle(const std::string& title) {
  Panel& w = window();
  auto button = std::make_unique<Button>(Rect(0, 0, 100, kButtonHeight));
  button->setTitle(title);
  button->setBezelStyle(BezelStyle::Rounded);
  button->setButtonType(ButtonType::MomentaryPushIn);
  int index = static_cast<int>(buttons_.size());
  button->setTag(kAlertFirstButtonReturn + index);
  button->setAction([this, index](Control&) { buttonClicked(index); });
  if (index == 0) button->setKeyEquivalent("\r");
  if (title == "Cancel") button->setKeyEquivalent(std::string(1, keys::kEscape));
  buttons_.push_back(static_cast<Button*>(w.contentView()->addSubview(std::move(button))));
  titles_.push_back(title);
  return buttons_.back();
}

Panel& Alert::window() {
  if (!panel_) {
    panel_ = std::make_unique<Panel>(Rect(0, 0, kWidth, 140), kTitledWindowMask);
    panel_->setExcludedFromWindowsMenu(true);
    View* content = panel_->contentView();
    auto message = TextField::wrappingLabelWithString("");
    message->setFont(Font::boldSystemFont(13));
    message->setTag(kMessageTag);
    content->addSubview(std::move(message));
    auto info = TextField::wrappingLabelWithString("");
    info->setFont(Font::systemFont(11));
    info->setTag(kInformativeTag);
    content->addSubview(std::move(info));
  }
  return *panel_;
}

void Alert::layout() {
  Panel& w = window();
  if (buttons_.empty()) addButtonWithTitle("OK");
  View* content = w.contentView();
  if (View* old = content->viewWithTag(kIconTag)) old->removeFromSuperview();
  auto* message = static_cast<TextField*>(content->viewWithTag(kMessageTag));
  auto* info = static_cast<TextField*>(content->viewWithTag(kInformativeTag));
  message->setStringValue(message_);
  info->setStringValue(informative_);
  double textX = kMargin + kIcon + 16, textW = kWidth - textX - kMargin;
  // Measured by the labels themselves, so the height fits the lines they draw.
  double messageH = std::ceil(message->heightForWidth(textW)) + 2;
  double infoH = informative_.empty() ? 0 : std::ceil(info->heightForWidth(textW)) + 2;
  double textH = messageH + (infoH > 0 ? 8 + infoH : 0);
  double height = kMargin + std::max(kIcon, textH) + 20 + kButtonHeight + 12;
  w.setContentSize({kWidth, height});
  double top = height - kMargin;
  if (icon_.isValid()) {
    auto iv = std::make_unique<ImageView>(Rect(kMargin, top - kIcon, kIcon, kIcon));
    iv->setImage(icon_);
    iv->setImageScaling(ImageScaling::ProportionallyUpOrDown);
    iv->setTag(kIconTag);
    content->addSubview(std::move(iv));
  } else {
    auto sign = std::make_unique<AlertIcon>(Rect(kMargin, top - kIcon, kIcon, kIcon), style_);
    sign->setTag(kIconTag);
    content->addSubview(std::move(sign));
  }
  message->setFrame(Rect(textX, top - messageH, textW, messageH));
  info->setFrame(Rect(textX, top - messageH - 8 - infoH, textW, infoH));
  info->setHidden(informative_.empty());
  // Buttons from the right: the first rightmost.
  double x = kWidth - kMargin + 6;
  for (Button* b : buttons_) {
    double bw = std::max(100.0, std::ceil(b->font().widthOfString(b->title()) + 36));
    x -= bw;
    b->setFrame(Rect(x, 12, bw, kButtonHeight));
    x -= 4;
  }
  if (!buttons_.empty()) w.setDefaultButton(buttons_.front());
}

int Alert::runModal() {
  layout();
  Panel& w = window();
  asSheet_ = false;
  w.center();
  w.makeKeyAndOrderFront();
  int code = Application::shared().runModalForWindow(w);
  w.orderOut();
  return code;
}

void Alert::beginSheetModalForWindow(Window& parent, std::function<void(int)> completion) {
  layout();
  asSheet_ = true;
  if (!Sheet::begin(window(), parent, std::move(completion))) asSheet_ = false;
}

void Alert::buttonClicked(int index) {
  int code = kAlertFirstButtonReturn + index;
  if (asSheet_) {
    asSheet_ = false;
    Sheet::end(window(), code);
    return;
  }
  Application& app = Application::shared();
  if (app.modalWindow() == panel_.get()) app.stopModalWithCode(code);
}

}  // namespace kit
