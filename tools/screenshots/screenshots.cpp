// Pictures of every window the library shows, and of the button lab, for the README:
// `screenshots <folder> [<high-contrast folder>]` writes one 24-bit BMP per window into the
// folder, and with a second folder the windows again there in a high-contrast theme.

#include <windows.h>
#include <wrl/client.h>

#include <cwchar>
#include <string>

#include "TeskLumoraLib.h"
#include "button_lab.h"
#include "common/high_contrast_theme.h"
#include "window_tour.h"

namespace {

std::string Narrow(const wchar_t* path) { return std::string(path, path + std::wcslen(path)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::string folder = Narrow(argv[1]);
  CoInitialize(nullptr);
  {
    Microsoft::WRL::ComPtr<_ClsInfo> info;
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(L"TeskLumoraLib.ClsInfo", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_ClsInfo),
                                reinterpret_cast<void**>(info.GetAddressOf())))) {
      std::fwprintf(stderr, L"TeskLumoraLib.ClsInfo is not registered\n");
      return 1;
    }
    tesk::demo::RunWindowTour(info.Get(), folder.c_str());
    if (argc > 2) {
      const tesk::tools::HighContrastTheme theme(tesk::tools::HighContrastBlack());
      tesk::demo::RunWindowTour(info.Get(), Narrow(argv[2]).c_str());
    }
  }
  tesk::demo::RunButtonLab((folder + "\\button-lab.bmp").c_str());
  CoUninitialize();
  return 0;
}
