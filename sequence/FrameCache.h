#pragma once
// The hologram's columns of a sequence's frames, read on demand and kept
// within a budget of bytes, so that a window walks past any number of frames
// in bounded memory. Used on one thread, which holds an ImageThread.

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "ImageFile.h"
#include "RenderRig.h"
#include "SequenceFiles.h"

class FrameCache {
 public:
  // nFirstFrame: the number in the name of the rig's frame 1.
  FrameCache(SequenceFiles files, RenderRig rig, int32_t nFirstFrame, size_t nBudgetBytes);

  int32_t FrameCount() const { return m_rig.nFrameCount; }
  // Empty when no file carries the number.
  std::string FileOf(int32_t nFrame) const;
  // The frame's hologram columns, read and kept on first use, the least
  // recently used dropped past the budget (a frame bigger than the budget is
  // kept alone). Null, with *pReason in the check's words ("missing", "zero
  // bytes", "cannot be read: ...", "wrong size: ..."), when it cannot be shown.
  std::shared_ptr<const FrameColumns> Get(int32_t nFrame, std::string* pReason);

 private:
  using Kept = std::pair<int32_t, std::shared_ptr<const FrameColumns>>;

  std::shared_ptr<const FrameColumns> Read(int32_t nFrame, std::string* pReason) const;
  static size_t BytesOf(const FrameColumns& columns) { return columns.pixels.size() * sizeof(uint32_t); }

  SequenceFiles m_files;
  RenderRig m_rig;
  int32_t m_nFirstFrame;
  size_t m_nBudgetBytes;
  size_t m_nKeptBytes = 0;
  std::list<Kept> m_recent;  // most recently used first
  std::map<int32_t, std::list<Kept>::iterator> m_byFrame;
};
