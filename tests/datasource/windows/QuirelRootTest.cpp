// The dispatcher over the front door's real root: the root factory the library installs, and
// message requests from a worker thread that end in a real message box on the main thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "../Doubles.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIController.h"
#include "datasource/windows/QuirelRoot.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/windows/MessageBoxWindow.h"
#include "ui/windows/MessagePort.h"

namespace {

kit::Application& app() { return kit::Application::shared(); }

void click(kit::Window& window, const std::string& title) {
  kit::View* v = window.contentView()->findView([&](kit::View& view) {
    auto* b = dynamic_cast<kit::Button*>(&view);
    return b && b->title() == title;
  });
  ASSERT_NE(nullptr, v) << title;
  static_cast<kit::Button*>(v)->performClick();
}

std::string shownText(kit::Window& window) {
  auto* box = dynamic_cast<Quirel_MessageBoxWindow*>(&window);
  return box ? box->textField()->stringValue() : std::string("<not a message box>");
}

TEST(QuirelRootTest, TheDispatchersRootsAreTheFrontDoorsRoots) {
  Dravon_UIController ui;
  Dravon_UIRoot* root = ui.initUIM(3);
  auto* bridge = dynamic_cast<Dravon_QuirelRoot*>(root);
  ASSERT_NE(nullptr, bridge);
  EXPECT_EQ(static_cast<const void*>(&bridge->quirel()), root->notificationSender());
  EXPECT_NE(nullptr, Quirel_MessagePort::installed());
  ASSERT_NE(nullptr, dynamic_cast<Dravon_QuirelRoot*>(ui.initConnectWin()));
  ui.releaseConnectWin();
  ui.releaseUIM();
  EXPECT_EQ(nullptr, ui.mainRoot());
}

// The paper question asked on the scan module's thread: the box shows on the main thread, the
// worker waits for the button, and a main-thread request made meanwhile does not get stuck.
TEST(QuirelRootTest, WorkerMessageShowsARealBoxWhileTheMainThreadDispatches) {
  Dravon_DirectTWAIN ds;
  auto ui = std::make_unique<Dravon_UIController>();
  ui->initUIM(3);
  ds.setComponents(nullptr, std::move(ui), std::make_unique<Dravon_PerformMethod>());
  ds.setDeviceError(1211, {0, 30, 0});

  std::string seen;
  app().onNextModalWindow([&](kit::Window& w) {
    seen = shownText(w);
    click(w, "OK");
  });
  std::atomic<bool> done{false};
  std::int32_t answer = -5;
  std::thread module([&] {
    answer = ds.dsShowMessageEx(1211, {}, 1, ds.errorNumbers(), 0);
    done = true;
  });
  while (ds.uiController()->pendingCount() == 0) std::this_thread::yield();
  // A main-thread request while the worker holds the dispatcher waiting for its box.
  ds.uiController()->uiControlMethod(nullptr, 10);
  ASSERT_TRUE(dstest::pumpUntil([&] { return done.load(); }));
  module.join();
  EXPECT_EQ(1, answer);
  EXPECT_EQ(seen, "The document feeder is out of paper. Load paper and click OK, or click Cancel to stop.\r\r0.30.0");
  EXPECT_EQ(0u, app().pendingModalResponders());
}

}  // namespace
