#pragma once
// UTF-16 text with the class library's interface. Value semantics: a copy is
// an independent string, as the library's copy-on-write strings appear to be.
#include <windows.h>

#include <string>

class CString {
 public:
  CString() = default;
  CString(const wchar_t* text) : m_str(text ? text : L"") {}
  CString(const wchar_t* text, int length) : m_str(text, static_cast<size_t>(length)) {}
  CString(const std::wstring& text) : m_str(text) {}

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  wchar_t GetAt(int index) const { return m_str.at(static_cast<size_t>(index)); }
  wchar_t operator[](int index) const { return GetAt(index); }
  operator const wchar_t*() const { return m_str.c_str(); }
  const std::wstring& str() const { return m_str; }

  void Format(const wchar_t* format, ...);
  void FormatV(const wchar_t* format, va_list args);
  BOOL LoadString(UINT id);

  CString& operator+=(const CString& other) { m_str += other.m_str; return *this; }
  friend CString operator+(CString a, const CString& b) { return a += b; }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.m_str == (b ? b : L""); }

 private:
  std::wstring m_str;
};
