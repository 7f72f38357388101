// The launcher's message functions, its message box and its wait notice.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "LauncherTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/Lock.h"
#include "foundation/NotificationCenter.h"
#include "kit/ImageView.h"
#include "kit/TextField.h"
#include "launcher/DSBundleStr.h"
#include "launcher/GetMainWindowObj.h"
#include "launcher/KModal.h"
#include "launcher/LauncherMessage.h"
#include "launcher/LauncherStrings.h"
#include "launcher/PVLocalizedBundle.h"
#include "launcher/PVLocalizedString.h"
#include "launcher/ProcessImageDialog.h"
#include "launcher/ProcessImagePanel.h"
#include "ui/windows/ShowMessageDialog.h"

namespace launchertest {
namespace {

using MessageTest = LauncherTest;

TEST_F(MessageTest, ErrorNumbersFollowTheTextAsACodeLine) {
  kit::Application::shared().onNextModalWindow([this](kit::Window& w) {
    auto& box = static_cast<Zorvik_ShowMessageDialog&>(w);
    messages.push_back(box.textView()->stringValue());
    const std::filesystem::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(box.grabToPng((shots / "message-box.png").string()));
    box.okButton()->performClick();
  });
  EXPECT_EQ(MES_ShowLauncherMessage("PVTO_ERROR_08", "PictavoTrivo", 1, 2, 3), 1);
  answerNextMessage();
  MES_ShowLauncherMessage("PVTO_ERROR_08", "PictavoTrivo", 0, 0, 0);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], textOf("PVTO_ERROR_08") + "\r\rCode:1,2,3");
  EXPECT_EQ(messages[1], textOf("PVTO_ERROR_08"));
}

TEST_F(MessageTest, AMissingKeyShowsAnEmptyTextWithOkAlone) {
  answerNextMessage();
  EXPECT_EQ(MES_ShowLauncherMessage("PVTO_NO_SUCH_KEY", "PictavoTrivo", 0, 0, 0), 1);
  EXPECT_EQ(messages, std::vector<std::string>{""});
  EXPECT_EQ(cancelShown, std::vector<bool>{false});
  std::int32_t type = -1, kind = -1, flag = -1;
  EXPECT_EQ(MES_GetLauncherMessageString("PVTO_NO_SUCH_KEY", std::nullopt, "NoSuchTable", &type, &kind, &flag), "");
  EXPECT_EQ(type, 0);
  EXPECT_EQ(kind, 0);
  EXPECT_EQ(flag, 0);
}

TEST_F(MessageTest, ObjectArgumentsAreFilledInAndNeverReadAsFormats) {
  // The text marks the name's place with "%s"; the name carries characters a printf would
  // act on.
  answerNextMessage();
  MES_ShowLauncherMessage("PVTO_ERROR_10", "PictavoTrivo", 0, 0, 0, "%@", {fnd::Value("scan%n%s%10d")});
  ASSERT_EQ(messages.size(), 1u);
  std::string expected = textOf("PVTO_ERROR_10");
  expected.replace(expected.find("%s"), 2, "scan%n%s%10d");
  EXPECT_EQ(messages[0], expected);

  // Without argument types the text is shown as it stands, "%s" and all.
  EXPECT_EQ(MES_GetLauncherMessageString("PVTO_ERROR_10", std::nullopt, "PictavoTrivo", nullptr, nullptr, nullptr),
            textOf("PVTO_ERROR_10"));
  // With types other than objects nothing is converted.
  EXPECT_EQ(MES_GetLauncherMessageString("PVTO_ERROR_10", "%d", "PictavoTrivo", nullptr, nullptr, nullptr),
            textOf("PVTO_ERROR_10"));
  // A missing argument leaves the place as written.
  answerNextMessage();
  MES_ShowLauncherMessage("PVTO_ERROR_10", "PictavoTrivo", 0, 0, 0, "%@", {});
  EXPECT_NE(messages.at(1).find("%@"), std::string::npos);
}

TEST_F(MessageTest, LocalisedTextsComeFromPictavoTrivo) {
  const std::string id = Zorvik_PVLocalizedBundle().getLocalizedBundleStr();
  EXPECT_EQ(id, fnd::Bundle::main().identifier());
  EXPECT_EQ(MES_GetLauncherLocalizedString("PVTO_ERROR_08", std::nullopt), textOf("PVTO_ERROR_08"));
  // Also "IDS_" keys are looked up there; without a text there the key itself is the answer.
  EXPECT_EQ(MES_GetLauncherLocalizedString("IDS_ERROR_08", id), "IDS_ERROR_08");
  EXPECT_EQ(MES_LauncherLocalizedStringForKey(nullptr, "PVTO_MENU_CUT"), textOf("PVTO_MENU_CUT"));
  EXPECT_FALSE(MES_LauncherLocalizedStringForKey(nullptr, std::nullopt));
  // A text made of "%%" parts takes its numbered parts from "Message".
  const std::string composite = textOf("PVTO_ERROR_1205");
  const std::string::size_type mark = composite.find("%%");
  ASSERT_NE(mark, std::string::npos);
  EXPECT_EQ(MES_GetLauncherLocalizedString("PVTO_ERROR_1205", id),
            composite.substr(0, mark) + "\r" + fnd::Bundle::main().localizedString("3001", "", "Message"));
  // An unknown bundle gives no text.
  EXPECT_EQ(MES_GetLauncherLocalizedString("PVTO_ERROR_08", "org.example.none"), "");
}

TEST_F(MessageTest, TheBoxHoldsTheDriversLocksWhileItShows) {
  fnd::Lock endScan, message;
  kit::Window mainWindow(fnd::Rect{{0, 0}, {300, 200}}, kit::kTitledWindowMask);
  fnd::NotificationCenter::Token answer = fnd::NotificationCenter::defaultCenter().observe(
      "setMainWindowObjectMesPost", nullptr, [&](const fnd::Notification& n) {
        auto carrier = n.info()->get("SetToMN").toObject<Zorvik_GetMainWindowObj>();
        carrier->setMainWindowObject(&mainWindow);
        carrier->setEndScanLockObject(&endScan);
        carrier->setMessageLockObject(&message);
      });
  bool heldDuringBox = false;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    heldDuringBox = !endScan.tryLock() && !message.tryLock();
    static_cast<Zorvik_ShowMessageDialog&>(w).okButton()->performClick();
  });
  MES_ShowLauncherMessage("PVTO_ERROR_08", "PictavoTrivo", 0, 0, 0);
  EXPECT_TRUE(heldDuringBox);
  EXPECT_TRUE(endScan.tryLock());
  EXPECT_TRUE(message.tryLock());
  endScan.unlock();
  message.unlock();
  EXPECT_TRUE(mainWindow.isVisible());
}

TEST_F(MessageTest, TheDriversAnswersAreTakenButTheTextsStayTheLaunchers) {
  fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter();
  int bundleQuestions = 0, badgeQuestions = 0;
  fnd::NotificationCenter::Token bundle = center.observe("UIDSBundleIDPost", nullptr, [&](const fnd::Notification& n) {
    Quirel_PVLocalizedBundle* carrier = Quirel_PVLocalizedBundle::fromNotification(n);
    ASSERT_TRUE(carrier);
    carrier->setLocalizedBundleStr("org.example.driver");
    ++bundleQuestions;
  });
  fnd::NotificationCenter::Token badge = center.observe("getDSBundleURLPost", nullptr, [&](const fnd::Notification& n) {
    auto carrier = Quirel_DSBundleStr::fromNotification(n);
    ASSERT_TRUE(carrier);
    carrier->setDSBundleString(fnd::Bundle::main().identifier());
    ++badgeQuestions;
  });
  EXPECT_EQ(MES_LauncherLocalizedStringForKey(nullptr, "PVTO_MENU_CUT"), textOf("PVTO_MENU_CUT"));
  EXPECT_EQ(bundleQuestions, 1);
  Zorvik_ShowMessageDialog box("Badge.", 0, 0);
  EXPECT_EQ(badgeQuestions, 1);
  EXPECT_TRUE(box.badgeView()->image().isValid());
  EXPECT_EQ(box.okButton()->title(), "OK");
}

TEST_F(MessageTest, BoxLayoutAndButtonKinds) {
  {
    Zorvik_ShowMessageDialog box("One line.", 0, 0);
    EXPECT_EQ(box.contentRectSize(), (fnd::Size{420, 145}));
    EXPECT_EQ(box.level(), Zorvik_ShowMessageDialog::kLevel);
    EXPECT_TRUE(box.cancelButton()->isHidden());
    EXPECT_EQ(box.okButton()->keyEquivalent(), "\r");
    EXPECT_EQ(box.okButton()->title(), "OK");
    EXPECT_EQ(box.okButton()->frame(), (fnd::Rect{{305, 12}, {100, 32}}));
    EXPECT_EQ(box.cancelButton()->frame(), (fnd::Rect{{200, 12}, {100, 32}}));
    // The program's own icon badges the box when no driver answers.
    EXPECT_TRUE(box.badgeView()->image().isValid());
  }
  {
    Zorvik_ShowMessageDialog box("Question?", 2, 0);
    EXPECT_FALSE(box.cancelButton()->isHidden());
    EXPECT_EQ(box.okButton()->keyEquivalent(), "");
    EXPECT_EQ(box.cancelButton()->keyEquivalent(), "\r");
  }
  {
    Zorvik_ShowMessageDialog box("Question?", 1, 0);
    EXPECT_EQ(box.cancelButton()->keyEquivalent(), "\x1b");
  }
  {
    // A long text grows the box in height only, unless the message type widens it.
    std::string longText(2000, 'w');
    for (std::size_t i = 7; i < longText.size(); i += 8) longText[i] = ' ';
    Zorvik_ShowMessageDialog tall(longText, 0, 0);
    EXPECT_EQ(tall.contentRectSize().width, 420);
    EXPECT_GT(tall.contentRectSize().height, 145);
    Zorvik_ShowMessageDialog wide(longText, 0, 1);
    EXPECT_GT(wide.contentRectSize().width, 420);
  }
  {
    // The launcher's box lays a text out exactly as the driver's box does, for every kind of
    // text: short, with line breaks, wider than the screen allows.
    kit::Font font = kit::Font::messageFont(0);
    std::string wideLine = "Check";
    while (font.widthOfString(wideLine) < 340) wideLine += " the cable";
    std::string veryLong(3000, 'w');
    for (std::size_t i = 7; i < veryLong.size(); i += 8) veryLong[i] = ' ';
    for (const std::string& text : {std::string("Short."), "Short.\r" + wideLine + "\rEnd.", veryLong}) {
      for (std::int32_t type : {0, 1}) {
        SCOPED_TRACE(text.substr(0, 20) + " type " + std::to_string(type));
        Zorvik_ShowMessageDialog ours(text, 0, type);
        auto driver = Quirel_ShowMessageDialog::initMessageID(text, 0, type);
        ASSERT_NE(driver, nullptr);
        EXPECT_EQ(ours.textView()->stringValue(), text);
        EXPECT_EQ(ours.textView()->frame(), driver->textField()->frame());
        EXPECT_EQ(ours.contentRectSize().width, driver->contentRectSize().width);
        EXPECT_EQ(ours.contentRectSize().height, driver->contentRectSize().height);
        EXPECT_GE(ours.textView()->frame().size.height, ours.textView()->heightForWidth(ours.textView()->frame().size.width));
      }
    }
  }
  // No screen or a narrow one still leaves the standard text width.
  EXPECT_EQ(Zorvik_ShowMessageDialog::maximumTextWidth(0), 300);
  EXPECT_EQ(Zorvik_ShowMessageDialog::maximumTextWidth(1000), 780);
}

TEST_F(MessageTest, CancelAnswersZeroAndASecondClickDoesNothing) {
  Zorvik_KModal modal;
  modal.makeShowMessage("Go on?", 3, 0, false);
  kit::Application::shared().onNextModalWindow([](kit::Window& w) {
    auto& box = static_cast<Zorvik_ShowMessageDialog&>(w);
    box.cancelButton()->performClick();
    EXPECT_FALSE(box.cancelButton()->hasAction());
  });
  EXPECT_EQ(modal.onMainThread(), 0);
}

TEST_F(MessageTest, AMessageFromAnotherThreadRunsOnTheMainThread) {
  std::int32_t answer = -1;
  std::atomic<bool> finished{false};
  kit::Application::shared().onNextModalWindow([](kit::Window& w) {
    static_cast<Zorvik_ShowMessageDialog&>(w).okButton()->performClick();
  });
  std::thread worker([&] {
    Zorvik_KModal modal;
    modal.makeShowMessage("From a worker.", 0, 0, false);
    answer = modal.DoInMainThread();
    finished = true;
  });
  runUntil([&] { return finished.load(); });
  worker.join();
  EXPECT_EQ(answer, 1);
}

TEST_F(MessageTest, AWorkersMessageComesUpWhileAnotherBoxRuns) {
  // The worker's box is served inside the main thread's modal run, as the driver's are; it
  // does not wait for the box already showing to end.
  std::atomic<bool> finished{false};
  std::int32_t answer = -1;
  bool finishedWhileFirstShowed = false;
  std::thread worker;
  std::function<void()> check;
  Zorvik_ShowMessageDialog* first = nullptr;
  int rounds = 0;
  check = [&] {
    // Ends the first box once the worker has its answer, or after a while in any case.
    if (finished.load() || ++rounds > 200) {
      finishedWhileFirstShowed = finished.load();
      first->okButton()->performClick();
      return;
    }
    fnd::RunLoop::main().performAfterDelay(0.05, check, fnd::RunLoopMode::ModalPanel);
  };
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    first = &static_cast<Zorvik_ShowMessageDialog&>(w);
    kit::Application::shared().onNextModalWindow([](kit::Window& second) {
      static_cast<Zorvik_ShowMessageDialog&>(second).okButton()->performClick();
    });
    worker = std::thread([&] {
      Zorvik_KModal modal;
      modal.makeShowMessage("From a worker.", 0, 0, false);
      answer = modal.DoInMainThread();
      finished = true;
    });
    check();
  });
  Zorvik_KModal modal;
  modal.makeShowMessage("Showing first.", 0, 0, false);
  EXPECT_EQ(modal.onMainThread(), 1);
  runUntil([&] { return finished.load(); });
  worker.join();
  EXPECT_TRUE(finishedWhileFirstShowed);
  EXPECT_EQ(answer, 1);
}

TEST_F(MessageTest, WaitNoticeShowsItsTextAndIsRebuiltAfterAClose) {
  Zorvik_ProcessImageDialog notice;
  notice.closeProcessImageDialog();  // nothing to close yet
  notice.showProcessImageDialog("IDMAC_SEARCHING_SCANNER", "Message");
  Zorvik_ProcessImagePanel* first = notice.panel();
  ASSERT_TRUE(first);
  EXPECT_TRUE(notice.isShowing());
  EXPECT_EQ(notice.text(), fnd::Bundle::main().localizedString("IDMAC_SEARCHING_SCANNER", "", "Message"));
  EXPECT_EQ(first->title(), textOf("PVTO_PVTO_TITLE"));
  EXPECT_EQ(first->level(), Zorvik_ProcessImageDialog::kLevel);
  EXPECT_TRUE(first->worksWhenModal());
  EXPECT_EQ(first->contentRectSize(), (fnd::Size{400, 100}));
  const std::filesystem::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  std::filesystem::create_directories(shots);
  EXPECT_TRUE(first->grabToPng((shots / "searching-notice.png").string()));
  // A second show brings the same panel forward.
  notice.showProcessImageDialog("IDMAC_SEARCHING_SCANNER", "Message");
  EXPECT_EQ(notice.panel(), first);

  notice.closeProcessImageDialog();
  EXPECT_FALSE(notice.panel());
  EXPECT_FALSE(notice.isShowing());
  notice.showProcessImageDialog("PVTO_ERROR_15", "PictavoTrivo");
  ASSERT_TRUE(notice.panel());
  EXPECT_TRUE(notice.isShowing());
  EXPECT_EQ(notice.text(), textOf("PVTO_ERROR_15"));
}

TEST(LauncherStrings, RemapThroughTheUserInterfaceTable) {
  const Zorvik_PVLocalizedString strings(fnd::Bundle::main().identifier());
  ASSERT_TRUE(strings.bundleStr());
  EXPECT_EQ(strings.ls_localizedStringForKey("PVTO_PVTO_TITLE", "PictavoTrivo"),
            fnd::Bundle::main().localizedString("PVTO_PVTO_TITLE", "", "PictavoTrivo"));
  EXPECT_EQ(strings.ls_localizedStringForKey("NO_SUCH_KEY", "PictavoTrivo"), "none");
  EXPECT_EQ(strings.ls_localizedStringForKey("NO_SUCH_KEY", "fallback", "PictavoTrivo"), "fallback");
  const Zorvik_PVLocalizedString none("");
  EXPECT_FALSE(none.ls_localizedStringForKey("PVTO_PVTO_TITLE", "PictavoTrivo"));
}

TEST(LauncherStrings, ATableReadAgainFollowsItsFileWhenTheFileChanges) {
  const std::filesystem::path folder = testenv::freshFolder("launcher-strings-kept");
  const std::filesystem::path file = folder / "Kept.strings";
  auto write = [&](const char* text) { std::ofstream(file, std::ios::binary | std::ios::trunc) << text; };
  fnd::Bundle bundle(folder.string());
  write("\"A\" = \"one\";\n");
  EXPECT_EQ(Zorvik_LauncherStrings::readTable(bundle, "Kept").string("A"), "one");
  EXPECT_EQ(Zorvik_LauncherStrings::readTable(bundle, "Kept").string("A"), "one") << "read again unchanged";
  write("\"A\" = \"three\";\n");
  EXPECT_EQ(Zorvik_LauncherStrings::readTable(bundle, "Kept").string("A"), "three") << "another length";
  // The same length, written later: the time it was written tells.
  const auto before = std::filesystem::last_write_time(file);
  write("\"A\" = \"eerht\";\n");
  std::filesystem::last_write_time(file, before + std::chrono::seconds(2));
  EXPECT_EQ(Zorvik_LauncherStrings::readTable(bundle, "Kept").string("A"), "eerht");
  std::filesystem::remove(file);
  EXPECT_TRUE(Zorvik_LauncherStrings::readTable(bundle, "Kept").empty()) << "a file gone gives nothing";
}

}  // namespace
}  // namespace launchertest
