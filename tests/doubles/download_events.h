#pragma once
// A download listener that records every event as a line of text, natively and under Wine.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "download/url_downloader.h"

namespace tesk::test {

class DownloadEvents : public DownloadListener {
 public:
  void DownloadStart() override { lines.push_back("start"); }
  void DownloadDone() override { lines.push_back("done"); }
  // Changes the text, for the listeners after it.
  void DownloadCrash(std::int32_t status, std::string& text, bool& cancelled) override {
    char code[16];
    std::snprintf(code, sizeof code, "%#x", static_cast<unsigned>(status));
    lines.push_back(std::string("crash ") + code + " " + text + (cancelled ? " cancelled" : ""));
    text = "changed by the first listener";
  }
  void DownloadCancelled() override { lines.push_back("cancelled"); }
  void DownloadProg(std::int32_t soFar, std::int32_t total) override {
    lines.push_back("progress " + std::to_string(soFar) + "/" + std::to_string(total));
    if (onProgress) onProgress();
  }

  std::vector<std::string> lines;
  std::function<void()> onProgress;  // runs after each progress line is recorded
};

}  // namespace tesk::test
