#pragma once
// A form as a real top-level window: built hidden from its table, changed by its handlers
// through platform::Form, and destroyed with every object it made when it goes out of scope.

#include <windows.h>
// As in platform/form.h: the method, not the USER function, whichever header came first.
#ifdef LoadIcon
#undef LoadIcon
#endif

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/form.h"
#include "win32/ui/form_colours.h"
#include "win32/ui/form_control.h"
#include "win32/ui/form_gdi_cache.h"
#include "win32/ui/form_metrics.h"
#include "win32/ui/user_objects.h"

namespace tesk::win32 {

constexpr wchar_t kFormWindowClass[] = L"TeskLumoraForm";

class FormWindow final : public platform::Form {
 public:
  // Creates the window, hidden, with its children. Throws std::runtime_error when the system
  // refuses a window, std::bad_alloc when memory runs out.
  FormWindow(const platform::FormTable& table, platform::FormEvents& events);
  ~FormWindow() override { Destroy(); }
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return window_.get(); }
  // Shows and activates the window and gives the first button the focus.
  void Show();
  // Unload was asked for, or the window is gone already.
  bool Ended() const { return unloading_ || !window_; }
  // Closes the embedded controls, then destroys the window with its children.
  void Destroy();
  // Lets an embedded control take the keys it handles itself; true when one took `message`.
  bool TranslateAccelerator(MSG& message);
  // The first exception a handler raised inside the window's messages, if any: it unloaded
  // the form, and the caller reports it once the form is gone.
  std::exception_ptr HandlerFailure() const { return failure_; }

  void SetCaption(const std::string& caption) override;
  void LoadIcon(const std::string& path) override;
  void LoadPicture(const std::string& control, const std::string& path) override;
  void SetText(const std::string& control, const std::string& text) override;
  void SetForeColor(const std::string& control, platform::OleColor colour) override;
  void SetBackColor(const std::string& control, platform::OleColor colour) override;
  void SetMouseIcon(const std::string& control, const std::string& source) override;
  void FillGrid(const std::string& control, const platform::GridContents& contents) override;
  void Navigate(const std::string& control, const std::string& address) override;
  std::int32_t ScaleWidth() override;
  std::int32_t ScaleHeight() override;
  void MoveControl(const std::string& control, std::int32_t left, std::int32_t top,
                   std::int32_t width, std::int32_t height) override;
  void Unload() override;

  // Notices from the form's children, run through the form's handlers.
  void ControlClick(const std::string& name);
  void ControlMouseMove(const std::string& name);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ColourChild(HDC dc, HWND child);
  void Paint();
  void Command(WPARAM wParam, LPARAM lParam);
  LRESULT Notify(const NMHDR& notice);
  void PressFocusedButton();
  void Activate(WPARAM wParam);
  std::string ImageAt(POINT point) const;

  void KeepClientTwips();
  bool ScaledSize(int dpi, SIZE& size) const;
  void ChangeDpi(int dpi, const RECT& suggested);
  void Rescale(FormControl& control);
  void Place(FormControl& control);

  void CreateWindowFor(const platform::FormTable& table);
  void CreateControls(const platform::FormTable& table);
  void SetIcons(IconPair icons);
  FormControl* Find(const std::string& name) const;
  FormControl* FindByWindow(HWND child) const;
  COLORREF Colour(platform::OleColor colour, ColourRole role) const;
  void FollowSystemColours(WPARAM wParam, LPARAM lParam);
  void Repaint(const FormControl& control);
  template <typename Handler>
  void RunHandler(Handler&& handler) noexcept;

  platform::FormEvents& events_;
  int dpi_ = 96;  // the window's, read once it exists, changed as it moves between screens
  SIZE clientTwips_{};  // the table's size, or the user's once they resize the window
  bool rescaling_ = false;  // the window's own moves for a new DPI, not the user's
  platform::OleColor backColor_;
  platform::FormFont font_;
  FormGdiCache gdi_;
  IconPair icons_;
  std::string iconFile_;  // the icon file a handler loaded, made again at each DPI
  std::vector<std::unique_ptr<FormControl>> controls_;
  HWND focused_ = nullptr;  // the child that had the focus when the form was deactivated
  bool unloading_ = false;
  bool shown_ = false;  // resizes reach the handlers once the window shows
  std::exception_ptr failure_;
  // Last, so that it goes first: the children die before the fonts, brushes, pictures and
  // icons they use.
  UniqueWindow window_;
};

}  // namespace tesk::win32
