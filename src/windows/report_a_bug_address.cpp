#include "windows/report_a_bug_address.h"

#include "download/url_downloader.h"
#include "windows/pass_over_failure.h"

namespace tesk {
namespace {

constexpr char kServerFile[] = "/downloads/ReportAbug.Zip";
constexpr char kLocalFile[] = "\\ReportAbug.Zip";

}  // namespace

std::string FetchReportABugAddress(const AddressFetchServices& services,
                                   const std::string& updateServer) {
  const std::string localCopy = services.environment.Variable("temp") + kLocalFile;
  PassOverFailure([&] {
    UrlDownloader downloader(services.transfer, services.thread);
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
