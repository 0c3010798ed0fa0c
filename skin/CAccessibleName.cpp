#include "CAccessibleName.h"

#include <commctrl.h>

#include <new>

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

// Any number will do, as long as it is this class's own among the subclasses.
constexpr UINT_PTR kSubclassId = 0x4E414D45;

bool IsSelf(const VARIANT& varChild) { return varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF; }

}  // namespace

// The name lives with the subclass and goes with it when the window goes.
bool CAccessibleName::Attach(HWND hWnd, std::wstring strName) {
  auto pName = std::make_unique<std::wstring>(std::move(strName));
  if (!::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(pName.get()))) return false;
  pName.release();
  return true;
}

CAccessibleName::CAccessibleName(AccessiblePtr inner, std::wstring strName)
    : m_inner(std::move(inner)), m_strName(std::move(strName)) {}

LRESULT CALLBACK CAccessibleName::SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR dwRefData) {
  const auto* pName = reinterpret_cast<const std::wstring*>(dwRefData);
  if (uMsg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    const LRESULT result = AnswerClientQuery(hWnd, wParam, *pName);
    if (result != 0) return result;
  } else if (uMsg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
    delete pName;
  }
  return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
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
