#include "win32/picture.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <array>

namespace vertuno::win32 {

namespace {

using Microsoft::WRL::ComPtr;

// The scales, in percent, the build renders every picture at.
constexpr std::array RenderedScales{VERTUNO_DISPLAY_SCALES};

// The pictures are PNG files in the resources, decoded by the Windows Imaging Component, which
// every Windows since Vista has.
ComPtr<IWICImagingFactory> makeFactory() {
  ComPtr<IWICImagingFactory> made;
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&made));
  return made;
}

IWICImagingFactory* imagingFactory() {
  static const ComPtr<IWICImagingFactory> factory = [] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return makeFactory();
  }();
  return factory.Get();
}

HBITMAP decode(IWICImagingFactory* factory, int base, SIZE layoutSize, DisplayScale scale) {
  const int wanted = MulDiv(100, static_cast<int>(scale.dpi), USER_DEFAULT_SCREEN_DPI);
  int chosen = RenderedScales.back();
  for (int rendered : RenderedScales) {
    if (rendered >= wanted) {
      chosen = rendered;
      break;
    }
  }
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(base + chosen), RT_RCDATA);
  if (!factory || !found) return nullptr;
  auto* png = static_cast<BYTE*>(LockResource(LoadResource(nullptr, found)));
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> pixels;
  ComPtr<IWICBitmapScaler> resized;
  const SIZE size = scale.size(layoutSize.cx, layoutSize.cy);
  bool decoded =
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(png, SizeofResource(nullptr, found))) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&pixels)) &&
      SUCCEEDED(pixels->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom));
  IWICBitmapSource* source = pixels.Get();
  if (decoded && chosen != wanted) {
    decoded = SUCCEEDED(factory->CreateBitmapScaler(&resized)) &&
              SUCCEEDED(resized->Initialize(source, size.cx, size.cy, WICBitmapInterpolationModeFant));
    source = resized.Get();
  }
  UINT width = 0;
  UINT height = 0;
  if (!decoded || FAILED(source->GetSize(&width, &height))) return nullptr;

  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), static_cast<LONG>(width), -static_cast<LONG>(height), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const UINT stride = (width * 3 + 3) & ~3u;  // a bitmap's rows start on whole words
  if (bitmap && FAILED(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

}  // namespace

HBITMAP loadPicture(int base, SIZE layoutSize, DisplayScale scale) {
  return decode(imagingFactory(), base, layoutSize, scale);
}

PictureInAdvance::PictureInAdvance(int base, SIZE layoutSize, DisplayScale scale)
    : base_(base), layoutSize_(layoutSize), scale_(scale) {
  // Deferred to take() where no thread can be had.
  picture_ = std::async(std::launch::async | std::launch::deferred, [=] {
    const bool joined = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    HBITMAP picture = nullptr;
    if (const ComPtr<IWICImagingFactory> factory = makeFactory())
      picture = decode(factory.Get(), base, layoutSize, scale);
    if (joined) CoUninitialize();
    return picture;
  });
}

PictureInAdvance::~PictureInAdvance() {
  if (picture_.valid()) DeleteObject(picture_.get());
}

HBITMAP PictureInAdvance::take(DisplayScale scale) {
  if (picture_.valid()) {
    HBITMAP picture = picture_.get();
    if (scale.dpi == scale_.dpi) return picture;
    DeleteObject(picture);
  }
  return loadPicture(base_, layoutSize_, scale);
}

}  // namespace vertuno::win32
