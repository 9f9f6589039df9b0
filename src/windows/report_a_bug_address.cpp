#include "windows/report_a_bug_address.h"

#include <algorithm>
#include <cctype>

#include "download/url_downloader.h"
#include "windows/pass_over_failure.h"

namespace tesk {
namespace {

constexpr char kServerFile[] = "/downloads/ReportAbug.Zip";
constexpr char kLocalFile[] = "\\ReportAbug.Zip";
// Only the first line is used: a file this large is not the address file.
constexpr std::uint64_t kMostBytes = 1024 * 1024;

bool IsUnsafeCharacter(unsigned char c) { return c <= ' ' || c == 0x7F || c == '"' || c == '\\'; }

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The host of "host[:port]" or "[ipv6][:port]", or "" when the port is not a number.
std::string HostOf(const std::string& hostAndPort) {
  const std::size_t hostEnd = hostAndPort.front() == '[' ? hostAndPort.find(']') : 0;
  if (hostEnd == std::string::npos) return "";
  const std::size_t portStart = hostAndPort.find(':', hostEnd);
  const std::string port = portStart == std::string::npos ? "" : hostAndPort.substr(portStart + 1);
  if (!std::all_of(port.begin(), port.end(), [](unsigned char c) { return std::isdigit(c); })) {
    return "";
  }
  return hostAndPort.substr(0, portStart);
}

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

bool IsWebAddress(const std::string& address) {
  if (std::any_of(address.begin(), address.end(), IsUnsafeCharacter)) return false;
  const std::size_t schemeEnd = address.find("://");
  if (schemeEnd == std::string::npos) return false;
  const std::string scheme = Lowered(address.substr(0, schemeEnd));
  if (scheme != "http" && scheme != "https") return false;
  const std::size_t start = schemeEnd + 3;
  std::string authority = address.substr(start, address.find_first_of("/?#", start) - start);
  authority.erase(0, authority.rfind('@') + 1);  // a user name and password before the host
  return !authority.empty() && !HostOf(authority).empty();
}

}  // namespace tesk
