#pragma once
// One frame's file as the check meets it, before any pixel: missing,
// unreadable (no bytes, or a header the reader refuses), the wrong size for
// the rig, or open. Only an open frame is decoded, so a hostile header costs
// nothing. The check and the frames a window shows open them alike, so both
// give a bad frame the same words.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "ImageFile.h"

class FrameFile {
 public:
  enum class State : uint8_t { Missing, Unreadable, WrongSize, Open };

  // An empty name is a missing frame. The calling thread holds an ImageThread.
  FrameFile(const std::filesystem::path& folder, const std::string& name, int32_t nWidthPx, int32_t nHeightPx);

  State GetState() const { return m_state; }
  // The header's size; zero when the frame is missing or its header unreadable.
  int32_t Width() const;
  int32_t Height() const;
  // "missing", "zero bytes", "cannot be read: ...", "wrong size: ..." for a
  // frame that is not open; empty for one that is.
  std::string Reason() const;

  // Both decode an open frame; one that fails becomes unreadable.
  bool Decode(DecodedImage* pImage);
  bool DecodeColumns(int32_t nFirst, int32_t nCount, FrameColumns* pColumns);

 private:
  void Unreadable(const std::string& readerReason);

  State m_state = State::Missing;
  std::unique_ptr<ImageFile> m_file;
  int32_t m_nExpectedWidthPx;
  int32_t m_nExpectedHeightPx;
  std::string m_strReason;
};
