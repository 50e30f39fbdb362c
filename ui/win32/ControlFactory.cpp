#include "ui/win32/ControlFactory.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

// The open list of a drop-down list box reaches this far below its field.
constexpr Twips kDropDownListTwips = 3600;
// A combo box's field is its item plus a border of three pixels above and below.
constexpr int kComboFieldBorderPixels = 6;

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
  std::string caption;  // what the control shows before the model's state is put into it
};

// The model's control is of the row's kind (ModelControlFor), and present for every kind but the
// frame, the picture and a caption label.
ControlClass ClassFor(const ControlLayout& layout, const Control* model) {
  switch (layout.kind) {
    case ControlKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX, std::string(layout.caption)};
    case ControlKind::kPicture:
      return {L"STATIC", SS_OWNERDRAW, {}};
    case ControlKind::kLabel:
      return {L"STATIC",
              SS_NOPREFIX | AlignmentStyle(layout.alignment, SS_LEFT, SS_RIGHT, SS_CENTER),
              model == nullptr ? std::string(layout.caption) : std::string()};
    case ControlKind::kTextBox:
      return {L"EDIT", TextBoxStyle(layout, static_cast<const TextBox&>(*model)), {}};
    case ControlKind::kComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, {}};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX, static_cast<const CheckBox&>(*model).Caption()};
    case ControlKind::kCommandButton:
      return {L"BUTTON", BS_PUSHBUTTON, static_cast<const CommandButton&>(*model).Caption()};
    case ControlKind::kWindow:
      break;
  }
  throw std::logic_error("no native control for " + std::string(layout.name));
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

struct PixelSpan {
  int left;
  int width;
};

// A caption that stands against the control to its right grows to the left when the system's
// font is wider than the one the window was drawn with, rather than wrap: as far as its frame's
// line, and beyond that it gets a smaller font of its own.
PixelSpan FitCaption(NativeControl& native, PixelSpan across, int dpi, HFONT font) {
  const int right = across.left + across.width;
  const int room = right - InsideLeftEdge(native.layout->container, dpi);
  const int needed = CaptionWidth(native.handle, font);
  native.ownFont = needed > room ? SmallerToFit(native.handle, font, room) : FontHandle();
  const int width = std::max(across.width, std::min(needed, room));
  return {right - width, width};
}

const NativeControl& NativeFor(std::span<const NativeControl> natives,
                               const ControlLayout& layout) {
  return natives[static_cast<std::size_t>(&layout - MainWindowLayout().data())];
}

}  // namespace

HWND CreateNativeControl(HWND window, const ControlLayout& layout, const Control* model, int id,
                         HINSTANCE instance) {
  const ControlClass kind = ClassFor(layout, model);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style;
  // Each tab stop is a group of its own, so that arrow keys never move the focus.
  if (layout.tabIndex != kNoTabStop) style |= WS_TABSTOP | WS_GROUP;
  const HWND control =
      CreateWindowExW(0, kind.className, Widen(kind.caption).c_str(), style, 0, 0, 0, 0, window,
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
void StackControls(std::span<const NativeControl> natives) {
  std::vector<const NativeControl*> order;
  for (const ControlLayout* stop : TabStopsInOrder()) {
    if (const ControlLayout* caption = CaptionFor(stop->name)) {
      order.push_back(&NativeFor(natives, *caption));
    }
    order.push_back(&NativeFor(natives, *stop));
  }
  for (auto native = natives.rbegin(); native != natives.rend(); ++native) {
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

void PlaceControl(NativeControl& native, int dpi, const WindowFonts& fonts) {
  const TwipsRect place = PlaceInClientArea(*native.layout);
  PixelSpan across{TwipsToPixels(place.left, dpi), TwipsToPixels(place.width, dpi)};
  const int height = TwipsToPixels(place.height, dpi);
  if (native.layout->kind == ControlKind::kLabel &&
      native.layout->alignment == TextAlignment::kRight) {
    across = FitCaption(native, across, dpi, fonts.For(native.layout->font));
  }
  const HFONT font =
      native.ownFont.Get() != nullptr ? native.ownFont.Get() : fonts.For(native.layout->font);
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

}  // namespace tarnwick
