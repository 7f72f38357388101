#pragma once

// The road tests' fixture: the launcher with the product's data source and the simulated
// scanner, the ways into the program it opens (data source, root, controller, main window),
// the boxes of the road answered as a user would, and the program closed at the end.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "TransferTestSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/Timer.h"
#include "kit/Application.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"

namespace launchertest {

// The simulated scanner the road tests scan with.
constexpr const char* kVirtualRoadScanner = "Vantrel TS-800 Virtual";

// The area of the platen at `resolution`, as the simulated scanner renders it.
inline std::vector<std::uint8_t> roadRenderedArea(int x, int y, int width, int height, int resolution) {
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kVirtualRoadScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  velmor::RenderSpec request;
  request.resolution = resolution;
  request.x = x;
  request.y = y;
  request.width = width;
  request.height = height;
  const velmor::ImageRenderer renderer(scene, request);
  std::vector<std::uint8_t> bytes(renderer.rowBytes() * std::size_t(renderer.rows()));
  for (int r = 0; r < renderer.rows(); ++r) renderer.renderRow(r, bytes.data() + renderer.rowBytes() * std::size_t(r));
  return bytes;
}

// A saved image's samples, row after row without the rows' padding.
inline std::vector<std::uint8_t> roadPackedRows(const SavedImage& s) {
  std::vector<std::uint8_t> out;
  const std::size_t rowBytes = s.width * s.bitsPerPixel / 8;
  for (std::size_t y = 0; y < s.height; ++y)
    out.insert(out.end(), s.pixels.begin() + std::ptrdiff_t(y * s.bytesPerRow),
               s.pixels.begin() + std::ptrdiff_t(y * s.bytesPerRow + rowBytes));
  return out;
}

class ProgramRoadTest : public TransferTest {
 protected:
  // `standIn`: the launcher's main-window stand-in (none: the program's own window).
  void setUpRoad(std::optional<bool> standIn = std::nullopt) {
    TransferTest::SetUp();
    Zorvik_SetMainWindowStandIn(standIn);
    // A box the road brings up that no step expects (the save-folder notice, the after-scan
    // question) is answered with OK and written down. Boxes a step expects get kit's modal
    // responders (onNextModalWindow), which this one leaves alone while any is pending; the
    // fixture's watchdog gives it a whole tick to do so before it calls a box forgotten.
    answerer_ = fnd::Timer::scheduled(
        0.05, true,
        [this](fnd::Timer&) {
          kit::Application& a = kit::Application::shared();
          if (!answerBoxes || !a.modalWindow() || a.pendingModalResponders() != 0) return;
          kit::Window& box = *a.modalWindow();
          boxes.push_back(typeid(box).name());
          if (beforeAnswer) beforeAnswer(box);
          a.stopModalWithCode(1);
        },
        fnd::kCommonModes);
  }
  void SetUp() override { setUpRoad(); }
  void TearDown() override {
    if (closeAtTearDown && delegate && !kit::Application::shared().isTerminated() && controller() &&
        controller()->getMainWindow())
      closeProgram();
    if (answerer_) answerer_->invalidate();
    beforeAnswer = nullptr;
    Zorvik_SetMainWindowStandIn(std::nullopt);
    TransferTest::TearDown();
  }

  // The settings folder without the last settings and preferences: the program starts afresh.
  void withoutLastSettings() {
    settings = fnd::Paths::configDir() + "/";
    std::filesystem::create_directories(settings);
    std::filesystem::remove(settings + "InitSetting.xml");
    std::filesystem::remove(settings + "Preference.xml");
  }

  void launchProgram() {
    delegate = std::make_unique<Zorvik_AppDelegate>([] { return Zorvik_MakeDirectTWAIN(); }, std::string());
    kit::Application::shared().setDelegate(delegate.get());
    launch();
  }
  // The product's data source behind the launcher's port, or null.
  virtual Dravon_DirectTWAIN* dataSource() const {
    auto* port = delegate ? dynamic_cast<Zorvik_DirectTWAINPort*>(delegate->dataSource()) : nullptr;
    return port ? &port->dataSource() : nullptr;
  }
  // The root the data source made: the sender of the user interface's requests.
  const void* root() const {
    Dravon_UIRoot* r = dataSource() ? dataSource()->userInterfaceRoot() : nullptr;
    return r ? r->notificationSender() : nullptr;
  }
  Quirel_UserInterfaceModule* controller() const {
    Dravon_UIRoot* r = dataSource() ? dataSource()->userInterfaceRoot() : nullptr;
    auto* quirelRoot = dynamic_cast<Dravon_QuirelRoot*>(r);
    return quirelRoot ? dynamic_cast<Quirel_UserInterfaceModule*>(quirelRoot->quirel().windowController()) : nullptr;
  }
  Quirel_MainWindow* window() const {
    Quirel_UserInterfaceModule* c = controller();
    return c && c->getMainWindow() ? c->getMainWindow()->getWindow() : nullptr;
  }
  // The save folder of the preferences.
  std::filesystem::path saveFolder() const {
    return std::filesystem::path(controller()->getPreferenceInfo()->getSavePath().value_or(""));
  }
  void closeProgram() {
    controller()->getCloseWindowButton()->pushBTAction();
    runUntil([] { return kit::Application::shared().isTerminated(); }, 400);
  }

  std::string settings;  // the settings folder, with its closing slash (after withoutLastSettings)
  bool answerBoxes = true;  // false: unexpected boxes wait for a step (the watchdog still watches)
  std::function<void(kit::Window&)> beforeAnswer;  // looks at each box before it is answered
  std::vector<std::string> boxes;  // the type of each box answered, in order
  bool closeAtTearDown = true;  // false: the test ends the program its own way

 private:
  std::shared_ptr<fnd::Timer> answerer_;
};

}  // namespace launchertest
