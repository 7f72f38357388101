#include "kit/TextField.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QValidator>
#include <cmath>

#include "kit/Formatter.h"
#include "kit/GraphicsContext.h"
#include "kit/QtBridge.h"
#include "kit/Window.h"

namespace kit {

using fnd::Rect;

// Lets the Qt side reach the field's private editing steps.
class FieldEditorAccess {
 public:
  static bool begin(TextField* f) { return f->beginEditingIfNeeded(); }
  static void returnPressed(TextField* f) { f->returnPressed(); }
  static Formatter* formatter(TextField* f) { return f->formatter_.get(); }
  static bool settingText(TextField* f) { return f->settingText_; }
};

namespace {

constexpr double kBezelInset = 3;

// Asks the field's formatter about every text the user is about to produce.
class FormatterValidator : public QValidator {
 public:
  FormatterValidator(TextField* field, QObject* owner) : QValidator(owner), field_(field) {}
  State validate(QString& input, int& pos) const override {
    Formatter* f = FieldEditorAccess::formatter(field_);
    if (!f || FieldEditorAccess::settingText(field_)) return Acceptable;
    std::string proposed;
    if (f->isPartialStringValid(input.toStdString(), &proposed, nullptr)) return Acceptable;
    if (!proposed.empty()) {
      input = QString::fromStdString(proposed);
      pos = static_cast<int>(input.size());
      return Acceptable;
    }
    return Invalid;
  }

 private:
  TextField* field_;
};

// The line editor: asks the field before the first change and reports Return.
class FieldEditor : public QLineEdit {
 public:
  explicit FieldEditor(TextField* field) : field_(field) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      FieldEditorAccess::returnPressed(field_);
      return;
    }
    bool changes = !e->text().isEmpty() && e->text().at(0).isPrint();
    changes = changes || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
              e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Paste);
    if (changes && !isReadOnly() && !FieldEditorAccess::begin(field_)) return;
    QLineEdit::keyPressEvent(e);
  }

 private:
  TextField* field_;
};

QString elided(const QString& text, const QFont& font, double width, LineBreakMode mode) {
  Qt::TextElideMode m = mode == LineBreakMode::TruncatingMiddle ? Qt::ElideMiddle
                        : mode == LineBreakMode::TruncatingHead ? Qt::ElideLeft
                                                                : Qt::ElideRight;
  return QFontMetricsF(font).elidedText(text, m, width);
}

}  // namespace

TextField::TextField(const Rect& frame) : Control(frame) {
  // The editor is a child of the view's own widget, covering it; it takes the focus for it.
  auto* edit = new FieldEditor(this);
  edit->setParent(nativeWidget());
  edit->setValidator(new FormatterValidator(this, edit));
  edit->setMouseTracking(true);
  nativeWidget()->setFocusProxy(edit);
  // Wrapping labels hide the editor and draw their lines themselves (drawRect), with the
  // same text layout Font::heightForWidth measures, so a label sized by it shows every line.
  QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& t) { textEditedByUser(t.toStdString()); });
  setFont(Font::systemFont(13));
  updateEditor();
}

TextField::~TextField() = default;

std::unique_ptr<TextField> TextField::labelWithString(const std::string& text, const Rect& frame) {
  auto field = std::make_unique<TextField>(frame);
  field->makeLabel();
  field->setStringValue(text);
  return field;
}

std::unique_ptr<TextField> TextField::wrappingLabelWithString(const std::string& text, const Rect& frame) {
  auto field = labelWithString(text, frame);
  field->setLineBreakMode(LineBreakMode::WordWrapping);
  return field;
}

bool TextField::isWrapping() const {
  return !editable_ && !singleLine_ && (lineBreak_ == LineBreakMode::WordWrapping || lineBreak_ == LineBreakMode::CharWrapping);
}

void TextField::setUsesSingleLineMode(bool on) {
  singleLine_ = on;
  updateEditor();
}

void TextField::makeLabel() {
  editable_ = false;
  selectable_ = false;
  bezeled_ = false;
  bordered_ = false;
  drawsBackground_ = false;
  updateEditor();
}

QLineEdit* TextField::lineEdit() const { return nativeWidget()->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly); }

void TextField::setEditable(bool on) {
  editable_ = on;
  updateEditor();
}
void TextField::setSelectable(bool on) {
  selectable_ = on;
  updateEditor();
}
void TextField::setBezeled(bool on) {
  bezeled_ = on;
  updateEditor();
}
void TextField::setBordered(bool on) {
  bordered_ = on;
  updateEditor();
}
void TextField::setDrawsBackground(bool on) {
  drawsBackground_ = on;
  updateEditor();
}
void TextField::setBackgroundColor(const Color& color) {
  background_ = color;
  updateEditor();
}
void TextField::setTextColor(const Color& color) {
  textColor_ = color;
  updateEditor();
}
void TextField::setLineBreakMode(LineBreakMode mode) {
  lineBreak_ = mode;
  updateEditor();
}
void TextField::setPlaceholderString(const std::string& text) {
  placeholder_ = text;
  lineEdit()->setPlaceholderText(bridge::qs(text));
}
void TextField::setEnabled(bool enabled) {
  Control::setEnabled(enabled);
  updateEditor();
}
void TextField::setFont(const Font& font) {
  Control::setFont(font);
  lineEdit()->setFont(bridge::toQFont(font));
  showText();
}
void TextField::setAlignment(TextAlignment alignment) {
  Control::setAlignment(alignment);
  Qt::Alignment a = alignment == TextAlignment::Right    ? Qt::AlignRight
                    : alignment == TextAlignment::Center ? Qt::AlignHCenter
                                                         : Qt::AlignLeft;
  lineEdit()->setAlignment(a | Qt::AlignVCenter);
}

void TextField::updateEditor() {
  QLineEdit* e = lineEdit();
  e->setReadOnly(!editable_);
  e->setEnabled(isEnabled());
  e->setFrame(bezeled_ || bordered_);
  // A field in a key-view loop also takes the focus by Tab.
  const bool inKeyLoop = nextKeyView() || previousKeyView();
  e->setFocusPolicy(!isSelectable() ? Qt::NoFocus : inKeyLoop ? Qt::StrongFocus : Qt::ClickFocus);
  // A field that is neither editable nor selectable lets clicks through to kit.
  e->setAttribute(Qt::WA_TransparentForMouseEvents, !isSelectable());
  QPalette p = e->palette();
  QColor bg = drawsBackground_ ? bridge::toQColor(background_) : QColor(Qt::transparent);
  p.setColor(QPalette::Base, bg);
  p.setColor(QPalette::Window, bg);
  QColor fg = bridge::toQColor(isEnabled() ? textColor_ : Color::disabledControlText());
  p.setColor(QPalette::Text, fg);
  p.setColor(QPalette::WindowText, fg);
  p.setColor(QPalette::Disabled, QPalette::Text, bridge::toQColor(Color::disabledControlText()));
  e->setPalette(p);
  e->setAutoFillBackground(drawsBackground_);
  e->setTextMargins(bezeled_ || bordered_ ? 0 : -2, 0, 0, 0);
  e->setGeometry(0, 0, nativeWidget()->width(), nativeWidget()->height());
  e->setVisible(!isWrapping());
  showText();
}

void TextField::showText() {
  QLineEdit* e = lineEdit();
  settingText_ = true;
  QString full = bridge::qs(text_);
  if (!editable_ && lineBreak_ >= LineBreakMode::TruncatingHead && lineBreak_ <= LineBreakMode::TruncatingMiddle) {
    double room = std::max(0.0, frame().size.width - (bezeled_ || bordered_ ? 2 * kBezelInset + 4 : 2));
    e->setText(elided(full, e->font(), room, lineBreak_));
  } else if (e->text() != full) {
    e->setText(full);
  }
  if (!editing_) e->setCursorPosition(0);
  settingText_ = false;
  if (isWrapping()) setNeedsDisplay(true);
}

void TextField::setFrame(const Rect& frame) {
  Control::setFrame(frame);
  lineEdit()->setGeometry(0, 0, nativeWidget()->width(), nativeWidget()->height());
  showText();
}

fnd::Value TextField::objectValue() const {
  if (formatter_) {
    fnd::Value v;
    if (formatter_->getObjectValue(&v, text_, nullptr)) return v;
    return fnd::Value();
  }
  return fnd::Value(text_);
}

void TextField::setObjectValue(const fnd::Value& value) {
  setStringValue(formatter_ ? formatter_->stringForObjectValue(value)
                            : (value.kind() == fnd::Value::Kind::Integer ? std::to_string(value.toInteger())
                                                                        : value.toString()));
}

void TextField::setStringValue(const std::string& text) {
  text_ = text;
  showText();
  setNeedsDisplay(true);
}

void TextField::setIntValue(int value) { setObjectValue(fnd::Value(value)); }

void TextField::setDoubleValue(double value) {
  if (formatter_) {
    setObjectValue(fnd::Value(value));
    return;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", value);
  setStringValue(buf);
}

void TextField::setFormatter(std::unique_ptr<Formatter> formatter) { formatter_ = std::move(formatter); }

bool TextField::textShouldBeginEditing() { return delegate_ ? delegate_->controlTextShouldBeginEditing(*this) : true; }
bool TextField::textShouldEndEditing() { return delegate_ ? delegate_->controlTextShouldEndEditing(*this) : true; }

bool TextField::beginEditingIfNeeded() {
  if (!editable_ || !isEnabled()) return false;
  if (editing_) return true;
  if (!textShouldBeginEditing()) return false;
  editing_ = true;
  if (delegate_) delegate_->controlTextDidBeginEditing(*this);
  return true;
}

void TextField::textEditedByUser(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (delegate_) delegate_->controlTextDidChange(*this);
  if (isContinuous()) sendAction();
}

bool TextField::insertText(const std::string& text) {
  QLineEdit* e = lineEdit();
  std::string proposed = bridge::qs(text_).insert(e->cursorPosition(), bridge::qs(text)).toStdString();
  return replaceText(proposed);
}

bool TextField::replaceText(const std::string& text) {
  if (!beginEditingIfNeeded()) return false;
  std::string accepted = text;
  if (formatter_) {
    std::string proposed;
    if (!formatter_->isPartialStringValid(text, &proposed, nullptr)) {
      if (proposed.empty()) return false;
      accepted = proposed;
    }
  }
  settingText_ = true;
  lineEdit()->setText(bridge::qs(accepted));
  settingText_ = false;
  textEditedByUser(accepted);
  return true;
}

bool TextField::endEditing() {
  if (!editing_) return true;
  if (!textShouldEndEditing()) return false;
  editing_ = false;
  if (delegate_) delegate_->controlTextDidEndEditing(*this);
  return true;
}

void TextField::returnPressed() {
  if (!endEditing()) return;
  if (isEnabled()) sendAction();
  lineEdit()->selectAll();
}

bool TextField::performClick() {
  if (!isEnabled()) return false;
  returnPressed();
  return true;
}

fnd::Size TextField::cellSize() const {
  Font f = font();
  double pad = bezeled_ || bordered_ ? 2 * kBezelInset + 4 : 2 * kLabelInset;
  return fnd::Size{std::ceil(f.widthOfString(text_) + pad), std::ceil(f.lineHeight() + (bezeled_ || bordered_ ? 2 * kBezelInset : 2))};
}

void TextField::sizeToFit() { setFrameSize(cellSize()); }

double TextField::heightForWidth(double width) const {
  return font().heightForWidth(text_, std::max(1.0, width - 2 * kLabelInset));
}

void TextField::drawRect(const Rect&) {
  GraphicsContext* ctx = GraphicsContext::current();
  if (!ctx || !isWrapping()) return;
  Rect b = bounds();
  if (drawsBackground_) {
    background_.setFill();
    ctx->fillRect(b);
  }
  Rect area(b.origin.x + kLabelInset, b.origin.y, std::max(0.0, b.size.width - 2 * kLabelInset), b.size.height);
  ctx->drawText(text_, area, font(), isEnabled() ? textColor_ : Color::disabledControlText(), alignment());
}

bool TextField::acceptsFirstResponder() const { return isSelectable() && isEnabled(); }

bool TextField::becomeFirstResponder() {
  if (!acceptsFirstResponder()) return false;
  lineEdit()->setFocus(Qt::OtherFocusReason);
  return true;
}

bool TextField::resignFirstResponder() {
  if (editing_) {
    if (!textShouldEndEditing()) {
      // Keep the focus where the user is typing.
      lineEdit()->setFocus(Qt::OtherFocusReason);
      return false;
    }
    editing_ = false;
    if (delegate_) delegate_->controlTextDidEndEditing(*this);
    if (actionOnEnd_ && isEnabled()) sendAction();
  }
  lineEdit()->deselect();
  lineEdit()->clearFocus();
  return true;
}

void TextField::mouseDown(const Event& event) {
  // Clicks that Qt does not take (labels) go on to whoever is behind.
  if (!isSelectable()) {
    View::mouseDown(event);
    return;
  }
  if (isEnabled())
    if (Window* w = window()) w->makeFirstResponder(this);
}

}  // namespace kit
