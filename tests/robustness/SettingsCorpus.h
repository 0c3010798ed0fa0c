#pragma once
// Settings files as they turn up in the field: hand-edited, damaged, saved by
// other editors in other encodings, or not a file at all. Generated from a
// seed, so that a failing file can be made again.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What lies at the settings path when the program starts.
enum class FileState {
  Bytes,     // a file holding the bytes
  ReadOnly,  // the same, with the read-only attribute
  Locked,    // the same, held open elsewhere without sharing
  Folder,    // a folder of that name
  Missing,   // nothing
};

struct CorpusFile {
  std::string description;
  std::string bytes;
  FileState state = FileState::Bytes;
  // The value texts an ordinary reader finds, for the files that are plain
  // enough to tell: each key's own text, or nothing when the key is absent.
  bool bPlain = false;
  std::optional<std::string> widthText;
  std::optional<std::string> heightText;
};

std::vector<CorpusFile> GenerateSettingsCorpus(uint32_t seed, size_t count);
