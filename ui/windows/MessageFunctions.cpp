// Showing the numbered messages and starting the network scanner selector.
#include "ui/windows/MessageFunctions.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "foundation/Bundle.h"
#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "kit/Workspace.h"
#include "ui/base/LockHold.h"
#include "ui/base/MessageCatalogue.h"
#include "ui/windows/GetMainWindowObj.h"
#include "ui/windows/KModal.h"
#include "ui/windows/MessageThreadHop.h"

namespace {

constexpr const char* kDefaultLaunchApp = "/Library/Printers/Vantrel/OstrelScanner/Utilities/Vantrel Netpick2.app";

// The main window may have gone while the box showed; only a window still there is touched.
bool isLiveWindow(const kit::Window* window) {
  if (!window) return false;
  const std::vector<kit::Window*> windows = kit::Application::shared().windows();
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

std::int32_t showNumberedMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                 std::int32_t errNum3, const std::optional<std::string>& argTypes,
                                 const fnd::Array& args) {
  Quirel_KModal runner;
  const std::shared_ptr<Quirel_GetMainWindowObj> carrier = Quirel_GetMainWindowObj::ask();
  kit::Window* mainWindow = carrier->getMainWindowObject();
  // While the box shows, no scan ends and the main window does not close. Locks an enclosing
  // holder on this thread already has (the close, another box) are not taken again.
  std::optional<Quirel_LockHold> hold;
  if (mainWindow) hold.emplace({carrier->getEndScanLockObject(), carrier->getMessageLockObject()});

  const std::string bundleStr = MES_DataSourceBundleStr();
  std::int32_t messageType = 0;
  std::int32_t buttonKind = 0;
  std::int32_t selectorFlag = 0;
  std::string text =
      MES_GetMessageStringAndInfomation(messageNumber, argTypes, bundleStr, &messageType, &buttonKind, &selectorFlag);
  if (argTypes) text = MES_FillPlaceholders(text, args);
  text = MES_AppendErrorNumbers(text, errNum1, errNum2, errNum3);

  runner.makeShowMessage(text, buttonKind, messageType, false);
  std::int32_t result = runner.onMainThread();

  if (mainWindow) {
    hold.reset();
    if (isLiveWindow(mainWindow)) mainWindow->orderFront();
  }
  if (result == kMES_AnswerOK && selectorFlag != 0) result = MES_LaunchSelectorEX(2, bundleStr);
  return result;
}

std::int32_t showNetworkMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                std::int32_t errNum3, std::int32_t launchKind) {
  std::int32_t messageType = 0;
  std::string text =
      MES_GetMessageStringAndInfomation(messageNumber, std::nullopt, std::nullopt, &messageType, nullptr, nullptr);
  text = MES_AppendErrorNumbers(text, errNum1, errNum2, errNum3);

  Quirel_KModal runner;
  runner.makeShowMessage(text, kMES_ButtonOK, messageType, true);
  const std::int32_t result = runner.onMainThread();
  if (result != 1) return result;
  if (launchKind == 2) return MES_LaunchSelectorEX(1, std::nullopt);
  if (launchKind == 1) {
    std::string app = kDefaultLaunchApp;
    if (std::optional<fnd::Dictionary> catalogue = Quirel_MessageCatalogue::read()) {
      const fnd::Value* path = catalogue->find(Quirel_MessageCatalogue::kLaunchApp);
      if (path && path->isString()) app = Quirel_MessageCatalogue::resolve(path->toString());
    }
    return kit::Workspace::shared().launchApplication(app, {}) ? kMES_Launched : kMES_LaunchFailed;
  }
  return 1;
}

}  // namespace

std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                    std::int32_t errNum2, std::int32_t errNum3,
                                                    const std::optional<std::string>& argTypes,
                                                    const fnd::Array& args) {
  return Quirel_MessageThreadHop::run(
      [=] { return showNumberedMessage(messageNumber, errNum1, errNum2, errNum3, argTypes, args); });
}

std::int32_t MES_NetworkErrorMessageAndNumberMainThreadModeBase(std::int32_t messageNumber, std::int32_t errNum1,
                                                                std::int32_t errNum2, std::int32_t errNum3,
                                                                std::int32_t launchKind) {
  return Quirel_MessageThreadHop::run(
      [=] { return showNetworkMessage(messageNumber, errNum1, errNum2, errNum3, launchKind); });
}

std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                            std::int32_t errNum2, std::int32_t errNum3) {
  return MES_NetworkErrorMessageAndNumberMainThreadModeBase(messageNumber, errNum1, errNum2, errNum3, 1);
}

std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t messageNumber, std::int32_t errNum1,
                                                             std::int32_t errNum2, std::int32_t errNum3) {
  return MES_NetworkErrorMessageAndNumberMainThreadModeBase(messageNumber, errNum1, errNum2, errNum3, 2);
}

std::int32_t MES_LaunchSelectorEX(std::int32_t launchKind, const std::optional<std::string>& bundleStr) {
  const std::optional<fnd::Dictionary> catalogue = Quirel_MessageCatalogue::read();
  const std::optional<fnd::Dictionary> settings =
      catalogue ? Quirel_MessageCatalogue::readSelectorSettings(*catalogue) : std::nullopt;
  if (!settings) return kMES_NoSelectorSettings;

  std::vector<std::string> arguments;
  if (launchKind == 2) {
    // The selector is told which driver asked; it starts behind the box's owner.
    const fnd::Bundle* bundle = bundleStr ? fnd::Bundle::withIdentifier(*bundleStr) : nullptr;
    if (!bundle) bundle = &fnd::Bundle::main();
    arguments = {"-c", bundle->objectForInfoDictionaryKey("CFBundleName").toString()};
  } else if (launchKind == 1) {
    arguments = {"-f", "NPKG"};
  }

  const fnd::Value& appPath = settings->dictionary("AppInfo").dictionary("Selector").get("AppPath");
  if (!appPath.isString() || appPath.toString().empty()) return kMES_LaunchFailed;
  const std::string app = Quirel_MessageCatalogue::resolve(appPath.toString());
  return kit::Workspace::shared().launchApplication(app, arguments) ? kMES_Launched : kMES_LaunchFailed;
}
