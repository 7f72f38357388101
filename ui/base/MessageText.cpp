// Text assembly of the numbered messages: catalogue look-up, string tables, "%%" parts,
// object placeholders and error numbers.
#include <cctype>
#include <climits>
#include <string_view>
#include <vector>

#include "foundation/Bundle.h"
#include "foundation/StringFormat.h"
#include "ui/base/MessageCatalogue.h"
#include "ui/base/MessageText.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"

namespace {

constexpr std::string_view kPictavoPrefix = "PVTO_ERROR_";
constexpr const char* kMessageTable = "Message";
constexpr const char* kPictavoTable = "PictavoTrivo";
constexpr std::int32_t kSelectorNameMessage = 1715;
// Our key for a number the catalogue does not know: the empty key has no text in any table.
constexpr const char* kUnknownMessageKey = "IDS_MSG_UNKNOWN";

std::string lookUp(const Quirel_PVLocalizedString& ls, const std::string& key, const char* table) {
  return ls.ls_localizedStringForKey(key, table).value_or(Quirel_PVLocalizedString::kNone);
}

// The leading integer of a text as the platform reads it: blanks, a sign, digits; 0 for none.
long long leadingIntValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (value < LLONG_MAX / 10) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

std::vector<std::string> splitAtDoublePercent(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find("%%"); at != std::string::npos; at = text.find("%%", start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 2;
  }
  parts.push_back(text.substr(start));
  return parts;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

Quirel_PVLocalizedString MES_LocalizerForBundle(const std::string& bundleStr) {
  if (!bundleStr.empty() && fnd::Bundle::withIdentifier(bundleStr)) return Quirel_PVLocalizedString(bundleStr);
  return Quirel_PVLocalizedString(fnd::Bundle::main().identifier());
}

std::string MES_DataSourceBundleStr() { return Quirel_PVLocalizedBundle::askDataSource(); }

std::int32_t MES_SelectorFlagForNumber(std::int32_t messageNumber) {
  return static_cast<std::uint32_t>(messageNumber) - kMES_SelectorFirst <= kMES_SelectorLast - kMES_SelectorFirst
             ? kMES_SelectorFlag
             : 0;
}

std::string MES_getMessageStringMainThreadMode(const std::string& key, const std::optional<std::string>& bundleStr) {
  const Quirel_PVLocalizedString ls = MES_LocalizerForBundle(bundleStr ? *bundleStr : MES_DataSourceBundleStr());
  const bool pictavo = std::string_view(key).substr(0, kPictavoPrefix.size()) == kPictavoPrefix;
  const std::string found = lookUp(ls, key, pictavo ? kPictavoTable : kMessageTable);
  if (found.find("%%") == std::string::npos) return found == Quirel_PVLocalizedString::kNone ? key : found;
  return MES_JoinMessageParts(found, [&ls](const std::string& part) { return lookUp(ls, part, kMessageTable); });
}

std::string MES_JoinMessageParts(const std::string& text,
                                 const std::function<std::string(const std::string&)>& partText) {
  std::string joined;
  for (const std::string& part : splitAtDoublePercent(text)) joined += leadingIntValue(part) != 0 ? partText(part) : part;
  return joined;
}

std::string MES_ConvertObjectPlaceholders(const std::string& text, const std::optional<std::string>& argTypes) {
  if (!argTypes) return text;
  int objects = 0;
  for (std::size_t i = 0; i + 1 < argTypes->size(); i += 2)
    if (argTypes->compare(i, 2, "%@") == 0) ++objects;
  if (objects < 1 || objects > 3) return text;
  // As many "%s" as there are object arguments take them; any further one stays as written.
  std::string converted = text;
  std::size_t at = 0;
  for (int n = 0; n < objects; ++n) {
    at = converted.find("%s", at);
    if (at == std::string::npos) break;
    converted.replace(at, 2, "%@");
    at += 2;
  }
  return converted;
}

std::string MES_FillPlaceholders(const std::string& text, const fnd::Array& args) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 >= text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[i + 1];
    if (c == '%') {
      out += '%';
      ++i;
    } else if ((c == '@' || c == 's' || c == 'd' || c == 'i' || c == 'u') && next < args.size()) {
      const fnd::Value& arg = args[next++];
      out += c == '@' || c == 's' ? arg.toString() : std::to_string(arg.toInteger());
      ++i;
    } else {
      out += '%';
    }
  }
  return out;
}

std::string MES_AppendErrorNumbers(const std::string& text, std::int32_t errNum1, std::int32_t errNum2,
                                   std::int32_t errNum3) {
  if (errNum1 == 0 && errNum2 == 0 && errNum3 == 0) return text;
  // The text is an argument here, never the format.
  return fnd::stringWithFormat("%@\r\r%d.%d.%d", text, errNum1, errNum2, errNum3);
}

std::string MES_GetMessageStringAndInfomation(std::int32_t messageNumber, const std::optional<std::string>& argTypes,
                                              const std::optional<std::string>& bundleStr,
                                              std::int32_t* messageType, std::int32_t* buttonKind,
                                              std::int32_t* selectorFlag) {
  const std::optional<fnd::Dictionary> catalogue = Quirel_MessageCatalogue::read();
  std::optional<std::string> key;
  std::optional<std::string> selectorName;
  std::int32_t kind = 0;
  std::int32_t flag = 0;
  const fnd::Value* keys = catalogue ? catalogue->find(Quirel_MessageCatalogue::kLocalizeStringKey) : nullptr;
  if (keys && keys->isDictionary()) {
    const fnd::Value* entry = keys->toDictionary().find(std::to_string(messageNumber));
    if (entry) {
      key = entry->toString();
      kind = catalogue->dictionary(Quirel_MessageCatalogue::kButtons).intValue(*key);
      if (messageNumber == kSelectorNameMessage) {
        if (std::optional<fnd::Dictionary> settings = Quirel_MessageCatalogue::readSelectorSettings(*catalogue)) {
          const fnd::Value& name = settings->dictionary("AppInfo").dictionary("Selector").get("AppName");
          if (name.isString()) selectorName = name.toString();
        }
      }
      flag = MES_SelectorFlagForNumber(messageNumber);
    } else {
      key = std::string();
    }
  }
  const std::int32_t type = catalogue ? catalogue->intValue(Quirel_MessageCatalogue::kMessageType) : 0;

  // Without a catalogue or its key table there is no key: the same text as for a number the
  // catalogue does not know.
  if (!key || key->empty()) key = kUnknownMessageKey;
  std::string text = MES_getMessageStringMainThreadMode(*key, bundleStr);
  text = MES_ConvertObjectPlaceholders(text, argTypes);
  if (selectorName) replaceAll(text, "%s", *selectorName);

  if (messageType) *messageType = type;
  if (buttonKind) *buttonKind = kind;
  if (selectorFlag) *selectorFlag = flag;
  return text;
}

std::int32_t MES_IsLocalizeStringKey(std::int32_t messageNumber) {
  if (fnd::Bundle::main().path().empty()) return -1;
  const std::optional<fnd::Dictionary> catalogue = Quirel_MessageCatalogue::read();
  if (!catalogue) return -1;
  const fnd::Value* keys = catalogue->find(Quirel_MessageCatalogue::kLocalizeStringKey);
  if (!keys || !keys->isDictionary()) return -1;
  return keys->toDictionary().contains(std::to_string(messageNumber)) ? 1 : 0;
}
