#include "win32/ui/form_pictures.h"

#include <olectl.h>

#include "win32/automation/server_lifetime.h"
#include "win32/system/text_encoding.h"
#include "win32/system/unique_resource.h"
#include "win32/ui/cmd_window_host.h"
#include "win32/ui/design_resources.h"
#include "win32/ui/window_dpi.h"
#include "windows/cut_pictures.h"

namespace tesk::win32 {
namespace {

constexpr int kArtworkDpi = 96;
constexpr int kHimetricPerInch = 2540;

// Handles travel as 32-bit values; 64-bit Windows widens them with their sign.
template <typename Handle>
Handle HandleOf(OLE_HANDLE handle) {
  return reinterpret_cast<Handle>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
}

struct GlobalMemoryTraits {
  static HGLOBAL Invalid() { return nullptr; }
  static void Close(HGLOBAL memory) { GlobalFree(memory); }
};
using UniqueGlobalMemory = UniqueResource<HGLOBAL, GlobalMemoryTraits>;

// Takes ownership of the handle in every case: on failure the handle is deleted here.
PicturePointer PictureOwning(PICTDESC& description) {
  description.cbSizeofstruct = sizeof description;
  PicturePointer picture;
  if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE,
                                      reinterpret_cast<void**>(picture.GetAddressOf())))) {
    if (description.picType == PICTYPE_BITMAP) DeleteObject(description.bmp.hbitmap);
    if (description.picType == PICTYPE_ICON) DestroyIcon(description.icon.hicon);
    return nullptr;
  }
  return picture;
}

PicturePointer BitmapResource(int id) {
  const HANDLE bitmap = LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                   LR_DEFAULTCOLOR);
  if (!bitmap) return nullptr;
  PICTDESC description{};
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = static_cast<HBITMAP>(bitmap);
  return PictureOwning(description);
}

PicturePointer HandPicture() {
  PICTDESC description{};
  description.picType = PICTYPE_ICON;
  description.icon.hicon = CopyIcon(LoadHandCursor());  // the picture owns its copy
  if (!description.icon.hicon) return nullptr;
  return PictureOwning(description);
}

// The whole file in movable global memory, as a stream over it needs; null for an empty or
// unreadable file.
UniqueGlobalMemory ReadWholeFile(const std::string& path) {
  UniqueFileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  // Pictures are small; anything past a few hundred megabytes is no picture of ours.
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x10000000) {
    return {};
  }
  const auto bytes = static_cast<DWORD>(size.QuadPart);
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return {};
  void* data = GlobalLock(memory.get());
  if (!data) return {};
  DWORD read = 0;
  const BOOL ok = ReadFile(file.get(), data, bytes, &read, nullptr);
  GlobalUnlock(memory.get());
  if (!ok || read != bytes) return {};
  return memory;
}

// The window's big and small icons from `module`'s resource or a file, at their sizes at `dpi`.
IconPair LoadIcons(HINSTANCE module, const wchar_t* name, UINT flags, int dpi) {
  const auto load = [&](int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON,
                                         SystemMetricAtDpi(metricX, dpi),
                                         SystemMetricAtDpi(metricY, dpi), flags));
  };
  IconPair icons;
  icons.large.reset(load(SM_CXICON, SM_CYICON));
  icons.little.reset(load(SM_CXSMICON, SM_CYSMICON));
  return icons;
}

}  // namespace

PicturePointer DesignPictureObject(platform::DesignPicture picture) {
  switch (picture) {
    case platform::DesignPicture::AboutPicture:
      return BitmapResource(TESK_RES_ABOUT_PICTURE);
    case platform::DesignPicture::SupportBanner:
      return BitmapResource(TESK_RES_SUPPORT_BANNER);
    case platform::DesignPicture::WhatsNewPicture:
      return BitmapResource(TESK_RES_WHATS_NEW_PICTURE);
    case platform::DesignPicture::HandIcon:
      return HandPicture();
    case platform::DesignPicture::None:
      break;
  }
  return nullptr;
}

bool IsCutPictureIn(HGLOBAL memory) {
  const auto* bytes = static_cast<const char*>(GlobalLock(memory));
  if (!bytes) return true;
  const bool cut = windows::IsCutPicture({bytes, GlobalSize(memory)});
  GlobalUnlock(memory);
  return cut;
}

PicturePointer PictureFromFile(const std::string& path) {
  UniqueGlobalMemory memory = ReadWholeFile(path);
  if (!memory || IsCutPictureIn(memory.get())) return nullptr;
  const auto size = static_cast<LONG>(GlobalSize(memory.get()));
  Microsoft::WRL::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory.get(), TRUE, stream.GetAddressOf()))) return nullptr;
  memory.release();  // the stream frees it now
  PicturePointer picture;
  if (FAILED(OleLoadPicture(stream.Get(), size, FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture.GetAddressOf())))) {
    return nullptr;
  }
  return picture;
}

IconPair DesignWindowIcons(int dpi) {
  return LoadIcons(ResourceModule(), MAKEINTRESOURCEW(TESK_RES_WINDOW_ICON), LR_DEFAULTCOLOR, dpi);
}

IconPair IconsFromFile(const std::string& path, int dpi) {
  return LoadIcons(nullptr, WideFromUtf8(path).c_str(), LR_LOADFROMFILE, dpi);
}

SIZE PictureExtent(IPicture* picture, int dpi) {
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  BITMAP bitmap{};
  if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture->get_Handle(&handle)) &&
      GetObjectW(HandleOf<HBITMAP>(handle), sizeof bitmap, &bitmap)) {
    return {MulDiv(bitmap.bmWidth, dpi, kArtworkDpi), MulDiv(bitmap.bmHeight, dpi, kArtworkDpi)};
  }
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  return {MulDiv(width, dpi, kHimetricPerInch), MulDiv(height, dpi, kHimetricPerInch)};
}

HCURSOR CursorOfPicture(IPicture* picture) {
  if (!picture) return nullptr;
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_ICON) return nullptr;
  if (FAILED(picture->get_Handle(&handle))) return nullptr;
  return HandleOf<HCURSOR>(handle);
}

}  // namespace tesk::win32
