#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/MainWindowControls.h"
#include "ui/WindowLayout.h"
#include "ui/win32/AccessibleAnnotations.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/NativeControl.h"
#include "ui/win32/SolidBrushes.h"
#include "ui/win32/WindowFonts.h"

namespace tarnwick {

// The planner's main window as a native Win32 window: one child control for every row of the
// window layout, all direct children of the window (frames are group boxes drawn behind their
// controls, never their parents), each control of the window model bound to its child both
// ways. Showing the model's window (frmMain.Show) shows this one; unloading the model destroys
// it, and its close box unloads the model. The controls must outlive this window.
class Win32PlannerWindow {
 public:
  // A control's id is this plus its row in the window layout.
  static constexpr int kFirstControlId = 100;

  // The window annotates its controls for assistive tools through Dynamic Annotation, or
  // through the annotations given.
  Win32PlannerWindow(MainWindowControls& controls, HINSTANCE instance);
  Win32PlannerWindow(MainWindowControls& controls, HINSTANCE instance,
                     std::unique_ptr<AccessibleAnnotations> annotations);
  ~Win32PlannerWindow();
  Win32PlannerWindow(const Win32PlannerWindow&) = delete;
  Win32PlannerWindow& operator=(const Win32PlannerWindow&) = delete;

  // The window, or nullptr once it is destroyed.
  HWND Handle() const { return window_; }
  // The child control of that layout name, or nullptr.
  HWND ControlHandle(std::string_view name) const;
  int Dpi() const { return dpi_; }

  // For the message loop: lets the window handle Tab, Shift+Tab and the Alt accelerators.
  // True when the message was handled and must not be dispatched.
  bool HandleDialogMessage(MSG& message);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateWindowFrame(HINSTANCE instance);
  void CreateControls(HINSTANCE instance);
  void NameForAssistiveTools();
  void BindControls();
  void LayOut(int dpi);
  void SizeClientArea(int dpi, bool centre);

  void Show(NativeControl& native);
  void ShowWindowState();

  void OnCommand(int id, int notification);
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnDpiChanged(int dpi, const RECT& suggested);
  bool OnActivate(WPARAM state);
  void OnClose();
  void OnDestroyed();

  NativeControl* FindNative(HWND handle);
  HWND FirstTabStop() const;

  MainWindowControls& controls_;
  std::unique_ptr<AccessibleAnnotations> annotations_;
  HWND window_ = nullptr;
  int dpi_ = kStandardDpi;
  std::vector<NativeControl> natives_;
  HINSTANCE instance_;
  GdiObject<HBITMAP> bannerArt_;
  WindowFonts fonts_;
  SolidBrushes brushes_;
  // Above 0 while the window writes the model's state into its controls: the notifications
  // those writes cause are not user actions.
  int programWrites_ = 0;
  HWND focusWhenInactive_ = nullptr;
};

}  // namespace tarnwick
