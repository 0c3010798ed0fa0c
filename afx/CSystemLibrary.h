#pragma once
// A library of the system folder, loaded when a feature first needs it rather
// than at start: most runs never open the Save As dialog nor meet a screen
// reader, and the common dialogs and the accessibility library, with all they
// pull in, would otherwise be a good part of every start's time and memory.
#include <windows.h>

#include <memory>
#include <type_traits>

class CSystemLibrary {
 public:
  // Only the system folder's copy is loaded, whatever lies beside the
  // program. A library that does not load leaves every function null.
  explicit CSystemLibrary(const wchar_t* pszName);

  // The exported function pszName, of the type Fn that its header declares.
  template <class Fn>
  Fn* Function(const char* pszName) const {
    if (!m_module) return nullptr;
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(::GetProcAddress(m_module.get(), pszName)));
  }

 private:
  struct ModuleDeleter {
    void operator()(HMODULE hModule) const { ::FreeLibrary(hModule); }
  };
  std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter> m_module;
};

// A function of a CSystemLibrary, typed by the platform header's declaration of it.
#define AFX_SYSTEM_FUNCTION(library, name) (library).Function<decltype(::name)>(#name)
