#pragma once
// The demo's tour of the standard windows: About (and from it the technical-support window),
// What's New, the shortcut keys (exported to a workbook through the save dialog) and the bug
// report, each shown
// through ClsInfo as a host shows it and closed after a moment by a timer of the host's
// thread, as a user would close it.

#include "TeskLumoraLib.h"

namespace tesk::demo {

// Shows the windows in turn; with `screenshotFolder`, saves each as a 24-bit BMP there
// (about.bmp, tech-support.bmp, whats-new.bmp, shortcut-keys.bmp, report-a-bug.bmp) and the
// shortcut keys' export as shortcut-keys.xls.
void RunWindowTour(_ClsInfo* info, const char* screenshotFolder);

}  // namespace tesk::demo
