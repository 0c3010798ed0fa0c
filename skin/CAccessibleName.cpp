#include "CAccessibleName.h"

#include <new>
#include <unordered_map>

#include "CSystemLibrary.h"

namespace {

// Loaded with the first query from assistive technology, not at start.
const CSystemLibrary& AccessibilityLibrary() {
  static const CSystemLibrary library(L"oleacc.dll");
  return library;
}

const CSystemLibrary& AutomationLibrary() {
  static const CSystemLibrary library(L"oleaut32.dll");
  return library;
}

bool IsSelf(const VARIANT& varChild) { return varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF; }

// Each named window's name and the procedure below ours. Kept in the thread
// that owns the windows rather than on the windows: the common controls'
// subclassing looks its data up in the window's properties on every message,
// a round trip to Wine's server each time, and a field gets dozens of
// messages on every keystroke.
struct NamedWindow {
  WNDPROC pfnBelow = nullptr;
  std::wstring strName;
};
thread_local std::unordered_map<HWND, NamedWindow> t_namedWindows;

}  // namespace

// The name lives with the window's entry and goes with it when the window goes.
// A window named again keeps our procedure once and takes the new name.
bool CAccessibleName::Attach(HWND hWnd, std::wstring strName) {
  if (!::IsWindow(hWnd)) return false;
  auto [entry, bNew] = t_namedWindows.try_emplace(hWnd);
  entry->second.strName = std::move(strName);
  if (!bNew) return true;
  entry->second.pfnBelow = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
  if (entry->second.pfnBelow != nullptr) return true;
  t_namedWindows.erase(entry);
  return false;
}

CAccessibleName::CAccessibleName(AccessiblePtr inner, std::wstring strName)
    : m_inner(std::move(inner)), m_strName(std::move(strName)) {}

LRESULT CALLBACK CAccessibleName::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const auto entry = t_namedWindows.find(hWnd);
  if (entry == t_namedWindows.end()) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
  const WNDPROC pfnBelow = entry->second.pfnBelow;
  if (uMsg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    // Elements of the map stay where they are while other windows come and go.
    const LRESULT result = AnswerClientQuery(hWnd, wParam, entry->second.strName);
    if (result != 0) return result;
  } else if (uMsg == WM_NCDESTROY) {
    t_namedWindows.erase(entry);
  }
  return ::CallWindowProcW(pfnBelow, hWnd, uMsg, wParam, lParam);
}

// 0 lets the control answer as it would have: the platform then makes its own
// object, unnamed but otherwise the same. So does a name that finds no memory.
LRESULT CAccessibleName::AnswerClientQuery(HWND hWnd, WPARAM wParam, const std::wstring& strName) {
  static const auto createStandard = AFX_SYSTEM_FUNCTION(AccessibilityLibrary(), CreateStdAccessibleObject);
  static const auto resultFromObject = AFX_SYSTEM_FUNCTION(AccessibilityLibrary(), LresultFromObject);
  if (createStandard == nullptr || resultFromObject == nullptr) return 0;
  IAccessible* pStandard = nullptr;
  if (FAILED(createStandard(hWnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&pStandard))))
    return 0;
  CAccessibleName* pNamed = nullptr;
  try {
    pNamed = new CAccessibleName(AccessiblePtr(pStandard), strName);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  const LRESULT result = resultFromObject(IID_IAccessible, wParam, pNamed);
  pNamed->Release();
  return SUCCEEDED(result) ? result : 0;
}

// --- IUnknown ---

HRESULT CAccessibleName::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
    *ppv = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG CAccessibleName::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }

ULONG CAccessibleName::Release() {
  const LONG cRef = ::InterlockedDecrement(&m_cRef);
  if (cRef == 0) delete this;
  return static_cast<ULONG>(cRef);
}

// --- IAccessible: the name is this object's, everything else the platform's ---

HRESULT CAccessibleName::get_accName(VARIANT varChild, BSTR* pszName) {
  if (!IsSelf(varChild)) return m_inner->get_accName(varChild, pszName);
  if (pszName == nullptr) return E_POINTER;
  static const auto allocString = AFX_SYSTEM_FUNCTION(AutomationLibrary(), SysAllocStringLen);
  if (allocString == nullptr) return E_FAIL;
  *pszName = allocString(m_strName.data(), static_cast<UINT>(m_strName.size()));
  return *pszName != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleName::GetTypeInfoCount(UINT* pctinfo) { return m_inner->GetTypeInfoCount(pctinfo); }

HRESULT CAccessibleName::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
  return m_inner->GetTypeInfo(iTInfo, lcid, ppTInfo);
}

HRESULT CAccessibleName::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) {
  return m_inner->GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
}

HRESULT CAccessibleName::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  return m_inner->Invoke(dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
}

HRESULT CAccessibleName::get_accParent(IDispatch** ppdispParent) { return m_inner->get_accParent(ppdispParent); }

HRESULT CAccessibleName::get_accChildCount(long* pcountChildren) {
  return m_inner->get_accChildCount(pcountChildren);
}

HRESULT CAccessibleName::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
  return m_inner->get_accChild(varChild, ppdispChild);
}

HRESULT CAccessibleName::get_accValue(VARIANT varChild, BSTR* pszValue) {
  return m_inner->get_accValue(varChild, pszValue);
}

HRESULT CAccessibleName::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
  return m_inner->get_accDescription(varChild, pszDescription);
}

HRESULT CAccessibleName::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
  return m_inner->get_accRole(varChild, pvarRole);
}

HRESULT CAccessibleName::get_accState(VARIANT varChild, VARIANT* pvarState) {
  return m_inner->get_accState(varChild, pvarState);
}

HRESULT CAccessibleName::get_accHelp(VARIANT varChild, BSTR* pszHelp) {
  return m_inner->get_accHelp(varChild, pszHelp);
}

HRESULT CAccessibleName::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) {
  return m_inner->get_accHelpTopic(pszHelpFile, varChild, pidTopic);
}

HRESULT CAccessibleName::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) {
  return m_inner->get_accKeyboardShortcut(varChild, pszKeyboardShortcut);
}

HRESULT CAccessibleName::get_accFocus(VARIANT* pvarChild) { return m_inner->get_accFocus(pvarChild); }

HRESULT CAccessibleName::get_accSelection(VARIANT* pvarChildren) { return m_inner->get_accSelection(pvarChildren); }

HRESULT CAccessibleName::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
  return m_inner->get_accDefaultAction(varChild, pszDefaultAction);
}

HRESULT CAccessibleName::accSelect(long flagsSelect, VARIANT varChild) {
  return m_inner->accSelect(flagsSelect, varChild);
}

HRESULT CAccessibleName::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) {
  return m_inner->accLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}

HRESULT CAccessibleName::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
  return m_inner->accNavigate(navDir, varStart, pvarEndUpAt);
}

HRESULT CAccessibleName::accHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
  return m_inner->accHitTest(xLeft, yTop, pvarChild);
}

HRESULT CAccessibleName::accDoDefaultAction(VARIANT varChild) { return m_inner->accDoDefaultAction(varChild); }

HRESULT CAccessibleName::put_accName(VARIANT varChild, BSTR szName) { return m_inner->put_accName(varChild, szName); }

HRESULT CAccessibleName::put_accValue(VARIANT varChild, BSTR szValue) {
  return m_inner->put_accValue(varChild, szValue);
}
