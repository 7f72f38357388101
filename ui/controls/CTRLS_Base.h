#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "kit/Color.h"
#include "kit/Font.h"
#include "kit/TextField.h"

// What the control wrappers share: the caption label beside the held control (kinds without
// a caption have none: its rectangle reads as zero) and the action notification, whose name
// the owner sets and whose object is the held control. The wrapper never adds its pieces to
// a view: owners place them through the getters (they stay owned by the wrapper).
class Quirel_CTRLS_Base {
 public:
  enum class Caption { None, NoFocus, Plain };

  virtual ~Quirel_CTRLS_Base();
  Quirel_CTRLS_Base(const Quirel_CTRLS_Base&) = delete;
  Quirel_CTRLS_Base& operator=(const Quirel_CTRLS_Base&) = delete;

  kit::TextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtTitle(const std::string& title);
  void setTitleTxtRect(double x, double y, double width, double height);
  void setTitleTxtRect(const fnd::Rect& rect);
  fnd::Rect getTitleTxtRect() const { return rectOf(mTitleTxt.get()); }
  void setTitleTxtColor(const kit::Color& color);
  void setTitleTxtFont(const kit::Font& font);

  // A view's frame, or the zero rectangle when there is no view.
  static fnd::Rect rectOf(const kit::View* view) { return view ? view->frame() : fnd::Rect(); }
  // A label: no background, no bezel, not editable; focus-refusing unless plain.
  static std::unique_ptr<kit::TextField> makeLabel(bool plain);

 protected:
  explicit Quirel_CTRLS_Base(Caption caption);
  // Stores the name of the action notification (the last one set counts).
  void setActionPostName(const std::string& name) { mActionPostName = name; }
  // Posts the action notification with the control as object; nothing before a name is set.
  void postAction(const void* control) const;

  std::unique_ptr<kit::TextField> mTitleTxt;

 private:
  std::string mActionPostName;  // empty until the owner sets one
};
