#include "CMemDC.h"

#include "CWnd.h"

CMemDC::CMemDC(CDC& dc, CWnd* pWnd) : m_dc(dc) {
  pWnd->GetClientRect(&m_rect);
  m_bBuffered = m_rect.Width() > 0 && m_rect.Height() > 0 &&
                m_buffer.CreateCompatibleBitmap(dc, m_rect.Width(), m_rect.Height()) && m_memory.CreateCompatibleDC(&dc);
  if (m_bBuffered) m_memory.SelectObject(m_buffer);
}

CMemDC::~CMemDC() {
  if (m_bBuffered) m_dc.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &m_memory, 0, 0, SRCCOPY);
}
