#pragma once
// What both command-line tools do with their output and their arguments, so
// that they follow one convention: "-" or no file is standard output, in
// binary so that it holds the same bytes as a file; a file is written whole.

#include <cstdio>
#include <string>
#include <vector>

void Print(std::FILE* stream, const std::string& text);

// False with the reason in *pReason, naming the file as the user typed it, or
// standard output.
bool WriteToolOutput(const std::string& target, const std::string& bytes, std::string* pReason);

#ifdef _WIN32
// The arguments as the system holds them, UTF-16, so that any file name works.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);
#endif
