#pragma once
// Writing a file without destroying what sits at its path.
// - A regular file, or none yet: the bytes go to a hidden temporary file
//   beside it, flushed to disk, which then takes its place in one step. The
//   new file keeps the old one's permissions and owner (on Windows its
//   attributes and access list); a failed write leaves the old file as it was.
// - A symbolic link: the file it leads to is replaced so, and the link stays.
// - A pipe, a device or a terminal: the bytes go straight to it, as a shell's
//   redirection would send them.

#include <filesystem>
#include <string>
#include <string_view>

// False on failure, with the reason in words (UTF-8) in *pReason; the caller
// names the file, in the form its user gave it.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* pReason);
