#include "ToolOutput.h"

#include "AtomicFile.h"
#include "Utf.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

bool WriteToolOutput(const std::string& target, const std::string& bytes, std::string* pReason) {
  if (!target.empty() && target != "-") {
    if (WriteFileAtomically(PathFromUtf8(target), bytes, pReason)) return true;
    *pReason = "cannot write " + target + ": " + *pReason;
    return false;
  }
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0) return true;
  *pReason = "cannot write standard output";
  return false;
}

#ifdef _WIN32
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(Utf8(std::wstring_view(argv[i])));
  return args;
}
#endif
