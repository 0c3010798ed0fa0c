#pragma once
// How the files of one image sequence are named, as Blender writes them: a
// prefix, the frame number in digits and a suffix, such as frame_0001.png,
// name.0001.tif or shot_1.png. Written with one '#' per digit of padding
// ("frame_####.png"); a name with more digits still belongs, as Blender writes
// 10000 after 9999.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class FramePattern {
 public:
  // The pattern a file name belongs to, for a name with a frame number before
  // an image file's extension; nothing for other files in the folder.
  static std::optional<FramePattern> OfFileName(std::string_view name);
  // Nothing unless the text has one run of '#'.
  static std::optional<FramePattern> Parse(std::string_view text);

  // The number in a name of this sequence; -1 for a number too long to be
  // a frame (the name belongs, but to no frame).
  std::optional<int64_t> NumberIn(std::string_view name) const;
  std::string Text() const;
  // Same prefix and suffix: one sequence whatever the padding.
  bool SameSequence(const FramePattern& other) const { return m_prefix == other.m_prefix && m_suffix == other.m_suffix; }
  void PadTo(size_t digits) { m_digits = digits; }
  size_t Digits() const { return m_digits; }

 private:
  std::string m_prefix;
  std::string m_suffix;
  size_t m_digits = 0;
};
