#include "FrameCache.h"

#include "FrameFile.h"

FrameCache::FrameCache(SequenceFiles files, RenderRig rig, int32_t nFirstFrame, size_t nBudgetBytes)
    : m_files(std::move(files)), m_rig(std::move(rig)), m_nFirstFrame(nFirstFrame), m_nBudgetBytes(nBudgetBytes) {}

std::string FrameCache::FileOf(int32_t nFrame) const { return m_files.FileOf(int64_t{nFrame} + m_nFirstFrame - 1); }

std::shared_ptr<const FrameColumns> FrameCache::Get(int32_t nFrame, std::string* pReason) {
  const auto found = m_byFrame.find(nFrame);
  if (found != m_byFrame.end()) {
    m_recent.splice(m_recent.begin(), m_recent, found->second);
    return found->second->second;
  }
  // A bad frame is not kept: it may be rendered again while the window is open.
  std::shared_ptr<const FrameColumns> columns = Read(nFrame, pReason);
  if (!columns) return nullptr;
  m_nKeptBytes += BytesOf(*columns);
  m_recent.emplace_front(nFrame, columns);
  m_byFrame[nFrame] = m_recent.begin();
  while (m_nKeptBytes > m_nBudgetBytes && m_recent.size() > 1) {
    m_nKeptBytes -= BytesOf(*m_recent.back().second);
    m_byFrame.erase(m_recent.back().first);
    m_recent.pop_back();
  }
  return columns;
}

std::shared_ptr<const FrameColumns> FrameCache::Read(int32_t nFrame, std::string* pReason) const {
  FrameFile file(m_files.Folder(), FileOf(nFrame), m_rig.nImageWidthPx, m_rig.nImageHeightPx);
  const FramePose pose = m_rig.Frame(nFrame);
  auto columns = std::make_shared<FrameColumns>();
  if (file.DecodeColumns(pose.nHologramFirstPx, pose.nHologramLastPx - pose.nHologramFirstPx + 1, columns.get())) return columns;
  *pReason = file.Reason();
  return nullptr;
}
