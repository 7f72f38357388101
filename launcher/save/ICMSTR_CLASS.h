#pragma once

// The save pipeline's text and path object. Made and released only through the functions at
// the end, which take the caller's slot. Every operation answers a code (0 success) unless
// noted; 0xD9802 means the text is missing (after ReleaseText), 0xDCA01 a null argument.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"

class ICMSTR_CLASS {
 public:
  virtual ~ICMSTR_CLASS() = default;

  // Drop the text, start a new one (empty, from UTF-8 bytes, or a copy) and set the capacity.
  virtual CMResult Reset(std::int32_t capacity) = 0;
  virtual CMResult ResetWithUTF8(const char* bytes, std::int32_t capacity) = 0;
  virtual CMResult ResetWithNSString(const std::string* text, std::int32_t capacity) = 0;
  // Release the text and set the capacity to 0.
  virtual CMResult ReleaseText() = 0;
  virtual CMResult Clear() = 0;
  // printf into a buffer of the capacity. A result that does not fit is 0xDCA02 and leaves the
  // text as it was.
  __attribute__((format(printf, 2, 3))) virtual CMResult FormatCString(const char* format, ...) = 0;
  // Like printf, plus "%@" for a const std::string* (for example
  // FormatString("%@PVTO_tmpTF%03d.TIF", folder->GetNSString(), index)). Not bounded.
  virtual CMResult FormatString(const char* format, ...) = 0;
  // Copy as UTF-8, cut to size - 1 bytes (never inside a character) and terminated.
  virtual CMResult GetUTF8String(char* buffer, std::size_t size) const = 0;
  // The text itself (not a copy); null when missing.
  virtual std::string* GetNSString() const = 0;
  // 0xDCA00 when the bytes are not UTF-8.
  virtual CMResult SetUTF8String(const char* bytes) = 0;
  virtual CMResult SetNSString(const std::string* text) = 0;
  // The first n characters of text; 0xDCA01 when it is shorter.
  virtual CMResult SetNSStringPrefix(const std::string* text, std::size_t n) = 0;
  virtual std::int32_t GetCapacity() const = 0;
  // Number of characters.
  virtual CMResult GetLength(std::size_t* length) const = 0;
  virtual CMResult Compare(const std::string* text, std::int32_t* result) const = 0;  // -1, 0, 1
  // mode 0 literal, 1 case-insensitive, other 0xDCA01; result 0 found, 1 not.
  virtual CMResult Find(const std::string* text, std::int32_t mode, std::int32_t* result) const = 0;
  // "*" and "?" wildcards over the whole text; result 0 matches, 1 not.
  virtual CMResult IsLike(const std::string* pattern, std::int32_t* result) const = 0;
  virtual CMResult Append(const std::string* text) = 0;
  // Append "/" unless the text already ends with one.
  virtual CMResult AddPathSeparator() = 0;
  // "a/b.tif" -> "b.tif". 0xD7200 empty text, 0xDCA01 text ending in "/", 0xDCA02 nothing results.
  virtual CMResult GetLastPathComponent(std::string* target) const = 0;
  // "a/b.tif" -> "a". Codes as GetLastPathComponent (a bare name has no parent: 0xDCA02).
  virtual CMResult GetParentPath(std::string* target) const = 0;
  // A new object with the extension ("tif"), or null when the text is empty, ends with "/",
  // or its last component has no extension.
  virtual std::unique_ptr<ICMSTR_CLASS> GetPathExtension() const = 0;
  // Replace (or add) the last component's extension: "a/b.tif" + "jpg" -> "a/b.jpg".
  // 0xD7200 empty text; 0xDCA01 null extension, a text ending in "/" or without any ".".
  virtual CMResult ChangePathExtension(const std::string* extension) = 0;
};

// Each takes the caller's slot. A slot that is already set is refused with 0xDCA01 and left as
// it is; 0xD9801 when the object cannot be made.
CMResult CM_CreateString(std::unique_ptr<ICMSTR_CLASS>* slot, std::int32_t capacity);
CMResult CM_CreateStringWithUTF8(std::unique_ptr<ICMSTR_CLASS>* slot, const char* bytes, std::int32_t capacity);
CMResult CM_CreateStringWithNSString(std::unique_ptr<ICMSTR_CLASS>* slot, const std::string* text,
                                     std::int32_t capacity);
// The text and capacity of another object; 0xDCA01 for a null source.
CMResult CM_CopyString(std::unique_ptr<ICMSTR_CLASS>* slot, const ICMSTR_CLASS* source);
// Destroys the object and clears the slot; 0xDCA01 when the slot is empty.
CMResult CM_ReleaseString(std::unique_ptr<ICMSTR_CLASS>* slot);

// For holders of an object that may be missing: its text (null when the object or its text is
// missing), and setting it (0xDCA01 for a null text, 0xD9802 for a missing object).
const std::string* CM_TextOf(const ICMSTR_CLASS* string);
CMResult CM_SetTextOf(ICMSTR_CLASS* string, const std::string* text);
