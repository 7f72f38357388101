#pragma once

// C-string and text helpers of the save pipeline. A "text" is a std::string holding UTF-8,
// passed by pointer so that a missing text (null) can be answered with 0xDCA01. Lengths and
// prefixes of texts count characters (Unicode code points), C strings count bytes.

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/save/CMError.h"

// printf into a caller buffer of size bytes. A result that does not fit is reported with
// 0xDCA02 (the buffer then holds the terminated beginning) rather than written past the end.
CMResult CM_FormatCString(char* buffer, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
CMResult CM_FormatCStringV(char* buffer, std::size_t size, const char* format, va_list args)
    __attribute__((format(printf, 3, 0)));

// Bounded copy and append, always terminated (size 0 is 0xDCA01).
CMResult CM_StrCopy(char* dst, std::size_t size, const char* src);
CMResult CM_StrCat(char* dst, std::size_t size, const char* src);
// Copies at most n bytes (stopping at src's end) and terminates; dst holds n + 1 bytes.
CMResult CM_StrNCopy(char* dst, const char* src, std::size_t n);
CMResult CM_StrCompare(const char* a, const char* b, std::int32_t* result);  // -1, 0, 1
CMResult CM_StrLen(const char* text, std::size_t maximum, std::size_t* length);
// Next token of text (null: continue the previous text of this thread); token null at the end.
CMResult CM_StrTok(char* text, const char* separators, char** token);

// Formats like printf, plus "%@" which takes a const std::string* (a null one prints "(null)").
// "%n" is refused. 0xDCA02 for a malformed format.
CMResult CM_FormatText(std::string* out, const char* format, va_list args);

CMResult CM_SetFormattedText(std::string* text, const char* format, ...);
CMResult CM_SetText(std::string* text, const std::string* source);
// The first n characters of source; 0xDCA01 when source is shorter.
CMResult CM_SetTextPrefix(std::string* text, const std::string* source, std::size_t n);
// 0xDCA00 when bytes are not valid UTF-8 (text unchanged).
CMResult CM_SetTextFromUTF8(std::string* text, const char* bytes);
// Copies text as UTF-8 into buffer, cut to size - 1 bytes (never inside a character), terminated.
CMResult CM_GetUTF8(char* buffer, std::size_t size, const std::string* text);
CMResult CM_CompareString(const std::string* a, const std::string* b, std::int32_t* result);
// mode 0 literal, 1 case-insensitive (ASCII letters); result 0 found, 1 not found.
CMResult CM_FindString(const std::string* text, const std::string* part, std::int32_t mode, std::int32_t* result);
// Wildcard match of the whole text: "*" any run, "?" one character, case-sensitive.
// result 0 matches, 1 does not.
CMResult CM_IsLike(const std::string* text, const std::string* pattern, std::int32_t* result);
CMResult CM_TextLength(const std::string* text, std::size_t* length);
CMResult CM_AppendText(std::string* text, const std::string* tail);
CMResult CM_AddPathSeparator(std::string* text);

// Helpers shared with the string object.
bool CM_IsValidUTF8(const char* bytes, std::size_t length);
std::size_t CM_CharacterCount(const std::string& text);
// Byte offset of the n-th character, or npos when the text has fewer than n characters.
std::size_t CM_CharacterOffset(const std::string& text, std::size_t n);
bool CM_WildcardMatch(const std::string& text, const std::string& pattern);
