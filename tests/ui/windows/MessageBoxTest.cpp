// The message boxes on screen (offscreen): button kinds and keys, answers, the main window's
// locks and the re-entry of close and box, the worker-thread path, the selector start and a
// screenshot of a typical box.

#include <gtest/gtest.h>

#include <atomic>
#include <iostream>
#include <thread>

#include "MessageBoxSupport.h"
#include "foundation/RunLoop.h"
#include "foundation/Thread.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/RecordingWorkspace.h"
#include "ui/base/DSBundleStr.h"
#include "ui/base/LockHold.h"
#include "ui/windows/GetMainWindowObj.h"
#include "ui/windows/KModal.h"
#include "ui/windows/MessageBoxPort.h"
#include "ui/windows/MessageFunctions.h"
#include "ui/windows/MessageThreadHop.h"
#include "ui/windows/NetErrorMsgDialog.h"
#include "ui/windows/ShowMessageDialog.h"

using namespace message_test;

namespace {

kit::Application& app() { return kit::Application::shared(); }

kit::Button* buttonTitled(kit::Window& window, const std::string& title) {
  kit::View* v = window.contentView()->findView([&](kit::View& view) {
    auto* b = dynamic_cast<kit::Button*>(&view);
    return b && b->title() == title;
  });
  return static_cast<kit::Button*>(v);
}

void click(kit::Window& window, const std::string& title) {
  kit::Button* b = buttonTitled(window, title);
  EXPECT_NE(b, nullptr) << title;
  if (b) b->performClick();
  else app().abortModal();  // never leave a run waiting
}

// The box's own OK button, whatever the tables call it.
void clickOk(kit::Window& window) { dynamic_cast<Quirel_ShowMessageDialog&>(window).okButton()->performClick(); }

void pressKey(kit::Window& window, const std::string& key) {
  app().sendEvent(kit::Event::keyEvent(kit::EventType::KeyDown, key, 0, &window));
}

std::string shownText(kit::Window& window) {
  auto* box = dynamic_cast<Quirel_MessageBoxWindow*>(&window);
  return box ? box->textField()->stringValue() : std::string("<not a message box>");
}

// The main-window controller answering "setMainWindowObjectMesPost".
class Controller {
 public:
  Controller()
      : window(fnd::Rect(0, 0, 300, 200), kit::kTitledWindowMask),
        token(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_GetMainWindowObj::kPostName, nullptr, [this](const fnd::Notification& n) {
              if (auto carrier = Quirel_GetMainWindowObj::fromNotification(n)) {
                carrier->setMainWindowObject(&window);
                carrier->setEndScanLockObject(&endScanLock);
                carrier->setMessageLockObject(&messageLock);
              }
            })) {}
  kit::Window window;
  fnd::Lock endScanLock, messageLock;
  fnd::NotificationCenter::Token token;
};

class MessageBox : public ::testing::Test {
 protected:
  void SetUp() override { testBundleWithBadge(); }
  void TearDown() override { EXPECT_EQ(app().pendingModalResponders(), 0u); }
  DataSourceAnswer ds{kProgramBundle};
};

}  // namespace

TEST_F(MessageBox, ButtonKindsSetKeysAndVisibility) {
  struct Case {
    std::int32_t kind;
    const char* okKey;
    const char* cancelKey;
    bool cancelHidden;
  } cases[] = {{0, "\r", "", true}, {1, "\r", "\x1b", false}, {2, "", "\r", false}, {7, "\r", "", false}};
  for (const Case& c : cases) {
    auto box = Quirel_ShowMessageDialog::initMessageID("Text", c.kind, 0);
    EXPECT_EQ(box->okButton()->keyEquivalent(), c.okKey) << c.kind;
    EXPECT_EQ(box->cancelButton()->keyEquivalent(), c.cancelKey) << c.kind;
    EXPECT_EQ(box->cancelButton()->isHidden(), c.cancelHidden) << c.kind;
    EXPECT_EQ(box->okButton()->title(), "OK");
    EXPECT_EQ(box->cancelButton()->title(), "Cancel");
    EXPECT_EQ(box->level(), 12);
    EXPECT_EQ(box->styleMask(), static_cast<unsigned>(kit::kTitledWindowMask));
    // Text, caution sign, badge, OK, Cancel.
    const auto& views = box->contentView()->subviews();
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(views[0], box->textField());
    EXPECT_EQ(views[3], box->okButton());
    EXPECT_EQ(views[4], box->cancelButton());
    EXPECT_FALSE(box->textField()->acceptsFirstResponder());
  }
}

TEST_F(MessageBox, ReturnAndEscapeAnswerAsTheKindSays) {
  struct Case {
    std::int32_t kind;
    const char* key;
    std::int32_t answer;
  } cases[] = {{0, "\r", 1}, {1, "\r", 1}, {1, "\x1b", 0}, {2, "\r", 0}};
  for (const Case& c : cases) {
    Quirel_KModal runner;
    runner.makeShowMessage("Key test", c.kind, 0, false);
    app().onNextModalWindow([&](kit::Window& w) {
      pressKey(w, c.key);
      // A key the box does not answer to leaves it running; end it by its own button.
      if (app().modalWindow() == &w) click(w, c.answer == 1 ? "Cancel" : "OK");
    });
    EXPECT_EQ(runner.onMainThread(), c.answer) << c.kind << " " << int(c.key[0]);
    EXPECT_EQ(runner.alertDialog(), nullptr);
  }
}

TEST_F(MessageBox, AButtonActsOnceAndTheBoxKeepsLevelTwelve) {
  Quirel_KModal runner;
  runner.makeShowMessage("Once", 1, 0, false);
  app().onNextModalWindow([&](kit::Window& w) {
    auto& box = dynamic_cast<Quirel_ShowMessageDialog&>(w);
    box.setLevel(3);
    box.windowDidUpdate(box);
    EXPECT_EQ(box.level(), 12);
    box.okButton()->performClick();
    // The clicked button has let go of its action, so a second click sends nothing.
    EXPECT_FALSE(box.okButton()->hasAction());
    EXPECT_TRUE(box.cancelButton()->hasAction());
  });
  EXPECT_EQ(runner.onMainThread(), 1);
}

TEST_F(MessageBox, ShowFunctionAnswersOneForOkAndZeroForCancelWithTheFullText) {
  for (auto [title, answer] : {std::pair<const char*, int>{"OK", 1}, {"Cancel", 0}}) {
    std::string seen;
    app().onNextModalWindow([&, t = std::string(title)](kit::Window& w) {
      seen = shownText(w);
      click(w, t);
    });
    EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1211, 0, 30, 0), answer);
    EXPECT_EQ(seen,
              "The document feeder is out of paper. Load paper and click OK, or click Cancel to stop.\r\r0.30.0");
  }
}

TEST_F(MessageBox, AnUnknownNumberShowsTheGeneralTextWithOkAlone) {
  std::string seen;
  bool cancelHidden = false;
  app().onNextModalWindow([&](kit::Window& w) {
    seen = shownText(w);
    cancelHidden = dynamic_cast<Quirel_ShowMessageDialog&>(w).cancelButton()->isHidden();
    pressKey(w, "\r");
  });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(4242, 0, 0, 0), 1);
  EXPECT_EQ(seen, "An unexpected problem occurred.");
  EXPECT_TRUE(cancelHidden);
}

TEST_F(MessageBox, ArgumentsFillTheTextLiterally) {
  CatalogueOverride over(testCatalogue());
  DataSourceAnswer test(testBundle());
  std::string seen;
  app().onNextModalWindow([&](kit::Window& w) {
    seen = shownText(w);
    clickOk(w);
  });
  // A name with conversions in it is shown as it is.
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(5, 0, 0, 0, "%@%@", {fnd::Value("%n%s.jpg"), fnd::Value("B")}), 1);
  EXPECT_EQ(seen, "Copy %n%s.jpg to B?");

  app().onNextModalWindow([&](kit::Window& w) {
    seen = shownText(w);
    clickOk(w);
  });
  MES_ShowMessageAndNumberMainThreadMode(6, 1, 2, 3, "%@", {fnd::Value("X")});
  EXPECT_EQ(seen, "Odd %n and %10s and %x then X.\r\r1.2.3");
}

TEST_F(MessageBox, MainWindowLocksAreHeldWhileTheBoxShowsAndTheWindowComesForward) {
  Controller controller;
  kit::Window* handedToBox = nullptr;
  auto answer = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ShowMessageDialog::kShowMessagePost, nullptr, [&](const fnd::Notification& n) {
        if (auto* box = Quirel_ShowMessageDialog::fromNotification(n)) box->setMainWindow(&controller.window);
      });
  app().onNextModalWindow([&](kit::Window& w) {
    EXPECT_TRUE(Quirel_LockHold::isHeld(&controller.endScanLock));
    EXPECT_TRUE(Quirel_LockHold::isHeld(&controller.messageLock));
    handedToBox = dynamic_cast<Quirel_ShowMessageDialog&>(w).getMainWindow();
    click(w, "OK");
  });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1640, 0, 0, 0), 1);
  EXPECT_EQ(handedToBox, &controller.window);
  EXPECT_FALSE(Quirel_LockHold::isHeld(&controller.endScanLock));
  EXPECT_FALSE(Quirel_LockHold::isHeld(&controller.messageLock));
  // Both locks are free again for anyone.
  EXPECT_TRUE(controller.endScanLock.tryLock());
  EXPECT_TRUE(controller.messageLock.tryLock());
  controller.endScanLock.unlock();
  controller.messageLock.unlock();
  EXPECT_TRUE(controller.window.isVisible());
  controller.window.orderOut();
}

TEST_F(MessageBox, WithoutAMainWindowTheBoxStillShows) {
  bool shown = false;
  app().onNextModalWindow([&](kit::Window& w) {
    shown = true;
    click(w, "OK");
  });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1650, 0, 0, 0), 1);
  EXPECT_TRUE(shown);
}

// The close of the main window holds the message and end-of-scan locks; a box asked for
// meanwhile (from a nested run) must show, not wait for a lock its own thread holds.
TEST_F(MessageBox, ABoxDuringTheCloseDoesNotWaitForTheClosesLocks) {
  Controller controller;
  Quirel_LockHold close({&controller.messageLock, &controller.endScanLock});
  ASSERT_EQ(close.takenCount(), 2u);
  app().onNextModalWindow([&](kit::Window& w) { click(w, "OK"); });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1216, 0, 30, 0), 1);
  // The close still holds both and releases them itself.
  EXPECT_TRUE(Quirel_LockHold::isHeld(&controller.messageLock));
  EXPECT_TRUE(Quirel_LockHold::isHeld(&controller.endScanLock));
  close.release();
  EXPECT_TRUE(controller.messageLock.tryLock());
  controller.messageLock.unlock();
}

// A close that arrives while a box shows finds the locks held on its own thread and defers
// itself to after the box: the box's answer comes first, then the close runs with the locks.
TEST_F(MessageBox, ACloseDuringABoxIsDeferredUntilTheBoxEnds) {
  Controller controller;
  std::vector<std::string> order;
  std::function<void()> closeMainWindow = [&] {
    if (Quirel_LockHold::anyHeld({&controller.messageLock, &controller.endScanLock})) {
      order.push_back("close deferred");
      fnd::RunLoop::performOnMainThread(closeMainWindow);
      return;
    }
    Quirel_LockHold hold({&controller.messageLock, &controller.endScanLock});
    order.push_back(hold.takenCount() == 2 ? "closed with locks" : "closed without locks");
  };
  app().onNextModalWindow([&](kit::Window& w) {
    closeMainWindow();
    click(w, "OK");
  });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1640, 0, 0, 0), 1);
  order.push_back("box answered");
  for (int i = 0; i < 20 && order.size() < 3; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
  EXPECT_EQ(order, (std::vector<std::string>{"close deferred", "box answered", "closed with locks"}));
}

TEST_F(MessageBox, ABoxAskedForFromAWorkerRunsOnTheMainThread) {
  std::atomic<bool> ranOnMain{false};
  app().onNextModalWindow([&](kit::Window& w) {
    ranOnMain = fnd::isMainThread();
    click(w, "Cancel");
  });
  std::atomic<int> answer{-1};
  std::thread worker([&] { answer = MES_ShowMessageAndNumberMainThreadMode(1001, 0, 0, 0); });
  for (int i = 0; i < 400 && answer == -1; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
  worker.join();
  EXPECT_EQ(answer, 0);
  EXPECT_TRUE(ranOnMain);

  // The network box too.
  kit::RecordingWorkspace workspace;
  app().onNextModalWindow([&](kit::Window& w) { click(w, "Exit"); });
  answer = -1;
  std::thread worker2([&] { answer = MES_NetworkErrorMessageAndNumberMainThreadMode2(1705, 0, 0, 0); });
  for (int i = 0; i < 400 && answer == -1; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
  worker2.join();
  EXPECT_EQ(answer, 0);
  EXPECT_TRUE(workspace.requests.empty());
}

TEST_F(MessageBox, SelectorMessagesStartTheSelectorAfterOk) {
  kit::RecordingWorkspace workspace;
  app().onNextModalWindow([&](kit::Window& w) { click(w, "OK"); });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(9050, 0, 0, 0), 1);
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_EQ(workspace.requests[0].kind, "launch");
  EXPECT_EQ(workspace.requests[0].target, "/usr/libexec/trivolan/trivolan-netpick");
  EXPECT_EQ(workspace.requests[0].arguments, (std::vector<std::string>{"-c", "Trivolan"}));

  // A failed start answers 2; Cancel starts nothing; 9101 is outside the range.
  workspace.succeed = false;
  app().onNextModalWindow([&](kit::Window& w) { click(w, "OK"); });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(9050, 0, 0, 0), 2);
  app().onNextModalWindow([&](kit::Window& w) { click(w, "Cancel"); });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(9050, 0, 0, 0), 0);
  app().onNextModalWindow([&](kit::Window& w) { click(w, "OK"); });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(9101, 0, 0, 0), 1);
  EXPECT_EQ(workspace.requests.size(), 2u);
}

TEST_F(MessageBox, LaunchSelectorKindsArgumentsAndMissingSettings) {
  kit::RecordingWorkspace workspace;
  {
    CatalogueOverride over(testCatalogue());
    writeSelectorSettings(over.folder(), fnd::Dictionary{{"AppName", "Picker"}, {"AppPath", "bin/picker"}});
    EXPECT_EQ(MES_LaunchSelectorEX(1, std::nullopt), 1);
    EXPECT_EQ(MES_LaunchSelectorEX(2, std::string(kTestBundle)), 1);
    ASSERT_EQ(workspace.requests.size(), 2u);
    EXPECT_EQ(workspace.requests[0].arguments, (std::vector<std::string>{"-f", "NPKG"}));
    EXPECT_EQ(workspace.requests[0].target, (over.folder() / "bin/picker").string());
    EXPECT_EQ(workspace.requests[1].arguments, (std::vector<std::string>{"-c", "Test Driver"}));
  }
  {
    CatalogueOverride over(testCatalogue());
    writeSelectorSettings(over.folder(), fnd::Dictionary{{"AppName", "Picker"}});
    EXPECT_EQ(MES_LaunchSelectorEX(2, std::nullopt), 2);
  }
  {
    CatalogueOverride over(testCatalogue(false));
    EXPECT_EQ(MES_LaunchSelectorEX(2, std::nullopt), 3);
  }
  EXPECT_EQ(workspace.requests.size(), 2u);
}

TEST_F(MessageBox, NetworkBoxSelectStartsTheSelectorByKind) {
  kit::RecordingWorkspace workspace;
  std::string seen;
  app().onNextModalWindow([&](kit::Window& w) {
    seen = shownText(w);
    auto& box = dynamic_cast<Quirel_NetErrorMsgDialog&>(w);
    EXPECT_TRUE(box.selectButton()->keyEquivalent().empty());
    EXPECT_TRUE(box.finishButton()->keyEquivalent().empty());
    EXPECT_EQ(box.textField()->frame().origin.x, 105);
    // The selection title fits its button.
    const kit::Button* select = box.selectButton();
    EXPECT_LE(select->font().widthOfString(select->title()), select->frame().size.width - 16);
    EXPECT_LT(select->frame().maxX(), box.finishButton()->frame().minX());
    const std::string png = (testenv::freshFolder("network-box-shot") / "network-box.png").string();
    EXPECT_TRUE(w.grabToPng(png));
    std::cout << "network box screenshot: " << png << std::endl;
    click(w, "Select Scanner…");
  });
  EXPECT_EQ(MES_NetworkErrorMessageAndNumberMainThreadMode2(1711, 1, 2, 3), 1);
  EXPECT_EQ(seen, "The scanner is in use over the network. Try again later.\r\r1.2.3");
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_EQ(workspace.requests[0].arguments, (std::vector<std::string>{"-f", "NPKG"}));

  // By path: the catalogue's "launchApp", with no arguments.
  app().onNextModalWindow([&](kit::Window& w) { click(w, "Select Scanner…"); });
  EXPECT_EQ(MES_NetworkErrorMessageAndNumberMainThreadMode(1711, 0, 0, 0), 1);
  ASSERT_EQ(workspace.requests.size(), 2u);
  EXPECT_EQ(workspace.requests[1].target, "/usr/libexec/trivolan/trivolan-netpick");
  EXPECT_TRUE(workspace.requests[1].arguments.empty());

  app().onNextModalWindow([&](kit::Window& w) { click(w, "Exit"); });
  EXPECT_EQ(MES_NetworkErrorMessageAndNumberMainThreadMode(1711, 0, 0, 0), 0);
  EXPECT_EQ(workspace.requests.size(), 2u);
}

TEST_F(MessageBox, TheRootsMessagesReachTheBoxesThroughThePort) {
  Quirel_MessagePort* before = Quirel_MessagePort::installed();
  Quirel_MessageBoxPort::installShared();
  ASSERT_NE(Quirel_MessagePort::installed(), nullptr);
  std::string seen;
  app().onNextModalWindow([&](kit::Window& w) {
    seen = shownText(w);
    click(w, "OK");
  });
  EXPECT_EQ(Quirel_MessagePort::installed()->MES_ShowMessageAndNumberMainThreadMode(1900, 0, 0, 0), 1);
  EXPECT_EQ(seen, "Add another page to the PDF file?");
  Quirel_MessagePort::install(before);
}

TEST_F(MessageBox, BadgeIsTheDriversIconWhileTheControllerAnswers) {
  auto answer = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_DSBundleStr::kPostName, nullptr, [](const fnd::Notification& n) {
        if (auto c = Quirel_DSBundleStr::fromNotification(n)) c->setDSBundleString(kTestBundle);
      });
  auto box = Quirel_ShowMessageDialog::initMessageID("Badge", 0, 0);
  ASSERT_TRUE(box->badgeView()->image().isValid());
  EXPECT_EQ(box->badgeView()->image().pixelsWide(), 32);
  EXPECT_GT(box->badgeView()->image().colorAtPixel(16, 16).redComponent(), 0.8);
  EXPECT_TRUE(box->cautionView()->image().isValid());
}

// A typical two-button box with error numbers, written to the test's folder to look at.
TEST_F(MessageBox, ScreenshotOfATwoButtonBoxWithErrorNumbers) {
  const std::string png = (testenv::freshFolder("message-box-shot") / "message-box.png").string();
  bool grabbed = false;
  fnd::Rect ok, cancel;
  app().onNextModalWindow([&](kit::Window& w) {
    auto& box = dynamic_cast<Quirel_ShowMessageDialog&>(w);
    ok = box.okButton()->frame();
    cancel = box.cancelButton()->frame();
    grabbed = w.grabToPng(png);
    click(w, "Cancel");
  });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1202, 1205, 2, 0), 0);
  ASSERT_TRUE(grabbed);
  EXPECT_FALSE(cancel.isEmpty());
  EXPECT_LT(cancel.maxX(), ok.minX());
  kit::Image shot = kit::Image::fromFile(png);
  ASSERT_TRUE(shot.isValid());
  EXPECT_GE(shot.pixelsHigh(), 145);
  std::cout << "message box screenshot: " << png << std::endl;
  RecordProperty("screenshot", png);
}

// The application terminating ends a worker's wait with 0 and shows nothing, whether the
// announcement comes before or after the worker asked.
TEST_F(MessageBox, AWorkersWaitEndsWhenTheApplicationTerminates) {
  bool shown = false;
  app().onNextModalWindow([&](kit::Window& w) {
    shown = true;
    click(w, "OK");
  });
  std::atomic<int> answer{-1};
  std::thread worker([&] { answer = MES_ShowMessageAndNumberMainThreadMode(1216, 0, 30, 0); });
  ASSERT_TRUE(app().terminate());
  for (int i = 0; i < 400 && answer == -1; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
  worker.join();
  EXPECT_EQ(answer, 0);
  app().resetTerminated();
  for (int i = 0; i < 3; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.02);
  EXPECT_FALSE(shown);
  // Use up the responder so that later tests start clean.
  if (app().pendingModalResponders() > 0) {
    Quirel_KModal runner;
    runner.makeShowMessage("drain", 0, 0, false);
    runner.onMainThread();
  }
}
