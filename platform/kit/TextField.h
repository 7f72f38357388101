#pragma once

#include <memory>
#include <string>

#include "kit/Color.h"
#include "kit/Control.h"

class QLineEdit;

namespace kit {

class Formatter;
class TextField;

// Asked by a field about editing. A refused begin leaves the text alone; a refused end keeps
// the field editing and the focus in it.
class TextFieldDelegate {
 public:
  virtual ~TextFieldDelegate() = default;
  virtual bool controlTextShouldBeginEditing(TextField&) { return true; }
  virtual bool controlTextShouldEndEditing(TextField&) { return true; }
  virtual void controlTextDidBeginEditing(TextField&) {}
  virtual void controlTextDidChange(TextField&) {}
  virtual void controlTextDidEndEditing(TextField&) {}
};

enum class LineBreakMode { WordWrapping = 0, CharWrapping = 1, Clipping = 2, TruncatingHead = 3,
                           TruncatingTail = 4, TruncatingMiddle = 5 };

// A one-line text field, editable or a label, backed by a Qt line editor.
//
// Editing begins with the first change the user makes (textShouldBeginEditing is asked
// then) and ends when the field is asked to give up the focus, or at Return
// (textShouldEndEditing is asked; a refusal keeps the field editing and first responder).
// Return sends the action; the end of editing by a focus change sends it when
// sendsActionOnEndEditing is set; a continuous field sends it at every change. A formatter
// judges every partial text; a refused text leaves the field as it was.
class TextField : public Control {
 public:
  // Space a label keeps between its frame and its text at the left and the right.
  static constexpr double kLabelInset = 2;

  explicit TextField(const fnd::Rect& frame = {});
  ~TextField() override;
  // A label: no bezel, no background, neither editable nor selectable.
  static std::unique_ptr<TextField> labelWithString(const std::string& text, const fnd::Rect& frame = {});
  // A label that breaks its text into lines at its width, from the top; carriage returns and
  // line feeds break lines. The text keeps kLabelInset clear at the left and the right.
  static std::unique_ptr<TextField> wrappingLabelWithString(const std::string& text, const fnd::Rect& frame = {});
  // Turns this field into a label as above.
  void makeLabel();

  // --- Kind and look
  bool isEditable() const { return editable_; }
  void setEditable(bool on);
  bool isSelectable() const { return selectable_ || editable_; }
  void setSelectable(bool on);
  bool isBezeled() const { return bezeled_; }
  void setBezeled(bool on);
  bool isBordered() const { return bordered_; }
  void setBordered(bool on);
  bool drawsBackground() const { return drawsBackground_; }
  void setDrawsBackground(bool on);
  const Color& backgroundColor() const { return background_; }
  void setBackgroundColor(const Color& color);
  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color);
  // A field that is not editable and not in single-line mode wraps its text into lines when
  // its line-break mode is word or character wrapping (wrapping labels).
  bool usesSingleLineMode() const { return singleLine_; }
  void setUsesSingleLineMode(bool on);
  LineBreakMode lineBreakMode() const { return lineBreak_; }
  void setLineBreakMode(LineBreakMode mode);
  const std::string& placeholderString() const { return placeholder_; }
  void setPlaceholderString(const std::string& text);
  void setEnabled(bool enabled) override;
  void setFont(const Font& font) override;
  void setAlignment(TextAlignment alignment) override;

  // --- Values (through the formatter when there is one)
  fnd::Value objectValue() const override;
  void setObjectValue(const fnd::Value& value) override;
  std::string stringValue() const override { return text_; }
  void setStringValue(const std::string& text) override;
  void setIntValue(int value) override;
  void setDoubleValue(double value) override;

  Formatter* formatter() const { return formatter_.get(); }
  void setFormatter(std::unique_ptr<Formatter> formatter);
  TextFieldDelegate* delegate() const { return delegate_; }
  void setDelegate(TextFieldDelegate* delegate) { delegate_ = delegate; }
  bool sendsActionOnEndEditing() const { return actionOnEnd_; }
  void setSendsActionOnEndEditing(bool on) { actionOnEnd_ = on; }

  // --- Editing
  bool isEditing() const { return editing_; }
  // Edits as the user would: asks to begin, asks the formatter, changes the text. False when
  // refused (not editable, begin refused, formatter veto).
  bool insertText(const std::string& text);
  // Replaces the whole text as typing it would (same checks as insertText).
  bool replaceText(const std::string& text);
  // Return: ends editing (if allowed) and sends the action.
  bool performClick() override;
  // Asks to end editing; false when refused (the field keeps editing).
  bool endEditing();
  // Asked before the first change; the default asks the delegate.
  virtual bool textShouldBeginEditing();
  // Asked before editing ends; the default asks the delegate.
  virtual bool textShouldEndEditing();

  // The size the field needs to show its whole text on one line (bezel included).
  fnd::Size cellSize() const;
  // The height a wrapping label needs to show its whole text broken into lines inside a frame
  // this wide (the same measure its drawing uses).
  double heightForWidth(double width) const;
  void sizeToFit();

  bool acceptsFirstResponder() const override;
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;
  bool handlesNativeInput() const override { return isSelectable() && isEnabled(); }
  void setFrame(const fnd::Rect& frame) override;
  void mouseDown(const Event& event) override;
  // Draws the lines of a wrapping label (other fields show their text in the editor).
  void drawRect(const fnd::Rect& dirty) override;

  QLineEdit* lineEdit() const;
  // True while the text is drawn wrapped in lines (a wrapping label) instead of in the editor.
  bool isWrapping() const;

 private:
  friend class FieldEditorAccess;
  bool beginEditingIfNeeded();
  void textEditedByUser(const std::string& text);
  void returnPressed();
  void updateEditor();
  void showText();
  std::string text_;
  std::string placeholder_;
  std::unique_ptr<Formatter> formatter_;
  TextFieldDelegate* delegate_ = nullptr;
  Color background_ = Color::textBackground();
  Color textColor_ = Color::controlText();
  LineBreakMode lineBreak_ = LineBreakMode::Clipping;
  bool editable_ = true;
  bool selectable_ = true;
  bool bezeled_ = true;
  bool bordered_ = false;
  bool drawsBackground_ = true;
  bool editing_ = false;
  bool actionOnEnd_ = false;
  bool settingText_ = false;
  bool singleLine_ = false;
};

}  // namespace kit
