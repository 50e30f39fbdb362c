#include "ui/win32/Win32PlannerWindow.h"

#include <algorithm>
#include <stdexcept>

#include "ui/LimitDescription.h"
#include "ui/ShownItems.h"
#include "ui/WindowBinding.h"
#include "ui/win32/BannerPainter.h"
#include "ui/win32/InputKeyHook.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

constexpr wchar_t kWindowClass[] = L"TarnwickPlannerWindow";
// Not WS_CLIPCHILDREN: the window's background must show inside the group boxes, which draw
// only their frame and caption.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
// The open list of a drop-down list box reaches this far below its field.
constexpr Twips kDropDownListTwips = 3600;
// A combo box's field is its item plus a border of three pixels above and below.
constexpr int kComboFieldBorderPixels = 6;

std::wstring ShownText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The width in pixels of the control's caption in that font.
int CaptionWidth(HWND control, HFONT font) {
  const std::wstring caption = ShownText(control);
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return static_cast<int>(extent.cx);
}

// The leftmost pixel that a caption inside that frame may take: a gap after the frame's line.
// Zero for a control that stands on the window itself.
int InsideLeftEdge(std::string_view container, int dpi) {
  constexpr int kGapPixelsAt96Dpi = 3;
  const ControlLayout* frame = FindControlLayout(container);
  if (frame == nullptr || frame->kind != ControlKind::kFrame) return 0;
  return TwipsToPixels(PlaceInClientArea(*frame).left, dpi) +
         MulDiv(kGapPixelsAt96Dpi, dpi, kStandardDpi);
}

// The font made smaller, a pixel at a time, until the control's caption takes no more than
// `room` pixels. (Narrowing it instead, by its width alone, drops the dots of a colon under
// Wine.)
FontHandle SmallerToFit(HWND control, HFONT font, int room) {
  LOGFONTW smaller{};
  GetObjectW(font, sizeof(smaller), &smaller);
  const LONG sign = smaller.lfHeight < 0 ? -1 : 1;
  FontHandle fitted;
  do {
    smaller.lfHeight -= sign;
    fitted = FontHandle(CreateFontIndirectW(&smaller));
  } while (smaller.lfHeight * sign > 1 && CaptionWidth(control, fitted.Get()) > room);
  return fitted;
}

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

DWORD AlignmentStyle(TextAlignment alignment, DWORD left, DWORD right, DWORD centre) {
  switch (alignment) {
    case TextAlignment::kRight:
      return right;
    case TextAlignment::kCentre:
      return centre;
    case TextAlignment::kLeft:
      break;
  }
  return left;
}

DWORD TextBoxStyle(const ControlLayout& layout, const TextBox& box) {
  DWORD style = ES_AUTOHSCROLL | AlignmentStyle(layout.alignment, ES_LEFT, ES_RIGHT, ES_CENTER);
  if (!box.IsInput()) style |= ES_READONLY;
  if (layout.border) style |= WS_BORDER;
  return style;
}

struct ControlClass {
  const wchar_t* className;
  DWORD style;
};

ControlClass ClassFor(const ControlLayout& layout, const Control* model) {
  switch (layout.kind) {
    case ControlKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX};
    case ControlKind::kPicture:
      return {L"STATIC", SS_OWNERDRAW};
    case ControlKind::kLabel:
      return {L"STATIC",
              SS_NOPREFIX | AlignmentStyle(layout.alignment, SS_LEFT, SS_RIGHT, SS_CENTER)};
    case ControlKind::kTextBox:
      return {L"EDIT", TextBoxStyle(layout, *ControlAs<TextBox>(*model))};
    case ControlKind::kComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX};
    case ControlKind::kCommandButton:
      return {L"BUTTON", BS_PUSHBUTTON};
    case ControlKind::kWindow:
      break;
  }
  throw std::logic_error("no native control for " + std::string(layout.name));
}

// What a control shows before the model's state is put into it.
std::string FirstCaption(const ControlLayout& layout, const Control* model) {
  if (model == nullptr) return std::string(layout.caption);
  if (const auto* check = ControlAs<CheckBox>(*model)) return check->Caption();
  if (const auto* button = ControlAs<CommandButton>(*model)) return button->Caption();
  return {};
}

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
  StackControls();
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
    native.handle =
        CreateControl(layout[row], native.model, kFirstControlId + static_cast<int>(row), instance);
    natives_.push_back(std::move(native));
  }
}

HWND Win32PlannerWindow::CreateControl(const ControlLayout& layout, const Control* model, int id,
                                       HINSTANCE instance) {
  const ControlClass kind = ClassFor(layout, model);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style;
  // Each tab stop is a group of its own, so that arrow keys never move the focus.
  if (layout.tabIndex != kNoTabStop) style |= WS_TABSTOP | WS_GROUP;
  const HWND control = CreateWindowExW(
      0, kind.className, Widen(FirstCaption(layout, model)).c_str(), style, 0, 0, 0, 0, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control == nullptr) {
    throw std::runtime_error("cannot create the control " + std::string(layout.name));
  }
  return control;
}

// Children stand in z-order: the tab stops on top in tab order, which is the order Tab follows,
// each right after the caption that names it, which is where Windows looks for a control's name;
// under them the rest, each above what the layout puts before it, so that a frame is drawn
// behind its controls and the speed panel behind its labels.
void Win32PlannerWindow::StackControls() {
  std::vector<const NativeControl*> order;
  for (const ControlLayout* stop : TabStopsInOrder()) {
    if (const ControlLayout* caption = CaptionFor(stop->name))
      order.push_back(&NativeFor(*caption));
    order.push_back(&NativeFor(*stop));
  }
  for (auto native = natives_.rbegin(); native != natives_.rend(); ++native) {
    if (native->layout->tabIndex == kNoTabStop && native->layout->labelFor.empty()) {
      order.push_back(&*native);
    }
  }
  HWND above = HWND_TOP;
  for (const NativeControl* native : order) {
    SetWindowPos(native->handle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = native->handle;
  }
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
  for (NativeControl& native : natives_) PlaceControl(native, dpi);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32PlannerWindow::PlaceControl(NativeControl& native, int dpi) {
  const TwipsRect place = PlaceInClientArea(*native.layout);
  PixelSpan across{TwipsToPixels(place.left, dpi), TwipsToPixels(place.width, dpi)};
  const int height = TwipsToPixels(place.height, dpi);
  if (native.layout->kind == ControlKind::kLabel &&
      native.layout->alignment == TextAlignment::kRight) {
    across = FitCaption(native, across, dpi);
  }
  const HFONT font =
      native.ownFont.Get() != nullptr ? native.ownFont.Get() : fonts_.For(native.layout->font);
  const bool isList = native.layout->kind == ControlKind::kComboBox;
  const int windowHeight = isList ? height + TwipsToPixels(kDropDownListTwips, dpi) : height;
  MoveWindow(native.handle, across.left, TwipsToPixels(place.top, dpi), across.width, windowHeight,
             FALSE);
  SendMessageW(native.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (isList) {
    SendMessageW(native.handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 std::max(1, height - kComboFieldBorderPixels));
  }
}

// A caption that stands against the control to its right grows to the left when the system's
// font is wider than the one the window was drawn with, rather than wrap: as far as its frame's
// line, and beyond that it gets a smaller font of its own.
Win32PlannerWindow::PixelSpan Win32PlannerWindow::FitCaption(NativeControl& native,
                                                             PixelSpan across, int dpi) {
  const HFONT font = fonts_.For(native.layout->font);
  const int right = across.left + across.width;
  const int room = right - InsideLeftEdge(native.layout->container, dpi);
  const int needed = CaptionWidth(native.handle, font);
  native.ownFont = needed > room ? SmallerToFit(native.handle, font, room) : FontHandle();
  const int width = std::max(across.width, std::min(needed, room));
  return {right - width, width};
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
  if (native.handle == nullptr || native.model == nullptr) return;
  const ProgramWrite writing(programWrites_);
  Control& model = *native.model;
  if (const auto* box = ControlAs<TextBox>(model)) {
    ShowTextBox(*box, native);
  } else if (const auto* list = ControlAs<ComboBox>(model)) {
    ShowComboBox(*list, native);
  } else if (const auto* check = ControlAs<CheckBox>(model)) {
    SendMessageW(native.handle, BM_SETCHECK, check->Value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (const auto* label = ControlAs<Label>(model)) {
    const std::wstring caption = Widen(label->Caption());
    if (ShownText(native.handle) != caption) SetWindowTextW(native.handle, caption.c_str());
  }
}

void Win32PlannerWindow::ShowTextBox(const TextBox& box, NativeControl& native) {
  const std::wstring text = Widen(box.Text());
  if (ShownText(native.handle) != text) SetWindowTextW(native.handle, text.c_str());
  if (box.TextColor() != native.shownColour) {
    native.shownColour = box.TextColor();
    // The colour is asked for again (WM_CTLCOLOR*) when the box is drawn.
    InvalidateRect(native.handle, nullptr, TRUE);
  }
  const std::string_view description = LimitDescription(box.TextColor());
  if (description != native.toldDescription) {
    annotations_->SetDescription(native.handle, Widen(description));
    native.toldDescription = description;
  }
}

void Win32PlannerWindow::ShowComboBox(const ComboBox& list, NativeControl& native) {
  // The combo box's items, as last put into it.
  class ComboItems final : public ShownItems {
   public:
    explicit ComboItems(NativeControl& combo) : combo_(combo) {}
    std::size_t Count() const override { return combo_.shownItems.size(); }
    bool Shows(std::size_t index, const std::string& item) const override {
      return combo_.shownItems[index] == item;
    }
    void RemoveLast() override {
      combo_.shownItems.pop_back();
      SendMessageW(combo_.handle, CB_DELETESTRING, combo_.shownItems.size(), 0);
    }
    void Append(const std::string& item) override {
      SendMessageW(combo_.handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
      combo_.shownItems.push_back(item);
    }

   private:
    NativeControl& combo_;
  } items(native);
  ShowItems(list.Items(), items);
  if (SendMessageW(native.handle, CB_GETCURSEL, 0, 0) != list.SelectedIndex()) {
    SendMessageW(native.handle, CB_SETCURSEL, static_cast<WPARAM>(list.SelectedIndex()), 0);
  }
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
  if (native.model == nullptr) return;
  Control& model = *native.model;
  if (auto* box = ControlAs<TextBox>(model)) {
    if (notification == EN_CHANGE && box->IsInput()) box->SetText(Narrow(ShownText(native.handle)));
  } else if (auto* list = ControlAs<ComboBox>(model)) {
    if (notification == CBN_SELCHANGE) {
      list->SetSelectedIndex(static_cast<int>(SendMessageW(native.handle, CB_GETCURSEL, 0, 0)));
    }
  } else if (auto* check = ControlAs<CheckBox>(model)) {
    if (notification == BN_CLICKED) {
      check->SetValue(SendMessageW(native.handle, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    }
  } else if (const auto* button = ControlAs<CommandButton>(model)) {
    if (notification == BN_CLICKED) button->Click();
  }
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

Win32PlannerWindow::NativeControl* Win32PlannerWindow::FindNative(HWND handle) {
  const int id = GetDlgCtrlID(handle);
  if (!IsControlId(id, natives_.size())) return nullptr;
  NativeControl& native = natives_[static_cast<std::size_t>(id - kFirstControlId)];
  return native.handle == handle ? &native : nullptr;
}

Win32PlannerWindow::NativeControl& Win32PlannerWindow::NativeFor(const ControlLayout& layout) {
  return natives_[static_cast<std::size_t>(&layout - MainWindowLayout().data())];
}

HWND Win32PlannerWindow::FirstTabStop() const {
  const std::vector<const ControlLayout*> stops = TabStopsInOrder();
  return stops.empty() ? nullptr : ControlHandle(stops.front()->name);
}

}  // namespace tarnwick
