// SetSql on drives made for the test (N: network, R: floppy; see
// scripts/make-test-drives.sh), with the stand-in program as the MySQL server and as "net".

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

const std::wstring kServer = L"mysqld-opt.exe";

class SetSqlOnDrives : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(GetDriveTypeW(L"N:\\"), static_cast<UINT>(DRIVE_REMOTE));
    ASSERT_EQ(GetDriveTypeW(L"R:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
  }
  // "Net start mysql" is looked for in the current folder before the system's.
  void SetUp() override { SetCurrentDirectoryW(net_.Path().c_str()); }
  void TearDown() override {
    TerminateProcesses(kServer);
    for (const wchar_t* drive : {L"N:", L"R:"}) RemoveInstallation(drive);
    SetCurrentDirectoryW(L"C:\\");
  }

  static std::wstring Bin(const std::wstring& drive) { return drive + L"\\mysql\\bin"; }
  static void Install(const std::wstring& drive) {
    InstallStandIn(Bin(drive) + L"\\mysqlwatch.exe");
    InstallStandIn(Bin(drive) + L"\\" + kServer);
  }
  static void RemoveInstallation(const std::wstring& drive) {
    for (const wchar_t* file : {L"\\mysqlwatch.exe", L"\\mysqld-opt.exe", L"\\started.log"}) {
      DeleteFileW((Bin(drive) + file).c_str());
    }
    RemoveDirectoryW(Bin(drive).c_str());
    RemoveDirectoryW((drive + L"\\mysql").c_str());
  }

  static VARIANT_BOOL CallSetSql() {
    auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
    VARIANT_BOOL start = VARIANT_TRUE;
    VARIANT_BOOL result = VARIANT_TRUE;
    EXPECT_EQ(info->SetSql(&start, &result), S_OK);
    EXPECT_EQ(start, VARIANT_TRUE) << "the host's flag is neither consulted nor changed";
    return result;
  }

  const StandInFolder net_{TempFile(L"tesk-net"), L"net.exe"};
};

const std::string kHidden = "\t0";

// Which drive is used first, and the server's other names and cases, are pinned by the
// native SetSql tests; here the drive types, the process list and the starts are real.
TEST_F(SetSqlOnDrives, StartsTheServerFromANetworkDriveNotARemovableOneAndNotAgainWhileItRuns) {
  Install(L"R:");
  Install(L"N:");
  EXPECT_EQ(CallSetSql(), VARIANT_FALSE);
  EXPECT_EQ(StartLog(Bin(L"N:"), 10000),
            std::vector<std::string>{"N:\\mysql\\bin\\mysqld-opt.exe" + kHidden});
  EXPECT_EQ(StartLog(net_.Path(), 10000), std::vector<std::string>{"Net start mysql" + kHidden});
  EXPECT_TRUE(StartLog(Bin(L"R:")).empty());

  EXPECT_EQ(CallSetSql(), VARIANT_FALSE);
  EXPECT_EQ(CountProcesses(kServer), 1) << "a running server is not started again";
  EXPECT_EQ(StartLog(net_.Path()).size(), 1u);
}

}  // namespace
}  // namespace tesk::wine_test
