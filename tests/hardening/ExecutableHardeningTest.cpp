// The shipped executable's header: loaded at a random address (dynamic base,
// with its relocations kept), data that cannot run (NX compatible, and no
// section both writable and executable), a GUI program for i386. A program
// linked without the protections shows that each check can fail.
//
// Usage: executable_hardening_tests PROGRAM UNPROTECTED_PROGRAM
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string g_program;
std::string g_unprotected;

// What the loader reads from an executable's headers.
struct ImageFacts {
  bool bReadable = false;
  WORD machine = 0;
  WORD characteristics = 0;
  WORD subsystem = 0;
  WORD dllCharacteristics = 0;
  DWORD relocationBytes = 0;
  bool bRelocSection = false;
  std::vector<std::string> writableExecutable;
};

template <typename T>
bool ReadAt(const std::vector<char>& image, size_t offset, T& value) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return true;
}

// The build hands over Linux paths; Wine shows the Linux root as drive Z:.
std::string WindowsPath(const std::string& path) { return path.rfind('/', 0) == 0 ? "Z:" + path : path; }

ImageFacts ReadImageFacts(const std::string& path) {
  std::ifstream in(WindowsPath(path), std::ios::binary);
  const std::vector<char> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ImageFacts facts;
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS32 nt;
  if (!ReadAt(image, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return facts;
  const size_t ntOffset = static_cast<size_t>(dos.e_lfanew);
  if (!ReadAt(image, ntOffset, nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
      nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
    return facts;
  facts.bReadable = true;
  facts.machine = nt.FileHeader.Machine;
  facts.characteristics = nt.FileHeader.Characteristics;
  facts.subsystem = nt.OptionalHeader.Subsystem;
  facts.dllCharacteristics = nt.OptionalHeader.DllCharacteristics;
  if (nt.OptionalHeader.NumberOfRvaAndSizes > IMAGE_DIRECTORY_ENTRY_BASERELOC)
    facts.relocationBytes = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size;

  size_t sectionOffset = ntOffset + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
  for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i, sectionOffset += sizeof(IMAGE_SECTION_HEADER)) {
    IMAGE_SECTION_HEADER section;
    if (!ReadAt(image, sectionOffset, section)) {
      facts.bReadable = false;
      break;
    }
    const std::string name(reinterpret_cast<const char*>(section.Name), strnlen(reinterpret_cast<const char*>(section.Name), 8));
    if (name == ".reloc" && section.SizeOfRawData > 0) facts.bRelocSection = true;
    const DWORD wx = IMAGE_SCN_MEM_WRITE | IMAGE_SCN_MEM_EXECUTE;
    if ((section.Characteristics & wx) == wx) facts.writableExecutable.push_back(name);
  }
  return facts;
}

bool Has(WORD flags, WORD flag) { return (flags & flag) == flag; }

TEST(ExecutableHardening, ProgramLoadsAtARandomAddressWithDataThatCannotRun) {
  const ImageFacts facts = ReadImageFacts(g_program);
  ASSERT_TRUE(facts.bReadable) << g_program;
  EXPECT_EQ(facts.machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(facts.subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_TRUE(Has(facts.dllCharacteristics, IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE));
  EXPECT_TRUE(Has(facts.dllCharacteristics, IMAGE_DLLCHARACTERISTICS_NX_COMPAT));
  EXPECT_FALSE(Has(facts.characteristics, IMAGE_FILE_RELOCS_STRIPPED)) << "without relocations it cannot move";
  EXPECT_GT(facts.relocationBytes, 0u);
  EXPECT_TRUE(facts.bRelocSection);
  EXPECT_TRUE(facts.writableExecutable.empty()) << "writable and executable: " << testing::PrintToString(facts.writableExecutable);
}

TEST(ExecutableHardening, AProgramLinkedWithoutTheProtectionsFailsTheChecks) {
  const ImageFacts facts = ReadImageFacts(g_unprotected);
  ASSERT_TRUE(facts.bReadable) << g_unprotected;
  EXPECT_FALSE(Has(facts.dllCharacteristics, IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE));
  EXPECT_FALSE(Has(facts.dllCharacteristics, IMAGE_DLLCHARACTERISTICS_NX_COMPAT));
  EXPECT_TRUE(Has(facts.characteristics, IMAGE_FILE_RELOCS_STRIPPED));
  EXPECT_FALSE(facts.bRelocSection);
  EXPECT_EQ(facts.subsystem, IMAGE_SUBSYSTEM_WINDOWS_CUI) << "a console program, so the subsystem check can tell";
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: executable_hardening_tests PROGRAM UNPROTECTED_PROGRAM\n");
    return 2;
  }
  g_program = argv[1];
  g_unprotected = argv[2];
  return RUN_ALL_TESTS();
}
