#include "ui/windows/OpenWebManual.h"

#include <array>
#include <utility>

#include "foundation/Bundle.h"
#include "kit/Workspace.h"

namespace {

bool webManualUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string webManualEncode(std::string_view value, bool blankAsPlus) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(value.size());
  for (char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    if (webManualUnreserved(c)) {
      out += ch;
    } else if (blankAsPlus && c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

}  // namespace

std::unique_ptr<Quirel_OpenWebManual> Quirel_OpenWebManual::initWithParameter(
    const std::optional<std::string>& url, const std::optional<std::string>& andSeparator) {
  if (!url || url->empty() || !andSeparator || andSeparator->empty()) return nullptr;
  auto manual = std::unique_ptr<Quirel_OpenWebManual>(new Quirel_OpenWebManual(*url, *andSeparator));
  manual->mPreferredLocalization = fnd::Bundle::main().language();
  return manual;
}

std::string Quirel_OpenWebManual::encode(std::string_view value) { return webManualEncode(value, false); }

std::string Quirel_OpenWebManual::encodeName(std::string_view value) { return webManualEncode(value, true); }

std::string Quirel_OpenWebManual::fill(const std::string& format, const std::string& value) {
  std::string out = format;
  const std::size_t at = out.find("%@");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

void Quirel_OpenWebManual::setCTV(const std::string& part) {
  const std::size_t eq = part.find('=');
  mCTV = eq == std::string::npos ? part : part.substr(0, eq + 1) + encode(std::string_view(part).substr(eq + 1));
}

std::string Quirel_OpenWebManual::languageCode(std::string_view localization) {
  static const std::array<std::pair<const char*, const char*>, 26> kCodes{{
      {"Japanese", "JP"}, {"ja", "JP"},      {"English", "EN"}, {"en", "EN"},      {"French", "FR"},
      {"fr", "FR"},       {"German", "DE"},  {"de", "DE"},      {"Italian", "IT"}, {"it", "IT"},
      {"Spanish", "ES"},  {"es", "ES"},      {"Dutch", "NL"},   {"nl", "NL"},      {"ru", "RU"},
      {"pl", "PL"},       {"pt", "PT"},      {"zh_CN", "SC"},   {"zh-Hans", "SC"}, {"zh_TW", "TC"},
      {"zh-Hant", "TC"},  {"ko", "KO"},      {"da", "DA"},      {"nb", "NO"},      {"sv", "SV"},
      {"fi", "FI"},
  }};
  for (const auto& [name, code] : kCodes)
    if (localization == name) return code;
  return "EN";
}

std::optional<std::string> Quirel_OpenWebManual::requestText() const {
  if (!mURL || !mAND) return std::nullopt;
  std::string text = *mURL + mFNC.value_or(std::string());
  for (const std::optional<std::string>* part : {&mOSV, &mDEV, &mTYP, &mSFV, &mCTV})
    if (*part) text += *mAND + **part;
  if (mLNG && mPreferredLocalization && !mPreferredLocalization->empty())
    text += *mAND + fill(*mLNG, languageCode(*mPreferredLocalization));
  if (mCTN) text += *mAND + *mCTN;
  return text;
}

bool Quirel_OpenWebManual::openWEBM() const {
  const std::optional<std::string> text = requestText();
  if (!text) return false;
  return kit::Workspace::shared().openURL(*text);
}
