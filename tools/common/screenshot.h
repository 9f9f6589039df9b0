#pragma once
// A window's picture as a 24-bit BMP file, read back from the screen.

#include <windows.h>

namespace tesk::tools {

// The client area, or the whole window with its frame and caption.
bool SaveScreenshot(HWND window, const char* path, bool withFrame = false);

}  // namespace tesk::tools
