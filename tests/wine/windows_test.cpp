// The standard windows where only Windows can show them: the host's window disabled while one
// is up, closing by button, close box and Esc, the dialog manager's Tab and access keys, the
// pointer over a link, programs started through a stand-in and pictures through the system's
// loaders. What the handlers do is the native windows test's, sizes and texts the DPI test's,
// re-entry the modal stress test's.

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "button/cmd.h"
#include "win32/ui/cmd_window.h"
#include "win32/ui/win32_forms.h"
#include "window_watch.h"
#include "windows/control_rows.h"

namespace tesk::wine_test {
namespace {

constexpr wchar_t kPlainProduct[] = L"TESKINVOICE";
constexpr wchar_t kArtworkProduct[] = L"TESKLEDGER";  // its settings folder is "Varnsetting"

// The text colour the form gives a label.
COLORREF TextColourOf(HWND form, HWND label) {
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

// The text box is a read-only EDIT that shows every kind of line break as a break, and a
// megabyte of text whole; the host's
// window is disabled until the close box closes the window (its keys and buttons are the
// keyboard test's and the button test's).
TEST(WhatsNewWindow, ShowsEveryLineBreakAndAMegabyteOfTextAndClosesByItsCloseBox) {
  SetProduct(kPlainProduct);
  const OwnWindow host = HostWindow();
  HWND text = nullptr;
  When(L"What's New", [&](HWND form) {
    EXPECT_FALSE(IsWindowEnabled(host.get()));
    text = ChildOfClass(form, L"Edit");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(GetWindowLongW(text, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageW(text, EM_GETLINECOUNT, 0, 0), 4);
    PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(ShowWhatNew(L"one\r\ntwo\nthree\rfour"), S_OK);
  EXPECT_TRUE(IsWindowEnabled(host.get()));
  EXPECT_FALSE(IsWindow(text));

  std::wstring megabyte;
  while (megabyte.size() < (1u << 20)) megabyte += std::wstring(78, L'x') + L"\r\n";
  WhileShown({L"What's New", [&] { return ShowWhatNew(megabyte); }}, [&](HWND form) {
    EXPECT_EQ(GetWindowTextLengthW(ChildOfClass(form, L"Edit")),
              static_cast<int>(megabyte.size()));
  });
}

// The name label keeps its place when its text is short; the link is red only under the
// pointer; the first button has the focus (where Tab and access keys take it is the keyboard
// test's). The links start "explorer" with the web address, minimised; a stand-in explorer.exe
// in the current folder (searched before the system's) notes it instead of opening a browser.
// The support window disables the About window underneath until it closes.
TEST(AboutWindow, TheLinkTurnsRedUnderThePointerAndStartsExplorerAndSupportDisablesTheWindow) {
  SetProduct(kPlainProduct);
  StandInFolder explorer(TempFile(L"tesk-explorer"), L"explorer.exe");
  SetCurrentDirectoryW(explorer.Path().c_str());
  bool aboutDisabled = false, aboutEnabledAgain = false;
  When(L"About x", [&](HWND about) {
    const RECT name = ChildWithText(about, L"X (Ver. )").rect;
    const RECT placed{Px(1440), Px(360), Px(2910), Px(630)};
    EXPECT_TRUE(EqualRect(&name, &placed)) << "the one placement check";
    const HWND link = ChildWithText(about, L"www.tesklumora.com").window;
    const COLORREF plain = TextColourOf(about, link);
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextColourOf(about, link), RGB(0xFF, 0, 0));
    SendMessageW(about, WM_MOUSEMOVE, 0, MAKELPARAM(Px(3000), Px(3000)));
    EXPECT_EQ(TextColourOf(about, link), plain);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_ARROW)) << "the hand over the link";
    EXPECT_EQ(GetFocus(), ChildWithText(about, L"&OK").window);
    Click(link);
    When(L"Technical Support", [&, about](HWND support) {
      aboutDisabled = !IsWindowEnabled(about);
      Click(ChildWithText(support, L"support.tesklumora.com").window);
      Click(ChildWithText(support, L"E&xit").window);
      When(L"About x", [&](HWND form) {
        aboutEnabledAgain = IsWindowEnabled(form);
        PostMessageW(form, WM_CLOSE, 0, 0);
      });
    });
    Click(ChildWithText(about, L"Tech. Support...").window);
  });
  EXPECT_EQ(ShowAbout(), S_OK);
  SetCurrentDirectoryW(L"C:\\");
  EXPECT_TRUE(aboutDisabled && aboutEnabledAgain);
  WaitUntil([&] { return StartLog(explorer.Path()).size() >= 2; }, 30000);
  EXPECT_EQ(StartLog(explorer.Path()),
            (std::vector<std::string>{"explorer http:\\\\www.tesklumora.com\t2",
                                      "explorer http:\\\\support.tesklumora.com\t2"}));
}

template <typename T>
std::string BytesOf(const T& value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// One colour, 32-bit, bottom-up; `icon` doubles the height for the mask that follows.
std::string SolidDib(int width, int height, COLORREF colour, bool icon) {
  const BITMAPINFOHEADER header{
      sizeof header, width, icon ? height * 2 : height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD pixel =
      0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  std::string bytes = BytesOf(header);
  for (int i = 0; i < width * height; ++i) bytes += BytesOf(pixel);
  if (icon) bytes.append(static_cast<size_t>(height * ((width + 31) / 32) * 4), '\0');
  return bytes;
}

std::string BitmapFile(int width, int height, COLORREF colour) {
  const std::string dib = SolidDib(width, height, colour, false);
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + dib.size()),
                              0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  return BytesOf(file) + dib;
}

std::string IconFile(COLORREF colour) {
  const std::string dib = SolidDib(32, 32, colour, true);
  std::string bytes;
  for (WORD word : {0, 1, 1}) bytes += BytesOf(word);
  for (BYTE b : {32, 32, 0, 0}) bytes += BytesOf(b);
  for (WORD word : {1, 32}) bytes += BytesOf(word);
  for (DWORD dword : {static_cast<DWORD>(dib.size()), DWORD{22}}) bytes += BytesOf(dword);
  return bytes + dib;
}

// The colour at the centre of the window's large icon, read from the icon's own bitmap.
COLORREF IconCentre(HWND form) {
  ICONINFO icon{};
  GetIconInfo(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_BIG, 0)), &icon);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, icon.hbmColor);
  const COLORREF colour = GetPixel(dc, 16, 16);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  return colour;
}

// Which files an artwork product looks for is the native test's; here the system's loaders
// take whole pictures and refuse those cut short (what is not a picture at all is the hostile
// files test's).
TEST(AboutWindow, TheArtworkIsLoadedOnlyFromWholePictures) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring folder = std::wstring(system) + L"\\Varnsetting";
  CreateDirectoryW(folder.c_str(), nullptr);
  constexpr COLORREF kIcon = RGB(0xE0, 0x10, 0x10);
  constexpr COLORREF kPicture = RGB(0x10, 0x20, 0xE0);
  const std::pair<std::wstring, std::string> files[] = {
      {folder + L"\\icon.ico", IconFile(kIcon)},
      {folder + L"\\verticalimage.jpg", BitmapFile(70, 300, kPicture)}};
  SetProduct(kArtworkProduct);
  for (const size_t part : {1, 2}) {  // the whole files, then their first halves
    for (const auto& [path, bytes] : files) {
      std::ofstream(path.c_str(), std::ios::binary) << bytes.substr(0, bytes.size() / part);
    }
    WhileShown({L"About x", [] { return ShowAbout(); }}, [&](HWND form) {
      EXPECT_EQ(IconCentre(form) == kIcon, part == 1);
      EXPECT_EQ(ClientPixel(form, Px(525), Px(2250)) == kPicture, part == 1);
    });
  }
  for (const auto& [path, bytes] : files) DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
}

class NoEvents final : public platform::FormEvents {
  void Load(platform::Form&) override {}
};

// The form gives each button its row's look and font, values no cmd has by default. That the
// caption is painted in the fore colour is the native Redraw test's; which look a window's
// buttons have is its table's.
TEST(FormButtons, TakeTheirRowsLookAndFont) {
  platform::FormTable table;
  table.caption = "Button look";
  table.width = 3000;
  table.height = 1500;
  platform::ControlRow row = windows::ButtonControl("cmdLook", {120, 120, 1500, 375}, "Look",
                                                    {"Tahoma", 9.75, true, false}, 3);
  row.button = {3, 2, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, true, true};
  table.controls = {row};
  When(L"Button look", [&row](HWND form) {
    const button::Cmd* cmd = win32::CmdOfWindow(ChildWithText(form, L"Look").window);
    ASSERT_NE(cmd, nullptr);
    const platform::ButtonLook& look = row.button;
    EXPECT_EQ(std::vector<platform::OleColor>({cmd->BackColor(), cmd->BackOver(), cmd->ForeColor(),
                                               cmd->ForeOver(), cmd->MaskColor()}),
              std::vector<platform::OleColor>({look.backColor, look.backOver, look.foreColor,
                                               look.foreOver, look.maskColor}));
    EXPECT_EQ(std::vector<int>({cmd->ButtonType(), cmd->ColorScheme(), cmd->UseMaskColor(),
                                cmd->ShowFocusRect(), cmd->FontBold()}),
              std::vector<int>({look.buttonType, look.colorScheme, 1, 1, 1}));
    EXPECT_EQ(cmd->FontName(), "Tahoma");
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  NoEvents events;
  win32::Win32Forms().ShowModal(table, events);
}

}  // namespace
}  // namespace tesk::wine_test
