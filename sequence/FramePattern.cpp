#include "FramePattern.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What Blender writes and printers take; other files with a number in their
// name (logs, scenes, notes) are not frames.
bool IsImageExtension(std::string_view extension) {
  static constexpr std::array<std::string_view, 7> kExtensions = {".png", ".tif", ".tiff", ".jpg", ".jpeg", ".bmp", ".exr"};
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(kExtensions.begin(), kExtensions.end(), lower) != kExtensions.end();
}

}  // namespace

std::optional<FramePattern> FramePattern::OfFileName(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || !IsImageExtension(name.substr(dot))) return std::nullopt;
  // The last run of digits before the extension is the frame number, so a
  // name such as shot2_0001_L.png numbers its frames by 0001.
  size_t end = dot;
  while (end > 0 && !IsDigit(name[end - 1])) --end;
  if (end == 0) return std::nullopt;
  size_t begin = end;
  while (begin > 0 && IsDigit(name[begin - 1])) --begin;
  FramePattern pattern;
  pattern.m_prefix = name.substr(0, begin);
  pattern.m_suffix = name.substr(end);
  pattern.m_digits = end - begin;
  return pattern;
}

std::optional<FramePattern> FramePattern::Parse(std::string_view text) {
  const size_t begin = text.find('#');
  if (begin == std::string_view::npos) return std::nullopt;
  const size_t end = text.find_first_not_of('#', begin);
  const size_t digitsEnd = end == std::string_view::npos ? text.size() : end;
  if (text.find('#', digitsEnd) != std::string_view::npos) return std::nullopt;
  FramePattern pattern;
  pattern.m_prefix = text.substr(0, begin);
  pattern.m_suffix = text.substr(digitsEnd);
  pattern.m_digits = digitsEnd - begin;
  return pattern;
}

std::optional<int64_t> FramePattern::NumberIn(std::string_view name) const {
  if (name.size() < m_prefix.size() + m_suffix.size() + m_digits) return std::nullopt;
  if (name.substr(0, m_prefix.size()) != m_prefix || name.substr(name.size() - m_suffix.size()) != m_suffix) return std::nullopt;
  const std::string_view digits = name.substr(m_prefix.size(), name.size() - m_prefix.size() - m_suffix.size());
  if (digits.size() < m_digits || !std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
  const std::string_view significant = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
  if (significant.size() > 9) return -1;
  int64_t number = 0;
  for (char c : significant) number = number * 10 + (c - '0');
  return number;
}

std::string FramePattern::Text() const { return m_prefix + std::string(m_digits, '#') + m_suffix; }
