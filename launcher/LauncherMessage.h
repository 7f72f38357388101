#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Value.h"

class Zorvik_PVLocalizedString;

// The launcher's message functions. Texts come from the launcher's own strings files
// ("PictavoTrivo", "Message"), found by key. A text is never used as a printf format: its
// placeholders are filled by fnd::formatString, so a stray "%n" or "%10s" is shown as written.

// Shows the text of `key` from `table` in a message box on the calling (main) thread; with an
// argument-type string ("%@", "%@%@"...) the text is the format for `args`. When an error
// number is not 0 the text is followed by "\r\rCode:e1,e2,e3". While the driver's main window
// answers "setMainWindowObjectMesPost", the box holds its end-of-scan and message locks.
// Answers 1 for OK, 0 for Cancel.
std::int32_t MES_ShowLauncherMessage(std::string_view key, std::string_view table, std::int32_t errNum1,
                                     std::int32_t errNum2, std::int32_t errNum3,
                                     std::optional<std::string_view> argumentTypes = std::nullopt,
                                     const fnd::Array& args = {});

// The text of `key` in `table` (empty when missing), with the message type and button kind of
// the table (0 when missing) and the selector flag (always 0). With one to three "%@" units in
// the argument types, as many "%s" of the text become "%@" for the object arguments (the
// driver's MES_ConvertObjectPlaceholders).
std::string MES_GetLauncherMessageString(std::string_view key, std::optional<std::string_view> argumentTypes,
                                         std::string_view table, std::int32_t* messageType,
                                         std::int32_t* buttonKind, std::int32_t* selectorFlag);

// The text of `key` from "PictavoTrivo" through the launcher's localised strings; a text of
// "%%"-separated parts joins them, each part that starts with a non-zero number being the
// key of a text of "Message"; a text "none" gives the key itself.
std::string MES_GetLauncherLocalizedString(std::string_view key, std::optional<std::string_view> bundleId);
// The same through look-ups already set up: a caller that needs many texts at once asks for
// the bundle and reads the remap table once rather than for every text.
std::string MES_GetLauncherLocalizedString(std::string_view key, const Zorvik_PVLocalizedString& strings);

// MES_GetLauncherLocalizedString with the launcher's bundle; nothing for no key.
std::optional<std::string> MES_LauncherLocalizedStringForKey(const void* unused, std::optional<std::string_view> key);
