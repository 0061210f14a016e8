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
IWICImagingFactory* imagingFactory() {
  static const ComPtr<IWICImagingFactory> factory = [] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IWICImagingFactory> made;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&made));
    return made;
  }();
  return factory.Get();
}

}  // namespace

HBITMAP loadPicture(int base, SIZE layoutSize, DisplayScale scale) {
  IWICImagingFactory* factory = imagingFactory();
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
      // The PNG decoder by name: asking the factory to find it reads every codec's registration.
      SUCCEEDED(CoCreateInstance(CLSID_WICPngDecoder, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&decoder))) &&
      SUCCEEDED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) &&
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

}  // namespace vertuno::win32
