// Started by long-path-test.sh from a deep folder: saves a width in the
// settings file it finds beside itself and reads it back. Prints the path it
// used; the exit code tells which step failed.
#include "ProfileSettings.h"

#include <cstdio>

int main() {
  std::wstring path = BuildIniPath();
  std::printf("%ls\n", path.c_str());
  if (!WriteProfileInt(path.c_str(), kSettingsSection, kWidthKey, 77)) return 1;
  return ReadProfileInt(path.c_str(), kSettingsSection, kWidthKey, kDefaultWidthMm) == 77 ? 0 : 2;
}
