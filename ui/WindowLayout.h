#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "ui/ControlKind.h"
#include "ui/WindowsColor.h"

namespace tarnwick {

// Places and sizes in the window are kept in twips, as the window was drawn: 1440 twips to the
// inch, so 15 twips make one pixel at 96 dots per inch.
using Twips = int;
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;
inline constexpr Twips kClientWidthTwips = 7650;
inline constexpr Twips kClientHeightTwips = 7575;
inline constexpr std::string_view kWindowName = "frmMain";

// Pixels for a length in twips on a screen of that many dots per inch.
constexpr int TwipsToPixels(Twips twips, int dpi = kStandardDpi) {
  return twips * dpi / kTwipsPerInch;
}

enum class TextAlignment { kLeft, kRight, kCentre };
enum class FontRole { kDialog, kTankFigures };

struct TwipsRect {
  Twips left;
  Twips top;
  Twips width;
  Twips height;

  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

inline constexpr int kNoTabStop = -1;

// One control of the window as the window model does not know it: where it stands and how it
// looks. What the control says (a caption, a list's items, a text and its colour) comes from
// the window model; only frames and the caption labels, which the model does not hold, carry a
// caption of their own here.
//
// Assistive tools (screen readers) name a box or list after the caption whose labelFor names it,
// without the caption's colon; a control that no caption names carries its accessibleName.
struct ControlLayout {
  std::string_view name{};
  ControlKind kind{};
  std::string_view container{};
  std::string_view caption{};
  std::string_view labelFor{};
  std::string_view accessibleName{};
  TwipsRect place{};  // within the container
  int tabIndex = kNoTabStop;
  std::optional<WindowsColor> background{};
  std::optional<WindowsColor> foreground{};  // only where the model gives no text colour
  FontRole font = FontRole::kDialog;
  TextAlignment alignment = TextAlignment::kLeft;
  bool border = true;  // a text box's line around it
};

// Every control of the main window, containers before what they contain and, within one
// container, from the bottom of the stack to the top.
std::span<const ControlLayout> MainWindowLayout();

// The rows of the controls that Tab stops at, in the order it visits them.
std::vector<const ControlLayout*> TabStopsInOrder();

// The row of the control of that name, or nullptr.
const ControlLayout* FindControlLayout(std::string_view name);

// The caption row that names the control of that name, or nullptr.
const ControlLayout* CaptionFor(std::string_view name);

// The name assistive tools give the control: its caption's text without the colon, or its own
// accessible name. Empty where the control's own text names it (a label, a button, the check
// box, a frame).
std::string_view AccessibleName(const ControlLayout& control);

// The control's place in the window's client area, through the frames that contain it: for a
// front-end that puts every control directly on the window.
TwipsRect PlaceInClientArea(const ControlLayout& control);

}  // namespace tarnwick
