#pragma once
// The address of the bug-report page, which the update server publishes as the first line of
// "/downloads/ReportAbug.Zip" (plain text, despite its name). Fetched afresh on every call.

#include <string>

#include "platform/shell.h"
#include "platform/url_transfer.h"

namespace tesk {

struct AddressFetchServices {
  platform::Environment& environment;
  platform::FileSystem& files;
  platform::UrlTransfer& transfer;
  platform::HostThread& thread;
};

// Downloads the file from `updateServer` into the temporary folder, reads its first line and
// deletes the local copy. The download is abandoned after `downloadSeconds` or past 1 MiB.
// Never fails: whatever goes wrong gives "".
std::string FetchReportABugAddress(const AddressFetchServices& services,
                                   const std::string& updateServer, unsigned downloadSeconds);

// Whether the bug-report browser may open `address`: an absolute http: or https: address (the
// scheme in any case) with a host name, taken as it stands. Blanks, control characters, quotes
// and backslashes anywhere refuse it: the browser would rewrite such an address before opening
// it, and a page's address is also handed to the user's own browser on a command line. Every
// other scheme (javascript:, file:, res:, mk:, about:, UNC paths ...) runs inside the host's
// process, and is refused.
bool IsWebAddress(const std::string& address);

}  // namespace tesk
