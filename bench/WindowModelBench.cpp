// Timings of the main window model, driven the way the pilot and the program drive it. Each
// iteration of the cases below, except the one named Unchanged, moves the plan between two
// payloads whose figures differ in every computed box and every takeoff speed caption, so the
// boxes are really rewritten rather than skipped as unchanged texts.
//
// Every case repeats and reports only its mean, median and spread; compare medians.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramState.h"
#include "ui/SettingsStore.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

constexpr int kRepetitions = 10;

// Two payloads in kilograms that put the gross takeoff weight in different speed bands (about
// 18,700 and 21,700 kg with the stored plan below).
constexpr std::array<std::string_view, 2> kPayloadsKg = {"3000", "6000"};

// The main window after its first Show, loaded from a store that holds a plan in kilograms with
// icing: a 300 nm trip with a 100 nm alternate, so that the payload moves the alternate fuel too,
// and non-zero taxi, holding and minimum fuel.
class LoadedWindow {
 public:
  LoadedWindow() {
    Store("Units", "1");
    Store("Icing", "1");
    Store("TripDistance", "5");
    Store("AlternateDistance", "2");
    Store("Payload", kPayloadsKg[0]);
    Store("TaxiFuel", "100");
    Store("HoldingFuel", "400");
    Store("MinimumFuel", "300");
    window_.Controls().frmMain.Show();
  }
  LoadedWindow(const LoadedWindow&) = delete;
  LoadedWindow& operator=(const LoadedWindow&) = delete;

  MainWindow& Window() { return window_; }
  MainWindowControls& Controls() { return window_.Controls(); }
  const MessageRecorder& Messages() const { return messages_; }

 private:
  void Store(std::string_view key, std::string_view value) {
    settings_.Write(kSettingsApplication, kSettingsSection, key, value);
  }

  MessageRecorder messages_;
  InMemorySettingsStore settings_;
  ProgramState state_;
  MainWindow window_{
      state_,
      {.messages = messages_, .settings = settings_, .numberFormat = {}, .closeSimulatorLink = {}}};
};

// Every figure a recalculation shows that the payload can move: the computed boxes, the tanks
// and the speed captions (the basic operating weight and the pilot's own inputs stay put).
std::vector<std::string> ComputedFigures(const MainWindowControls& c) {
  std::vector<std::string> figures;
  for (const TextBox* box :
       {&c.txtZFW, &c.txtTaxiWeight, &c.txtGTOW, &c.txtPLW, &c.txtPLWAlt, &c.txtEnrouteFuel,
        &c.txtAlternateFuel, &c.txtTotalFuel, &c.txtRightTank, &c.txtLeftTank}) {
    figures.push_back(box->Text());
  }
  for (const Label* label :
       {&c.lblV1, &c.lblV2, &c.lblVfto, &c.lblVmLB0, &c.lblVmLB15, &c.lblVmHB30}) {
    figures.push_back(label->Caption());
  }
  return figures;
}

// Skips the case unless the window loaded without a message and the two payloads, written with
// the window's own handlers, give figures that differ one by one: otherwise the timing would be
// of a pass that leaves boxes untouched.
bool PayloadsMoveEveryFigure(benchmark::State& state, LoadedWindow& loaded) {
  TextBox& payload = loaded.Controls().txtPayload;
  payload.SetText(std::string(kPayloadsKg[1]));
  const std::vector<std::string> second = ComputedFigures(loaded.Controls());
  payload.SetText(std::string(kPayloadsKg[0]));
  const std::vector<std::string> first = ComputedFigures(loaded.Controls());
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (first[i] == second[i]) {
      state.SkipWithError(("the payloads leave a figure unchanged: " + first[i]).c_str());
      return false;
    }
  }
  if (!loaded.Messages().Shown().empty()) {
    state.SkipWithError("the window showed a message while loading or recalculating");
    return false;
  }
  return true;
}

// One Recalculate whose figures all differ from the last pass. The payload box is unhooked from
// its Change handler so that writing it only stores the text; the next case times that write on
// its own.
void BM_RecalculateAfterPayloadStored(benchmark::State& state) {
  LoadedWindow loaded;
  if (!PayloadsMoveEveryFigure(state, loaded)) return;
  TextBox& payload = loaded.Controls().txtPayload;
  payload.SetChangeHandler({});
  std::size_t next = 1;
  for (auto _ : state) {
    payload.SetText(std::string(kPayloadsKg[next]));
    benchmark::DoNotOptimize(loaded.Window().Recalculate());
    next ^= 1;
  }
}

// The payload write of the case above without the recalculation: what to subtract from it.
void BM_PayloadStoredWithoutHandler(benchmark::State& state) {
  LoadedWindow loaded;
  TextBox& payload = loaded.Controls().txtPayload;
  payload.SetChangeHandler({});
  std::size_t next = 1;
  for (auto _ : state) {
    payload.SetText(std::string(kPayloadsKg[next]));
    benchmark::DoNotOptimize(payload.Text().data());
    next ^= 1;
  }
}

// A program write of the payload box with the window's wiring intact: Change runs Recalculate
// before SetText returns.
void BM_PayloadProgramWriteRecalculates(benchmark::State& state) {
  LoadedWindow loaded;
  if (!PayloadsMoveEveryFigure(state, loaded)) return;
  TextBox& payload = loaded.Controls().txtPayload;
  std::size_t next = 1;
  for (auto _ : state) {
    payload.SetText(std::string(kPayloadsKg[next]));
    benchmark::DoNotOptimize(payload.Text().data());
    next ^= 1;
  }
}

// Recalculate on inputs that have not changed: the plan is computed and the speeds looked up,
// but every box and caption already holds its text, so nothing is written.
void BM_RecalculateUnchanged(benchmark::State& state) {
  LoadedWindow loaded;
  for (auto _ : state) benchmark::DoNotOptimize(loaded.Window().Recalculate());
}

// One accepted keystroke at the end of the payload box: KeyPress filters it, the text changes
// and Change recalculates. A digit and Backspace take turns, so the payload moves between 700
// and 7000 kg and the box never grows.
void BM_PayloadKeystroke(benchmark::State& state) {
  LoadedWindow loaded;
  TextBox& payload = loaded.Controls().txtPayload;
  payload.SetText("700");
  const std::array<std::int16_t, 2> keys = {'0', kBackspaceKey};
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(payload.TypeKeyAtEnd(keys[next]));
    next ^= 1;
  }
  if (payload.Text() != "700" && payload.Text() != "7000") {
    state.SkipWithError(("the payload box drifted to " + payload.Text()).c_str());
  }
}

// Picking the other unit: every unit label is recaptioned and every box, the basic operating
// weight and the pilot's inputs included, is rewritten in the new unit.
void BM_UnitsToggle(benchmark::State& state) {
  LoadedWindow loaded;
  ComboBox& units = loaded.Controls().cboUnits;
  int next = 0;
  for (auto _ : state) {
    units.SetSelectedIndex(next);
    benchmark::DoNotOptimize(units.SelectedIndex());
    next ^= 1;
  }
}

void Repeated(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_RecalculateAfterPayloadStored)->Apply(Repeated);
BENCHMARK(BM_PayloadStoredWithoutHandler)->Apply(Repeated);
BENCHMARK(BM_PayloadProgramWriteRecalculates)->Apply(Repeated);
BENCHMARK(BM_RecalculateUnchanged)->Apply(Repeated);
BENCHMARK(BM_PayloadKeystroke)->Apply(Repeated);
BENCHMARK(BM_UnitsToggle)->Apply(Repeated);

}  // namespace
}  // namespace tarnwick
