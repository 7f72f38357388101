#pragma once

namespace kit {

// An RGBA colour with components from 0 to 1. The named and system colours are fixed values
// of our own choosing; set() makes a colour the fill and stroke colour of the current
// graphics context, as drawing code expects.
class Color {
 public:
  Color() = default;  // clear: black with alpha 0
  static Color calibratedRGB(double red, double green, double blue, double alpha = 1.0);
  static Color calibratedWhite(double white, double alpha = 1.0);

  // Named colours.
  static Color black();
  static Color white();
  static Color gray();       // 0.5
  static Color lightGray();  // 2/3
  static Color darkGray();   // 1/3
  static Color red();
  static Color green();
  static Color blue();
  static Color yellow();
  static Color clear();

  // System colours.
  static Color windowBackground();
  static Color controlBackground();
  static Color control();
  static Color controlText();
  static Color disabledControlText();
  static Color controlHighlight();
  static Color controlShadow();
  static Color selectedControl();
  static Color text();
  static Color textBackground();
  static Color keyboardFocusIndicator();
  static Color gridColor();

  double redComponent() const { return r_; }
  double greenComponent() const { return g_; }
  double blueComponent() const { return b_; }
  double alphaComponent() const { return a_; }
  Color withAlphaComponent(double alpha) const;

  // Fill and stroke colour of the current graphics context; nothing without one.
  void set() const;
  void setFill() const;
  void setStroke() const;

  friend bool operator==(const Color&, const Color&) = default;

 private:
  Color(double r, double g, double b, double a) : r_(r), g_(g), b_(b), a_(a) {}
  double r_ = 0, g_ = 0, b_ = 0, a_ = 0;
};

}  // namespace kit
