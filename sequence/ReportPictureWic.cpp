#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdio>
#include <memory>
#include <type_traits>

#include "ImageFile.h"
#include "ReportPicture.h"
#include "Utf.h"

using Microsoft::WRL::ComPtr;

namespace {

// Move-only owners of the GDI objects the picture is drawn with.
struct DcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using DcOwner = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using ObjectOwner = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, ObjectDeleter>;

// Selects an object into a DC for a scope and puts the old one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
  ~ScopedSelect() { ::SelectObject(m_dc, m_old); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

COLORREF Rgb(const PictureLayout::Colour& c) {
  const auto byte = [](float v) { return static_cast<BYTE>(v * 255.0f + 0.5f); };
  return RGB(byte(c[0]), byte(c[1]), byte(c[2]));
}

void Fill(HDC dc, const RECT& rect, const PictureLayout::Colour& colour) {
  const ObjectOwner brush(::CreateSolidBrush(Rgb(colour)));
  ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void Text(HDC dc, int32_t x, int32_t baseline, const std::string& utf8) {
  const std::wstring text = Utf16(utf8);
  ::TextOutW(dc, x, baseline, text.c_str(), static_cast<int>(text.size()));
}

// The hologram's columns of one frame, scaled into its box of the 32-bit
// top-down picture.
bool PasteView(IWICImagingFactory* factory, const PictureLayout::View& view, const std::filesystem::path& folder,
               BYTE* pixels, UINT stride) {
  const std::filesystem::path path = folder / PathFromUtf8(view.strFile);
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapClipper> clipper;
  ComPtr<IWICFormatConverter> converter;
  ComPtr<IWICBitmapScaler> scaler;
  UINT width = 0;
  UINT height = 0;
  HRESULT hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = frame->GetSize(&width, &height);
  const WICRect columns = {view.nFirstColumn, 0, view.nColumns, static_cast<INT>(height)};
  if (SUCCEEDED(hr)) hr = factory->CreateBitmapClipper(&clipper);
  if (SUCCEEDED(hr)) hr = clipper->Initialize(frame.Get(), &columns);
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr)) {
    hr = converter->Initialize(clipper.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
  }
  if (SUCCEEDED(hr)) hr = factory->CreateBitmapScaler(&scaler);
  if (SUCCEEDED(hr)) hr = scaler->Initialize(converter.Get(), view.nWidth, view.nHeight, WICBitmapInterpolationModeFant);
  BYTE* corner = pixels + static_cast<size_t>(view.nY) * stride + static_cast<size_t>(view.nX) * 4;
  const UINT size = stride * static_cast<UINT>(view.nHeight - 1) + static_cast<UINT>(view.nWidth) * 4;
  return SUCCEEDED(hr) && SUCCEEDED(scaler->CopyPixels(nullptr, stride, size, corner));
}

// The picture's pixels as PNG bytes.
HRESULT EncodePng(IWICImagingFactory* factory, const PictureLayout& layout, BYTE* pixels, UINT stride, std::string* pPng) {
  ComPtr<IWICBitmap> bitmap;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  HRESULT hr = factory->CreateBitmapFromMemory(layout.nWidth, layout.nHeight, GUID_WICPixelFormat32bppBGR, stride,
                                               stride * static_cast<UINT>(layout.nHeight), pixels, &bitmap);
  if (SUCCEEDED(hr)) hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
  if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, nullptr);
  if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
  if (SUCCEEDED(hr)) hr = frame->SetSize(layout.nWidth, layout.nHeight);
  if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
  if (SUCCEEDED(hr)) hr = frame->WriteSource(bitmap.Get(), nullptr);
  if (SUCCEEDED(hr)) hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  HGLOBAL memory = nullptr;
  if (SUCCEEDED(hr)) hr = ::GetHGlobalFromStream(stream.Get(), &memory);
  STATSTG stat{};
  if (SUCCEEDED(hr)) hr = stream->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) return hr;
  const void* bytes = ::GlobalLock(memory);
  pPng->assign(static_cast<const char*>(bytes), static_cast<size_t>(stat.cbSize.QuadPart));
  ::GlobalUnlock(memory);
  return S_OK;
}

}  // namespace

bool DrawReportPicture(const CheckOutcome& outcome, std::string* pPng, std::string* pReason) {
  const ImageThread imaging;
  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  const PictureLayout layout = LayOutPicture(outcome);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = layout.nWidth;
  info.bmiHeader.biHeight = -layout.nHeight;  // top-down, as WIC lays pixels out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const DcOwner dc(::CreateCompatibleDC(nullptr));
  const ObjectOwner dib(dc ? ::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
  const ObjectOwner font(::CreateFontW(-PictureLayout::kTextSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial"));
  if (FAILED(hr) || !dib || !font) {
    *pReason = FAILED(hr) ? "the Windows Imaging Component is not available" : "the system has no room for the picture";
    return false;
  }
  const UINT stride = static_cast<UINT>(layout.nWidth) * 4;
  BYTE* pixels = static_cast<BYTE*>(bits);
  {
    const ScopedSelect selectBitmap(dc.get(), dib.get());
    const ScopedSelect selectFont(dc.get(), font.get());
    Fill(dc.get(), RECT{0, 0, layout.nWidth, layout.nHeight}, PictureLayout::kBackground);
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), Rgb(PictureLayout::kText));
    ::SetTextAlign(dc.get(), TA_BASELINE | TA_LEFT);
    ::GdiFlush();
    for (const PictureLayout::View& view : layout.views) {
      if (!view.bDrawable || !PasteView(factory.Get(), view, outcome.files.Folder(), pixels, stride)) {
        Fill(dc.get(), RECT{view.nX, view.nY, view.nX + view.nWidth, view.nY + view.nHeight}, PictureLayout::kBad);
      }
      Text(dc.get(), view.nX, layout.nLabelY, view.strLabel);
    }
    for (size_t i = 0; i < layout.barColumns.size(); ++i) {
      const int32_t x = layout.nBarX + static_cast<int32_t>(i);
      Fill(dc.get(), RECT{x, layout.nBarY, x + 1, layout.nBarY + layout.nBarHeight}, layout.barColumns[i]);
    }
    Text(dc.get(), layout.nBarX, layout.nCaptionY, layout.strCaption);
    ::GdiFlush();
  }
  hr = EncodePng(factory.Get(), layout, pixels, stride, pPng);
  if (SUCCEEDED(hr)) return true;
  char number[16];
  std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(hr));
  *pReason = std::string("the PNG cannot be encoded (error ") + number + ")";
  return false;
}
