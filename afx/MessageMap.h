#pragma once
// Message tables: one static table per class, chained to its base class's
// table. Each entry carries a small function that cracks the message's
// parameters and calls the handler; the handler's type is fixed by the entry's
// macro, so a handler with the wrong signature does not compile.
#include <windows.h>

class CCmdTarget;

// The message a table entry is asked to handle; the entry stores its result.
struct AFX_MSG {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT lResult;
};

// Returns false when the handler declined the message (a reflected colour
// request that returned no brush), so that the caller's default applies.
using AFX_PMSGTHUNK = bool (*)(CCmdTarget* pTarget, AFX_MSG& msg);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  AFX_PMSGTHUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Notifications a parent hands back to the child they came from are looked up
// in the child's table at their message number plus this base.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// All control-colour requests share one table entry, as in the 16-bit days.
constexpr UINT WM_CTLCOLOR = 0x0019;
constexpr UINT CN_COMMAND = 0;

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID);

namespace afx {
template <class T, class Signature>
struct MemberOf;
template <class T, class R, class... Args>
struct MemberOf<T, R(Args...)> {
  using type = R (T::*)(Args...);
};
}  // namespace afx

#define DECLARE_MESSAGE_MAP()                           \
 protected:                                             \
  static const AFX_MSGMAP* GetThisMessageMap();         \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                              \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                         \
    using ThisClass [[maybe_unused]] = theClass;                                            \
    using TheBaseClass = baseClass;                                        \
    static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                   \
      {0, 0, 0, 0, nullptr}};                                               \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, messageEntries}; \
    return &messageMap;                                                     \
  }

// A handler of ThisClass or a base, required to have exactly `signature`.
#define AFX_MEMBER(signature, memberFxn) \
  (static_cast<typename afx::MemberOf<ThisClass, signature>::type>(memberFxn))
#define AFX_HANDLER(signature, name) AFX_MEMBER(signature, &ThisClass::name)

#define AFX_ENTRY(message, code, id, lastId, body)                                \
  {message, code, id, lastId, [](CCmdTarget* pTarget, AFX_MSG& msg) -> bool {     \
     auto* self = static_cast<ThisClass*>(pTarget);                               \
     (void)msg;                                                                   \
     body;                                                                        \
     return true;                                                                 \
   }},

#define AFX_POINT_OF(msg) CPoint((msg).lParam)

// Commands and control notifications; handlers are named as &Class::Member.
#define ON_COMMAND(id, memberFxn) \
  AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, (self->*AFX_MEMBER(void(), memberFxn))())
#define ON_CONTROL(code, id, memberFxn) \
  AFX_ENTRY(WM_COMMAND, code, id, id, (self->*AFX_MEMBER(void(), memberFxn))())
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
// One handler for a run of IDs; it is told which control or command it was.
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, (self->*AFX_MEMBER(void(UINT), memberFxn))(LOWORD(msg.wParam)))
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
  AFX_ENTRY(WM_COMMAND, code, id, idLast, (self->*AFX_MEMBER(void(UINT), memberFxn))(LOWORD(msg.wParam)))
// Notifications (WM_NOTIFY); the handler may set the message's result.
#define AFX_NMHDR_OF(msg) reinterpret_cast<NMHDR*>((msg).lParam)
#define ON_NOTIFY(code, id, memberFxn)                              \
  AFX_ENTRY(WM_NOTIFY, static_cast<UINT>(code), id, id,               \
            (self->*AFX_MEMBER(void(NMHDR*, LRESULT*), memberFxn))(AFX_NMHDR_OF(msg), &msg.lResult))
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                        \
  AFX_ENTRY(WM_NOTIFY, static_cast<UINT>(code), id, idLast,                                  \
            (self->*AFX_MEMBER(void(UINT, NMHDR*, LRESULT*), memberFxn))(                    \
                static_cast<UINT>(AFX_NMHDR_OF(msg)->idFrom), AFX_NMHDR_OF(msg), &msg.lResult))

// Notifications reflected back to the control that sent them
#define ON_CONTROL_REFLECT(code, memberFxn) \
  AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, (self->*AFX_MEMBER(void(), memberFxn))())
#define ON_WM_CTLCOLOR_REFLECT()                                                              \
  {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, [](CCmdTarget* pTarget, AFX_MSG& msg) -> bool {    \
     auto* self = static_cast<ThisClass*>(pTarget);                                           \
     HBRUSH brush = (self->*AFX_HANDLER(HBRUSH(CDC*, UINT), CtlColor))(                       \
         CDCArgument(reinterpret_cast<HDC>(msg.wParam)).Get(),                                \
         msg.message - WM_CTLCOLORMSGBOX);                                                    \
     msg.lResult = reinterpret_cast<LRESULT>(brush);                                          \
     return brush != nullptr;                                                                 \
   }},

// Private and other messages: the handler takes and returns the raw values.
#define ON_MESSAGE(message, memberFxn) \
  AFX_ENTRY(message, 0, 0, 0, msg.lResult = (self->*AFX_MEMBER(LRESULT(WPARAM, LPARAM), memberFxn))(msg.wParam, msg.lParam))

// Standard window messages, with their parameters cracked
#define ON_WM_CREATE()                                                              \
  AFX_ENTRY(WM_CREATE, 0, 0, 0,                                                     \
            msg.lResult = (self->*AFX_HANDLER(int(LPCREATESTRUCT), OnCreate))(      \
                reinterpret_cast<LPCREATESTRUCT>(msg.lParam)))
#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, 0, 0, 0, (self->*AFX_HANDLER(void(), OnPaint))())
#define ON_WM_DESTROY() AFX_ENTRY(WM_DESTROY, 0, 0, 0, (self->*AFX_HANDLER(void(), OnDestroy))())
#define ON_WM_ENDSESSION() \
  AFX_ENTRY(WM_ENDSESSION, 0, 0, 0, (self->*AFX_HANDLER(void(BOOL), OnEndSession))(static_cast<BOOL>(msg.wParam)))
#define ON_WM_ERASEBKGND()                                                          \
  AFX_ENTRY(WM_ERASEBKGND, 0, 0, 0,                                                 \
            msg.lResult = (self->*AFX_HANDLER(BOOL(CDC*), OnEraseBkgnd))(           \
                CDCArgument(reinterpret_cast<HDC>(msg.wParam)).Get()))
#define ON_WM_SIZE()                                                                \
  AFX_ENTRY(WM_SIZE, 0, 0, 0,                                                       \
            (self->*AFX_HANDLER(void(UINT, int, int), OnSize))(                     \
                static_cast<UINT>(msg.wParam), LOWORD(msg.lParam), HIWORD(msg.lParam)))
#define AFX_MOUSE_ENTRY(message, memberFxn)                                          \
  AFX_ENTRY(message, 0, 0, 0,                                                        \
            (self->*AFX_HANDLER(void(UINT, CPoint), memberFxn))(                     \
                static_cast<UINT>(msg.wParam), AFX_POINT_OF(msg)))
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_KILLFOCUS()                                                           \
  AFX_ENTRY(WM_KILLFOCUS, 0, 0, 0,                                                  \
            (self->*AFX_HANDLER(void(CWnd*), OnKillFocus))(                         \
                CWnd::FromHandle(reinterpret_cast<HWND>(msg.wParam))))
#define ON_WM_SETFOCUS()                                                            \
  AFX_ENTRY(WM_SETFOCUS, 0, 0, 0,                                                   \
            (self->*AFX_HANDLER(void(CWnd*), OnSetFocus))(                          \
                CWnd::FromHandle(reinterpret_cast<HWND>(msg.wParam))))
#define ON_WM_ACTIVATE()                                                            \
  AFX_ENTRY(WM_ACTIVATE, 0, 0, 0,                                                   \
            (self->*AFX_HANDLER(void(UINT, CWnd*, BOOL), OnActivate))(              \
                LOWORD(msg.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(msg.lParam)), \
                static_cast<BOOL>(HIWORD(msg.wParam))))
#define ON_WM_GETDLGCODE() \
  AFX_ENTRY(WM_GETDLGCODE, 0, 0, 0, msg.lResult = (self->*AFX_HANDLER(UINT(), OnGetDlgCode))())
#define ON_WM_TIMER() \
  AFX_ENTRY(WM_TIMER, 0, 0, 0, (self->*AFX_HANDLER(void(UINT_PTR), OnTimer))(static_cast<UINT_PTR>(msg.wParam)))
#define ON_WM_KEYDOWN()                                                             \
  AFX_ENTRY(WM_KEYDOWN, 0, 0, 0,                                                    \
            (self->*AFX_HANDLER(void(UINT, UINT, UINT), OnKeyDown))(                \
                static_cast<UINT>(msg.wParam), LOWORD(msg.lParam), HIWORD(msg.lParam)))
#define ON_WM_CHAR()                                                                \
  AFX_ENTRY(WM_CHAR, 0, 0, 0,                                                       \
            (self->*AFX_HANDLER(void(UINT, UINT, UINT), OnChar))(                   \
                static_cast<UINT>(msg.wParam), LOWORD(msg.lParam), HIWORD(msg.lParam)))
#define ON_WM_SYSCOMMAND()                                                          \
  AFX_ENTRY(WM_SYSCOMMAND, 0, 0, 0,                                                 \
            (self->*AFX_HANDLER(void(UINT, LPARAM), OnSysCommand))(                 \
                static_cast<UINT>(msg.wParam), msg.lParam))
#define ON_WM_QUERYDRAGICON()                                                       \
  AFX_ENTRY(WM_QUERYDRAGICON, 0, 0, 0,                                              \
            msg.lResult = reinterpret_cast<LRESULT>(                                \
                (self->*AFX_HANDLER(HCURSOR(), OnQueryDragIcon))()))
#define ON_WM_CTLCOLOR()                                                            \
  AFX_ENTRY(WM_CTLCOLOR, 0, 0, 0,                                                   \
            msg.lResult = reinterpret_cast<LRESULT>(                                \
                (self->*AFX_HANDLER(HBRUSH(CDC*, CWnd*, UINT), OnCtlColor))(        \
                    CDCArgument(reinterpret_cast<HDC>(msg.wParam)).Get(),           \
                    CWnd::FromHandle(reinterpret_cast<HWND>(msg.lParam)),           \
                    msg.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_DRAWITEM()                                                            \
  AFX_ENTRY(WM_DRAWITEM, 0, 0, 0,                                                   \
            (self->*AFX_HANDLER(void(int, LPDRAWITEMSTRUCT), OnDrawItem))(          \
                static_cast<int>(msg.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(msg.lParam)); \
            msg.lResult = TRUE)
