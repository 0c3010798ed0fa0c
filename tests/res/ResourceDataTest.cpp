// The resources that identify the program and paint its window, read back
// through the platform's own loaders.

#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

SIZE BitmapSize(HBITMAP hBmp) {
  BITMAP bm = {};
  GetObjectW(hBmp, sizeof bm, &bm);
  return {bm.bmWidth, bm.bmHeight};
}

TEST(Bitmaps, BackgroundLoadsInItsOwnSizeWith24Bits) {
  HBITMAP hBmp = static_cast<HBITMAP>(
      LoadImageW(Module(), MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(hBmp, nullptr);
  BITMAP bm = {};
  ASSERT_NE(GetObjectW(hBmp, sizeof bm, &bm), 0);
  EXPECT_EQ(bm.bmWidth, 800);
  EXPECT_EQ(bm.bmHeight, 578);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  DeleteObject(hBmp);

  // As the dialog loads it: a device-dependent bitmap, no flags.
  hBmp = static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(hBmp, nullptr);
  EXPECT_EQ(BitmapSize(hBmp).cx, 800);
  EXPECT_EQ(BitmapSize(hBmp).cy, 578);
  DeleteObject(hBmp);
}

TEST(Bitmaps, SixSkinPicturesOfTwelvePixels) {
  for (int id = IDB_CLOSE_NORMAL; id <= IDB_MINIMIZE_OVER; ++id) {
    SCOPED_TRACE(testing::Message() << "bitmap " << id);
    HBITMAP hBmp = LoadBitmapW(Module(), MAKEINTRESOURCEW(id));
    ASSERT_NE(hBmp, nullptr);
    EXPECT_EQ(BitmapSize(hBmp).cx, 12);
    EXPECT_EQ(BitmapSize(hBmp).cy, 12);
    DeleteObject(hBmp);
  }
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE bWidth, bHeight, bColorCount, bReserved;
  WORD wPlanes, wBitCount;
  DWORD dwBytesInRes;
  WORD nId;
};
#pragma pack(pop)

const void* LockedResource(LPCWSTR name, LPCWSTR type, DWORD* size = nullptr) {
  HRSRC hRes = FindResourceW(Module(), name, type);
  if (!hRes) return nullptr;
  if (size) *size = SizeofResource(Module(), hRes);
  return LockResource(LoadResource(Module(), hRes));
}

TEST(Icon, NineSizesOf32Bits) {
  const auto* group = static_cast<const WORD*>(LockedResource(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON));
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group[2], 9);
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(group + 3);
  std::vector<int> sizes;
  for (int i = 0; i < 9; ++i) {
    const int size = entries[i].bWidth ? entries[i].bWidth : 256;
    sizes.push_back(size);
    SCOPED_TRACE(testing::Message() << size << " px");
    EXPECT_EQ(entries[i].wBitCount, 32);
    const void* image = LockedResource(MAKEINTRESOURCEW(entries[i].nId), RT_ICON);
    ASSERT_NE(image, nullptr);
    if (size == 256) {
      // Kept as PNG: the signature, then IHDR's 8-bit RGBA.
      const auto* bytes = static_cast<const unsigned char*>(image);
      EXPECT_EQ(std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8), 0);
      EXPECT_EQ(bytes[24], 8);
      EXPECT_EQ(bytes[25], 6);
      continue;
    }
    const auto* header = static_cast<const BITMAPINFOHEADER*>(image);
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size);
    EXPECT_EQ(header->biBitCount, 32);
  }
  EXPECT_EQ(sizes, (std::vector<int>{256, 128, 96, 72, 64, 48, 32, 24, 16}));

  for (int size : {16, 32, 48, 256}) {
    HICON hIcon = static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(hIcon, nullptr) << size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hIcon, &info));
    EXPECT_EQ(BitmapSize(info.hbmColor).cx, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(hIcon);
  }
}

TEST(Strings, AboutItemOfTheSystemMenu) {
  wchar_t text[64] = {};
  ASSERT_GT(LoadStringW(Module(), IDS_ABOUTBOX, text, 64), 0);
  EXPECT_STREQ(text, L"&About Vantorel...");
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* key) {
  wchar_t* value = nullptr;
  UINT length = 0;
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904e4\\") + key;
  if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return L"";
  return value;
}

TEST(VersionRecord, NamesTheProgramAndItsVersion) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);

  EXPECT_EQ(VersionString(info, L"InternalName"), L"Vantorel.exe");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"Vantorel.exe");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Vantorel");
  EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.0.0.1");
}

TEST(Manifest, AsksForThemedControlsAndNoRuntimeAssembly) {
  DWORD size = 0;
  const auto* text = static_cast<const char*>(LockedResource(MAKEINTRESOURCEW(1), RT_MANIFEST, &size));
  ASSERT_NE(text, nullptr);
  const std::string manifest(text, size);
  EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
  // Statically linked: a dependency on an absent runtime assembly would stop
  // the program from starting.
  EXPECT_EQ(manifest.find("Microsoft.VC"), std::string::npos);
  for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                         "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
    EXPECT_NE(manifest.find(os), std::string::npos) << os;
}

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Each static text of the About box must fit its one line.
TEST(AboutBox, CaptionAndTextsThatFitTheirLines) {
  HWND hDlg = CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_ABOUTBOX), nullptr, IgnoreAll, 0);
  ASSERT_NE(hDlg, nullptr);
  wchar_t caption[64] = {};
  GetWindowTextW(hDlg, caption, 64);
  EXPECT_STREQ(caption, L"About Vantorel");

  std::vector<std::wstring> texts;
  for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    wchar_t cls[16] = {}, text[128] = {};
    GetClassNameW(h, cls, 16);
    GetWindowTextW(h, text, 128);
    const bool icon = (GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (lstrcmpiW(cls, L"Static") != 0 || icon) continue;
    texts.push_back(text);
    RECT client, needed = {};
    GetClientRect(h, &client);
    HDC hdc = GetDC(h);
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
    DrawTextW(hdc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(hdc, hOld);
    ReleaseDC(h, hdc);
    EXPECT_LE(needed.right, client.right) << "text cut off: " << testing::PrintToString(std::wstring(text));
  }
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], L"Vantorel, Version 1.0");
  EXPECT_FALSE(texts[1].empty());
  EXPECT_EQ(GetWindowLongW(GetDlgItem(hDlg, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  DestroyWindow(hDlg);
}

}  // namespace
