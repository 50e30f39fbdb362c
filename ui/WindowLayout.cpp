#include "ui/WindowLayout.h"

#include <algorithm>
#include <array>

#include "ui/BannerSize.h"

namespace tarnwick {
namespace {

// Windows colour values, 0x00BBGGRR.
constexpr WindowsColor kDisplayBoxGrey = 0xC0C0C0;
constexpr WindowsColor kTankBoxGrey = 0xE0E0E0;
constexpr WindowsColor kSpeedGreen = 0x008000;
constexpr WindowsColor kSpeedYellow = 0x00FFFF;
constexpr WindowsColor kSpeedWhite = 0xFFFFFF;
constexpr WindowsColor kSpeedRed = kRed;
constexpr WindowsColor kSpeedBlue = kBlue;

constexpr std::string_view kWeights = "Frame2";
constexpr std::string_view kFuel = "Frame3";
constexpr std::string_view kSpeeds = "frmAircraft";

constexpr ControlLayout Frame(std::string_view name, std::string_view caption, TwipsRect place) {
  return {.name = name,
          .kind = ControlKind::kFrame,
          .container = kWindowName,
          .caption = caption,
          .place = place};
}

// A caption that ends in a colon names the control to its right and stands against it.
constexpr ControlLayout Caption(std::string_view name, std::string_view container,
                                std::string_view caption, TwipsRect place,
                                std::string_view labelFor = {}) {
  return {.name = name,
          .kind = ControlKind::kLabel,
          .container = container,
          .caption = caption,
          .labelFor = labelFor,
          .place = place,
          .alignment = caption.ends_with(':') ? TextAlignment::kRight : TextAlignment::kLeft};
}

// A label of the window model that shows the display unit.
constexpr ControlLayout UnitLabel(std::string_view name, std::string_view container,
                                  TwipsRect place) {
  return {.name = name, .kind = ControlKind::kLabel, .container = container, .place = place};
}

constexpr ControlLayout List(std::string_view name, TwipsRect place, int tabIndex) {
  return {.name = name,
          .kind = ControlKind::kComboBox,
          .container = "Frame1",
          .place = place,
          .tabIndex = tabIndex};
}

constexpr ControlLayout InputBox(std::string_view name, std::string_view container, TwipsRect place,
                                 int tabIndex) {
  return {.name = name,
          .kind = ControlKind::kTextBox,
          .container = container,
          .place = place,
          .tabIndex = tabIndex};
}

// The wind speed box shares its caption with the head/tail wind list before it.
constexpr ControlLayout WindSpeedBox(std::string_view name, std::string_view accessibleName,
                                     TwipsRect place, int tabIndex) {
  ControlLayout box = InputBox(name, "Frame1", place, tabIndex);
  box.accessibleName = accessibleName;
  return box;
}

constexpr ControlLayout DisplayBox(std::string_view name, std::string_view container,
                                   TwipsRect place, int tabIndex) {
  return {.name = name,
          .kind = ControlKind::kTextBox,
          .container = container,
          .place = place,
          .tabIndex = tabIndex,
          .background = kDisplayBoxGrey};
}

// The tank boxes are twelve pixels high at 96 dpi: their figures need every one of them, and
// leave none for a border.
constexpr ControlLayout TankBox(std::string_view name, std::string_view accessibleName,
                                TwipsRect place, int tabIndex) {
  return {.name = name,
          .kind = ControlKind::kTextBox,
          .container = kWindowName,
          .accessibleName = accessibleName,
          .place = place,
          .tabIndex = tabIndex,
          .background = kTankBoxGrey,
          .font = FontRole::kTankFigures,
          .alignment = TextAlignment::kCentre,
          .border = false};
}

constexpr ControlLayout SpeedLabel(std::string_view name, TwipsRect place, WindowsColor colour) {
  return {.name = name,
          .kind = ControlKind::kLabel,
          .container = kSpeeds,
          .place = place,
          .background = kBlack,
          .foreground = colour};
}

constexpr ControlLayout Button(std::string_view name, TwipsRect place, int tabIndex) {
  return {.name = name,
          .kind = ControlKind::kCommandButton,
          .container = kWindowName,
          .place = place,
          .tabIndex = tabIndex};
}

// Boxes of the Weights frame: 975 x 285 at Left 1995, units 300 x 255 at Left 3000.
constexpr TwipsRect WeightBox(Twips top) { return {1995, top, 975, 285}; }
constexpr TwipsRect WeightUnit(Twips top) { return {3000, top, 300, 255}; }
constexpr TwipsRect WeightCaption(Twips top) { return {150, top, 1800, 255}; }
// The unit labels that nothing shows stand beyond the right edge of the Weights frame.
constexpr TwipsRect UnseenUnit(Twips top) { return {3525, top, 300, 255}; }

// Boxes of the Fuel frame: 975 x 285 at Left 2520, units 300 x 255 at Left 3525.
constexpr TwipsRect FuelBox(Twips top) { return {2520, top, 975, 285}; }
constexpr TwipsRect FuelUnit(Twips top) { return {3525, top, 300, 255}; }
constexpr TwipsRect FuelCaption(Twips top) { return {780, top, 1695, 255}; }

// clang-format off
constexpr auto kLayout = std::to_array<ControlLayout>({
    {.name = "Image1", .kind = ControlKind::kPicture, .container = kWindowName,
     .place = {45, 75, kBannerWidthTwips, kBannerHeightTwips}},
    TankBox("txtRightTank", "Right tank fuel", {1065, 900, 1095, 180}, 30),
    TankBox("txtLeftTank", "Left tank fuel", {5550, 900, 1095, 180}, 31),

    Frame("Frame1", "Trip Information", {60, 2115, 3975, 2820}),
    Caption("Label1", "Frame1", "Trip Distance:", {180, 285, 2295, 255}, "cboTripDistance"),
    List("cboTripDistance", {2520, 240, 975, 315}, 0),
    Caption("Label21", "Frame1", "n.m.", {3525, 285, 375, 255}),
    Caption("Label17", "Frame1", "Cruising Altitude:", {180, 645, 2295, 255}, "cboCruisingAlt"),
    List("cboCruisingAlt", {2520, 600, 975, 315}, 1),
    Caption("Label2", "Frame1", "Trip Wind:", {165, 1005, 1140, 255}, "cboWindType"),
    List("cboWindType", {1350, 945, 1125, 315}, 2),
    WindSpeedBox("txtHeadwind", "Trip Wind speed", {2520, 960, 975, 285}, 3),
    Caption("Label18", "Frame1", "kts.", {3525, 1020, 375, 255}),
    Caption("Label22", "Frame1", "Trip Temperature:", {165, 1335, 2295, 255}, "cboTemp"),
    List("cboTemp", {2505, 1290, 975, 315}, 4),
    Caption("Label20", "Frame1", "C", {3510, 1335, 375, 255}),
    Caption("Label35", "Frame1", "Alternate Distance:", {180, 1695, 2295, 255},
            "cboAlternateDistance"),
    List("cboAlternateDistance", {2520, 1650, 975, 315}, 5),
    Caption("Label34", "Frame1", "n.m.", {3540, 1695, 375, 255}),
    Caption("Label3", "Frame1", "Alternate Cruising Altitude:", {180, 2055, 2295, 255},
            "cboCruisingAltAlt"),
    List("cboCruisingAltAlt", {2520, 2010, 975, 315}, 6),
    Caption("Label19", "Frame1", "Alternate Wind:", {165, 2415, 1140, 255}, "cboWindTypeAlt"),
    List("cboWindTypeAlt", {1350, 2355, 1125, 315}, 7),
    WindSpeedBox("txtHeadwindAlt", "Alternate Wind speed", {2520, 2370, 975, 285}, 8),
    Caption("Label15", "Frame1", "kts.", {3525, 2430, 375, 255}),

    Frame("Frame2", "Weights", {4215, 2115, 3375, 2820}),
    Caption("Label4", kWeights, "Basic Operating Weight:", WeightCaption(285), "txtBOW"),
    DisplayBox("txtBOW", kWeights, WeightBox(240), 26),
    UnitLabel("lblUnits(17)", kWeights, WeightUnit(285)),
    Caption("Label5", kWeights, "Payload Weight:", WeightCaption(645), "txtPayload"),
    InputBox("txtPayload", kWeights, WeightBox(600), 12),
    UnitLabel("lblUnits(16)", kWeights, WeightUnit(645)),
    Caption("Label6", kWeights, "Zero Fuel Weight:", WeightCaption(1005), "txtZFW"),
    DisplayBox("txtZFW", kWeights, WeightBox(960), 21),
    UnitLabel("lblUnits(15)", kWeights, WeightUnit(1005)),
    Caption("Label8", kWeights, "Ramp Weight:", WeightCaption(1365), "txtTaxiWeight"),
    DisplayBox("txtTaxiWeight", kWeights, WeightBox(1320), 22),
    UnitLabel("lblUnits(14)", kWeights, WeightUnit(1365)),
    Caption("Label7", kWeights, "Gross Takeoff Weight:", WeightCaption(1725), "txtGTOW"),
    DisplayBox("txtGTOW", kWeights, WeightBox(1680), 23),
    UnitLabel("lblUnits(13)", kWeights, WeightUnit(1725)),
    Caption("Label16", kWeights, "Landing Weight:", WeightCaption(2085), "txtPLW"),
    DisplayBox("txtPLW", kWeights, WeightBox(2040), 24),
    UnitLabel("lblUnits(12)", kWeights, WeightUnit(2085)),
    Caption("Label23", kWeights, "Alternate Landing Weight:", {90, 2430, 1845, 255}, "txtPLWAlt"),
    DisplayBox("txtPLWAlt", kWeights, WeightBox(2400), 25),
    UnitLabel("lblUnits(18)", kWeights, WeightUnit(2430)),
    UnitLabel("lblUnits(0)", kWeights, UnseenUnit(285)),
    UnitLabel("lblUnits(1)", kWeights, UnseenUnit(645)),
    UnitLabel("lblUnits(2)", kWeights, UnseenUnit(1005)),
    UnitLabel("lblUnits(3)", kWeights, UnseenUnit(1365)),
    UnitLabel("lblUnits(4)", kWeights, UnseenUnit(1725)),
    UnitLabel("lblUnits(5)", kWeights, UnseenUnit(2085)),

    Frame("Frame3", "Fuel", {60, 5025, 3975, 2475}),
    Caption("Label13", kFuel, "Taxi Fuel:", FuelCaption(285), "txtTaxiFuel"),
    InputBox("txtTaxiFuel", kFuel, FuelBox(240), 9),
    UnitLabel("lblUnits(6)", kFuel, FuelUnit(285)),
    Caption("Label12", kFuel, "Trip Fuel:", FuelCaption(645), "txtEnrouteFuel"),
    DisplayBox("txtEnrouteFuel", kFuel, FuelBox(600), 28),
    UnitLabel("lblUnits(7)", kFuel, FuelUnit(645)),
    Caption("Label10", kFuel, "Holding Fuel:", FuelCaption(1005), "txtHoldingFuel"),
    InputBox("txtHoldingFuel", kFuel, FuelBox(960), 10),
    UnitLabel("lblUnits(8)", kFuel, FuelUnit(1005)),
    Caption("Label9", kFuel, "Alternate Fuel:", FuelCaption(1365), "txtAlternateFuel"),
    DisplayBox("txtAlternateFuel", kFuel, FuelBox(1320), 27),
    UnitLabel("lblUnits(9)", kFuel, FuelUnit(1365)),
    Caption("Label11", kFuel, "Reserve Fuel:", FuelCaption(1725), "txtMinimumFuel"),
    InputBox("txtMinimumFuel", kFuel, FuelBox(1680), 11),
    UnitLabel("lblUnits(10)", kFuel, FuelUnit(1725)),
    Caption("Label14", kFuel, "Total Fuel at Taxi:", FuelCaption(2085), "txtTotalFuel"),
    DisplayBox("txtTotalFuel", kFuel, FuelBox(2040), 29),
    UnitLabel("lblUnits(11)", kFuel, FuelUnit(2085)),

    Frame("frmAircraft", "V-Speeds", {4215, 5025, 3375, 1035}),
    {.name = "Label24", .kind = ControlKind::kLabel, .container = kSpeeds,
     .place = {90, 210, 2325, 750}, .background = kBlack},
    SpeedLabel("lblV1", {210, 270, 1050, 225}, kSpeedGreen),
    SpeedLabel("lblV2", {435, 495, 735, 225}, kSpeedYellow),
    SpeedLabel("lblVfto", {345, 720, 780, 225}, kSpeedWhite),
    SpeedLabel("lblVmLB0", {1395, 270, 915, 225}, kSpeedRed),
    SpeedLabel("lblVmLB15", {1305, 495, 1035, 225}, kSpeedBlue),
    SpeedLabel("lblVmHB30", {1275, 720, 1035, 225}, kSpeedBlue),
    {.name = "chkIcing", .kind = ControlKind::kCheckBox, .container = kSpeeds,
     .place = {2520, 405, 705, 405}, .tabIndex = 13},

    Caption("Label36", kWindowName, "Units:", {6090, 6255, 465, 240}, "cboUnits"),
    {.name = "cboUnits", .kind = ControlKind::kComboBox, .container = kWindowName,
     .place = {6600, 6210, 975, 315}, .tabIndex = 15},
    Button("cmdOperatingLimits", {4200, 6165, 1815, 375}, 14),
    Button("cmdReadPayload", {4200, 6630, 1815, 375}, 16),
    Button("cmdBoardFuel", {6120, 6630, 1455, 375}, 17),
    Button("cmdPrint", {4200, 7110, 1035, 375}, 18),
    Button("cmdAbout", {5355, 7110, 1035, 375}, 19),
    Button("cmdExit", {6510, 7110, 1065, 375}, 20),
});
// clang-format on

}  // namespace

std::span<const ControlLayout> MainWindowLayout() { return kLayout; }

TwipsRect PlaceInClientArea(const ControlLayout& control) {
  TwipsRect place = control.place;
  for (const ControlLayout* container = FindControlLayout(control.container); container != nullptr;
       container = FindControlLayout(container->container)) {
    place.left += container->place.left;
    place.top += container->place.top;
  }
  return place;
}

std::vector<const ControlLayout*> TabStopsInOrder() {
  std::vector<const ControlLayout*> stops;
  for (const ControlLayout& control : kLayout) {
    if (control.tabIndex != kNoTabStop) stops.push_back(&control);
  }
  std::ranges::sort(stops, {}, &ControlLayout::tabIndex);
  return stops;
}

const ControlLayout* FindControlLayout(std::string_view name) {
  for (const ControlLayout& control : kLayout) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

const ControlLayout* CaptionFor(std::string_view name) {
  for (const ControlLayout& control : kLayout) {
    if (!control.labelFor.empty() && control.labelFor == name) return &control;
  }
  return nullptr;
}

std::string_view AccessibleName(const ControlLayout& control) {
  if (!control.accessibleName.empty()) return control.accessibleName;
  const ControlLayout* caption = CaptionFor(control.name);
  if (caption == nullptr) return {};
  std::string_view name = caption->caption;
  if (name.ends_with(':')) name.remove_suffix(1);
  return name;
}

}  // namespace tarnwick
