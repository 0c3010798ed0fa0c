#pragma once
#include "CObject.h"
#include "MessageMap.h"

// Anything with a message table: windows and the application object.
class CCmdTarget : public CObject {
 public:
  // Runs the table entry for a command or control notification; false when
  // no entry of this class or its bases takes it.
  virtual BOOL OnCmdMsg(UINT nID, int nCode);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  // Runs the entry for (message, code, id) if the table has one.
  bool DispatchToEntry(UINT nMessage, UINT nCode, UINT nID, AFX_MSG& msg);
};
