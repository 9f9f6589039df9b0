#pragma once
// The demo's button lab: a window with every style of cmd button as a live control, driven
// with real input while the events they raise are printed, and saved as a screenshot.

namespace tesk::demo {

// Runs the lab; writes the window's picture to `screenshotPath` (24-bit BMP) when given.
void RunButtonLab(const char* screenshotPath);

}  // namespace tesk::demo
