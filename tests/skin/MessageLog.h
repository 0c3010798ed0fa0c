#pragma once
// Records the messages that chosen windows receive, each with its nesting
// depth, by placing a logging procedure in front of each window's own. Tests
// compare the record with an expected table and print both when they differ.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace skintest {

struct LogEntry {
  int nDepth;
  std::string strText;
  bool operator==(const LogEntry& o) const { return nDepth == o.nDepth && strText == o.strText; }
};

class CMessageLog {
 public:
  CMessageLog();
  ~CMessageLog();
  CMessageLog(const CMessageLog&) = delete;
  CMessageLog& operator=(const CMessageLog&) = delete;

  // Logs the listed messages of hWnd under the given name. The window must
  // outlive the log, or be released first.
  void Watch(HWND hWnd, const std::string& strName, std::initializer_list<UINT> messages);
  void Release(HWND hWnd);
  // An event seen by a handler, logged at the depth of the message being handled.
  void Note(const std::string& strText);
  void Clear() { m_entries.clear(); }
  const std::vector<LogEntry>& Entries() const { return m_entries; }

  // The log that Note() writes to from handlers, if one exists.
  static CMessageLog* Active();

 private:
  struct Watched {
    HWND hWnd;
    std::string strName;
    std::vector<UINT> messages;
    WNDPROC pfnPrevious;
  };
  std::vector<Watched> m_watched;
  std::vector<LogEntry> m_entries;
  int m_nDepth = 0;

  static LRESULT CALLBACK LogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

std::string DescribeMessage(UINT message, WPARAM wParam, LPARAM lParam);
// ASCII as it stands, every other code unit as \uXXXX.
std::string Printable(const wchar_t* text);

// Succeeds when the log holds exactly the expected entries; otherwise lists both.
testing::AssertionResult SequenceIs(const std::vector<LogEntry>& actual, const std::vector<LogEntry>& expected);

}  // namespace skintest
