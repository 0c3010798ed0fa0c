#pragma once
// Files written whole or not at all: the bytes go to a temporary file in the
// target's folder, which then replaces the target in one step. A failed write
// leaves an existing target as it was.

#include <filesystem>
#include <string>
#include <string_view>

// False on failure, with the reason in words (UTF-8) in *pReason.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* pReason);
