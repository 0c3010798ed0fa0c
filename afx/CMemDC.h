#pragma once
#include "CBitmap.h"
#include "CDC.h"
#include "CRect.h"

// Painting off screen: drawn into a bitmap of the window's client size and put
// up in one piece when the object goes, so that a picture redrawn many times a
// second does not flicker. Where the bitmap cannot be made, GetDC() is the
// paint context itself.
class CMemDC {
 public:
  CMemDC(CDC& dc, CWnd* pWnd);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  CDC& GetDC() { return m_bBuffered ? m_memory : m_dc; }

 private:
  CDC& m_dc;
  CRect m_rect;
  CBitmap m_buffer;  // before the context it is selected into, so that it goes after it
  CDC m_memory;
  bool m_bBuffered = false;
};
