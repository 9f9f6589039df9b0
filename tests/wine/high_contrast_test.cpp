// A window of the library follows a high-contrast theme switched on and off while it is open.
// Wine keeps no high-contrast setting (SPI_SETHIGHCONTRAST fails, SPI_GETHIGHCONTRAST always
// says off), so the test gives the library the system's answer itself: it patches the
// library's import of SystemParametersInfoW. The rest is the system's own doing or done as the
// system does it: SetSysColors changes the colours and sends WM_SYSCOLORCHANGE to the
// top-level windows, and the test broadcasts WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST.

#include <windows.h>

#include <array>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

constexpr COLORREF kFace = RGB(0, 255, 0), kText = RGB(255, 0, 255), kWindow = RGB(0, 0, 255);
constexpr std::array<int, 7> kIndices{COLOR_BTNFACE,  COLOR_BTNTEXT,       COLOR_WINDOW,
                                      COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                      COLOR_GRAYTEXT};
constexpr std::array<COLORREF, 7> kTheme{kFace,           kText,           kWindow,
                                         RGB(255, 255, 0), RGB(255, 0, 0), RGB(0, 255, 255),
                                         RGB(128, 128, 0)};

BOOL WINAPI ThemeIsOn(UINT action, UINT size, void* data, UINT flags) {
  if (action != SPI_GETHIGHCONTRAST) return SystemParametersInfoW(action, size, data, flags);
  static_cast<HIGHCONTRASTW*>(data)->dwFlags = HCF_HIGHCONTRASTON;
  return TRUE;
}

// The import address table entry of `module` through which it calls `function`.
ULONG_PTR* ImportSlot(HMODULE module, ULONG_PTR function) {
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

// While it lives the library sees a high-contrast theme in the colours above; the system's
// colours and the library's import come back whatever happens.
class HighContrastTheme {
 public:
  // The colours change first, the theme follows: the windows must heed both notices.
  HighContrastTheme() {
    for (size_t i = 0; i < kIndices.size(); ++i) kept_[i] = GetSysColor(kIndices[i]);
    SetSysColors(kIndices.size(), kIndices.data(), kTheme.data());
    slot_ = ImportSlot(GetModuleHandleW(L"TeskLumoraLib.dll"), original_);
    if (slot_) Write(reinterpret_cast<ULONG_PTR>(&ThemeIsOn));
    Broadcast(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
  }
  ~HighContrastTheme() {
    SetSysColors(kIndices.size(), kIndices.data(), kept_.data());
    if (slot_) Write(original_);
    Broadcast(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
  }
  HighContrastTheme(const HighContrastTheme&) = delete;
  HighContrastTheme& operator=(const HighContrastTheme&) = delete;
  bool Patched() const { return slot_ != nullptr; }

 private:
  void Write(ULONG_PTR function) {
    DWORD protection = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    *slot_ = function;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
  }

  const ULONG_PTR original_ = reinterpret_cast<ULONG_PTR>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW"));
  ULONG_PTR* slot_ = nullptr;
  std::array<COLORREF, kIndices.size()> kept_{};
};

// The OK button's edge and face, an empty label and the window's background.
using Looks = std::array<COLORREF, 4>;

Looks LooksOf(HWND form) {
  const HWND ok = ChildWithText(form, L"&OK").window;
  RECT r{};
  GetClientRect(ok, &r);
  const HWND version = ChildWindowFromPoint(form, POINT{Px(5500), Px(1180)});
  return {ClientPixel(ok, 0, r.bottom / 2), ClientPixel(ok, 2, r.bottom / 2),
          ClientPixel(version, 2, 2), ClientPixel(form, Px(3000), Px(3000))};
}

TEST(HighContrast, AnOpenWindowTakesTheThemesColoursAndGivesThemBack) {
  When(L"About x", [](HWND form) {
    const Looks before = LooksOf(form);
    {
      HighContrastTheme theme;
      ASSERT_TRUE(theme.Patched()) << "the library calls SystemParametersInfoW";
      const Looks themed{kText, kFace, kWindow, kWindow};
      WaitUntil([&] { return LooksOf(form) == themed; }, 10000);
      EXPECT_EQ(LooksOf(form), themed);
    }
    WaitUntil([&] { return LooksOf(form) == before; }, 10000);
    EXPECT_EQ(LooksOf(form), before) << "as before";
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(ShowAbout(), S_OK);
}

}  // namespace
}  // namespace tesk::wine_test
