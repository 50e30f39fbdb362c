// Timings of the planner window through its real Qt widgets, headless. A keystroke is sent to
// the payload box's QLineEdit as a key press and release through QApplication (QTest::keyClick),
// so it runs the box's key filter, the line edit's own editing, the model's Change event, the
// whole recalculation and every widget it rewrites. The recalculation writes the widgets
// synchronously, the speed label lblVmHB30 last, so the timed region ends after that one.
//
// The program makes its own private configuration and runtime folders (XDG_CONFIG_HOME,
// XDG_RUNTIME_DIR) and picks the offscreen platform unless QT_QPA_PLATFORM names another, so it
// never touches the user's settings and needs no display. The window's store is an in-memory
// one. Every case repeats and reports only its mean, median and spread; compare medians.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramState.h"
#include "ui/SettingsStore.h"
#include "ui/WindowSettings.h"
#include "ui/qt/PlannerStyle.h"
#include "ui/qt/PlannerWindow.h"

namespace tarnwick {
namespace {

constexpr int kRepetitions = 10;

// The payload box holds one of these two texts: a '0' typed at the end gives the second, a
// Backspace the first. With the stored plan below they put the gross takeoff weight about
// 5,400 kg apart, in different speed bands, so every computed box and speed label changes on
// every keystroke (checked before timing).
constexpr std::string_view kShortPayloadKg = "600";
constexpr std::string_view kLongPayloadKg = "6000";

// Every widget a recalculation rewrites when the payload moves, the last-written one last.
constexpr std::array<const char*, 10> kComputedBoxes = {
    "txtZFW",           "txtTaxiWeight",  "txtGTOW",      "txtPLW",       "txtPLWAlt",
    "txtAlternateFuel", "txtEnrouteFuel", "txtTotalFuel", "txtRightTank", "txtLeftTank"};
constexpr std::array<const char*, 6> kSpeedLabels = {"lblV1",    "lblV2",     "lblVfto",
                                                     "lblVmLB0", "lblVmLB15", "lblVmHB30"};
constexpr const char* kLastWrittenWidget = "lblVmHB30";

// Counts the paint events of one widget.
class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) : QObject(&widget) { widget.installEventFilter(this); }
  long Count() const { return count_; }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  long count_ = 0;
};

// The planner composed as the window program composes it, except for an in-memory store that
// holds a plan in kilograms with icing: a 300 nm trip with a 100 nm alternate, so that the
// payload moves the alternate fuel too, and non-zero taxi, holding and minimum fuel. Its window
// is shown and the payload box holds kShortPayloadKg with the caret at its end.
class ShownPlanner {
 public:
  ShownPlanner() {
    Store("Units", "1");
    Store("Icing", "1");
    Store("TripDistance", "5");
    Store("AlternateDistance", "2");
    Store("Payload", kShortPayloadKg);
    Store("TaxiFuel", "100");
    Store("HoldingFuel", "400");
    Store("MinimumFuel", "300");
    window_.Controls().frmMain.Show();
    QCoreApplication::processEvents();  // the first paint, outside every timing
    payload_ = Find<QLineEdit>("txtPayload");
    payload_->setFocus(Qt::OtherFocusReason);
    payload_->end(false);
  }
  ShownPlanner(const ShownPlanner&) = delete;
  ShownPlanner& operator=(const ShownPlanner&) = delete;

  QLineEdit& Payload() { return *payload_; }
  const MessageRecorder& Messages() const { return messages_; }

  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = shown_.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) throw std::logic_error(std::string("no widget ") + name);
    return widget;
  }

  // What the widgets of the computed figures show, box by box and label by label.
  QStringList ShownFigures() const {
    QStringList figures;
    for (const char* name : kComputedBoxes) figures.push_back(Find<QLineEdit>(name)->text());
    for (const char* name : kSpeedLabels) figures.push_back(Find<QLabel>(name)->text());
    return figures;
  }

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
  PlannerWindow shown_{window_.Controls()};
  QLineEdit* payload_ = nullptr;
};

// The key that moves the payload box to the other of its two texts.
Qt::Key NextKey(const QLineEdit& payload) {
  return payload.text() == QString::fromLatin1(kShortPayloadKg.data(),
                                               static_cast<qsizetype>(kShortPayloadKg.size()))
             ? Qt::Key_0
             : Qt::Key_Backspace;
}

// Skips the case unless a '0' and a Backspace typed into the payload box move it between its
// two texts, change every computed widget, the last-written one included, and show no message.
bool KeystrokesMoveEveryFigure(benchmark::State& state, ShownPlanner& planner) {
  QLineEdit& payload = planner.Payload();
  const QStringList before = planner.ShownFigures();
  QTest::keyClick(&payload, Qt::Key_0);
  const QStringList after = planner.ShownFigures();
  const QString longText = payload.text();
  QTest::keyClick(&payload, Qt::Key_Backspace);
  const QString shortText = payload.text();
  if (longText.toStdString() != kLongPayloadKg || shortText.toStdString() != kShortPayloadKg) {
    state.SkipWithError(("the keys gave the payload texts " + longText.toStdString() + " and " +
                         shortText.toStdString())
                            .c_str());
    return false;
  }
  if (planner.ShownFigures() != before) {
    state.SkipWithError("typing and erasing a digit did not restore the figures");
    return false;
  }
  for (qsizetype i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) {
      state.SkipWithError(
          ("the keystroke leaves a widget unchanged: " + before[i].toStdString()).c_str());
      return false;
    }
  }
  if (!planner.Messages().Shown().empty()) {
    state.SkipWithError("the window showed a message while loading or recalculating");
    return false;
  }
  return true;
}

// Skips the case if the payload box ended anywhere but on one of its two texts.
void CheckNoDrift(benchmark::State& state, const QLineEdit& payload) {
  const std::string text = payload.text().toStdString();
  if (text != kShortPayloadKg && text != kLongPayloadKg) {
    state.SkipWithError(("the payload box drifted to " + text).c_str());
  }
}

// One accepted keystroke (press and release) in txtPayload, from the key event to the last
// widget the recalculation rewrites. A digit and Backspace take turns at the end of the box.
void BM_PayloadKeystrokeToLastWidget(benchmark::State& state) {
  ShownPlanner planner;
  if (!KeystrokesMoveEveryFigure(state, planner)) return;
  QLineEdit& payload = planner.Payload();
  auto* lastWritten = planner.Find<QLabel>(kLastWrittenWidget);
  for (auto _ : state) {
    QTest::keyClick(&payload, NextKey(payload));
    benchmark::DoNotOptimize(lastWritten->text().constData());
  }
  CheckNoDrift(state, payload);
  QCoreApplication::processEvents();  // the repaints the loop left pending, untimed
}

// One keystroke and the event loop's pass that repaints what it rewrote. Kept out of line so
// that tools/measure-window-instructions.sh can count the instructions of exactly this.
[[gnu::noinline]] void TypeAndRepaint(QLineEdit& payload) {
  QTest::keyClick(&payload, NextKey(payload));
  QCoreApplication::processEvents();
}

// As the case above, followed by one pass of the event loop: the widgets the keystroke
// rewrote repaint into the offscreen backing store, which is flushed. The paint events of the
// last-written widget are counted to show that it really repainted every time.
void BM_PayloadKeystrokeAndRepaint(benchmark::State& state) {
  ShownPlanner planner;
  if (!KeystrokesMoveEveryFigure(state, planner)) return;
  QCoreApplication::processEvents();
  QLineEdit& payload = planner.Payload();
  auto* lastWritten = planner.Find<QLabel>(kLastWrittenWidget);
  const PaintCounter* paints = new PaintCounter(*lastWritten);  // owned by the label
  for (auto _ : state) TypeAndRepaint(payload);
  CheckNoDrift(state, payload);
  if (paints->Count() < state.iterations()) {
    state.SkipWithError(("the last-written widget painted " + std::to_string(paints->Count()) +
                         " times in " + std::to_string(state.iterations()) + " keystrokes")
                            .c_str());
  }
}

void Repeated(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_PayloadKeystrokeToLastWidget)->Apply(Repeated);
BENCHMARK(BM_PayloadKeystrokeAndRepaint)->Apply(Repeated);

std::filesystem::path MakePrivateDirectory(const std::string& purpose) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("tarnwick-bench-" + purpose + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  return pattern;  // mkdtemp makes it 0700, as Qt wants of a runtime folder
}

}  // namespace
}  // namespace tarnwick

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const std::filesystem::path config = tarnwick::MakePrivateDirectory("config");
  const std::filesystem::path runtime = tarnwick::MakePrivateDirectory("runtime");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  {
    QApplication application(argc, argv);
    tarnwick::ApplyPlannerStyle(application);
    benchmark::AddCustomContext("qt_version", qVersion());
    benchmark::AddCustomContext("qt_platform", QGuiApplication::platformName().toStdString());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  std::filesystem::remove_all(config);
  std::filesystem::remove_all(runtime);
  return 0;
}
