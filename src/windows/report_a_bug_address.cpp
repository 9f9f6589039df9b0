#include "windows/report_a_bug_address.h"

#include <exception>

#include "download/url_downloader.h"

namespace tesk {
namespace {

constexpr char kServerFile[] = "/downloads/ReportAbug.Zip";
constexpr char kLocalFile[] = "\\ReportAbug.Zip";

// Each step of the fetch is passed over when it fails; the next one still runs.
template <typename Step>
void IgnoringFailure(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

std::string FetchReportABugAddress(const AddressFetchServices& services,
                                   const std::string& updateServer) {
  const std::string localCopy = services.environment.Variable("temp") + kLocalFile;
  IgnoringFailure([&] {
    UrlDownloader downloader(services.transfer, services.thread);
    downloader.StartTheStinkinDownLoad(updateServer + kServerFile, localCopy);
  });
  std::string address;
  IgnoringFailure([&] { address = services.files.ReadFirstLine(localCopy).value_or(""); });
  IgnoringFailure([&] {
    if (services.files.FileExists(localCopy)) services.files.RemoveFile(localCopy);
  });
  return address;
}

}  // namespace tesk
