#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "doubles/window_doubles.h"
#include "windows/key_value.h"
#include "windows/settings_folder.h"
#include "windows/standard_windows.h"

namespace tesk::windows {
namespace {

using Calls = std::vector<std::string>;
using test::ClickOn;
using test::MoveOver;

const std::string kFolder = "c:\\windows\\system32\\Varnsetting";
constexpr char kArtwork[] = "TESKLEDGER";  // keeps its files in the shared folder
constexpr char kPlain[] = "TESKINVOICE";
constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kToolsKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

class Windows : public ::testing::Test, protected test::WindowDoubles {
 protected:
  void AddSettingsFile(const std::string& name, const std::string& content = "") {
    files.files[kFolder + "\\" + name] = content;
  }
  Calls Show(SharedWindow& window, std::vector<test::FormAction> script = {}) {
    forms.calls.clear();
    forms.scripts[TableName(window)] = std::move(script);
    window.Show(services);
    return forms.calls;
  }
  std::string TableName(SharedWindow& window) {
    if (&window == &windows.about) return "FrmAboutUs";
    if (&window == &windows.reportABug) return "FrmReportABug";
    return &window == &windows.tip ? "frmTip" : "FrmTechSupport";
  }

  HostValues values;
  StandardWindows windows{values};
};

TEST(SettingsFolder, IsTheLowerCasedSystemDirectoryAndTheProductsFolder) {
  test::MemoryFiles files;
  files.systemDirectory = std::string("C:\\WINDOWS\\System32\0C:\\junk", 28);
  EXPECT_EQ(SettingsFolder(files, "TESKLEDGER"), "c:\\windows\\system32\\Varnsetting");
  EXPECT_EQ(SettingsFolder(files, "TESKPAYROLL"), "c:\\windows\\system32\\PayrollSetting");
  EXPECT_EQ(SettingsFolder(files, "teskpayroll"), "c:\\windows\\system32\\Varnsetting");
  for (const char* symbol : {"teskledger", " TESKLEDGER", "TESKINVOICE", "Tesk Ledger", ""}) {
    EXPECT_FALSE(IsArtworkProduct(symbol)) << symbol;
  }
  EXPECT_TRUE(IsArtworkProduct("TESKTAXDESK"));
}

TEST(KeyValue, ReadsStringsAndDoubleWordsThroughA1024ByteBuffer) {
  const struct {
    std::uint32_t type;
    std::string bytes;
    bool read;
    std::string value;
  } rows[] = {
      {1, std::string("C:\\msinfo32.exe\0", 16), true, "C:\\msinfo32.exe"},
      {1, std::string(1024, 'a'), true, std::string(1024, 'a')},
      {1, std::string(1023, 'a') + '\0', true, std::string(1023, 'a')},
      {1, std::string(1025, 'a'), false, ""},
      {1, "", true, ""},
      {3, "binary", true, "before"},
  };
  for (const auto& row : rows) {
    test::MemoryRegistry registry;
    registry.SetRaw(kLocalMachine, "Key", "Name", row.bytes, row.type);
    std::string value = "before";
    EXPECT_EQ(GetKeyValue(registry, kLocalMachine, "Key", "Name", value), row.read);
    EXPECT_EQ(value, row.value) << row.bytes.size() << " bytes of type " << row.type;
    EXPECT_EQ(registry.LastAccess(), 0x2003Fu);
  }
  test::MemoryRegistry registry;
  registry.SetDword(kLocalMachine, "Key", "Number", 0x1F2A);
  std::string value;
  EXPECT_TRUE(GetKeyValue(registry, kLocalMachine, "Key", "Number", value));
  EXPECT_EQ(value, "&h1F2A");
  EXPECT_FALSE(GetKeyValue(registry, kLocalMachine, "Key", "Missing", value));
  value = "before";
  EXPECT_FALSE(GetKeyValue(registry, kLocalMachine, "Other", "Number", value));
  EXPECT_EQ(value, "");
  EXPECT_EQ(registry.OpenKeyCount(), 0u);
}

TEST_F(Windows, AboutLoadsArtworkOnlyForArtworkProductsAndFilesThatExist) {
  const struct {
    const char* symbol;
    std::vector<const char*> settingsFiles;
    Calls artwork;
  } rows[] = {
      {kArtwork, {"icon.ico", "verticalimage.jpg"},
       {"LoadIcon " + kFolder + "\\icon.ico",
        "LoadPicture Image1=" + kFolder + "\\verticalimage.jpg"}},
      {kPlain, {"icon.ico", "verticalimage.jpg"}, {}},
  };
  values.aboutProductName = "Tesk Ledger";
  values.aboutVersion = "3.0";
  for (const auto& row : rows) {
    files.files.clear();
    files.touched.clear();
    for (const char* name : row.settingsFiles) AddSettingsFile(name);
    values.productSymbol = row.symbol;
    Calls expected{"ShowModal FrmAboutUs"};
    expected.insert(expected.end(), row.artwork.begin(), row.artwork.end());
    expected.insert(expected.end(), {"SetMouseIcon LblLink=imgHand", "SetCaption About Tesk Ledger",
                                     "SetText lblproductname=Tesk Ledger (Ver. 3.0)",
                                     "SetText LblLink=www.tesklumora.com", "closed FrmAboutUs"});
    EXPECT_EQ(Show(windows.about), expected) << row.symbol;
  }
  EXPECT_EQ(files.touched, Calls{}) << "the last product has no artwork";
}

TEST_F(Windows, SystemInfoStartsTheRegisteredProgramOrSaysItIsUnavailable) {
  const std::string unavailable = "box System Information Is Unavailable At This Time";
  const std::string tools = "start D:\\Tools\\MSINFO32.EXE style 1";
  registry.SetRaw(kLocalMachine, kToolsKey, "MSINFO", std::string("D:\\Tools\0", 9));
  Show(windows.about, {ClickOn("cmdSystemInfo")});
  EXPECT_EQ(shell.calls, Calls{unavailable}) << "MSINFO32.EXE is not in the folder";

  files.files["D:\\Tools\\MSINFO32.EXE"] = "";
  shell.calls.clear();
  Show(windows.about, {ClickOn("cmdSystemInfo")});
  EXPECT_EQ(shell.calls, Calls{tools});

  registry.SetRaw(kLocalMachine, kMsinfoKey, "PATH", "C:\\Missing\\msinfo32.exe");
  shell.calls.clear();
  shell.startError = "The system cannot find the file specified.";
  Show(windows.about, {ClickOn("cmdSystemInfo")});
  EXPECT_EQ(shell.calls, (Calls{"start C:\\Missing\\msinfo32.exe style 1", unavailable}))
      << "the program's own path is run without looking for the file";
}

TEST_F(Windows, LinksTurnRedUnderThePointerAndOpenTheirSites) {
  registry.SetRaw(kLocalMachine, "Software\\TeskLumoraLib", "WebHost", "127.0.0.1:8080");
  const Calls calls = Show(windows.about, {MoveOver("LblLink"), MoveOver("cmdClose"),
                                           MoveOver("Image1"), MoveOver("LblLink"), MoveOver(""),
                                           ClickOn("LblLink"), ClickOn("cmdClose")});
  const Calls handled(calls.end() - 6, calls.end());
  EXPECT_EQ(handled, (Calls{"SetForeColor LblLink=FF", "SetForeColor LblLink=800000",
                            "SetForeColor LblLink=FF", "SetForeColor LblLink=800000", "Unload",
                            "closed FrmAboutUs"}));
  Show(windows.techSupport, {ClickOn("Label9")});
  EXPECT_EQ(shell.calls, (Calls{"start explorer http:\\\\127.0.0.1:8080 style 2",
                                "start explorer http:\\\\support.tesklumora.com style 2"}));
}

TEST_F(Windows, TechSupportShowsTheSettingsFileOrTheDefaults) {
  const std::string defaults[] = {"+1 (555) 010-0199", "http:\\\\www.tesklumora.com"};
  const std::string banner = "LoadPicture Image1=" + kFolder + "\\nameaddress.jpg";
  const struct {
    const char* symbol;
    std::vector<const char*> settingsFiles;
    Calls artwork;
    std::string phone, site;
  } rows[] = {
      {kPlain, {"varn.dat", "RGWINDOW.jpg", "nameaddress.jpg"}, {}, defaults[0], defaults[1]},
      {kArtwork, {"varn.dat", "RGWINDOW.jpg", "nameaddress.jpg"}, {banner}, "0800 1", "x.test"},
      {kArtwork, {"RGWINDOW.jpg", "icon.ico"}, {"LoadIcon " + kFolder + "\\icon.ico"},
       defaults[0], defaults[1]},
      {kArtwork, {"nameaddress.jpg"}, {}, defaults[0], defaults[1]},
  };
  values.aboutProductName = "Tesk Ledger";
  for (const auto& row : rows) {
    files.files.clear();
    for (const char* name : row.settingsFiles) {
      AddSettingsFile(name, "VendorContactInfo=0800 1\r\nvisit us=x.test");
    }
    values.productSymbol = row.symbol;
    const Calls calls = Show(windows.about, {ClickOn("cmdTechSupport"), ClickOn("cmdClose")});
    Calls expected{"ShowModal FrmTechSupport"};
    expected.insert(expected.end(), row.artwork.begin(), row.artwork.end());
    const auto support = std::find(calls.begin(), calls.end(), expected.front());
    ASSERT_NE(support, calls.end());
    EXPECT_EQ(Calls(support, support + expected.size()), expected) << row.symbol;
    const auto text = support + expected.size();
    EXPECT_NE(text[1].find("Label4=Our Direct Call No is " + row.phone + ". Incoming"),
              std::string::npos);
    EXPECT_NE(text[2].find(" at " + row.site + " with valid"), std::string::npos);
    EXPECT_EQ(text[3], "closed FrmTechSupport") << "the About window stays open underneath";
  }
}

// A host's handler may call any operation from inside the modal loop; showing the open window
// again is refused with its own error, and nothing changes on the open one.
TEST_F(Windows, AnOpenWindowRefusesToShowAgainAndChangesNothing) {
  Calls during;
  std::string error;
  Show(windows.about, {[&](platform::Form&, platform::FormEvents&) {
         during = forms.calls;
         try {
           windows.about.Show(services);
         } catch (const WindowAlreadyOpen& refused) {
           error = refused.what();
         }
         EXPECT_EQ(forms.calls, during);
       }});
  EXPECT_EQ(error, "The About window is already open.");
  EXPECT_FALSE(windows.about.IsOpen());
}

TEST_F(Windows, TipShowsEachTextUnchanged) {
  values.productSymbol = kArtwork;
  AddSettingsFile("icon.ico");
  for (const std::string text : {"First\r\nsecond\n\tthird", ""}) {
    windows.tip.SetWhatNewText(text);
    EXPECT_EQ(Show(windows.tip, {ClickOn("cmdclose")}),
              (Calls{"ShowModal frmTip", "LoadIcon " + kFolder + "\\icon.ico",
                     "SetBackColor Picture1=FFFFFF", "SetBackColor Label1=FFFFFF",
                     "SetBackColor RtNew=FFFFFF", "SetText RtNew=" + text, "Unload",
                     "closed frmTip"}));
  }
}

// Load: the icon, then the fetch, then the page (blank when the server named no web page).
TEST_F(Windows, ReportABugShowsTheServersPage) {
  values.productSymbol = kArtwork;
  AddSettingsFile("icon.ico");
  transfer.writeFile = [this](const std::string& file) {
    forms.calls.push_back("fetched");
    files.files[file] = "https://bugs.example/report?id=7";
  };
  EXPECT_EQ(Show(windows.reportABug),
            (Calls{"ShowModal FrmReportABug", "LoadIcon " + kFolder + "\\icon.ico", "fetched",
                   "Navigate WebBrowser1=https://bugs.example/report?id=7",
                   "closed FrmReportABug"}));
  transfer.writeFile = [this](const std::string& file) { files.files[file] = "file:///C:/x.hta"; };
  EXPECT_EQ(Show(windows.reportABug)[2], "Navigate WebBrowser1=about:blank") << "no web address";
  transfer.writeFile = nullptr;
  transfer.status = static_cast<std::int32_t>(0x800C0005);  // no network
  EXPECT_EQ(Show(windows.reportABug)[2], "Navigate WebBrowser1=about:blank");
}

// An icon, a picture or a page that cannot be shown is passed over like a failed download:
// the window opens without it and goes on to its next step.
TEST_F(Windows, ALoadStepThatFailsIsPassedOver) {
  values.productSymbol = kArtwork;
  AddSettingsFile("icon.ico");
  AddSettingsFile("verticalimage.jpg");
  forms.failing = {"LoadIcon", "LoadPicture", "Navigate"};
  const std::pair<SharedWindow*, const char*> rows[] = {
      {&windows.about, "SetText LblLink=www.tesklumora.com"},  // steps after the failing ones
      {&windows.tip, "SetText RtNew="},
      {&windows.techSupport, "SetText Label9=support.tesklumora.com"},
      {&windows.reportABug, "Navigate WebBrowser1=about:blank"},
  };
  for (const auto& [window, step] : rows) {
    const Calls calls = Show(*window);
    EXPECT_NE(std::find(calls.begin(), calls.end(), step), calls.end()) << step;
    EXPECT_EQ(calls.back(), "closed " + TableName(*window));
  }
}

}  // namespace
}  // namespace tesk::windows
