#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "foundation/Value.h"
#include "ui/base/PVLocalizedString.h"

// The texts of the numbered messages, with no window: a message number becomes localised text
// through the message catalogue, placeholders are filled and error numbers appended. The boxes
// that show these texts are in ui/windows/MessageFunctions.h.
//
// Texts are never handed to printf: every placeholder is filled by fnd::formatString, so a
// stray "%n" or "%10s" in a table is shown as written.

// Button kinds of the catalogue's "BTN" table.
constexpr std::int32_t kMES_ButtonOK = 0;              // OK alone
constexpr std::int32_t kMES_ButtonOKCancel = 1;        // Return OK, Escape Cancel
constexpr std::int32_t kMES_ButtonCancelDefault = 2;   // Return Cancel, OK has no key
// Answers of a box.
constexpr std::int32_t kMES_AnswerCancel = 0;
constexpr std::int32_t kMES_AnswerOK = 1;
// The messages after whose OK the network scanner selector starts.
constexpr std::uint32_t kMES_SelectorFirst = 9000;
constexpr std::uint32_t kMES_SelectorLast = 9099;
constexpr std::int32_t kMES_SelectorFlag = 2;
// Answers of MES_LaunchSelectorEX.
constexpr std::int32_t kMES_Launched = 1;
constexpr std::int32_t kMES_LaunchFailed = 2;
constexpr std::int32_t kMES_NoSelectorSettings = 3;

// The text of a message and its box information. Each out pointer may be null. With object
// argument types ("%@") every "%s" of the text becomes "%@", ready for the arguments.
std::string MES_GetMessageStringAndInfomation(std::int32_t messageNumber, const std::optional<std::string>& argTypes,
                                              const std::optional<std::string>& bundleStr,
                                              std::int32_t* messageType, std::int32_t* buttonKind,
                                              std::int32_t* selectorFlag);
// The text for a string key ("PVTO_ERROR_" keys from "PictavoTrivo", others from "Message";
// "%%"-separated numeric parts are keys of "Message"; a text "none" gives the key itself).
std::string MES_getMessageStringMainThreadMode(const std::string& key,
                                               const std::optional<std::string>& bundleStr = std::nullopt);
// 1 the catalogue names a key for the number, 0 not, -1 no catalogue or no key table.
std::int32_t MES_IsLocalizeStringKey(std::int32_t messageNumber);

// --- Pieces the launcher's own message functions share.
// The parts of a text separated by "%%" joined again, each part that starts with a non-zero
// number (a shared sentence's key) replaced by `partText` of it; other parts stay as written.
std::string MES_JoinMessageParts(const std::string& text,
                                 const std::function<std::string(const std::string&)>& partText);
// Each "%s" becomes "%@" when `argTypes` has one to three "%@" units (read two characters at a
// time); otherwise the text is unchanged. Never interprets anything else in the text.
std::string MES_ConvertObjectPlaceholders(const std::string& text, const std::optional<std::string>& argTypes);
// Fills the plain placeholders "%@", "%s", "%d", "%i" and "%u" of a message text with the
// arguments in order ("%%" is a percent sign). Anything else (widths, flags, "%n", "%x", a
// placeholder without an argument left) is shown as written.
std::string MES_FillPlaceholders(const std::string& text, const fnd::Array& args);
// "<text>\r\r<e1>.<e2>.<e3>" when any error number is non-zero, else the text.
std::string MES_AppendErrorNumbers(const std::string& text, std::int32_t errNum1, std::int32_t errNum2,
                                   std::int32_t errNum3);
// The data source's bundle identifier ("UIDSBundleIDPost"); empty when nobody answers.
std::string MES_DataSourceBundleStr();
// 2 for the selector messages, else 0.
std::int32_t MES_SelectorFlagForNumber(std::int32_t messageNumber);

// The string tables of the data source's bundle, or the program's own when that bundle is not
// loaded (nobody answered for the data source).
Quirel_PVLocalizedString MES_LocalizerForBundle(const std::string& bundleStr);
