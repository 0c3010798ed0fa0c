#include "SequenceFiles.h"

#include <algorithm>
#include <system_error>

#include "Utf.h"

namespace {

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    const bool exists = std::filesystem::exists(folder, error);
    throw CheckError(Utf8(folder) + (exists ? " is not a folder" : " does not exist"));
  }
  std::vector<std::string> names;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error)) names.push_back(Utf8(it->path().filename()));
  }
  if (error) throw CheckError("cannot read the folder " + Utf8(folder) + ": " + error.message());
  std::sort(names.begin(), names.end());
  return names;
}

// The folder's sequences with their file counts, each with the padding of
// its shortest number.
std::vector<std::pair<FramePattern, size_t>> Sequences(const std::vector<std::string>& names) {
  std::vector<std::pair<FramePattern, size_t>> sequences;
  for (const std::string& name : names) {
    const std::optional<FramePattern> pattern = FramePattern::OfFileName(name);
    if (!pattern) continue;
    auto found = std::find_if(sequences.begin(), sequences.end(), [&](const auto& s) { return s.first.SameSequence(*pattern); });
    if (found == sequences.end()) {
      sequences.emplace_back(*pattern, 1);
    } else {
      ++found->second;
      found->first.PadTo(std::min(found->first.Digits(), pattern->Digits()));
    }
  }
  return sequences;
}

FramePattern OnlySequence(const std::filesystem::path& folder, const std::vector<std::string>& names) {
  const auto sequences = Sequences(names);
  if (sequences.empty()) throw CheckError("no numbered image sequence in " + Utf8(folder));
  if (sequences.size() == 1) return sequences.front().first;
  std::string list;
  for (const auto& [pattern, count] : sequences) {
    list += (list.empty() ? "" : ", ") + pattern.Text() + " (" + std::to_string(count) + (count == 1 ? " file)" : " files)");
  }
  throw CheckError(std::to_string(sequences.size()) + " sequences in " + Utf8(folder) + ": " + list +
                   "; choose one with --pattern");
}

}  // namespace

SequenceFiles SequenceFiles::Find(const std::filesystem::path& folder, const std::optional<FramePattern>& pattern) {
  const std::vector<std::string> names = FileNames(folder);
  SequenceFiles files;
  files.m_folder = folder;
  files.m_pattern = pattern ? *pattern : OnlySequence(folder, names);
  for (const std::string& name : names) {
    const std::optional<int64_t> number = files.m_pattern.NumberIn(name);
    if (!number) continue;
    if (*number < 0 || !files.m_files.emplace(*number, name).second) files.m_extra.push_back(name);
  }
  if (files.m_files.empty() && files.m_extra.empty()) {
    throw CheckError("no file in " + Utf8(folder) + " is named " + files.m_pattern.Text());
  }
  return files;
}

std::string SequenceFiles::FileOf(int64_t number) const {
  const auto found = m_files.find(number);
  return found == m_files.end() ? std::string() : found->second;
}

std::vector<std::string> SequenceFiles::Unexpected(int64_t first, int64_t last) const {
  std::vector<std::string> names = m_extra;
  for (const auto& [number, name] : m_files) {
    if (number < first || number > last) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}
