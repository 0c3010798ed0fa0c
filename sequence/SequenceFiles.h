#pragma once
// The files of one numbered image sequence in a folder, by frame number.
// Other files in the folder are left alone.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FramePattern.h"

// The check cannot be made: no folder, no sequence, several sequences, a rig
// that cannot be built. what() is one line a user can act on.
class CheckError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SequenceFiles {
 public:
  // The files of the pattern, or of the folder's only sequence. Throws
  // CheckError for a folder that cannot be read, no sequence, or several
  // sequences and no pattern (naming each with its count).
  static SequenceFiles Find(const std::filesystem::path& folder, const std::optional<FramePattern>& pattern);

  const std::filesystem::path& Folder() const { return m_folder; }
  const FramePattern& Pattern() const { return m_pattern; }
  // Empty when no file carries the number.
  std::string FileOf(int64_t number) const;
  // Files numbered outside first..last, and second files for one number
  // (frame_01.png beside frame_0001.png), sorted by name.
  std::vector<std::string> Unexpected(int64_t first, int64_t last) const;

 private:
  std::filesystem::path m_folder;
  FramePattern m_pattern;
  std::map<int64_t, std::string> m_files;
  std::vector<std::string> m_extra;
};
