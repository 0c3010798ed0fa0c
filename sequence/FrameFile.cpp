#include "FrameFile.h"

#include <system_error>

#include "Utf.h"

namespace {

std::string Size(int32_t nWidthPx, int32_t nHeightPx) {
  return std::to_string(nWidthPx) + " x " + std::to_string(nHeightPx) + " px";
}

}  // namespace

FrameFile::FrameFile(const std::filesystem::path& folder, const std::string& name, int32_t nWidthPx, int32_t nHeightPx)
    : m_nExpectedWidthPx(nWidthPx), m_nExpectedHeightPx(nHeightPx) {
  if (name.empty()) return;
  const std::filesystem::path path = folder / PathFromUtf8(name);
  m_state = State::Unreadable;
  std::error_code error;
  if (std::filesystem::file_size(path, error) == 0 && !error) {
    m_strReason = "zero bytes";
    return;
  }
  std::string reason;
  m_file = ImageFile::Open(path, &reason);
  if (!m_file) {
    Unreadable(reason);
    return;
  }
  const bool fits = m_file->Width() == nWidthPx && m_file->Height() == nHeightPx;
  m_state = fits ? State::Open : State::WrongSize;
}

int32_t FrameFile::Width() const { return m_file ? m_file->Width() : 0; }
int32_t FrameFile::Height() const { return m_file ? m_file->Height() : 0; }

std::string FrameFile::Reason() const {
  switch (m_state) {
    case State::Missing: return "missing";
    case State::Unreadable: return m_strReason;
    case State::WrongSize:
      return "wrong size: " + Size(Width(), Height()) + ", expected " + Size(m_nExpectedWidthPx, m_nExpectedHeightPx);
    case State::Open: break;
  }
  return {};
}

bool FrameFile::Decode(DecodedImage* pImage) {
  std::string reason;
  if (m_state != State::Open) return false;
  if (m_file->Decode(pImage, &reason)) return true;
  Unreadable(reason);
  return false;
}

bool FrameFile::DecodeColumns(int32_t nFirst, int32_t nCount, FrameColumns* pColumns) {
  std::string reason;
  if (m_state != State::Open) return false;
  if (m_file->DecodeColumns(nFirst, nCount, pColumns, &reason)) return true;
  Unreadable(reason);
  return false;
}

void FrameFile::Unreadable(const std::string& readerReason) {
  m_state = State::Unreadable;
  m_strReason = "cannot be read: " + readerReason;
}
