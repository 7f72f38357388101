#pragma once

#include <optional>
#include <string>

#include "foundation/Value.h"

// The message catalogue "MessageInfo" of the library's own resources: message number ->
// string key, string key -> button kind, the one message type, and where the network
// scanner selector and its settings are. Read afresh on every call, so an edited catalogue
// takes effect at once and nothing is cached between messages.
class Quirel_MessageCatalogue {
 public:
  static constexpr const char* kResourceName = "MessageInfo";
  static constexpr const char* kLocalizeStringKey = "LOCALIZE_STRING_KEY";
  static constexpr const char* kButtons = "BTN";
  static constexpr const char* kMessageType = "MessageType";
  static constexpr const char* kNetpickSetting = "NetpickSetting";
  static constexpr const char* kLaunchApp = "launchApp";

  // Why a read gave no catalogue.
  enum class Failure { None, NoFile, Unreadable };

  // The catalogue's path: the resource folder's "MessageInfo.plist" (or the test path); empty
  // when there is no such file.
  static std::string path();
  // The catalogue, or nothing when it is missing or is not a dictionary (why in *failure).
  static std::optional<fnd::Dictionary> read(Failure* failure = nullptr);

  // A path named in the catalogue: absolute as it stands, relative to the catalogue's folder.
  static std::string resolve(const std::string& pathInCatalogue);
  // The selector settings named under "NetpickSetting"; nothing when unnamed or unreadable.
  static std::optional<fnd::Dictionary> readSelectorSettings(const fnd::Dictionary& catalogue);

  // Tests: read the catalogue from this file instead (empty: the resource folder's again).
  static void setPathForTesting(const std::string& path);
};
