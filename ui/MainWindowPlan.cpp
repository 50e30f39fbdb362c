// The main window's recalculation: read the inputs, compute the plan, show it.
#include <string>

#include "core/ArithmeticFault.h"
#include "core/TakeoffSpeeds.h"
#include "core/WeightUnits.h"
#include "ui/MainWindow.h"
#include "ui/SpeedCaptions.h"

namespace tarnwick {
namespace {

// Holds the window's suppression flag up while the window writes its own boxes, and drops it
// whatever happens.
class SuppressRecalcScope {
 public:
  explicit SuppressRecalcScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~SuppressRecalcScope() { flag_ = false; }
  SuppressRecalcScope(const SuppressRecalcScope&) = delete;
  SuppressRecalcScope& operator=(const SuppressRecalcScope&) = delete;

 private:
  bool& flag_;
};

std::string SpeedCaption(std::string_view prefix, int knots) {
  return std::string(prefix) + std::to_string(knots);
}

}  // namespace

bool MainWindow::Recalculate() {
  if (suppressRecalc_) return false;
  try {
    const PlanOutcome outcome =
        ComputePlan(ReadPlanInputs(), state_.models.At(state_.model), state_.plan);
    ShowLimitColours(outcome.exceeded);
    WriteOutputBoxes(outcome);
    WriteTankTexts();
    ShowTakeoffSpeeds();
    return true;
  } catch (const OverflowFault&) {
    services_.messages.Show(kOverflowMessageText, "Error", MessageBoxStyle::kExclamation);
    return false;
  } catch (const ArithmeticFault&) {
    return false;
  } catch (const SubscriptOutOfRange&) {
    return false;
  }
}

void MainWindow::ShowBOW() {
  const std::int32_t bowKg = state_.models.At(state_.model).basicOperatingWeightKg;
  state_.plan.BOW = static_cast<double>(bowKg);
  controls_.txtBOW.SetText(std::to_string(bowKg));
}

PlanInputs MainWindow::ReadPlanInputs() const {
  const MainWindowControls& c = controls_;
  return {.payload = c.txtPayload.Text(),
          .taxiFuel = c.txtTaxiFuel.Text(),
          .holdingFuel = c.txtHoldingFuel.Text(),
          .minimumFuel = c.txtMinimumFuel.Text(),
          .tripDistanceIndex = c.cboTripDistance.SelectedIndex(),
          .cruisingAltIndex = c.cboCruisingAlt.SelectedIndex(),
          .headwind = c.txtHeadwind.Text(),
          .windTypeIndex = c.cboWindType.SelectedIndex(),
          .tempIndex = c.cboTemp.SelectedIndex(),
          .alternateDistanceIndex = c.cboAlternateDistance.SelectedIndex(),
          .cruisingAltAltIndex = c.cboCruisingAltAlt.SelectedIndex(),
          .headwindAlt = c.txtHeadwindAlt.Text(),
          .windTypeAltIndex = c.cboWindTypeAlt.SelectedIndex(),
          .unitIndex = c.cboUnits.SelectedIndex()};
}

void MainWindow::ShowLimitColours(const LimitExceedances& exceeded) {
  MainWindowControls& c = controls_;
  c.txtZFW.SetTextColor(exceeded.zeroFuelWeight ? kRed : kBlack);
  c.txtPLW.SetTextColor(exceeded.landingWeight ? kRed : kBlack);
  c.txtGTOW.SetTextColor(exceeded.takeoffWeight ? kRed : kBlack);
  c.txtTaxiWeight.SetTextColor(exceeded.taxiWeight ? kRed : kBlack);
  c.txtTotalFuel.SetTextColor(exceeded.totalFuel ? kRed : kBlack);
  c.txtLeftTank.SetTextColor(exceeded.totalFuel ? kRed : kBlue);
  c.txtRightTank.SetTextColor(exceeded.totalFuel ? kRed : kBlue);
}

void MainWindow::WriteOutputBoxes(const PlanOutcome& outcome) {
  const SuppressRecalcScope suppress(suppressRecalc_);
  MainWindowControls& c = controls_;
  const PlanResults& r = state_.plan;
  const int unit = c.cboUnits.SelectedIndex();
  const auto shown = [unit](double kg) { return KgToText(kg, unit); };
  // The pilot's own weight inputs stay empty rather than showing a zero.
  const auto blankIfZero = [unit](double kg) { return kg == 0.0 ? "" : KgToText(kg, unit); };

  c.txtBOW.SetText(shown(r.BOW));
  c.txtPayload.SetText(blankIfZero(r.Payload));
  c.txtZFW.SetText(shown(r.ZFW));
  c.txtPLW.SetText(shown(r.PLW));
  c.txtPLWAlt.SetText(shown(r.PLWAlt));
  c.txtGTOW.SetText(shown(r.GTOW));
  c.txtTaxiWeight.SetText(shown(r.TaxiWeight));
  c.txtAlternateFuel.SetText(shown(outcome.AlternateFuel));
  c.txtHoldingFuel.SetText(blankIfZero(r.HoldingFuel));
  c.txtMinimumFuel.SetText(blankIfZero(r.MinimumFuel));
  c.txtEnrouteFuel.SetText(shown(outcome.EnrouteFuel));
  c.txtTaxiFuel.SetText(blankIfZero(r.TaxiFuel));
  c.txtTotalFuel.SetText(shown(r.TotalFuel));
}

// In kilograms the tank figure is the fuel rounded to a 32-bit whole number, which is what
// KgToText gives; a figure beyond 32 bits shows as "???" in either unit.
void MainWindow::WriteTankTexts() {
  MainWindowControls& c = controls_;
  const int unit = c.cboUnits.SelectedIndex();
  c.txtRightTank.SetText(KgToText(state_.plan.TankFuel, unit) + std::string(UnitSuffix(unit)));
  c.txtLeftTank.SetText(c.txtRightTank.Text());
}

void MainWindow::ShowTakeoffSpeeds() {
  MainWindowControls& c = controls_;
  const TakeoffSpeeds speeds = SelectTakeoffSpeeds(state_.plan.GTOW, c.chkIcing.Value() != 0);
  c.lblV1.SetCaption(SpeedCaption(kV1CaptionPrefix, speeds.v1));
  c.lblV2.SetCaption(SpeedCaption(kV2CaptionPrefix, speeds.v2));
  c.lblVfto.SetCaption(SpeedCaption(kVftoCaptionPrefix, speeds.vfto));
  c.lblVmLB0.SetCaption(SpeedCaption(kVmLB0CaptionPrefix, speeds.vmlb0));
  c.lblVmLB15.SetCaption(speeds.vmlb15
                             ? SpeedCaption(kVmLB15CaptionPrefix, *speeds.vmlb15)
                             : std::string(kVmLB15CaptionPrefix) + std::string(kNoSpeedText));
  c.lblVmHB30.SetCaption(SpeedCaption(kVmHB30CaptionPrefix, speeds.vmhb30));
}

}  // namespace tarnwick
