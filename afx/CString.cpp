#include "CString.h"

#include <cstdarg>
#include <cstdio>

#include "AfxGlobals.h"

void CString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

// Measures first, then formats into a buffer of exactly that size, so no
// format can write past its buffer.
void CString::FormatV(const wchar_t* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  int length = _vscwprintf(format, measure);
  va_end(measure);
  if (length < 0) {
    m_str.clear();
    return;
  }
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  int written = _vsnwprintf(buffer.data(), buffer.size(), format, args);
  buffer.resize(written < 0 ? 0 : static_cast<size_t>(written));
  m_str = std::move(buffer);
}

BOOL CString::LoadString(UINT id) {
  const wchar_t* resource = nullptr;
  int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || resource == nullptr) {
    m_str.clear();
    return FALSE;
  }
  m_str.assign(resource, static_cast<size_t>(length));
  return TRUE;
}
