#include "platform/win32/picture_win32.h"

#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include <algorithm>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"

namespace corvanta {
namespace {

HBITMAP newDib(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// The size a picture of `width` by `height` is decoded at for `fit` (no box:
// its own): never larger than its own.
SIZE fitted(UINT width, UINT height, SIZE fit) {
  if (fit.cx <= 0 || fit.cy <= 0 ||
      (width <= static_cast<UINT>(fit.cx) && height <= static_cast<UINT>(fit.cy)))
    return {static_cast<LONG>(width), static_cast<LONG>(height)};
  return scaledToFit(static_cast<int>(width), static_cast<int>(height), fit);
}

HBITMAP decodeWithImagingComponent(const std::string& path, int& width, int& height, SIZE fit) {
  static auto* const create =
      lateBound<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  if (!create) return nullptr;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                    factory.put()))) {
    return nullptr;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  const std::wstring file = wide(path);
  UINT w = 0, h = 0;
  if (FAILED(factory->CreateDecoderFromFilename(
          file.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
          reinterpret_cast<IWICBitmapDecoder**>(decoder.put()))) ||
      FAILED(decoder->GetFrame(0, reinterpret_cast<IWICBitmapFrameDecode**>(frame.put()))) ||
      FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 || w > 32768 || h > 32768) {
    return nullptr;
  }
  // Scaled on the way out of the decoder, which may then skip most of the
  // work (a JPEG decoder can scale before it decodes).
  IWICBitmapSource* pixels = frame.get();
  ComPtr<IWICBitmapScaler> scaler;
  const SIZE size = fitted(w, h, fit);
  if (size.cx != static_cast<LONG>(w) || size.cy != static_cast<LONG>(h)) {
    if (FAILED(factory->CreateBitmapScaler(reinterpret_cast<IWICBitmapScaler**>(scaler.put()))) ||
        FAILED(scaler->Initialize(frame.get(), static_cast<UINT>(size.cx),
                                  static_cast<UINT>(size.cy), WICBitmapInterpolationModeFant))) {
      return nullptr;
    }
    pixels = scaler.get();
    w = static_cast<UINT>(size.cx);
    h = static_cast<UINT>(size.cy);
  }
  if (FAILED(factory->CreateFormatConverter(
          reinterpret_cast<IWICFormatConverter**>(converter.put()))) ||
      FAILED(converter->Initialize(pixels, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                   nullptr, 0, WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  void* bits = nullptr;
  HBITMAP bitmap = newDib(static_cast<int>(w), static_cast<int>(h), &bits);
  if (!bitmap) return nullptr;
  if (FAILED(converter->CopyPixels(nullptr, w * 4, w * 4 * h, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return bitmap;
}

HBITMAP decodeWithOlePicture(const std::string& path, int& width, int& height, SIZE fit) {
  static auto* const load =
      lateBound<decltype(OleLoadPicturePath)>(L"oleaut32.dll", "OleLoadPicturePath");
  if (!load) return nullptr;
  std::wstring file = wide(path);
  ComPtr<IPicture> picture;
  if (FAILED(load(file.data(), nullptr, 0, 0, IID_IPicture, picture.put()))) return nullptr;
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  picture->get_Width(&himetricWidth);
  picture->get_Height(&himetricHeight);
  HDC screen = GetDC(nullptr);
  const int ownWidth = MulDiv(himetricWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
  const int ownHeight = MulDiv(himetricHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
  ReleaseDC(nullptr, screen);
  if (ownWidth <= 0 || ownHeight <= 0) return nullptr;
  const SIZE size = fitted(static_cast<UINT>(ownWidth), static_cast<UINT>(ownHeight), fit);
  const int w = size.cx;
  const int h = size.cy;
  void* bits = nullptr;
  HBITMAP bitmap = newDib(w, h, &bits);
  if (!bitmap) return nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const HRESULT drawn = picture->Render(memory, 0, 0, w, h, 0, himetricHeight, himetricWidth,
                                        -himetricHeight, nullptr);
  SelectObject(memory, previous);
  DeleteDC(memory);
  if (FAILED(drawn)) {
    DeleteObject(bitmap);
    return nullptr;
  }
  width = w;
  height = h;
  return bitmap;
}

}  // namespace

SIZE scaledToFit(int width, int height, SIZE box) {
  const double scale =
      std::min(static_cast<double>(box.cx) / width, static_cast<double>(box.cy) / height);
  return {std::max(1L, static_cast<LONG>(width * scale)),
          std::max(1L, static_cast<LONG>(height * scale))};
}

HBITMAP decodePicture(const std::string& path, int& width, int& height, SIZE fit) {
  const ComApartment apartment;
  if (HBITMAP bitmap = decodeWithImagingComponent(path, width, height, fit)) return bitmap;
  return decodeWithOlePicture(path, width, height, fit);
}

long saveBitmapFile(HBITMAP bitmap, const std::string& path) {
  BITMAP shape{};
  if (!GetObjectW(bitmap, sizeof shape, &shape)) return ERROR_INVALID_DATA;
  const int width = shape.bmWidth;
  const int height = shape.bmHeight;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as bitmap files are
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = stride * static_cast<DWORD>(height);
  std::vector<BYTE> pixels(header.biSizeImage);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return ERROR_INVALID_DATA;

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
  const UniqueFileHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return static_cast<long>(GetLastError());
  DWORD written = 0;
  if (!WriteFile(file.get(), &fileHeader, sizeof fileHeader, &written, nullptr) ||
      !WriteFile(file.get(), &header, sizeof header, &written, nullptr) ||
      !WriteFile(file.get(), pixels.data(), header.biSizeImage, &written, nullptr)) {
    return static_cast<long>(GetLastError());
  }
  return ERROR_SUCCESS;
}

}  // namespace corvanta
