#include "launcher/LauncherMessage.h"

#include <memory>

#include "foundation/Bundle.h"
#include "foundation/Lock.h"
#include "foundation/StringFormat.h"
#include "kit/Window.h"
#include "launcher/GetMainWindowObj.h"
#include "launcher/KModal.h"
#include "launcher/LauncherStrings.h"
#include "launcher/PVLocalizedBundle.h"
#include "launcher/PVLocalizedString.h"
#include "ui/base/LockHold.h"
#include "ui/windows/MessageFunctions.h"

std::string MES_GetLauncherMessageString(std::string_view key, std::optional<std::string_view> argumentTypes,
                                         std::string_view table, std::int32_t* messageType,
                                         std::int32_t* buttonKind, std::int32_t* selectorFlag) {
  const fnd::Dictionary strings = Zorvik_LauncherStrings::readTable(fnd::Bundle::main(), table);
  std::string text = strings.string(key);
  if (messageType) *messageType = strings.intValue("MessageType");
  if (buttonKind) *buttonKind = strings.dictionary("BTN").intValue(text);
  if (selectorFlag) *selectorFlag = 0;
  // The texts that take objects mark their places with "%s"; the driver's rule turns them into "%@".
  if (argumentTypes) text = MES_ConvertObjectPlaceholders(text, std::string(*argumentTypes));
  return text;
}

std::int32_t MES_ShowLauncherMessage(std::string_view key, std::string_view table, std::int32_t errNum1,
                                     std::int32_t errNum2, std::int32_t errNum3,
                                     std::optional<std::string_view> argumentTypes, const fnd::Array& args) {
  Zorvik_KModal modal;
  const std::shared_ptr<Zorvik_GetMainWindowObj> carrier = Zorvik_GetMainWindowObj::ask();

  std::int32_t result = 0;
  {
    // Held through the driver's own holder, which knows when a box of the driver already holds
    // them on this thread (a nested run) and never waits for itself.
    std::optional<Quirel_LockHold> locks;
    if (carrier->getMainWindowObject()) locks.emplace({carrier->getEndScanLockObject(), carrier->getMessageLockObject()});
    std::int32_t messageType = 0, buttonKind = 0, selectorFlag = 0;
    std::string text = MES_GetLauncherMessageString(key, argumentTypes, table, &messageType, &buttonKind, &selectorFlag);
    if (argumentTypes) text = MES_FillPlaceholders(text, args);  // same rule as the driver's texts: stray placeholders stay text
    if (errNum1 != 0 || errNum2 != 0 || errNum3 != 0) {
      text = fnd::formatString("%@\r\rCode:%d,%d,%d", {text, errNum1, errNum2, errNum3});
    }
    modal.makeShowMessage(text, buttonKind, messageType, false);
    result = modal.onMainThread();
  }
  if (kit::Window* main = carrier->getMainWindowObject()) main->orderFront();
  return result;
}

std::string MES_GetLauncherLocalizedString(std::string_view key, std::optional<std::string_view> bundleId) {
  const std::string id = bundleId ? std::string(*bundleId) : Zorvik_PVLocalizedBundle().getLocalizedBundleStr();
  return MES_GetLauncherLocalizedString(key, Zorvik_PVLocalizedString(id));
}

std::string MES_GetLauncherLocalizedString(std::string_view key, const Zorvik_PVLocalizedString& strings) {
  const std::string theKey = fnd::formatString("%@", {std::string(key)});
  const std::optional<std::string> found = strings.ls_localizedStringForKey(theKey, "PictavoTrivo");
  if (!found) return {};

  if (found->find("%%") == std::string::npos) return *found == Zorvik_PVLocalizedString::kNone ? theKey : *found;
  // Shared sentences are joined by the driver's rule, from this program's "Message" table.
  return MES_JoinMessageParts(*found, [&strings](const std::string& part) {
    return strings.ls_localizedStringForKey(part, "Message").value_or("");
  });
}

std::optional<std::string> MES_LauncherLocalizedStringForKey(const void*, std::optional<std::string_view> key) {
  if (!key) return std::nullopt;
  return MES_GetLauncherLocalizedString(*key, Zorvik_PVLocalizedBundle::askDataSource());
}
