#pragma once
// One control of a live form: its row of the table as the handlers have changed it, where it
// is, and what the form made for it.

#include <windows.h>

#include <memory>

#include "button/cmd_events.h"
#include "platform/form.h"
#include "win32/ui/form_browser.h"
#include "win32/ui/form_grid.h"
#include "win32/ui/form_pictures.h"

namespace tesk::win32 {

class FormWindow;

struct FormControl {
  platform::ControlRow row;
  RECT place{};                 // client twips: where the table or a handler put it
  RECT bounds{};                // client pixels: the place at the form's DPI
  HWND window = nullptr;  // a label, text box, grid, browser or button; the form's child
  PicturePointer picture;       // an image's picture
  PicturePointer mouseIcon;     // a label's custom pointer, shared with the image it came from
  WNDPROC labelProcedure = nullptr;  // the STATIC class's own procedure under a link label
  FormWindow* form = nullptr;
  std::unique_ptr<button::CmdEvents> buttonEvents;
  std::unique_ptr<FormGrid> grid;  // a grid's list view and what it shows
  std::unique_ptr<FormBrowser> browser;  // a browser's control, closed before the form goes
};

}  // namespace tesk::win32
