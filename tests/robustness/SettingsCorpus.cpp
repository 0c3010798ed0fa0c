#include "SettingsCorpus.h"

#include <windows.h>

#include <random>

namespace {

using Rng = std::mt19937;

constexpr char kWidthKey[] = "Hologram Width, mm";
constexpr char kHeightKey[] = "Hologram Height, mm";
constexpr size_t kLongLine = 100 * 1024;

size_t Pick(Rng& rng, size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }
bool Chance(Rng& rng, double p) { return std::bernoulli_distribution(p)(rng); }
template <size_t N>
const char* PickOf(Rng& rng, const char* const (&texts)[N]) { return texts[Pick(rng, N)]; }

std::string Digits(Rng& rng, size_t length) {
  std::string digits;
  for (size_t i = 0; i < length; ++i) digits += static_cast<char>('0' + Pick(rng, 10));
  return digits;
}

// The ends of the int range and beyond, signs, blanks, junk after the digits,
// digits of other scripts (UTF-8 here), and texts that are no number at all.
std::string ValueText(Rng& rng) {
  static const char* const kSpecial[] = {
      "0", "1", "30", "20", "45abc", "abc", "", "-7", "-1", "+12", "007", "12.5", "1e3", "0x1F",
      "99999999999", "-99999999999", "2147483647", "2147483648", "-2147483648", "-2147483649",
      "4294967296", "214748364", "214748365", "214748164", "214748165", "--5", "+-5", "- 5",
      " 42", "\t9", "5 6", "\"45\"", "'45'", "45;comment", "\xEF\xBC\x91\xEF\xBC\x92", "\xD9\xA3\xD9\xA4",
      "\xC2\xA0" "8", "00000000000000000000000000000000000000064"};
  switch (Pick(rng, 5)) {
    case 0: return std::to_string(1 + Pick(rng, 1000));
    case 1: return PickOf(rng, kSpecial);
    case 2: return (Chance(rng, 0.3) ? "-" : "") + Digits(rng, 1 + Pick(rng, 30));
    case 3: return std::to_string(Pick(rng, 100000)) + PickOf(rng, {"x", " mm", ",5", "\t;", "#", "="});
    default: return std::to_string(1 + Pick(rng, 300));
  }
}

bool IsPlainValue(const std::string& value) {
  for (char c : value) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '"' || c == '\'') return false;
  }
  return true;
}

std::string KeyLine(const char* key, const std::string& value) { return std::string(key) + "=" + value; }

// The same key as another editor or a person might have written it.
std::string KeyVariant(Rng& rng, std::string key) {
  switch (Pick(rng, 7)) {
    case 0:
      for (char& c : key) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
      return key;
    case 1:
      for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
      return key;
    case 2: return "  " + key;
    case 3: return key + " \t";
    case 4: return key.erase(key.find(','), 1);
    case 5: return key.insert(key.find(' '), " ");
    default: return "\t" + key + " ";
  }
}

std::string SectionVariant(Rng& rng) {
  return PickOf(rng, {"[Settings]", "[SETTINGS]", "[ settings ]", "[settings", "settings]", "[settings]junk",
                      "[settings] ; comment", "  [settings]", "[settings ]", "[setting]", "[[settings]]"});
}

struct Layout {
  std::string name;
  std::vector<std::string> lines;
  bool bPlain = false;
  std::optional<std::string> width;
  std::optional<std::string> height;
};

std::string LongText(Rng& rng) {
  return Chance(rng, 0.5) ? Digits(rng, kLongLine) : std::string(kLongLine, static_cast<char>('a' + Pick(rng, 26)));
}

// The two keys in a [settings] section, in either order.
Layout Ordinary(Rng& rng) {
  Layout layout{"ordinary", {"[settings]"}, true, ValueText(rng), ValueText(rng)};
  std::string width = KeyLine(kWidthKey, *layout.width);
  std::string height = KeyLine(kHeightKey, *layout.height);
  if (Chance(rng, 0.5)) std::swap(width, height);
  layout.lines.push_back(width);
  layout.lines.push_back(height);
  return layout;
}

Layout MakeLayout(Rng& rng, size_t kind) {
  Layout layout = Ordinary(rng);
  switch (kind) {
    case 0: return layout;
    case 1:  // one key only
      layout.name = "one key";
      if (Chance(rng, 0.5)) layout.width.reset();
      else layout.height.reset();
      layout.lines = {"[settings]", layout.width ? KeyLine(kWidthKey, *layout.width) : KeyLine(kHeightKey, *layout.height)};
      return layout;
    case 2:  // no section line at all
      layout.name = "missing section";
      layout.lines.erase(layout.lines.begin());
      layout.width.reset();
      layout.height.reset();
      return layout;
    case 3:  // the keys under another section, [settings] elsewhere and empty or absent
      layout.name = "other section";
      layout.lines[0] = PickOf(rng, {"[other]", "[setting]", "[settings2]", "[]"});
      if (Chance(rng, 0.5)) layout.lines.push_back("[settings]");
      layout.width.reset();
      layout.height.reset();
      return layout;
    case 4:  // decoy sections around the real one
      layout.name = "decoys";
      layout.lines.insert(layout.lines.begin(), {"[before]", KeyLine(kWidthKey, "999"), KeyLine(kHeightKey, "888")});
      layout.lines.insert(layout.lines.end(), {"[after]", KeyLine(kWidthKey, "777"), KeyLine(kHeightKey, "666")});
      return layout;
    case 5:
      layout.name = "duplicate keys";
      layout.bPlain = false;
      layout.lines.push_back(KeyLine(Chance(rng, 0.5) ? kWidthKey : kHeightKey, ValueText(rng)));
      if (Chance(rng, 0.5)) std::swap(layout.lines[1], layout.lines[3]);
      return layout;
    case 6:
      layout.name = "duplicate sections";
      layout.bPlain = false;
      layout.lines.insert(layout.lines.end(), {"[other]", "x=1", "[settings]", KeyLine(kWidthKey, ValueText(rng))});
      if (Chance(rng, 0.5)) layout.lines.push_back(KeyLine(kHeightKey, ValueText(rng)));
      return layout;
    case 7:
      layout.name = "key case or spacing";
      layout.bPlain = false;
      for (size_t i = 1; i < layout.lines.size(); ++i) {
        std::string key = layout.lines[i].substr(0, layout.lines[i].find('='));
        std::string value = layout.lines[i].substr(key.size() + 1);
        layout.lines[i] = KeyVariant(rng, key) + PickOf(rng, {"=", " = ", "\t=", "= ", "=="}) + value;
      }
      return layout;
    case 8:
      layout.name = "section case or spacing";
      layout.bPlain = false;
      layout.lines[0] = SectionVariant(rng);
      return layout;
    case 9:  // comments, blank lines and junk between the lines
      layout.name = "comments and junk lines";
      layout.bPlain = false;
      for (int i = 0; i < 4; ++i) {
        layout.lines.insert(layout.lines.begin() + static_cast<ptrdiff_t>(Pick(rng, layout.lines.size() + 1)),
                            PickOf(rng, {"", "; a comment", "# not a comment", "junk", "=5", "   ", "[", "]"}));
      }
      return layout;
    default: {  // a line of 100 KB somewhere
      layout.name = "100 KB line";
      layout.bPlain = false;
      switch (Pick(rng, 5)) {
        case 0: layout.lines.insert(layout.lines.begin(), LongText(rng)); break;
        case 1: layout.lines.insert(layout.lines.begin() + 1, ";" + LongText(rng)); break;
        case 2: layout.lines[1] = layout.lines[1].substr(0, layout.lines[1].find('=') + 1) + LongText(rng); break;
        case 3: layout.lines.insert(layout.lines.begin() + 1, LongText(rng) + "=1"); break;
        default: layout.lines[0] = "[" + LongText(rng) + "]"; break;
      }
      return layout;
    }
  }
}
constexpr size_t kLayoutKinds = 11;

const char* const kLineEndNames[] = {"CRLF", "LF", "CR", "mixed line ends"};

std::string JoinLines(Rng& rng, const std::vector<std::string>& lines, size_t style) {
  static const char* const kEnds[] = {"\r\n", "\n", "\r"};
  std::string text;
  for (const std::string& line : lines) text += line + (style < 3 ? kEnds[style] : kEnds[Pick(rng, 3)]);
  if (Chance(rng, 0.2) && !text.empty()) text.pop_back();  // no line end after the last line
  return text;
}

enum Encoding { kAnsi, kUtf8Bom, kUtf16LeBom, kUtf16Le, kUtf16BeBom };
const char* const kEncodingNames[] = {"no BOM", "UTF-8 BOM", "UTF-16 LE BOM", "UTF-16 LE without BOM", "UTF-16 BE BOM"};

std::wstring Utf16(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
  return text;
}

std::string Encode(const std::string& text, Encoding encoding) {
  if (encoding == kAnsi) return text;
  if (encoding == kUtf8Bom) return "\xEF\xBB\xBF" + text;
  std::string bytes = encoding == kUtf16LeBom ? "\xFF\xFE" : encoding == kUtf16BeBom ? "\xFE\xFF" : "";
  for (wchar_t c : Utf16(text)) {
    char low = static_cast<char>(c & 0xFF);
    char high = static_cast<char>(c >> 8);
    bytes += encoding == kUtf16BeBom ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::string RandomBytes(Rng& rng, size_t length) {
  std::string bytes;
  for (size_t i = 0; i < length; ++i) bytes += static_cast<char>(Pick(rng, 256));
  return bytes;
}

// Damage as a crash, a bad sector or a careless tool leaves it. Empty when
// the file stays whole.
std::string Damage(Rng& rng, std::string& bytes) {
  switch (Pick(rng, 12)) {
    case 0:
      bytes.resize(Pick(rng, bytes.size() + 1));
      return "truncated";
    case 1:
      for (size_t n = 1 + Pick(rng, 4); n > 0; --n) bytes.insert(Pick(rng, bytes.size() + 1), 1 + Pick(rng, 2), '\0');
      return "NUL bytes";
    case 2:
      for (size_t n = 1 + Pick(rng, 8); n > 0 && !bytes.empty(); --n) bytes[Pick(rng, bytes.size())] = static_cast<char>(Pick(rng, 256));
      return "bytes changed";
    case 3:
      bytes = RandomBytes(rng, 1 + Pick(rng, 256)) + bytes;
      return "junk before";
    case 4:
      bytes += RandomBytes(rng, 1 + Pick(rng, 256));
      return "junk after";
    default: return "";
  }
}

// Whole files that are no settings file at all.
std::string Unusable(Rng& rng, std::string& bytes) {
  switch (Pick(rng, 6)) {
    case 0: bytes.clear(); return "empty file";
    case 1: bytes = PickOf(rng, {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\xFF"}); return "a BOM alone";
    case 2: bytes = RandomBytes(rng, 1 + Pick(rng, 4096)); return "binary junk";
    case 3: bytes = std::string(1 + Pick(rng, 64), '\0'); return "NULs alone";
    case 4: bytes = "[settings]"; return "section line alone";
    default: bytes = RandomBytes(rng, kLongLine); return "100 KB of junk";
  }
}

FileState StateFor(size_t index) {
  switch (index % 25) {
    case 3: return FileState::ReadOnly;
    case 8: return FileState::Locked;
    case 13: return FileState::Folder;
    case 18: return FileState::Missing;
    default: return FileState::Bytes;
  }
}

const char* StateName(FileState state) {
  switch (state) {
    case FileState::ReadOnly: return ", read-only";
    case FileState::Locked: return ", held open elsewhere";
    case FileState::Folder: return ", a folder in its place";
    case FileState::Missing: return ", no file";
    default: return "";
  }
}

CorpusFile MakeFile(uint32_t seed, size_t index) {
  Rng rng(seed ^ static_cast<uint32_t>(index * 2654435761u));
  CorpusFile file;
  file.state = StateFor(index);
  std::string description = "#" + std::to_string(index) + " (seed " + std::to_string(seed) + "): ";
  if (file.state == FileState::Folder || file.state == FileState::Missing) {
    file.description = description + StateName(file.state);
    return file;
  }
  if (index % 13 == 6) {
    description += Unusable(rng, file.bytes);
    file.description = description + StateName(file.state);
    return file;
  }

  Layout layout = MakeLayout(rng, index % kLayoutKinds);
  size_t ends = Pick(rng, 4);
  const Encoding encoding = Chance(rng, 0.5) ? kAnsi : static_cast<Encoding>(Pick(rng, 5));
  file.bytes = Encode(JoinLines(rng, layout.lines, ends), encoding);
  std::string damage = Chance(rng, 0.35) ? Damage(rng, file.bytes) : "";

  description += layout.name + ", " + kEncodingNames[encoding] + ", " + kLineEndNames[ends];
  if (!damage.empty()) description += ", " + damage;
  file.description = description + StateName(file.state);

  // A reader of this platform treats a file without a BOM as ANSI and reads a
  // lone CR inside a line; only the files read the same everywhere count here.
  bool bPlainBytes = damage.empty() && ends < 2 && (encoding == kAnsi || encoding == kUtf8Bom || encoding == kUtf16LeBom);
  file.bPlain = layout.bPlain && bPlainBytes && IsPlainValue(layout.width.value_or("")) &&
                IsPlainValue(layout.height.value_or(""));
  file.widthText = layout.width;
  file.heightText = layout.height;
  return file;
}

}  // namespace

std::vector<CorpusFile> GenerateSettingsCorpus(uint32_t seed, size_t count) {
  std::vector<CorpusFile> corpus;
  corpus.reserve(count);
  for (size_t i = 0; i < count; ++i) corpus.push_back(MakeFile(seed, i));
  return corpus;
}
