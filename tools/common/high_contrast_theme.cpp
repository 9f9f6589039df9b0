#include "common/high_contrast_theme.h"

namespace tesk::tools {
namespace {

BOOL WINAPI ThemeIsOn(UINT action, UINT size, void* data, UINT flags) {
  if (action != SPI_GETHIGHCONTRAST) return SystemParametersInfoW(action, size, data, flags);
  static_cast<HIGHCONTRASTW*>(data)->dwFlags = HCF_HIGHCONTRASTON;
  return TRUE;
}

// The import address table entry of `module` through which it calls `function`.
ULONG_PTR* ImportSlot(HMODULE module, ULONG_PTR function) {
  if (!module) return nullptr;
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const DWORD imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); library->Name;
       ++library) {
    for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
         entry->u1.Function; ++entry) {
      if (entry->u1.Function == function) return &entry->u1.Function;
    }
  }
  return nullptr;
}

void Broadcast(UINT message, WPARAM wParam) {
  SendMessageTimeoutW(HWND_BROADCAST, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}

}  // namespace

std::vector<ThemeColour> HighContrastBlack() {
  return {{COLOR_BTNFACE, RGB(0, 0, 0)},         {COLOR_BTNTEXT, RGB(255, 255, 255)},
          {COLOR_WINDOW, RGB(0, 0, 0)},          {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
          {COLOR_HIGHLIGHT, RGB(26, 235, 255)},  {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
          {COLOR_GRAYTEXT, RGB(63, 242, 63)},    {COLOR_HOTLIGHT, RGB(255, 255, 0)}};
}

HighContrastTheme::HighContrastTheme(std::vector<ThemeColour> colours)
    : original_(reinterpret_cast<ULONG_PTR>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW"))) {
  for (const ThemeColour& c : colours) kept_.push_back({c.index, GetSysColor(c.index)});
  SetColours(colours);
  slot_ = ImportSlot(GetModuleHandleW(L"TeskLumoraLib.dll"), original_);
  if (slot_) Write(reinterpret_cast<ULONG_PTR>(&ThemeIsOn));
  Broadcast(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
}

HighContrastTheme::~HighContrastTheme() {
  SetColours(kept_);
  if (slot_) Write(original_);
  Broadcast(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
}

void HighContrastTheme::SetColours(const std::vector<ThemeColour>& colours) {
  std::vector<int> indices;
  std::vector<COLORREF> values;
  for (const ThemeColour& c : colours) {
    indices.push_back(c.index);
    values.push_back(c.colour);
  }
  SetSysColors(static_cast<int>(indices.size()), indices.data(), values.data());
}

void HighContrastTheme::Write(ULONG_PTR function) {
  DWORD protection = 0;
  VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
  *slot_ = function;
  VirtualProtect(slot_, sizeof *slot_, protection, &protection);
}

}  // namespace tesk::tools
