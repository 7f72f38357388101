#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The web manual's redirect request: a base address, then "key=value" parts joined by a
// separator, handed to kit::Workspace. Every value that comes from the model or the user's
// system is percent-encoded, so a device name or version holding "&", "#", "?" or "%" cannot
// break the request; the device name keeps "+" for its blanks, and the fixed texts given to
// setCTN go as written.
class Quirel_OpenWebManual {
 public:
  // None when the base address or the separator is missing or empty.
  static std::unique_ptr<Quirel_OpenWebManual> initWithParameter(const std::optional<std::string>& url,
                                                                 const std::optional<std::string>& andSeparator);

  void setFNC(const std::string& part) { mFNC = part; }
  // `format` holds one "%@", filled with "M".
  void setOSV(const std::string& format) { mOSV = fill(format, encode("M")); }
  // `format` holds one "%@", filled with the encoded value; blanks of the name become "+".
  void setDEV(const std::string& format, const std::string& name) { mDEV = fill(format, encodeName(name)); }
  void setTYP(const std::string& format, const std::string& type) { mTYP = fill(format, encode(type)); }
  void setSFV(const std::string& format, const std::string& version) { mSFV = fill(format, encode(version)); }
  // A finished "CTV=..." text; its value (after the first "=") is encoded.
  void setCTV(const std::string& part);
  // "LNG=%@": filled with the code of the preferred localisation when the request is made.
  void setLNG(const std::string& format) { mLNG = format; }
  void setCTN(const std::string& part) { mCTN = part; }
  // The localisation the language code comes from; empty means none (no language part).
  void setPreferredLocalization(std::string localization) { mPreferredLocalization = std::move(localization); }

  // The request's text; none when the base address or separator is missing.
  std::optional<std::string> requestText() const;
  // Hands the request to the workspace; its answer, false when there is no request.
  bool openWEBM() const;

  // The manual's language code of a localisation name; "EN" for anything not in the table.
  static std::string languageCode(std::string_view localization);
  // Percent-encoding of everything outside the unreserved characters (letters, digits, "-._~").
  static std::string encode(std::string_view value);
  // As encode, but a blank becomes "+".
  static std::string encodeName(std::string_view value);

 private:
  Quirel_OpenWebManual(std::string url, std::string andSeparator)
      : mURL(std::move(url)), mAND(std::move(andSeparator)) {}
  static std::string fill(const std::string& format, const std::string& value);

  std::optional<std::string> mURL;
  std::optional<std::string> mAND;
  std::optional<std::string> mFNC;
  std::optional<std::string> mOSV;
  std::optional<std::string> mDEV;
  std::optional<std::string> mTYP;
  std::optional<std::string> mSFV;
  std::optional<std::string> mCTV;
  std::optional<std::string> mLNG;
  std::optional<std::string> mCTN;
  std::optional<std::string> mPreferredLocalization;
};
