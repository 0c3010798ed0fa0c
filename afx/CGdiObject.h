#pragma once
#include <windows.h>

#include "CObject.h"

// Owns one graphics object: deleted once, by DeleteObject or the destructor,
// unless it was detached first. The create and load calls of the derived
// classes refuse an object that holds one already, before creating anything.
class CGdiObject : public CObject {
 public:
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const;
};
