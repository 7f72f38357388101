#pragma once

#include <string>

#include "kit/Color.h"
#include "kit/View.h"

namespace kit {

enum class BoxType { Primary = 0, Secondary = 1, Separator = 2, Custom = 4 };
enum class BorderType { NoBorder = 0, LineBorder = 1, BezelBorder = 2, GrooveBorder = 3 };
enum class TitlePosition { NoTitle = 0, AboveTop = 1, AtTop = 2 };

// A frame around a group of views, or a separator line (a box of type Separator draws one
// line along its longer side). Views are added to the box as subviews.
class Box : public View {
 public:
  explicit Box(const fnd::Rect& frame = {});
  ~Box() override;

  BoxType boxType() const { return type_; }
  void setBoxType(BoxType type);
  BorderType borderType() const { return border_; }
  void setBorderType(BorderType type);
  const std::string& title() const { return title_; }
  void setTitle(const std::string& title);
  TitlePosition titlePosition() const { return titlePosition_; }
  void setTitlePosition(TitlePosition position);
  // Custom boxes: the fill and border colours.
  void setFillColor(const Color& color);
  void setBorderColor(const Color& color);
  // The rectangle inside the border (and below the title).
  fnd::Rect contentRect() const;

  void drawRect(const fnd::Rect& dirty) override;

 private:
  BoxType type_ = BoxType::Primary;
  BorderType border_ = BorderType::LineBorder;
  std::string title_;
  TitlePosition titlePosition_ = TitlePosition::NoTitle;
  Color fill_ = Color::clear();
  Color borderColor_ = Color::calibratedWhite(0.6);
};

}  // namespace kit
