#include "launcher/save/CMSTR_CLASS.h"

#include <cstdarg>
#include <cstring>
#include <new>
#include <vector>

#include "launcher/save/CMText.h"

namespace {

// Position of the last component: after the last "/" (0 when there is none).
std::size_t lastComponentStart(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Byte offset of the "." that starts the last component's extension, or npos. A leading dot
// names a hidden file, not an extension.
std::size_t extensionDot(const std::string& path) {
  std::size_t start = lastComponentStart(path);
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < start || dot == start) return std::string::npos;
  return dot;
}

}  // namespace

CMSTR_CLASS::CMSTR_CLASS(std::int32_t capacity) : m_text(std::make_unique<std::string>()), m_capacity(capacity) {}

CMSTR_CLASS::~CMSTR_CLASS() = default;

CMResult CMSTR_CLASS::Reset(std::int32_t capacity) {
  if (capacity < 0) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    m_text = std::make_unique<std::string>();
    m_capacity = capacity;
    return CM_OK;
  });
}

CMResult CMSTR_CLASS::ResetWithUTF8(const char* bytes, std::int32_t capacity) {
  if (!bytes || capacity < 0) return CM_ERR_BAD_ARGUMENT;
  std::size_t len = std::strlen(bytes);
  if (!CM_IsValidUTF8(bytes, len)) return CM_ERR_NOT_UTF8;
  return CM_Guard([&] {
    m_text = std::make_unique<std::string>(bytes, len);
    m_capacity = capacity;
    return CM_OK;
  });
}

CMResult CMSTR_CLASS::ResetWithNSString(const std::string* text, std::int32_t capacity) {
  if (!text || capacity < 0) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    m_text = std::make_unique<std::string>(*text);
    m_capacity = capacity;
    return CM_OK;
  });
}

CMResult CMSTR_CLASS::ReleaseText() {
  if (!m_text) return CM_ERR_NOT_READY;
  m_text.reset();
  m_capacity = 0;
  return CM_OK;
}

CMResult CMSTR_CLASS::Clear() {
  if (!m_text) return CM_ERR_NOT_READY;
  m_text->clear();
  return CM_OK;
}

CMResult CMSTR_CLASS::FormatCString(const char* format, ...) {
  if (!format) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  if (m_capacity <= 0) return CM_ERR_SYSTEM;
  va_list args;
  va_start(args, format);
  CMResult rc = CM_Guard([&] {
    std::vector<char> buffer(static_cast<std::size_t>(m_capacity), '\0');
    CM_ThrowIfError(CM_FormatCStringV(buffer.data(), buffer.size(), format, args));
    std::size_t len = std::strlen(buffer.data());
    if (!CM_IsValidUTF8(buffer.data(), len)) return CM_ERR_NOT_UTF8;
    m_text->assign(buffer.data(), len);
    return CM_OK;
  });
  va_end(args);
  return rc;
}

CMResult CMSTR_CLASS::FormatString(const char* format, ...) {
  if (!format) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  va_list args;
  va_start(args, format);
  CMResult rc = CM_Guard([&] { return CM_FormatText(m_text.get(), format, args); });
  va_end(args);
  return rc;
}

CMResult CMSTR_CLASS::GetUTF8String(char* buffer, std::size_t size) const {
  if (!buffer) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_GetUTF8(buffer, size, m_text.get());
}

std::string* CMSTR_CLASS::GetNSString() const { return m_text.get(); }

CMResult CMSTR_CLASS::SetUTF8String(const char* bytes) {
  if (!bytes) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_SetTextFromUTF8(m_text.get(), bytes);
}

CMResult CMSTR_CLASS::SetNSString(const std::string* text) {
  if (!text) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_SetText(m_text.get(), text);
}

CMResult CMSTR_CLASS::SetNSStringPrefix(const std::string* text, std::size_t n) {
  if (!text) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_SetTextPrefix(m_text.get(), text, n);
}

std::int32_t CMSTR_CLASS::GetCapacity() const { return m_capacity; }

CMResult CMSTR_CLASS::GetLength(std::size_t* length) const {
  if (!length) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_TextLength(m_text.get(), length);
}

CMResult CMSTR_CLASS::Compare(const std::string* text, std::int32_t* result) const {
  if (!text || !result) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_CompareString(m_text.get(), text, result);
}

CMResult CMSTR_CLASS::Find(const std::string* text, std::int32_t mode, std::int32_t* result) const {
  if (!text || !result) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_FindString(m_text.get(), text, mode, result);
}

CMResult CMSTR_CLASS::IsLike(const std::string* pattern, std::int32_t* result) const {
  if (!pattern || !result) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_IsLike(m_text.get(), pattern, result);
}

CMResult CMSTR_CLASS::Append(const std::string* text) {
  if (!text) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_AppendText(m_text.get(), text);
}

CMResult CMSTR_CLASS::AddPathSeparator() {
  if (!m_text) return CM_ERR_NOT_READY;
  return CM_AddPathSeparator(m_text.get());
}

CMResult CMSTR_CLASS::GetLastPathComponent(std::string* target) const {
  if (!target) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  if (m_text->empty()) return CM_ERR_EMPTY_OR_ABSENT;
  if (m_text->back() == '/') return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::string component = m_text->substr(lastComponentStart(*m_text));
    if (component.empty()) return CM_ERR_SYSTEM;
    *target = std::move(component);
    return CM_OK;
  });
}

CMResult CMSTR_CLASS::GetParentPath(std::string* target) const {
  if (!target) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  if (m_text->empty()) return CM_ERR_EMPTY_OR_ABSENT;
  if (m_text->back() == '/') return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::size_t start = lastComponentStart(*m_text);
    if (start == 0) return CM_ERR_SYSTEM;  // a bare name has no parent in the text
    std::string parent = m_text->substr(0, start);
    // "a//b" has the parent "a"; the root keeps its separator.
    while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
    *target = std::move(parent);
    return CM_OK;
  });
}

std::unique_ptr<ICMSTR_CLASS> CMSTR_CLASS::GetPathExtension() const {
  if (!m_text || m_text->empty() || m_text->back() == '/') return nullptr;
  std::size_t dot = extensionDot(*m_text);
  if (dot == std::string::npos || dot + 1 == m_text->size()) return nullptr;
  std::unique_ptr<ICMSTR_CLASS> extension;
  std::string text = m_text->substr(dot + 1);
  if (CM_CreateStringWithNSString(&extension, &text, m_capacity) != CM_OK) return nullptr;
  return extension;
}

CMResult CMSTR_CLASS::ChangePathExtension(const std::string* extension) {
  if (!extension) return CM_ERR_BAD_ARGUMENT;
  if (!m_text) return CM_ERR_NOT_READY;
  if (m_text->empty()) return CM_ERR_EMPTY_OR_ABSENT;
  if (m_text->back() == '/' || m_text->find('.') == std::string::npos) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::size_t dot = extensionDot(*m_text);
    std::string changed = dot == std::string::npos ? *m_text : m_text->substr(0, dot);
    if (!extension->empty()) changed += "." + *extension;
    *m_text = std::move(changed);
    return CM_OK;
  });
}

namespace {

template <class Make>
CMResult createInto(std::unique_ptr<ICMSTR_CLASS>* slot, Make&& make) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::unique_ptr<ICMSTR_CLASS> made;
    CM_ThrowIfError(make(made));
    *slot = std::move(made);
    return CM_OK;
  });
}

}  // namespace

CMResult CM_CreateString(std::unique_ptr<ICMSTR_CLASS>* slot, std::int32_t capacity) {
  return createInto(slot, [&](std::unique_ptr<ICMSTR_CLASS>& made) {
    if (capacity < 0) return CM_ERR_BAD_ARGUMENT;
    made = std::make_unique<CMSTR_CLASS>(capacity);
    return CM_OK;
  });
}

CMResult CM_CreateStringWithUTF8(std::unique_ptr<ICMSTR_CLASS>* slot, const char* bytes, std::int32_t capacity) {
  return createInto(slot, [&](std::unique_ptr<ICMSTR_CLASS>& made) {
    made = std::make_unique<CMSTR_CLASS>(0);
    return made->ResetWithUTF8(bytes, capacity);
  });
}

CMResult CM_CreateStringWithNSString(std::unique_ptr<ICMSTR_CLASS>* slot, const std::string* text,
                                     std::int32_t capacity) {
  return createInto(slot, [&](std::unique_ptr<ICMSTR_CLASS>& made) {
    made = std::make_unique<CMSTR_CLASS>(0);
    return made->ResetWithNSString(text, capacity);
  });
}

CMResult CM_CopyString(std::unique_ptr<ICMSTR_CLASS>* slot, const ICMSTR_CLASS* source) {
  return createInto(slot, [&](std::unique_ptr<ICMSTR_CLASS>& made) {
    if (!source) return CM_ERR_BAD_ARGUMENT;
    made = std::make_unique<CMSTR_CLASS>(0);
    const std::string* text = source->GetNSString();
    if (!text) return made->ReleaseText();  // a released source copies as released
    return made->ResetWithNSString(text, source->GetCapacity());
  });
}

CMResult CM_ReleaseString(std::unique_ptr<ICMSTR_CLASS>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  slot->reset();
  return CM_OK;
}

const std::string* CM_TextOf(const ICMSTR_CLASS* string) { return string ? string->GetNSString() : nullptr; }

CMResult CM_SetTextOf(ICMSTR_CLASS* string, const std::string* text) {
  if (!text) return CM_ERR_BAD_ARGUMENT;
  if (!string) return CM_ERR_NOT_READY;
  return string->SetNSString(text);
}
