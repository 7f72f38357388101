#pragma once

#include "launcher/save/ICMSTR_CLASS.h"

// The one implementation of ICMSTR_CLASS: an owned text and the capacity used as the size of
// the C buffer for formatting.
class CMSTR_CLASS final : public ICMSTR_CLASS {
 public:
  explicit CMSTR_CLASS(std::int32_t capacity);
  ~CMSTR_CLASS() override;

  CMResult Reset(std::int32_t capacity) override;
  CMResult ResetWithUTF8(const char* bytes, std::int32_t capacity) override;
  CMResult ResetWithNSString(const std::string* text, std::int32_t capacity) override;
  CMResult ReleaseText() override;
  CMResult Clear() override;
  __attribute__((format(printf, 2, 3))) CMResult FormatCString(const char* format, ...) override;
  CMResult FormatString(const char* format, ...) override;
  CMResult GetUTF8String(char* buffer, std::size_t size) const override;
  std::string* GetNSString() const override;
  CMResult SetUTF8String(const char* bytes) override;
  CMResult SetNSString(const std::string* text) override;
  CMResult SetNSStringPrefix(const std::string* text, std::size_t n) override;
  std::int32_t GetCapacity() const override;
  CMResult GetLength(std::size_t* length) const override;
  CMResult Compare(const std::string* text, std::int32_t* result) const override;
  CMResult Find(const std::string* text, std::int32_t mode, std::int32_t* result) const override;
  CMResult IsLike(const std::string* pattern, std::int32_t* result) const override;
  CMResult Append(const std::string* text) override;
  CMResult AddPathSeparator() override;
  CMResult GetLastPathComponent(std::string* target) const override;
  CMResult GetParentPath(std::string* target) const override;
  std::unique_ptr<ICMSTR_CLASS> GetPathExtension() const override;
  CMResult ChangePathExtension(const std::string* extension) override;

 private:
  std::unique_ptr<std::string> m_text;
  std::int32_t m_capacity;
};
