// The preview of rendered frames, in-process on folders the tests write:
// walking past the frames by keys and pointer, the check's summary, marks
// and render-again list, and a close in the middle of a check.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>
#include <tlhelp32.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "CPreviewWnd.h"
#include "GdiObjects.h"
#include "Keyboard.h"
#include "MessagePump.h"
#include "PreviewControls.h"
#include "ReportPicture.h"
#include "Utf.h"

namespace {

namespace fs = std::filesystem;
using Microsoft::WRL::ComPtr;

// 4 x 3 mm at 1 mm a pixel on a 16 mm track: sixteen frames of 20 x 3 px.
RenderSetup SmallRig() { return RenderSetup{4, 3, 1.0, 20.0, 16.0, RenderEveryFrame}; }
// 200 frames of 2000 x 1000 px: long enough a check to close in its middle.
RenderSetup LargeRig() { return RenderSetup{1800, 1000, 1.0, 300.0, 200.0, RenderEveryFrame}; }

void WritePng(const fs::path& path, int nWidth, int nHeight, const std::function<COLORREF(int, int)>& colourAt) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(&factory)));
  ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(&stream));
  ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
  ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder));
  ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache));
  ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr));
  ASSERT_HRESULT_SUCCEEDED(frame->Initialize(nullptr));
  ASSERT_HRESULT_SUCCEEDED(frame->SetSize(nWidth, nHeight));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  ASSERT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
  std::vector<BYTE> bytes;
  for (int y = 0; y < nHeight; ++y)
    for (int x = 0; x < nWidth; ++x)
      bytes.insert(bytes.end(), {GetBValue(colourAt(x, y)), GetGValue(colourAt(x, y)), GetRValue(colourAt(x, y))});
  ASSERT_HRESULT_SUCCEEDED(frame->WritePixels(nHeight, nWidth * 3, static_cast<UINT>(bytes.size()), bytes.data()));
  ASSERT_HRESULT_SUCCEEDED(frame->Commit());
  ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
}

fs::path FrameFile(const fs::path& folder, int nFrame) {
  wchar_t name[32];
  swprintf(name, 32, L"frame_%04d.png", nFrame);
  return folder / name;
}

int ThreadsOfProcess() {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int nThreads = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
    nThreads += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  ::CloseHandle(snapshot);
  return nThreads;
}

COLORREF Rgb(const PictureLayout::Colour& c) {
  return RGB(std::lround(c[0] * 255), std::lround(c[1] * 255), std::lround(c[2] * 255));
}

class PreviewWindow : public testing::Test {
 protected:
  // Frame 3 has no bytes, frame 5 is missing and frame 7 is one colour; the
  // others differ from each other and within their columns.
  static void SetUpTestSuite() {
    // Away from the picture, where it would choose a frame.
    ::SetCursorPos(1279, 1023);
    ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    s_small = fs::temp_directory_path() / L"preview-small";
    s_large = fs::temp_directory_path() / L"preview-large";
    fs::remove_all(s_small);
    fs::remove_all(s_large);
    fs::create_directories(s_small);
    fs::create_directories(s_large);
    for (int k : {1, 2, 4, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16})
      WritePng(FrameFile(s_small, k), 20, 3, [k](int x, int y) { return RGB(k * 15, x * 12, y * 80); });
    WritePng(FrameFile(s_small, 7), 20, 3, [](int, int) { return RGB(90, 90, 90); });
    std::ofstream(FrameFile(s_small, 3));
    WritePng(FrameFile(s_large, 1), 2000, 1000, [](int x, int y) { return RGB(x % 256, y % 256, (x ^ y) % 256); });
    for (int k = 2; k <= 200; ++k) fs::copy_file(FrameFile(s_large, 1), FrameFile(s_large, k));
  }
  static void TearDownTestSuite() { ::CoUninitialize(); }

  void SetUp() override { ASSERT_TRUE(m_owner.CreateEx(0, L"STATIC", L"Owner", WS_OVERLAPPED, CRect(0, 0, 100, 100), nullptr, 0)); }
  void TearDown() override { m_owner.DestroyWindow(); }

  HWND Open(const fs::path& folder, const RenderSetup& setup) {
    std::string sentence;
    CPreviewWnd* pPreview = CPreviewWnd::Open(&m_owner, folder, setup, &sentence);
    EXPECT_NE(pPreview, nullptr) << sentence;
    return pPreview != nullptr ? pPreview->m_hWnd : nullptr;
  }
  // Open, with the check of the small folder finished.
  HWND OpenChecked() {
    const HWND hPreview = Open(s_small, SmallRig());
    EXPECT_TRUE(PumpUntil([&] { return Text(hPreview, IDC_PREVIEW_SUMMARY).find(L"frames sound") != std::wstring::npos; }, 20000));
    return hPreview;
  }
  static std::wstring Text(HWND hPreview, int nId) {
    wchar_t text[256] = {};
    ::GetDlgItemTextW(hPreview, nId, text, 256);
    return text;
  }

  static fs::path s_small;
  static fs::path s_large;
  CWnd m_owner;
};
fs::path PreviewWindow::s_small;
fs::path PreviewWindow::s_large;

TEST_F(PreviewWindow, KeysAndPointerChooseTheFrame) {
  const HWND hPreview = OpenChecked();
  const HWND hPicture = ::GetDlgItem(hPreview, IDC_PREVIEW_PICTURE);
  EXPECT_EQ(Text(hPreview, IDC_PREVIEW_FRAME), L"Frame 1 of 16: frame_0001.png");
  struct Step { UINT key; const wchar_t* line; };
  const Step keys[] = {
      {VK_RIGHT, L"Frame 2 of 16: frame_0002.png"}, {VK_RIGHT, L"Frame 3 of 16: frame_0003.png, zero bytes"},
      {VK_NEXT, L"Frame 5 of 16: missing"},         {VK_END, L"Frame 16 of 16: frame_0016.png"},
      {VK_PRIOR, L"Frame 14 of 16: frame_0014.png"}, {VK_LEFT, L"Frame 13 of 16: frame_0013.png"},
      {VK_HOME, L"Frame 1 of 16: frame_0001.png"},  {VK_LEFT, L"Frame 1 of 16: frame_0001.png"},
  };
  for (const Step& step : keys) {
    PressKey(hPreview, hPicture, {}, step.key);
    EXPECT_EQ(Text(hPreview, IDC_PREVIEW_FRAME), step.line) << "after key " << step.key;
  }
  // Space sweeps on from the last frame back towards the first.
  PressKey(hPreview, hPicture, {}, VK_END);
  PressKey(hPreview, hPicture, {}, VK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return Text(hPreview, IDC_PREVIEW_FRAME).rfind(L"Frame 14 of", 0) == 0; }, 5000));
  PressKey(hPreview, hPicture, {}, VK_SPACE);

  // On a picture 151 px wide the frames are 10 px apart.
  ::MoveWindow(hPicture, 0, 0, 151, 40, FALSE);
  const std::pair<int, const wchar_t*> pointer[] = {
      {0, L"Frame 1 of 16"}, {150, L"Frame 16 of 16"}, {74, L"Frame 8 of 16"}, {76, L"Frame 9 of 16"},
      {-30, L"Frame 1 of 16"}, {400, L"Frame 16 of 16"}};
  for (const auto& [x, line] : pointer) {
    ::SendMessageW(hPicture, WM_MOUSEMOVE, 0, MAKELPARAM(x, 20));
    EXPECT_EQ(Text(hPreview, IDC_PREVIEW_FRAME).rfind(line, 0), 0u) << "x = " << x;
  }
  ::DestroyWindow(hPreview);
}

TEST_F(PreviewWindow, ShowsTheReportsSummaryMarksAndList) {
  CheckRequest request;
  request.folder = s_small;
  request.setup = SmallRig();
  const CheckReport report = CheckSequence(request).report;
  ASSERT_EQ(report.RerenderList(), "3,5");
  const HWND hPreview = OpenChecked();
  EXPECT_EQ(Text(hPreview, IDC_PREVIEW_SUMMARY), Utf16(report.SummaryLine()));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPreview, IDC_PREVIEW_PROGRESS)));

  // The middle row of each frame's mark; frame 1, shown, is outlined only.
  const HWND hBar = ::GetDlgItem(hPreview, IDC_PREVIEW_BAR);
  ::UpdateWindow(hBar);
  CRect bar;
  ::GetClientRect(hBar, &bar);
  const HDC dc = ::GetDC(hBar);
  const auto markOf = [&](int nFrame) { return ::GetPixel(dc, (2 * nFrame - 1) * bar.Width() / 32, bar.Height() / 2); };
  EXPECT_EQ(markOf(1), Rgb(PictureLayout::kSound));
  EXPECT_EQ(markOf(3), Rgb(PictureLayout::kBad));
  EXPECT_EQ(markOf(5), Rgb(PictureLayout::kBad));
  EXPECT_EQ(markOf(7), Rgb(PictureLayout::kSuspect));
  ::ReleaseDC(hBar, dc);

  // A click on the bar goes to the frame under it.
  ::SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13 * bar.Width() / 32, 5));
  EXPECT_EQ(Text(hPreview, IDC_PREVIEW_FRAME), L"Frame 7 of 16: frame_0007.png");

  // Ctrl+C and the button put the list on the clipboard.
  const auto copied = [](const std::function<void()>& copy) {
    if (!::OpenClipboard(nullptr)) return std::wstring(L"<busy>");
    ::EmptyClipboard();
    ::CloseClipboard();
    copy();
    return ClipboardText();
  };
  const std::wstring list = L"-f " + Utf16(report.RerenderList());
  EXPECT_EQ(copied([&] { PressKey(hPreview, ::GetDlgItem(hPreview, IDC_PREVIEW_PICTURE), {VK_CONTROL}, 'C'); }), list);
  EXPECT_EQ(copied([&] { ::SendDlgItemMessageW(hPreview, IDC_PREVIEW_COPY_LIST, BM_CLICK, 0, 0); }), list);

  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  const std::pair<int, const wchar_t*> names[] = {
      {IDC_PREVIEW_PICTURE, L"Rendered frame"},   {IDC_PREVIEW_BAR, L"Frames by state"},
      {IDC_PREVIEW_SUMMARY, L"Check summary"},    {IDC_PREVIEW_PROGRESS, L"Checking frames"},
      {IDC_PREVIEW_CANCEL, L"Cancel"},            {IDC_PREVIEW_COPY_LIST, L"Copy Render-Again List"}};
  for (const auto& [nId, name] : names) {
    ComPtr<IAccessible> accessible;
    ASSERT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(::GetDlgItem(hPreview, nId), OBJID_CLIENT, IID_IAccessible,
                                                          reinterpret_cast<void**>(accessible.GetAddressOf())));
    BSTR text = nullptr;
    EXPECT_EQ(accessible->get_accName(self, &text), S_OK);
    EXPECT_STREQ(text, name);
    ::SysFreeString(text);
  }
  ::DestroyWindow(hPreview);
}

TEST_F(PreviewWindow, ClosedMidCheckLeavesNothingBehind) {
  const auto closeMidCheck = [this](bool bCancelFirst) {
    const HWND hPreview = Open(s_large, LargeRig());
    ASSERT_TRUE(PumpUntil([&] { return Text(hPreview, IDC_PREVIEW_SUMMARY) != L"Checking frames: 0 of 200"; }, 20000));
    EXPECT_EQ(Text(hPreview, IDC_PREVIEW_SUMMARY).rfind(L"Checking frames: ", 0), 0u) << "the check is still running";
    if (bCancelFirst) {
      ::SendDlgItemMessageW(hPreview, IDC_PREVIEW_CANCEL, BM_CLICK, 0, 0);
      EXPECT_TRUE(PumpUntil([&] { return Text(hPreview, IDC_PREVIEW_SUMMARY).rfind(L"Check cancelled after ", 0) == 0; }, 5000));
      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPreview, IDC_PREVIEW_CANCEL)));
      EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPreview, IDC_PREVIEW_COPY_LIST)));
    }
    ::SendMessageW(hPreview, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hPreview));
    PumpMessages();
  };
  // The platform keeps what the first previews load (device contexts among them).
  closeMidCheck(true);
  closeMidCheck(false);
  const int nThreads = ThreadsOfProcess();
  const int nGdiObjects = CountGdiObjects();
  for (int i = 0; i < 3; ++i) closeMidCheck(false);
  EXPECT_TRUE(PumpUntil([&] { return ThreadsOfProcess() == nThreads; }, 5000)) << ThreadsOfProcess() << " threads";
  EXPECT_EQ(CountGdiObjects(), nGdiObjects);
}

TEST_F(PreviewWindow, RefusesAFolderWithoutASequence) {
  std::string sentence;
  EXPECT_EQ(CPreviewWnd::Open(&m_owner, s_small / L"none", SmallRig(), &sentence), nullptr);
  EXPECT_FALSE(sentence.empty());
}

}  // namespace
