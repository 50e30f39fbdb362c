#include "ui/win32/Win32PlannerWindow.h"

#include <algorithm>
#include <stdexcept>

#include "ui/WindowBinding.h"
#include "ui/win32/BannerPainter.h"
#include "ui/win32/ControlFactory.h"
#include "ui/win32/InputKeyHook.h"
#include "ui/win32/NativeBinding.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

constexpr wchar_t kWindowClass[] = L"TarnwickPlannerWindow";
// Not WS_CLIPCHILDREN: the window's background must show inside the group boxes, which draw
// only their frame and caption.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;

// Our controls' own notifications count; IsDialogMessage's IDOK and IDCANCEL do not.
bool IsControlId(int id, std::size_t count) {
  return id >= Win32PlannerWindow::kFirstControlId &&
         id < Win32PlannerWindow::kFirstControlId + static_cast<int>(count);
}

class ProgramWrite {
 public:
  explicit ProgramWrite(int& depth) : depth_(depth) { ++depth_; }
  ~ProgramWrite() { --depth_; }
  ProgramWrite(const ProgramWrite&) = delete;
  ProgramWrite& operator=(const ProgramWrite&) = delete;

 private:
  int& depth_;
};

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProcedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kWindowClass;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kWindowIconResource),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kWindowIconResource), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("cannot register the planner's window class");
  }
}

}  // namespace

Win32PlannerWindow::Win32PlannerWindow(MainWindowControls& controls, HINSTANCE instance)
    : Win32PlannerWindow(controls, instance, MakeSystemAccessibleAnnotations()) {}

Win32PlannerWindow::Win32PlannerWindow(MainWindowControls& controls, HINSTANCE instance,
                                       std::unique_ptr<AccessibleAnnotations> annotations)
    : controls_(controls), annotations_(std::move(annotations)), instance_(instance) {
  RegisterWindowClass(instance, &WindowProcedure);
  CreateWindowFrame(instance);
  CreateControls(instance);
  NameForAssistiveTools();
  LayOut(dpi_);
  BindControls();
  controls_.frmMain.SetStateObserver([this] { ShowWindowState(); });
  ShowWindowState();
}

Win32PlannerWindow::~Win32PlannerWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  OnDestroyed();
}

HWND Win32PlannerWindow::ControlHandle(std::string_view name) const {
  for (const NativeControl& native : natives_) {
    if (native.layout->name == name) return native.handle;
  }
  return nullptr;
}

bool Win32PlannerWindow::HandleDialogMessage(MSG& message) {
  return window_ != nullptr && IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK Win32PlannerWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto& creation = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* made = static_cast<Win32PlannerWindow*>(creation.lpCreateParams);
    made->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
  }
  auto* self = reinterpret_cast<Win32PlannerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32PlannerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      if (OnActivate(wParam)) return 0;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      OnDestroyed();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32PlannerWindow::CreateWindowFrame(HINSTANCE instance) {
  window_ =
      CreateWindowExW(kWindowExStyle, kWindowClass, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the planner's window");
  dpi_ = static_cast<int>(GetDpiForWindow(window_));
  if (dpi_ <= 0) dpi_ = kStandardDpi;
  SizeClientArea(dpi_, /*centre=*/true);
}

void Win32PlannerWindow::CreateControls(HINSTANCE instance) {
  const std::span<const ControlLayout> layout = MainWindowLayout();
  natives_.reserve(layout.size());
  for (std::size_t row = 0; row < layout.size(); ++row) {
    NativeControl native{&layout[row], ModelControlFor(controls_, layout[row])};
    native.handle = CreateNativeControl(window_, layout[row], native.model,
                                        kFirstControlId + static_cast<int>(row), instance);
    natives_.push_back(std::move(native));
  }
  StackControls(natives_);
}

// The name from the layout is given to every box and list, even one that its caption names:
// what Windows takes from the caption keeps the caption's colon.
void Win32PlannerWindow::NameForAssistiveTools() {
  for (const NativeControl& native : natives_) {
    const std::string_view name = AccessibleName(*native.layout);
    if (!name.empty()) annotations_->SetName(native.handle, Widen(name));
  }
}

void Win32PlannerWindow::BindControls() {
  for (std::size_t index = 0; index < natives_.size(); ++index) {
    NativeControl& native = natives_[index];
    if (native.model == nullptr) continue;
    native.model->SetStateObserver([this, index] { Show(natives_[index]); });
    if (auto* box = ControlAs<TextBox>(*native.model); box != nullptr && box->IsInput()) {
      HookInputKeys(native.handle, *box);
    }
    Show(native);
  }
}

void Win32PlannerWindow::LayOut(int dpi) {
  dpi_ = dpi;
  fonts_.MakeFor(dpi);
  bannerArt_ = GdiObject<HBITMAP>(LoadBannerArt(instance_, dpi));
  for (NativeControl& native : natives_) PlaceControl(native, dpi, fonts_);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32PlannerWindow::SizeClientArea(int dpi, bool centre) {
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, static_cast<UINT>(dpi));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int left = 0;
  int top = 0;
  if (centre) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    left = static_cast<int>(work.left) +
           std::max(0, static_cast<int>(work.right - work.left - width) / 2);
    top = static_cast<int>(work.top) +
          std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(window_, nullptr, left, top, width, height, flags);
}

void Win32PlannerWindow::Show(NativeControl& native) {
  const ProgramWrite writing(programWrites_);
  ShowModelState(native, *annotations_);
}

void Win32PlannerWindow::ShowWindowState() {
  if (window_ == nullptr) return;
  const Window& model = controls_.frmMain;
  SetWindowTextW(window_, Widen(model.Caption()).c_str());
  if (model.IsUnloaded()) {
    DestroyWindow(window_);
  } else if (model.IsVisible() && !IsWindowVisible(window_)) {
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    // The first stop of the tab order has the focus when the window opens.
    focusWhenInactive_ = FirstTabStop();
    SetFocus(focusWhenInactive_);
  }
}

void Win32PlannerWindow::OnCommand(int id, int notification) {
  if (programWrites_ > 0 || !IsControlId(id, natives_.size())) return;
  NativeControl& native = natives_[static_cast<std::size_t>(id - kFirstControlId)];
  TakeUserAction(native, notification);
}

LRESULT Win32PlannerWindow::OnControlColour(HDC dc, HWND control) {
  const NativeControl* native = FindNative(control);
  if (native == nullptr) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  const ControlLayout& layout = *native->layout;
  const TextBox* box = native->model != nullptr ? ControlAs<TextBox>(*native->model) : nullptr;
  COLORREF background =
      GetSysColor(box != nullptr && box->IsInput() ? COLOR_WINDOW : COLOR_BTNFACE);
  if (layout.background) background = *layout.background;
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  if (box != nullptr) {
    text = box->TextColor();
  } else if (layout.foreground) {
    text = *layout.foreground;
  }
  SetTextColor(dc, text);
  SetBkColor(dc, background);
  return reinterpret_cast<LRESULT>(brushes_.For(background));
}

void Win32PlannerWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  PaintBanner(item.hDC, item.rcItem, bannerArt_.Get());
}

void Win32PlannerWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  LayOut(dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The focus leaves with the window and comes back to the control that had it.
bool Win32PlannerWindow::OnActivate(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) focusWhenInactive_ = focus;
    return false;
  }
  if (focusWhenInactive_ == nullptr || HIWORD(state) != 0) return false;
  SetFocus(focusWhenInactive_);
  return true;
}

void Win32PlannerWindow::OnClose() {
  if (!UnloadByCloseBox(controls_.frmMain)) DestroyWindow(window_);
}

void Win32PlannerWindow::OnDestroyed() {
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
  for (NativeControl& native : natives_) {
    if (native.model != nullptr) native.model->SetStateObserver({});
    native.handle = nullptr;
  }
  controls_.frmMain.SetStateObserver({});
}

NativeControl* Win32PlannerWindow::FindNative(HWND handle) {
  const int id = GetDlgCtrlID(handle);
  if (!IsControlId(id, natives_.size())) return nullptr;
  NativeControl& native = natives_[static_cast<std::size_t>(id - kFirstControlId)];
  return native.handle == handle ? &native : nullptr;
}

HWND Win32PlannerWindow::FirstTabStop() const {
  const std::vector<const ControlLayout*> stops = TabStopsInOrder();
  return stops.empty() ? nullptr : ControlHandle(stops.front()->name);
}

}  // namespace tarnwick
