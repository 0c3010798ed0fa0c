#pragma once
// Records the messages that windows receive, in order and with their nesting,
// so that a test can compare them with an expected sequence written as a
// table. Four kinds of entry:
//  - Sent: a message sent to a watched window, seen by a WH_CALLWNDPROC hook
//    before any procedure of the window runs;
//  - Posted: a message taken from the queue for a watched window (input,
//    timers and paints included), seen by a WH_GETMESSAGE hook;
//  - Base: a message that reached the recorder's own window procedure, the
//    procedure that a window of BaseClassName() had before an object was
//    attached to it, so what the object's Default() calls;
//  - Mark: a text written by the code under test with Mark().
// The depth of a message is the number of messages to watched windows that
// were still being handled when it arrived; base entries and marks take the
// depth of the message being handled. A posted message is being handled
// until the pump that took it reports it Handled(), or until the next one is
// taken from the queue. Only one recorder records at a time on a thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class MessageRecorder {
 public:
  enum class Kind { Sent, Posted, Base, Mark };

  struct Entry {
    Kind kind;
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int depth;
    std::string text;  // a mark's text, or what a message's pointer parameter held
  };

  // One row of an expected sequence; parameters are compared only when given.
  struct Expected {
    Kind kind;
    std::string window;
    UINT message;
    int depth;
    std::string text;
    std::optional<WPARAM> wParam;
    std::optional<LPARAM> lParam;
    std::optional<std::string> params;
    bool optional = false;

    Expected W(WPARAM w) const;
    Expected L(LPARAM l) const;
    // What the pointer parameter held, as Printable() shows it.
    Expected Params(const std::string& text) const;
    Expected Optional() const;
  };
  using Sequence = std::vector<Expected>;

  static Expected Sent(const std::string& window, UINT message, int depth);
  static Expected Posted(const std::string& window, UINT message, int depth);
  static Expected Base(const std::string& window, UINT message, int depth);
  static Expected Marked(const std::string& text, int depth);

  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // Records the messages of hWnd under the given name.
  void Watch(HWND hWnd, const std::string& name);
  // Records only these messages from now on (marks are always recorded).
  void Only(std::set<UINT> messages);
  // What the base procedure answers to a message instead of DefWindowProc.
  void BaseResult(UINT message, LRESULT result);
  void Clear();
  const std::vector<Entry>& Entries() const { return m_entries; }

  // Writes a mark into the recorder recording on this thread, if any.
  static void Mark(const std::string& text);
  // Told by a message loop that it has handled a message it took.
  static void Handled(const MSG& msg);

  // Compares the log with the expected rows; optional rows may be missing.
  // On a mismatch the message shows both sequences side by side.
  ::testing::AssertionResult Matches(const Sequence& expected) const;

  // A window class whose procedure records Base entries, then answers with
  // DefWindowProc or the result set by BaseResult.
  static LPCWSTR BaseClassName();
  static HWND CreateBaseWindow(HWND hWndParent = nullptr, DWORD dwStyle = WS_POPUP, UINT nID = 0);

 private:
  struct Frame {
    HWND hWnd;
    UINT message;
    bool posted;
  };

  static LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK BaseProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  bool Records(HWND hWnd, UINT message) const;
  int CurrentDepth() const;
  void Add(Kind kind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, std::string text = {});
  void AddMessage(Kind kind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  void EndPosted();
  std::string Describe(const Entry& entry) const;
  static std::string Describe(const Expected& expected);
  bool Fits(const Expected& expected, const Entry& actual) const;
  std::string SideBySide(const Sequence& expected, size_t failedRow) const;

  HHOOK m_hHookCall = nullptr;
  HHOOK m_hHookRet = nullptr;
  HHOOK m_hHookGet = nullptr;
  MessageRecorder* m_pPrevious = nullptr;
  std::map<HWND, std::string> m_names;
  std::optional<std::set<UINT>> m_only;
  std::map<UINT, LRESULT> m_baseResults;
  std::vector<Frame> m_open;
  std::vector<Entry> m_entries;
};

// A sequence that recurs gets a name, as in Wine's own tests, and is joined
// with the rows around it: {rows...} + Named() + {rows...}.
MessageRecorder::Sequence operator+(MessageRecorder::Sequence head, const MessageRecorder::Sequence& tail);

// ASCII as it stands, every other code unit as \uXXXX.
std::string Printable(const wchar_t* text);
