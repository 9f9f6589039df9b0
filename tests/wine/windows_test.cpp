// The standard windows as a host sees them: each operation called on the registered DLL, the
// window found by its caption from a timer of the host's thread, its child windows read back,
// closed by button, close box and Esc, with the host's own window disabled meanwhile.

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "button/cmd.h"
#include "common/offscreen_host.h"
#include "common/raster_twin.h"
#include "window_watch.h"

namespace tesk::wine_test {
namespace {

// Products of the library's product table used here.
constexpr wchar_t kPlainProduct[] = L"TESKINVOICE";
constexpr wchar_t kArtworkProduct[] = L"TESKLEDGER";  // its settings folder is "Varnsetting"
constexpr wchar_t kDefaultPhone[] = L"+1 (555) 010-0199";

// The text colour the form gives a label.
COLORREF TextColourOf(HWND form, HWND label) {
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

HRESULT ShowAbout(const std::wstring& product, const std::wstring& version) {
  Bstr name(product), user(L"user"), ver(version);
  VARIANT result;
  VariantInit(&result);
  V_VT(&result) = VT_I4;
  const HRESULT hr = Info()->ShowAboutUs(name.get(), user.get(), ver.get(), VARIANT_TRUE, &result);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
  return hr;
}

HRESULT ShowWhatNew(const std::wstring& text) {
  Bstr whatNew(text);
  VARIANT result;
  VariantInit(&result);
  return Info()->ShowWhatNew(whatNew.get(), &result);
}

TEST(AboutWindow, ShowsTheTablesControlsAndTheNamesAsTheHostGaveThemThenClosesByItsButton) {
  SetProduct(kPlainProduct);
  HostWindow host;
  bool seen = false;
  When(L"About my prod-x", [&](HWND form) {
    seen = true;
    EXPECT_FALSE(IsWindowEnabled(host.get())) << "the host's window is disabled";
    ExpectClientSize(form, 7515, 5460);
    // The name label widens to its text; it never narrows below its place.
    const Child label = ChildWithText(form, L"MYPRODX (Ver. 2.1)");
    EXPECT_EQ(label.rect.left, Px(1440));
    EXPECT_EQ(label.rect.top, Px(360));
    EXPECT_GE(label.rect.right - label.rect.left, Px(1470));
    ExpectAt(ChildWithText(form, L"www.tesklumora.com"), 5520, 1590, 1620, 195);
    struct Button {
      const wchar_t* caption;
      int top;
    };
    for (const Button& b :
         {Button{L"&OK", 4185}, {L"System Info...", 4590}, {L"Tech. Support...", 5010}}) {
      const Child button = ChildWithText(form, b.caption);
      EXPECT_EQ(button.className, L"TeskLumoraCmd");
      ExpectAt(button, 6045, b.top, 1305, 315);
    }
    Click(ChildWithText(form, L"&OK").window);
  });
  EXPECT_EQ(ShowAbout(L"my prod-x", L"2.1"), S_OK);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(IsWindowEnabled(host.get())) << "enabled again after the window closed";
  EXPECT_EQ(FindWindowW(nullptr, L"About my prod-x"), nullptr) << "unloaded";
}

// The link is red only under the pointer; Tab moves the focus on through the dialog manager,
// and an access key presses its button.
TEST(AboutWindow, TheLinkTurnsRedUnderThePointerAndTheKeyboardReachesTheButtons) {
  SetProduct(kPlainProduct);
  When(L"About x", [](HWND form) {
    const HWND link = ChildWithText(form, L"www.tesklumora.com").window;
    EXPECT_EQ(TextColourOf(form, link), RGB(0, 0, 0x80));
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextColourOf(form, link), RGB(0xFF, 0, 0));
    SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(Px(3000), Px(3000)));
    EXPECT_EQ(TextColourOf(form, link), RGB(0, 0, 0x80));
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_ARROW)) << "the hand over the link";
    EXPECT_EQ(GetFocus(), ChildWithText(form, L"&OK").window) << "the first button has the focus";
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    When(L"About x", [](HWND about) {
      EXPECT_EQ(GetFocus(), ChildWithText(about, L"System Info...").window);
      PostMessageW(GetFocus(), WM_CHAR, 'o', 0);
      When(L"About x", [](HWND still) {
        ADD_FAILURE() << "the access key of \"&OK\" did not close the window";
        PostMessageW(still, WM_CLOSE, 0, 0);
      });
    });
  });
  EXPECT_EQ(ShowAbout(L"x", L""), S_OK);
  ClearWatches();
}

// The What's New window closes by its button, its close box and Esc alike, and shows the
// host's text with every kind of line break as a break.
TEST(WhatsNewWindow, ShowsTheTextUnchangedAndClosesEveryWay) {
  SetProduct(kPlainProduct);
  const std::vector<std::function<void(HWND)>> closers = {
      [](HWND form) { Click(ChildWithText(form, L"&Close").window); },
      [](HWND form) { PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); },
      [](HWND form) { PostMessageW(GetFocus() ? GetFocus() : form, WM_KEYDOWN, VK_ESCAPE, 0); },
  };
  for (const auto& close : closers) {
    HostWindow host;
    HWND text = nullptr;
    When(L"What's New", [&](HWND form) {
      EXPECT_FALSE(IsWindowEnabled(host.get()));
      ExpectClientSize(form, 9345, 4815);
      text = ChildOfClass(form, L"Edit");
      ASSERT_NE(text, nullptr);
      EXPECT_TRUE(GetWindowLongW(text, GWL_STYLE) & ES_READONLY);
      EXPECT_EQ(SendMessageW(text, EM_GETLINECOUNT, 0, 0), 4);
      ExpectAt(ChildWithText(form, L"Did you know This Version Includes  ..."), 120, 240, 2955,
               195);
      close(form);
    });
    EXPECT_EQ(ShowWhatNew(L"one\r\ntwo\nthree\rfour"), S_OK);
    EXPECT_TRUE(IsWindowEnabled(host.get()));
    EXPECT_FALSE(IsWindow(text));
  }
}

TEST(WhatsNewWindow, ShowsAMegabyteOfTextWhole) {
  std::wstring text;
  while (text.size() < (1u << 20)) text += std::wstring(78, L'x') + L"\r\n";
  When(L"What's New", [&](HWND form) {
    EXPECT_EQ(GetWindowTextLengthW(ChildOfClass(form, L"Edit")), static_cast<int>(text.size()));
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(ShowWhatNew(text), S_OK);
}

// The support window opens over the About window, which it disables; a host handler that
// calls ShowAboutUs while it is open gets an error and changes nothing, ShowWhatNew nests.
TEST(AboutWindow, OpensTheSupportWindowOnTopAndRefusesToShowTwice) {
  SetProduct(kPlainProduct);
  HRESULT again = S_OK;
  bool nested = false;
  When(L"About x", [&](HWND about) {
    again = ShowAbout(L"y", L"");
    When(L"What's New", [&](HWND tip) {
      nested = !IsWindowEnabled(about);
      PostMessageW(tip, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(ShowWhatNew(L"nested"), S_OK);
    EXPECT_TRUE(IsWindowEnabled(about));
    When(L"Technical Support", [about](HWND support) {
      EXPECT_FALSE(IsWindowEnabled(about));
      ExpectClientSize(support, 6945, 4815);
      bool phone = false;
      for (const Child& child : Children(support)) {
        phone =
            phone || child.text.rfind(
                         L"Our Direct Call No is " + std::wstring(kDefaultPhone) + L". ", 0) == 0;
      }
      EXPECT_TRUE(phone) << "the default telephone number";
      Click(ChildWithText(support, L"E&xit").window);
      When(L"About x", [](HWND form) { Click(ChildWithText(form, L"&OK").window); });
    });
    Click(ChildWithText(about, L"Tech. Support...").window);
  });
  EXPECT_EQ(ShowAbout(L"x", L""), S_OK);
  EXPECT_EQ(again, static_cast<HRESULT>(0x800A0190)) << Hr(again);
  EXPECT_TRUE(nested) << "the nested window disabled the About window";
}

// A folder of the test's own, with the stand-in program under the given names: whatever the
// library starts there is noted in its started.log.
class StandInFolder {
 public:
  StandInFolder(const std::wstring& name, std::vector<std::wstring> programs)
      : programs_(std::move(programs)) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + name;
    for (const auto& program : programs_) InstallStandIn(folder_ + L"\\" + program);
  }
  ~StandInFolder() {
    for (const auto& program : programs_) {
      TerminateProcesses(program);
      DeleteFileW((folder_ + L"\\" + program).c_str());
    }
    DeleteFileW((folder_ + L"\\started.log").c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  StandInFolder(const StandInFolder&) = delete;
  StandInFolder& operator=(const StandInFolder&) = delete;
  const std::wstring& Path() const { return folder_; }

 private:
  std::wstring folder_;
  std::vector<std::wstring> programs_;
};

// The system-information program's two registry locations, set for one test and removed again.
class MsInfoKeys {
 public:
  MsInfoKeys(const std::wstring& path, const std::wstring& folder) {
    Set(kFirst, L"PATH", path);
    Set(kSecond, L"MSINFO", folder);
  }
  ~MsInfoKeys() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kFirst);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSecond, L"MSINFO");
  }
  MsInfoKeys(const MsInfoKeys&) = delete;
  MsInfoKeys& operator=(const MsInfoKeys&) = delete;

 private:
  static constexpr const wchar_t* kFirst = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  static constexpr const wchar_t* kSecond = L"SOFTWARE\\Microsoft\\Shared Tools Location";
  static void Set(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    if (value.empty()) return;
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
  }
};

// What "System Info..." does: the program named by the first registry location is run as it
// stands; the second location's folder only when it holds MSINFO32.EXE; else the message.
TEST(AboutWindow, SystemInfoRunsTheProgramTheRegistryNamesOrSaysItIsUnavailable) {
  SetProduct(kPlainProduct);
  StandInFolder first(L"tesk-msinfo-1", {L"msinfo.exe"});
  StandInFolder second(L"tesk-msinfo-2", {L"MSINFO32.EXE"});
  StandInFolder empty(L"tesk-msinfo-3", {});
  struct Case {
    std::wstring path, folder;
    const StandInFolder* started;  // where the start is noted, or none: the message
  };
  const Case cases[] = {
      {first.Path() + L"\\msinfo.exe", second.Path(), &first},
      {L"", second.Path(), &second},
      {L"", empty.Path(), nullptr},
      {first.Path() + L"\\missing.exe", second.Path(), nullptr},
  };
  for (const Case& c : cases) {
    MsInfoKeys keys(c.path, c.folder);
    std::wstring message;
    When(L"About x", [&](HWND form) {
      Click(ChildWithText(form, L"System Info...").window);
      if (c.started) {
        When(L"About x", [](HWND about) { PostMessageW(about, WM_CLOSE, 0, 0); });
        return;
      }
      When(L"TeskLumoraLib", [&message, form](HWND box) {
        message = TextOf(GetDlgItem(box, 0xFFFF));
        if (message.empty()) {
          for (const Child& child : Children(box)) {
            if (child.text.find(L"Unavailable") != std::wstring::npos) message = child.text;
          }
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        PostMessageW(form, WM_CLOSE, 0, 0);
      });
    });
    EXPECT_EQ(ShowAbout(L"x", L""), S_OK);
    if (c.started) {
      const auto log = StartLog(c.started->Path(), 3000);
      ASSERT_EQ(log.size(), 1u);
      EXPECT_NE(log[0].find("\t1"), std::string::npos) << log[0] << ": a normal, focused window";
    } else {
      EXPECT_EQ(message, L"System Information Is Unavailable At This Time");
    }
  }
}

// The links start "explorer" with the web address, minimised; a stand-in explorer.exe in the
// current folder (searched before the system's) notes it instead of opening a browser.
TEST(Links, StartExplorerWithTheWebAddressesMinimised) {
  SetProduct(kPlainProduct);
  StandInFolder explorer(L"tesk-explorer", {L"explorer.exe"});
  SetCurrentDirectoryW(explorer.Path().c_str());
  When(L"About x", [](HWND about) {
    Click(ChildWithText(about, L"www.tesklumora.com").window);
    When(L"Technical Support", [about](HWND support) {
      Click(ChildWithText(support, L"support.tesklumora.com").window);
      PostMessageW(support, WM_CLOSE, 0, 0);
      When(L"About x", [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); });
    });
    Click(ChildWithText(about, L"Tech. Support...").window);
  });
  EXPECT_EQ(ShowAbout(L"x", L""), S_OK);
  SetCurrentDirectoryW(L"C:\\");
  std::vector<std::string> log = StartLog(explorer.Path(), 3000);
  for (int waited = 0; log.size() < 2 && waited < 3000; waited += 100) {
    Sleep(100);
    log = StartLog(explorer.Path());
  }
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find("explorer http:\\\\www.tesklumora.com\t2"), std::string::npos) << log[0];
  EXPECT_NE(log[1].find("explorer http:\\\\support.tesklumora.com\t2"), std::string::npos)
      << log[1];
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

template <typename T>
void Append(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// One colour, 32-bit, bottom-up; `icon` doubles the height for the mask that follows.
std::string SolidDib(int width, int height, COLORREF colour, bool icon) {
  std::string bytes;
  BITMAPINFOHEADER header{
      sizeof header, width, icon ? height * 2 : height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  Append(bytes, header);
  const DWORD pixel =
      0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int i = 0; i < width * height; ++i) Append(bytes, pixel);
  if (icon) bytes.append(static_cast<size_t>(height * ((width + 31) / 32) * 4), '\0');
  return bytes;
}

std::string BitmapFile(int width, int height, COLORREF colour) {
  const std::string dib = SolidDib(width, height, colour, false);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + dib.size()), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  std::string bytes;
  Append(bytes, file);
  return bytes + dib;
}

std::string IconFile(COLORREF colour) {
  const std::string dib = SolidDib(32, 32, colour, true);
  std::string bytes;
  for (WORD word : {0, 1, 1}) Append(bytes, word);
  for (BYTE b : {32, 32, 0, 0}) Append(bytes, b);
  for (WORD word : {1, 32}) Append(bytes, word);
  for (DWORD dword : {static_cast<DWORD>(dib.size()), DWORD{22}}) Append(bytes, dword);
  return bytes + dib;
}

COLORREF IconCentre(HWND form) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_BIG, 0));
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
  const COLORREF colour = GetPixel(dc, 16, 16);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

COLORREF ClientPixel(HWND form, int x, int y) {
  UpdateWindow(form);
  const HDC dc = GetDC(form);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(form, dc);
  return colour;
}

// An artwork product takes the icon and the About picture from its settings folder, each only
// when the file is there and is a picture; every other product never looks there.
TEST(AboutWindow, ArtworkProductsTakeIconAndPictureFromTheSettingsFolder) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring folder = std::wstring(system) + L"\\Varnsetting";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring icon = folder + L"\\icon.ico";
  const std::wstring picture = folder + L"\\verticalimage.jpg";
  constexpr COLORREF kIcon = RGB(0xE0, 0x10, 0x10);
  constexpr COLORREF kPicture = RGB(0x10, 0x20, 0xE0);
  struct Case {
    const wchar_t* product;
    const char* icon;  // "" no file, "good", "bad" (not a picture), "cut" (the first half of one)
    const char* picture;
    bool newIcon, newPicture;
  };
  const Case cases[] = {
      {kArtworkProduct, "good", "", true, false},    {kArtworkProduct, "", "good", false, true},
      {kArtworkProduct, "good", "good", true, true}, {kArtworkProduct, "bad", "bad", false, false},
      {kArtworkProduct, "cut", "cut", false, false}, {kPlainProduct, "good", "good", false, false},
  };
  for (const Case& c : cases) {
    DeleteFileW(icon.c_str());
    DeleteFileW(picture.c_str());
    const auto content = [](const std::string& kind, const std::string& good, const char* bad) {
      return kind == "good" ? good : kind == "cut" ? good.substr(0, good.size() / 2) : bad;
    };
    if (*c.icon) WriteFile(icon, content(c.icon, IconFile(kIcon), "not an icon"));
    if (*c.picture) WriteFile(picture, content(c.picture, BitmapFile(70, 300, kPicture), ""));
    SetProduct(c.product);
    When(L"About x", [&](HWND form) {
      EXPECT_EQ(IconCentre(form) == kIcon, c.newIcon) << c.icon;
      EXPECT_EQ(ClientPixel(form, Px(525), Px(2250)) == kPicture, c.newPicture) << c.picture;
      PostMessageW(form, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(ShowAbout(L"x", L""), S_OK);
  }
  DeleteFileW(icon.c_str());
  DeleteFileW(picture.c_str());
  RemoveDirectoryW(folder.c_str());
}

// The About window's "System Info..." button as the About window sets it up.
void DrawSystemInfoButton(button::ControlHost& host) {
  button::Cmd cmd(host);
  cmd.Initialize();
  cmd.InitProperties();
  cmd.DisableRefresh();
  cmd.SetFont({"MS Sans Serif", 8.25, 400, 0, false, false, false});
  cmd.SetCaption("System Info...");
  cmd.SetButtonType(3);
  cmd.SetColorScheme(1);
  for (auto set : {&button::Cmd::SetBackColor, &button::Cmd::SetBackOver}) (cmd.*set)(0xF0F0F0);
  for (auto set : {&button::Cmd::SetForeColor, &button::Cmd::SetForeOver}) (cmd.*set)(0);
  cmd.SetMaskColor(0xC0C0C0);
  cmd.SetUseMaskColor(true);
  cmd.SetShowFocusRect(true);
  cmd.Show();
  cmd.Redraw(button::kUp, true);
}

// The window's buttons are live cmd controls with the window's settings: on screen, each looks
// as the control drawn off-screen with GDI, and as the raster canvas draws it outside its
// caption.
TEST(AboutWindow, ButtonsLookAsTheControlDrawnWithTheWindowsSettings) {
  SetProduct(kPlainProduct);
  When(L"About x", [](HWND form) {
    const HWND button = ChildWithText(form, L"System Info...").window;
    RECT r{};
    GetClientRect(button, &r);
    tools::OffscreenHost gdi(r.right, r.bottom);
    DrawSystemInfoButton(gdi);
    tools::RasterTwin raster(gdi);
    DrawSystemInfoButton(raster);
    const std::vector<button::Rgb> drawn = gdi.Pixels();
    const auto inCaption = [&raster](int x, int y) {
      for (const auto& text : raster.canvas.raster.Captions()) {
        if (x >= text.rect.left && x < text.rect.right && y >= text.rect.top &&
            y < text.rect.bottom)
          return true;
      }
      return false;
    };
    UpdateWindow(button);
    const HDC dc = GetDC(button);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(button, region) != ERROR;
    int fromGdi = 0;
    int fromRaster = 0;
    for (int y = 0; y < r.bottom; ++y) {
      for (int x = 0; x < r.right; ++x) {
        if (shaped && !PtInRegion(region, x, y)) continue;
        const COLORREF screen = GetPixel(dc, x, y);
        fromGdi += screen != static_cast<COLORREF>(drawn[static_cast<size_t>(y * r.right + x)]);
        fromRaster +=
            !inCaption(x, y) && screen != static_cast<COLORREF>(raster.canvas.raster.Pixel(x, y));
      }
    }
    DeleteObject(region);
    ReleaseDC(button, dc);
    EXPECT_EQ(fromGdi, 0);
    EXPECT_EQ(fromRaster, 0);
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(ShowAbout(L"x", L""), S_OK);
}

}  // namespace
}  // namespace tesk::wine_test
