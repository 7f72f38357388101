#pragma once

// Shared by the adjustment dialogs' tests: the window controller's and data source's answers
// for the texts, scanner records by version, crop lists, a recorder of notifications, the
// message boxes answered as a user would, real mouse events on a panel, and recording
// doubles of the graph and zoom views.

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/controls/FRZoomViewLink.h"
#include "ui/controls/FinalReviewGraphLink.h"
#include "ui/controls/HistogramGraphViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ScanModeLink.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/MessageBoxWindow.h"
#include "ui/windows/ShowMessageDialog.h"

namespace adjust_test {

inline kit::Application& app() { return kit::Application::shared(); }

// The main-window controller and the data source name the program's own resource bundle.
class TextsAnswer {
 public:
  TextsAnswer()
      : localize_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kLocalizePostName, nullptr,
            [](const fnd::Notification& n) {
              if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
                carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
            })),
        dataSource_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kDataSourcePostName, nullptr, [](const fnd::Notification& n) {
              if (auto* c = Quirel_PVLocalizedBundle::fromNotification(n))
                c->setLocalizedBundleStr(fnd::Bundle::main().identifier());
            })) {}

 private:
  fnd::NotificationCenter::Token localize_, dataSource_;
};

// A scanner record with the given version flags.
inline std::unique_ptr<Quirel_UIScannerInfo> scanner(bool v1400, bool v1500, bool v1700, bool v1900 = false) {
  fnd::Dictionary d{{"Ver1200Later", true}, {"Ver1300Later", true}, {"Ver1400Later", v1400},
                    {"Ver1500Later", v1500}, {"Ver1600Later", v1500}, {"Ver1700Later", v1700},
                    {"Ver1800Later", v1700}, {"Ver1900Later", v1900}};
  return std::make_unique<Quirel_UIScannerInfo>(d);
}

// n crops, the given ones selected, one focused (-1: none); histogram points 0/128/255/128.
inline CropList crops(int n, std::vector<int> selected, int focused) {
  CropList list;
  for (int i = 0; i < n; ++i) {
    auto c = std::make_shared<Quirel_CropInfo>();
    c->setSelect(false);
    c->setFocus(i == focused);
    for (int s : selected)
      if (s == i) c->setSelect(true);
    c->setHistogram(HistogramValues{{0, 0, 0, 0}, {128, 128, 128, 128}, {255, 255, 255, 255}, {128, 128, 128, 128}});
    list.push_back(c);
  }
  return list;
}

// Records the names (in order) of the notifications it watches, from any sender.
class Posts {
 public:
  explicit Posts(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      tokens_.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [this](const fnd::Notification& n) { seen.push_back(n.name); }));
  }
  std::size_t count(const std::string& name) const {
    std::size_t k = 0;
    for (const auto& s : seen) k += s == name;
    return k;
  }
  void clear() { seen.clear(); }
  std::vector<std::string> seen;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

// Answers the next message boxes with OK, keeping their texts.
class Messages {
 public:
  void expect(int boxes = 1) {
    for (int i = 0; i < boxes; ++i)
      app().onNextModalWindow([this](kit::Window& w) {
        auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
        texts.push_back(box ? box->textField()->stringValue() : std::string("<no box>"));
        if (box)
          box->okButton()->performClick();
        else
          app().abortModal();
      });
  }
  std::vector<std::string> texts;
};

// Real mouse events through the application's queue, in the window's own points.
inline void post(kit::Window& w, kit::EventType type, fnd::Point at) {
  app().postEvent(kit::Event::mouseEvent(type, at, 0, &w, 1));
}
inline void dispatch() { app().dispatchQueuedEvents(); }
// The centre of a view, in its window's points.
inline fnd::Point centreOf(const kit::View& v) {
  const fnd::Rect b = v.bounds();
  return v.convertPointToView(fnd::Point(b.origin.x + b.size.width / 2, b.origin.y + b.size.height / 2), nullptr);
}
inline void click(kit::Window& w, const kit::View& v) {
  post(w, kit::EventType::LeftMouseDown, centreOf(v));
  post(w, kit::EventType::LeftMouseUp, centreOf(v));
  dispatch();
}

// A drag along a row from the centre of `v`: pressed there, moved by each of `dx` in turn and
// released at the last, all dispatched.
inline void dragAlong(kit::Window& w, const kit::View& v, std::initializer_list<double> dx) {
  const fnd::Point from = centreOf(v);
  post(w, kit::EventType::LeftMouseDown, from);
  double last = 0;
  for (double d : dx) post(w, kit::EventType::LeftMouseDragged, fnd::Point(from.x + (last = d), from.y));
  post(w, kit::EventType::LeftMouseUp, fnd::Point(from.x + last, from.y));
  dispatch();
}

// Records every call a graph or zoom view gets, by name, in order.
class CallLog {
 public:
  std::vector<std::string> calls;
  void add(const std::string& c) { calls.push_back(c); }
};

class HistogramGraphDouble : public Quirel_HistogramGraphViewLink {
 public:
  explicit HistogramGraphDouble(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return &view_; }
  void setChannel(int c) override { log_.add("setChannel " + std::to_string(c)); }
  void setColorMode(int m) override { log_.add("setColorMode " + std::to_string(m)); }
  void setBlackPoint(ChannelValues v) override { black = v; }
  void setMidPoint(ChannelValues v) override { mid = v; }
  void setWhitePoint(ChannelValues v) override { white = v; }
  void setGrayPoint(ChannelValues v) override { gray = v; }
  void setImgData(int w, int h, const std::uint8_t*) override {
    log_.add("setImgData " + std::to_string(w) + "x" + std::to_string(h));
  }
  void getPreviewInfo(bool p) override { log_.add(std::string("getPreviewInfo ") + (p ? "1" : "0")); }
  ChannelValues black{}, mid{}, white{}, gray{};

 private:
  CallLog& log_;
  kit::View view_;
};

class FinalGraphDouble : public Quirel_FinalReviewGraphLink {
 public:
  explicit FinalGraphDouble(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return &view_; }
  void setChannel(int c) override { log_.add("setChannel " + std::to_string(c)); }
  void setColor(int c) override { log_.add("setColor " + std::to_string(c)); }
  void setBlackPoint(ChannelValues v) override { log_.add("setBlackPoint " + std::to_string(v.red)); }
  void setMidPoint(ChannelValues v) override { log_.add("setMidPoint " + std::to_string(v.red)); }
  void setWhitePoint(ChannelValues v) override { log_.add("setWhitePoint " + std::to_string(v.red)); }
  void setGrayPoint(ChannelValues v) override { log_.add("setGrayPoint " + std::to_string(v.red)); }
  void setBrightness(ChannelValues v) override { log_.add("setBrightness " + std::to_string(v.red)); }
  void setContrast(ChannelValues v) override { log_.add("setContrast " + std::to_string(v.red)); }
  void setToneSelectTable(ChannelValues v) override { log_.add("setToneSelectTable " + std::to_string(v.red)); }
  void setUserCurvePoint(const TagPoint* p) override {
    log_.add("setUserCurvePoint " + std::to_string(p[15].h) + "," + std::to_string(p[15].v));
  }
  void setUserCurveCount(const int* c) override { log_.add("setUserCurveCount " + std::to_string(c[1])); }
  void setImgData(int w, int h, const std::uint8_t*) override {
    log_.add("setImgData " + std::to_string(w) + "x" + std::to_string(h));
  }
  void setMonitorGamma(float g) override { log_.add("setMonitorGamma " + std::to_string(g)); }
  void getPreviewInfo(bool p) override { log_.add(std::string("getPreviewInfo ") + (p ? "1" : "0")); }

 private:
  CallLog& log_;
  kit::View view_;
};

class ZoomDouble : public Quirel_FRZoomViewLink {
 public:
  explicit ZoomDouble(CallLog& log) : log_(log) {}
  kit::View* linkedView() override { return &view_; }
  void setRGB(double r, double g, double b) override {
    log_.add("setRGB " + std::to_string(int(r)) + "," + std::to_string(int(g)) + "," + std::to_string(int(b)));
  }
  void setGray(double g) override { log_.add("setGray " + std::to_string(int(g))); }
  void getZoomViewData(const kit::Image&) override { log_.add("getZoomViewData"); }
  void setRotation(int r) override { log_.add("setRotation " + std::to_string(r)); }
  void setMirror(bool m) override { log_.add(std::string("setMirror ") + (m ? "1" : "0")); }
  kit::View& view() { return view_; }

 private:
  CallLog& log_;
  kit::View view_;
};

// A picture in the test's working folder, removed first.
inline std::string pngPath(const char* name) {
  std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  return png.string();
}

}  // namespace adjust_test
