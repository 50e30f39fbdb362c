#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarnwick {

// Positions and sizes of the window are kept in twips, as the window was drawn; 15 twips make
// one logical pixel, and Qt's device pixel ratio takes it from there.
using Twips = int;
inline constexpr Twips kTwipsPerPixel = 15;
inline constexpr Twips kClientWidthTwips = 7650;
inline constexpr Twips kClientHeightTwips = 7575;
inline constexpr std::string_view kWindowName = "frmMain";

constexpr int TwipsToPixels(Twips twips) { return twips / kTwipsPerPixel; }

enum class WidgetKind { kFrame, kPicture, kLabel, kTextBox, kComboBox, kCheckBox, kCommandButton };
enum class TextAlignment { kLeft, kRight, kCentre };
enum class FontRole { kDialog, kTankFigures };

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct TwipsRect {
  Twips left;
  Twips top;
  Twips width;
  Twips height;
};

inline constexpr int kNoTabStop = -1;

// One control of the window: where it stands, how it looks and its design caption. For the
// controls of the window model the caption, items and text colour are those the model starts
// with; once the window runs, the model is what the widget shows.
struct ControlLayout {
  std::string_view name{};
  WidgetKind kind{};
  std::string_view container{};
  std::string_view caption{};
  std::span<const std::string_view> items{};
  TwipsRect place{};
  int tabIndex = kNoTabStop;
  std::optional<Rgb> background{};
  std::optional<Rgb> foreground{};
  FontRole font = FontRole::kDialog;
  TextAlignment alignment = TextAlignment::kLeft;
};

// Every control of the main window, containers before what they contain and, within one
// container, from the bottom of the stack to the top.
std::span<const ControlLayout> MainWindowLayout();

// The row of the control of that name, or nullptr.
const ControlLayout* FindControlLayout(std::string_view name);

}  // namespace tarnwick
