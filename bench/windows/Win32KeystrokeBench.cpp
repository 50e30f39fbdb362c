// One accepted keystroke in txtPayload of the native window, timed from the WM_CHAR to its
// return, by which the recalculation has rewritten every box and label it changes (the
// keystroke is handled synchronously to its end). Beside it, in the same run, the baseline: the
// same keystroke into a plain edit box with nothing behind it. A digit and Backspace alternate,
// so every keystroke changes the plan. Prints the median and the 90th percentile of each;
// measures only, asserts nothing. Two optional arguments set the number of keystrokes into the
// planner and into the plain edit box (400 each by default), so that runs with and without them
// tell apart what the keystrokes themselves cost, for example in requests to Wine's window
// server.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "ui/MainWindow.h"
#include "ui/ProgramState.h"
#include "ui/win32/Win32PlannerWindow.h"

namespace {

constexpr int kDefaultKeystrokes = 400;

struct Timing {
  double medianMicroseconds;
  double ninetiethMicroseconds;
};

// Times kKeystrokes WM_CHAR messages to the edit box, a digit and Backspace in turn.
// The median and 90th percentile of the timings; zeros when there are none.
Timing Percentiles(std::vector<double> micros) {
  if (micros.empty()) return {0.0, 0.0};
  std::ranges::sort(micros);
  return {micros[micros.size() / 2], micros[micros.size() * 9 / 10]};
}

Timing TimeKeystrokes(HWND edit, int keystrokes) {
  std::vector<double> micros;
  for (int stroke = 0; stroke < keystrokes; ++stroke) {
    const WPARAM key = stroke % 2 == 0 ? L'7' : L'\b';
    const auto start = std::chrono::steady_clock::now();
    SendMessageW(edit, WM_CHAR, key, 1);
    const auto end = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  return Percentiles(std::move(micros));
}

Timing TimeModelKeystrokes(tarnwick::TextBox& box, int keystrokes) {
  std::vector<double> micros;
  for (int stroke = 0; stroke < keystrokes; ++stroke) {
    const std::int16_t key = stroke % 2 == 0 ? '7' : tarnwick::kBackspaceKey;
    const auto start = std::chrono::steady_clock::now();
    box.TypeKeyAtEnd(key);
    const auto end = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  return Percentiles(std::move(micros));
}

}  // namespace

int main(int argc, char** argv) {
  const int keystrokes = argc > 1 ? std::atoi(argv[1]) : kDefaultKeystrokes;
  const int plainKeystrokes = argc > 2 ? std::atoi(argv[2]) : kDefaultKeystrokes;
  tarnwick::ProgramState state;
  tarnwick::InMemorySettingsStore store;
  tarnwick::MessageRecorder messages;
  tarnwick::MainWindow model(state, {messages, store, tarnwick::NumberFormat{}, {}});
  tarnwick::Win32PlannerWindow window(model.Controls(), GetModuleHandleW(nullptr));
  model.Controls().frmMain.Show();
  const HWND payload = window.ControlHandle("txtPayload");
  SendMessageW(payload, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"100"));
  SendMessageW(payload, EM_SETSEL, 3, 3);
  // A timing of keystrokes that change nothing would say nothing: check that one does.
  const std::string zeroFuelWeight = model.Controls().txtZFW.Text();
  SendMessageW(payload, WM_CHAR, L'7', 1);
  const bool recalculates = model.Controls().txtZFW.Text() != zeroFuelWeight;
  SendMessageW(payload, WM_CHAR, L'\b', 1);
  if (!recalculates) {
    std::fprintf(stderr, "a keystroke in txtPayload did not change txtZFW\n");
    return 1;
  }
  const Timing planner = TimeKeystrokes(payload, keystrokes);

  const HWND plain = CreateWindowExW(0, L"EDIT", L"100", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20,
                                     window.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, EM_SETSEL, 3, 3);
  const Timing baseline = TimeKeystrokes(plain, plainKeystrokes);

  // And the window model alone, without a window: what the recalculation itself costs here.
  tarnwick::ProgramState bareState;
  tarnwick::MainWindow bareModel(bareState, {messages, store, tarnwick::NumberFormat{}, {}});
  bareModel.Controls().frmMain.Show();
  const std::string bareWeight = bareModel.Controls().txtZFW.Text();
  bareModel.Controls().txtPayload.TypeKeyAtEnd('7');
  if (bareModel.Controls().txtZFW.Text() == bareWeight) {
    std::fprintf(stderr, "a keystroke into the bare model did not change txtZFW\n");
    return 1;
  }
  const Timing modelAlone = TimeModelKeystrokes(bareModel.Controls().txtPayload, keystrokes);

  std::printf("keystroke in txtPayload to the last label rewritten: median %.1f us, p90 %.1f us\n",
              planner.medianMicroseconds, planner.ninetiethMicroseconds);
  std::printf("baseline, the same keystroke into a plain edit box: median %.1f us, p90 %.1f us\n",
              baseline.medianMicroseconds, baseline.ninetiethMicroseconds);
  std::printf("the window model alone, no window: median %.1f us, p90 %.1f us\n",
              modelAlone.medianMicroseconds, modelAlone.ninetiethMicroseconds);
  return 0;
}
