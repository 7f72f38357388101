#pragma once

// Shared by the colour-pattern dialog's tests: crops holding a known picture, the plug-in
// description, the window controller's answer to the text look-ups, pixel reading, and real
// clicks and keys through the application's queue.

#include <algorithm>
#include <cmath>
#include <ostream>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/Image.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "plugins/PlugInInterface.h"
#include "ui/adjust/ColorPatternDialog.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/model/CropInfo.h"

namespace colorpattern_test {

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// Four flat quarters, rows from the top: red top left, green top right, blue bottom left, grey
// 128 bottom right.
inline std::vector<std::uint8_t> quarterPicture(int w, int h) {
  std::vector<std::uint8_t> p(std::size_t(w) * std::size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      Rgb c{0, 0, 0};
      if (!right && !bottom) c = {255, 0, 0};
      if (right && !bottom) c = {0, 255, 0};
      if (!right && bottom) c = {0, 0, 255};
      if (right && bottom) c = {128, 128, 128};
      std::uint8_t* px = p.data() + (std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3;
      px[0] = std::uint8_t(c.r), px[1] = std::uint8_t(c.g), px[2] = std::uint8_t(c.b);
    }
  return p;
}

// A colourful picture to look at: hue across, lightness down, a grey ramp at the bottom.
inline std::vector<std::uint8_t> colourTestPicture(int w, int h) {
  std::vector<std::uint8_t> p(std::size_t(w) * std::size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double rgb[3];
      if (y >= h * 4 / 5) {
        rgb[0] = rgb[1] = rgb[2] = double(x) / (w - 1);
      } else {
        const double hue = 6.0 * x / w, light = 0.25 + 0.6 * y / (h * 4.0 / 5);
        const double f = hue - std::floor(hue);
        const double ramp[6][3] = {{1, f, 0}, {1 - f, 1, 0}, {0, 1, f}, {0, 1 - f, 1}, {f, 0, 1}, {1, 0, 1 - f}};
        const auto& base = ramp[int(hue) % 6];
        for (int c = 0; c < 3; ++c) rgb[c] = light < 0.5 ? base[c] * light * 2 : base[c] + (1 - base[c]) * (light - 0.5) * 2;
      }
      std::uint8_t* px = p.data() + (std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3;
      for (int c = 0; c < 3; ++c) px[c] = std::uint8_t(std::lround(std::clamp(rgb[c], 0.0, 1.0) * 255));
    }
  return p;
}

inline CropImage cropImageOf(const std::vector<std::uint8_t>& picture) {
  auto* block = static_cast<std::uint8_t*>(std::malloc(picture.size()));
  std::memcpy(block, picture.data(), picture.size());
  return CropImage(block);
}

// A crop whose corrected picture is `picture` (w x h) with the given colour balance.
inline std::shared_ptr<Quirel_CropInfo> cropWith(int w, int h, const std::vector<std::uint8_t>& picture,
                                                 ColorBalanceValues balance = {0, 0, 0, 0}) {
  auto crop = std::make_shared<Quirel_CropInfo>();
  crop->setcropCorRect(makeSRectDouble(0, 0, w, h));
  crop->setcropCorData(cropImageOf(picture));
  crop->setColorBalance(balance);
  return crop;
}

inline fnd::Dictionary hslPlugInEntry() {
  return fnd::Dictionary{{"Plugin", "HSL.plugin"},
                         {"Factory", PLUGIN_HSL_FACTORY},
                         {"Interface", PLUGIN_HSL_INTERFACE},
                         {"Type", PLUGIN_HSL_TYPE}};
}

inline fnd::Dictionary zoomPlugInEntry() {
  return fnd::Dictionary{{"Plugin", "Resize.plugin"},
                         {"Factory", PLUGIN_RESIZE_FACTORY},
                         {"Interface", PLUGIN_RESIZE_INTERFACE},
                         {"Type", PLUGIN_RESIZE_TYPE}};
}

inline fnd::Dictionary realPlugInInfo() { return fnd::Dictionary{{"HSL", hslPlugInEntry()}, {"ZOOM", zoomPlugInEntry()}}; }

// The shift of one 8-bit sample by a colour-balance setting, as our HSL plug-in makes it.
inline int shiftedSample(int v, int setting) {
  return int(std::lround(std::clamp(v / 255.0 + std::clamp(setting, -100, 100) / 200.0, 0.0, 1.0) * 255.0));
}

inline Rgb shifted(Rgb c, const ColorBalanceValues& b) {
  return {shiftedSample(c.r, b.cyanRed), shiftedSample(c.g, b.magentaGreen), shiftedSample(c.b, b.yellowBlue)};
}

inline Rgb pixelOf(const kit::Image& image, int x, int y) {
  const kit::Color c = image.colorAtPixel(x, y);
  return {int(std::lround(c.redComponent() * 255)), int(std::lround(c.greenComponent() * 255)),
          int(std::lround(c.blueComponent() * 255))};
}

// Every pixel of the image, rows from the top, as packed RGB.
inline std::vector<std::uint8_t> bytesOf(const kit::Image& image) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < image.pixelsHigh(); ++y)
    for (int x = 0; x < image.pixelsWide(); ++x) {
      const Rgb c = pixelOf(image, x, y);
      out.insert(out.end(), {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b)});
    }
  return out;
}

// Answers the dialog's text question as the window controller does, with our own texts.
class TextsAnswered {
 public:
  TextsAnswered()
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
              if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
                carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

inline kit::Application& patternApp() { return kit::Application::shared(); }

// A whole click at the middle of a view, through the application's queue.
inline void clickView(kit::View& view) {
  kit::Window* w = view.window();
  const fnd::Rect r = view.convertRectToView(view.bounds(), nullptr);
  const fnd::Point at{r.midX(), r.midY()};
  patternApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, w));
  patternApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, w));
  patternApp().dispatchQueuedEvents();
}

inline void pressKey(kit::Window& w, char key) {
  patternApp().postEvent(kit::Event::keyEvent(kit::EventType::KeyDown, std::string(1, key), 0, &w));
  patternApp().postEvent(kit::Event::keyEvent(kit::EventType::KeyUp, std::string(1, key), 0, &w));
  patternApp().dispatchQueuedEvents();
}

inline int selectedIndex(const Quirel_ColorPatternDialog& d) { return d.indexOfInfo(d.getSelectedInfo()); }

}  // namespace colorpattern_test
