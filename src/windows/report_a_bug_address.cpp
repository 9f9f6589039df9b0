#include "windows/report_a_bug_address.h"

#include "download/url_downloader.h"
#include "windows/pass_over_failure.h"

namespace tesk {
namespace {

constexpr char kServerFile[] = "/downloads/ReportAbug.Zip";
constexpr char kLocalFile[] = "\\ReportAbug.Zip";
// Only the first line is used: a file this large is not the address file.
constexpr std::uint64_t kMostBytes = 1024 * 1024;

}  // namespace

std::string FetchReportABugAddress(const AddressFetchServices& services,
                                   const std::string& updateServer, unsigned downloadSeconds) {
  const std::string localCopy = services.environment.Variable("temp") + kLocalFile;
  PassOverFailure([&] {
    UrlDownloader downloader(services.transfer, services.thread);
    downloader.SetLimits({downloadSeconds * std::uint64_t{1000}, kMostBytes});
    downloader.StartTheStinkinDownLoad(updateServer + kServerFile, localCopy);
  });
  std::string address;
  PassOverFailure([&] { address = services.files.ReadFirstLine(localCopy).value_or(""); });
  PassOverFailure([&] {
    if (services.files.FileExists(localCopy)) services.files.RemoveFile(localCopy);
  });
  return address;
}

}  // namespace tesk
