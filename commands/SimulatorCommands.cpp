#include "commands/SimulatorCommands.h"

#include <optional>
#include <span>
#include <string>

#include "commands/SimulatorUnits.h"
#include "core/ArithmeticFault.h"
#include "core/WeightUnits.h"
#include "simlink/SimulatorExchange.h"
#include "simlink/SimulatorOffsets.h"
#include "simlink/XPlaneAircraft.h"

namespace tarnwick {
namespace {

constexpr std::string_view kConnectionAdvice = "Ensure that Flight Simulator is running.";

std::optional<std::int32_t> TankLevelFor(const PlanResults& plan, const AircraftModel& model) {
  try {
    return TankLevel(plan.TankFuel, static_cast<double>(model.tankCapacityKg));
  } catch (const OverflowFault&) {
    return std::nullopt;
  }
}

}  // namespace

SimulatorCommands::SimulatorCommands(MainWindow& window, ProgramState& state, IpcClient& link,
                                     MessageBoxPresenter& messages, XPlaneClient* xplane)
    : window_(window), state_(state), link_(link), messages_(messages), xplane_(xplane) {}

void SimulatorCommands::WireButtons() {
  MainWindowControls& controls = window_.Controls();
  controls.cmdReadPayload.SetClickHandler([this] { ReadPayload(); });
  controls.cmdBoardFuel.SetClickHandler([this] { BoardFuel(); });
}

bool SimulatorCommands::ConnectToSimulator() {
  const auto resultTexts = LinkResultTexts();
  link_.LinkInit();
  LinkResult result = LinkResult::kConnected;
  linkedToXPlane_ = false;
  if (link_.LinkOpen(kAnySimulator, result)) {
    state_.simConnected = true;
    return true;
  }
  if (result == LinkResult::kNoServer && xplane_ != nullptr && xplane_->Find()) {
    linkedToXPlane_ = true;
    state_.simConnected = true;
    return true;
  }
  const std::string text = "FSUIPC connection failure: " +
                           std::string(resultTexts.at(static_cast<std::size_t>(result))) +
                           "\r\n\r\n" + std::string(kConnectionAdvice);
  messages_.Show(text, "Error!", MessageBoxStyle::kError);
  state_.simConnected = false;
  return false;
}

bool SimulatorCommands::EnsureConnected() { return state_.simConnected || ConnectToSimulator(); }

void SimulatorCommands::ReadPayload() {
  if (!EnsureConnected()) return;
  const std::optional<double> payloadKg =
      linkedToXPlane_ ? ReadXPlanePayloadKg(*xplane_) : ReadIpcPayloadKg();
  if (!payloadKg) {
    messages_.Show("Read failed!", "Error", MessageBoxStyle::kNoIcon);
    return;
  }
  MainWindowControls& controls = window_.Controls();
  const int unitIndex = controls.cboUnits.SelectedIndex();
  state_.plan.Payload = *payloadKg;
  controls.txtPayload.SetText(KgToText(state_.plan.Payload, unitIndex));
  const std::string_view unitWord = unitIndex == kKilogramsUnitIndex ? " kilograms." : " pounds.";
  messages_.Show("Payload weight read as " + controls.txtPayload.Text() + std::string(unitWord),
                 "Success!", MessageBoxStyle::kInformation);
}

// The payload the simulator's zero fuel weight leaves over the model's basic operating weight.
std::optional<double> SimulatorCommands::ReadIpcPayloadKg() {
  std::int32_t zeroFuelWeight = 0;
  LinkResult result = LinkResult::kConnected;
  if (!ReadAndProcess(link_, kZeroFuelWeightOffset,
                      std::as_writable_bytes(std::span(&zeroFuelWeight, 1)), result)) {
    return std::nullopt;
  }
  const auto bowKg = static_cast<double>(state_.models.At(state_.model).basicOperatingWeightKg);
  return PayloadFromZeroFuelWeight(ZeroFuelWeightPounds(zeroFuelWeight), bowKg);
}

// A level beyond 32 bits cannot be boarded; the pilot is told as for any value too large,
// before the simulator is touched.
void SimulatorCommands::BoardFuel() {
  if (!window_.Recalculate()) return;
  const std::optional<std::int32_t> level =
      TankLevelFor(state_.plan, state_.models.At(state_.model));
  if (!level) {
    messages_.Show(kOverflowMessageText, "Error", MessageBoxStyle::kExclamation);
    return;
  }
  if (!EnsureConnected()) return;
  const bool boarded = linkedToXPlane_ ? BoardXPlaneFuel(*xplane_, state_.plan.TankFuel)
                                       : WriteTankLevel(kLeftMainTankOffset, *level) &&
                                             WriteTankLevel(kRightMainTankOffset, *level);
  if (!boarded) {
    messages_.Show("Variable write failed!", "Error", MessageBoxStyle::kNoIcon);
    return;
  }
  messages_.Show("The fuel was successfully boarded.", "Success!", MessageBoxStyle::kInformation);
}

bool SimulatorCommands::WriteTankLevel(std::int32_t offset, std::int32_t level) {
  LinkResult result = LinkResult::kConnected;
  return WriteAndProcess(link_, offset, std::as_bytes(std::span(&level, 1)), result);
}

}  // namespace tarnwick
