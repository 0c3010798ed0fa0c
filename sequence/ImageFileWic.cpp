#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include "ImageFile.h"
#include "Utf.h"

using Microsoft::WRL::ComPtr;

namespace {

// The factory of the thread's ImageThread, and why there is none.
thread_local IWICImagingFactory* t_factory = nullptr;
thread_local HRESULT t_status = CO_E_NOTINITIALIZED;

// The system's words for the error where it has them, and its number.
std::string Reason(HRESULT hr) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason;
  if (length > 0) {
    reason = Utf8(std::wstring_view(text, length));
    for (char& c : reason) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    while (!reason.empty() && (reason.back() == ' ' || reason.back() == '.')) reason.pop_back();
    reason += " ";
  }
  ::LocalFree(text);
  char number[32];
  std::snprintf(number, sizeof number, "(error 0x%08lX)", static_cast<unsigned long>(hr));
  return reason + number;
}

// Bits per pixel and per channel of a pixel format; zeros when unknown.
std::pair<UINT, UINT> PixelBits(IWICImagingFactory* factory, const WICPixelFormatGUID& format) {
  ComPtr<IWICComponentInfo> info;
  ComPtr<IWICPixelFormatInfo> pixelInfo;
  UINT bits = 0;
  UINT channels = 0;
  if (FAILED(factory->CreateComponentInfo(format, &info)) || FAILED(info.As(&pixelInfo)) ||
      FAILED(pixelInfo->GetBitsPerPixel(&bits)) || FAILED(pixelInfo->GetChannelCount(&channels)) || channels == 0) {
    return {0, 0};
  }
  return {bits, bits / channels};
}

}  // namespace

ImageThread::ImageThread() {
  if (t_factory) return;
  const HRESULT joined = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  m_bJoinedCom = SUCCEEDED(joined);
  // A window's thread is a single-threaded apartment already, where the
  // factory works as well; that membership is the window's to end.
  t_status = joined == RPC_E_CHANGED_MODE ? S_OK : joined;
  if (SUCCEEDED(t_status)) {
    t_status = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&t_factory));
  }
  m_bOwner = t_factory != nullptr;
  if (!m_bOwner && m_bJoinedCom) ::CoUninitialize();
}

ImageThread::~ImageThread() {
  if (!m_bOwner) return;
  t_factory->Release();
  t_factory = nullptr;
  if (m_bJoinedCom) ::CoUninitialize();
}

struct ImageFile::Reader {
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT nWidth = 0;
  UINT nHeight = 0;
};

std::unique_ptr<ImageFile> ImageFile::Open(const std::filesystem::path& path, std::string* pReason) {
  if (!t_factory) {
    *pReason = "the Windows Imaging Component is not available " + Reason(t_status);
    return nullptr;
  }
  auto reader = std::make_unique<Reader>();
  ComPtr<IWICBitmapDecoder> decoder;
  HRESULT hr = t_factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &reader->frame);
  if (SUCCEEDED(hr)) hr = reader->frame->GetSize(&reader->nWidth, &reader->nHeight);
  if (FAILED(hr)) {
    *pReason = Reason(hr);
    return nullptr;
  }
  return std::unique_ptr<ImageFile>(new ImageFile(std::move(reader)));
}

ImageFile::ImageFile(std::unique_ptr<Reader> reader) : m_reader(std::move(reader)) {}
ImageFile::~ImageFile() = default;

int32_t ImageFile::Width() const { return static_cast<int32_t>(m_reader->nWidth); }
int32_t ImageFile::Height() const { return static_cast<int32_t>(m_reader->nHeight); }

// Images of 8 bits a channel or fewer are read as RGBA, whatever their own
// layout. Deeper ones are read in their own format, which the converter
// cannot widen, so that no difference between frames is rounded away.
bool ImageFile::Decode(DecodedImage* pImage, std::string* pReason) {
  WICPixelFormatGUID format{};
  HRESULT hr = m_reader->frame->GetPixelFormat(&format);
  const auto [pixelBits, channelBits] = SUCCEEDED(hr) ? PixelBits(t_factory, format) : std::pair<UINT, UINT>{0, 0};
  const bool deep = channelBits > 8 && pixelBits % 8 == 0;
  ComPtr<IWICBitmapSource> source = m_reader->frame;
  if (SUCCEEDED(hr) && !deep) {
    ComPtr<IWICFormatConverter> converter;
    hr = t_factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr)) {
      hr = converter->Initialize(m_reader->frame.Get(), GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                 WICBitmapPaletteTypeCustom);
    }
    source = converter;
  }
  pImage->nWidth = Width();
  pImage->nHeight = Height();
  pImage->nPixelBytes = deep ? pixelBits / 8 : 4;
  const size_t stride = static_cast<size_t>(pImage->nWidth) * pImage->nPixelBytes;
  pImage->bytes.resize(stride * static_cast<size_t>(pImage->nHeight));
  if (SUCCEEDED(hr)) {
    hr = source->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(pImage->bytes.size()), pImage->bytes.data());
  }
  if (SUCCEEDED(hr)) return true;
  *pReason = Reason(hr);
  return false;
}

// Whatever the depth, converted to the window's 32 bits with the colours
// over black where the frame is transparent, as OpenImageIO gives them; only
// the columns' rectangle is copied out of the decoder.
bool ImageFile::DecodeColumns(int32_t nFirst, int32_t nCount, FrameColumns* pColumns, std::string* pReason) {
  ComPtr<IWICFormatConverter> converter;
  HRESULT hr = t_factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr)) {
    hr = converter->Initialize(m_reader->frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
  }
  pColumns->nWidth = nCount;
  pColumns->nHeight = Height();
  pColumns->pixels.resize(static_cast<size_t>(nCount) * static_cast<size_t>(Height()));
  const WICRect columns = {nFirst, 0, nCount, Height()};
  const UINT stride = static_cast<UINT>(nCount) * 4;
  if (SUCCEEDED(hr)) {
    hr = converter->CopyPixels(&columns, stride, static_cast<UINT>(pColumns->pixels.size() * 4),
                               reinterpret_cast<BYTE*>(pColumns->pixels.data()));
  }
  if (FAILED(hr)) {
    *pReason = Reason(hr);
    return false;
  }
  // The alpha has done its work; zero, as on the host, the same frame gives
  // the same pixels everywhere.
  for (uint32_t& pixel : pColumns->pixels) pixel &= 0x00FFFFFFu;
  return true;
}
