// The planner's native window under Windows (or Wine), driven as the pilot would: keys, list
// picks and clicks go through the program's message route to the real controls, and the tests
// read what the controls show.
#include <gtest/gtest.h>
#include <process.h>

#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "commands/SimulatorCommands.h"
#include "simlink/IpcClient.h"
#include "simlink/SystemIpcPort.h"
#include "tests/apps/StubProcess.h"
#include "tests/apps/TemporaryDirectory.h"
#include "tests/shared/SimulatorFigures.h"
#include "tests/windows/PlannerRun.h"
#include "tests/windows/Win32WindowDriver.h"
#include "ui/MainWindow.h"
#include "ui/ProgramState.h"
#include "ui/WindowLayout.h"
#include "ui/win32/Win32MessageBoxPresenter.h"
#include "ui/win32/Win32PlannerWindow.h"
#include "ui/win32/Win32SettingsStore.h"

namespace tarnwick {
namespace {

constexpr COLORREF kDisplayBoxGrey = 0xC0C0C0;
constexpr int kTabStops = 32;

// The control's place in the window's client area, in pixels.
RECT PlaceInWindow(HWND control, HWND window) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Each test keeps its settings under a registry key of its own, removed afterwards.
class Win32PlannerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { run_ = std::make_unique<PlannerRun>(store_); }
  void TearDown() override {
    run_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
  }

  void Restart() {
    run_.reset();
    run_ = std::make_unique<PlannerRun>(store_);
  }

  Win32WindowDriver& Driver() { return run_->Driver(); }

  std::wstring base_ = L"Software\\TarnwickWindowTest" + std::to_wstring(_getpid());
  Win32SettingsStore store_{HKEY_CURRENT_USER, base_};
  std::unique_ptr<PlannerRun> run_;
};

TEST_F(Win32PlannerWindowTest, OpensWithTheLayoutsWindowAndControls) {
  const HWND window = run_->Window().Handle();
  const int dpi = run_->Window().Dpi();
  wchar_t caption[32] = {};
  GetWindowTextW(window, caption, 32);
  EXPECT_STREQ(caption, L"Tarnwick");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

  const std::span<const ControlLayout> layout = MainWindowLayout();
  for (std::size_t row = 0; row < layout.size(); ++row) {
    const HWND control = run_->Window().ControlHandle(layout[row].name);
    ASSERT_NE(control, nullptr) << layout[row].name;
    // Frames are drawn behind their controls, never their parents.
    EXPECT_EQ(GetParent(control), window) << layout[row].name;
    EXPECT_EQ(GetDlgCtrlID(control), Win32PlannerWindow::kFirstControlId + static_cast<int>(row));
    if (layout[row].kind != ControlKind::kTextBox) continue;
    const RECT place = PlaceInWindow(control, window);
    const TwipsRect twips = PlaceInClientArea(layout[row]);
    EXPECT_EQ(place.left, TwipsToPixels(twips.left, dpi)) << layout[row].name;
    EXPECT_EQ(place.top, TwipsToPixels(twips.top, dpi)) << layout[row].name;
    EXPECT_EQ(place.right - place.left, TwipsToPixels(twips.width, dpi)) << layout[row].name;
  }
  EXPECT_EQ(Driver().FocusedName(), "cboTripDistance");
}

// Each accepted keystroke, Delete and paste in each of the six input boxes recomputes the plan
// exactly once; a refused key not at all.
TEST_F(Win32PlannerWindowTest, EachAcceptedEditRecalculatesOnce) {
  int fullPasses = 0;
  MainWindow& planner = run_->Planner();
  for (TextBox* box : run_->Model().InputBoxes()) {
    box->SetChangeHandler([&] { fullPasses += planner.Recalculate() ? 1 : 0; });
  }
  for (TextBox* box : run_->Model().InputBoxes()) {
    SCOPED_TRACE(box->Name());
    fullPasses = 0;
    Driver().TypeKeys(box->Name(), "1a2");
    EXPECT_EQ(fullPasses, 2);
    Driver().PressKey(VK_HOME);
    Driver().PressKey(VK_DELETE);
    EXPECT_EQ(fullPasses, 3);
    Driver().Paste(box->Name(), "40");
    EXPECT_EQ(Driver().ShownText(box->Name()), "40");
    EXPECT_EQ(fullPasses, 4);
  }
}

// Ctrl+V, Ctrl+C, Enter and Escape arrive in an edit box as character codes: the key filter
// discards them (Ctrl+V does not paste; Shift+Insert and the context menu do).
TEST_F(Win32PlannerWindowTest, ControlCharactersAreDiscarded) {
  Driver().TypeKeys("txtTaxiFuel",
                    "\x16\x03\r\x1b"
                    "12");
  EXPECT_EQ(Driver().ShownText("txtTaxiFuel"), "12");
}

TEST_F(Win32PlannerWindowTest, WithoutASimulatorBothCommandsReportTheConnectionFailure) {
  const std::string failure =
      "FSUIPC connection failure: Cannot link to FSUIPC or WideClient\r\n\r\n"
      "Ensure that Flight Simulator is running.";
  const MessageBoxContent read = ClickAndCloseMessageBox(Driver(), "cmdReadPayload");
  EXPECT_EQ(read.text, failure);
  EXPECT_EQ(read.title, "Error!");
  EXPECT_EQ(read.style, MessageBoxStyle::kError);
  const MessageBoxContent board = ClickAndCloseMessageBox(Driver(), "cmdBoardFuel");
  EXPECT_EQ(board.text, failure);
}

TEST_F(Win32PlannerWindowTest, AClickShowsTheHourglassUntilItsCommandHasRun) {
  const HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
  HCURSOR duringClick = nullptr;
  run_->Model().cmdPrint.SetClickHandler([&duringClick] { duringClick = GetCursor(); });
  Driver().Click("cmdPrint");
  EXPECT_EQ(duringClick, hourglass);
  EXPECT_NE(GetCursor(), hourglass);
}

// Alt+B clicks Board Fuel from anywhere in the window, here from an input box.
TEST_F(Win32PlannerWindowTest, AltBClicksBoardFuel) {
  Driver().Focus("txtPayload");
  std::string shownTitle;
  std::thread watcher([&] {
    for (int attempt = 0; attempt < 1000 && shownTitle.empty(); ++attempt) {
      const HWND box = FindWindowW(L"#32770", L"Error!");
      if (box != nullptr) {
        shownTitle = "Error!";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(10);
    }
  });
  Driver().PressAltKey('b');
  watcher.join();
  EXPECT_EQ(shownTitle, "Error!");
}

TEST_F(Win32PlannerWindowTest, TheCloseBoxUnloadsAndSaves) {
  Driver().TypeKeys("txtTaxiFuel", "150");
  SendMessageW(run_->Window().Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run_->Window().Handle(), nullptr);
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "TaxiFuel", ""), "150");
}

// Moved to a screen of 144 dpi, the window lays itself out again in pixels of that screen, with
// fonts of the new size, and takes the size Windows suggests.
// The width in pixels of the control's own text in the control's own font.
int ShownTextWidth(HWND control) {
  wchar_t text[128] = {};
  const int length = GetWindowTextW(control, text, 128);
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return static_cast<int>(extent.cx);
}

// Every caption that stands against a control in a frame is inside the frame's line and wide
// enough for its whole text on one line.
void ExpectCaptionsInsideTheirFrames(const Win32PlannerWindow& shown) {
  for (const ControlLayout& layout : MainWindowLayout()) {
    const ControlLayout* frame = FindControlLayout(layout.container);
    if (layout.kind != ControlKind::kLabel || layout.alignment != TextAlignment::kRight ||
        frame == nullptr || frame->kind != ControlKind::kFrame) {
      continue;
    }
    const HWND label = shown.ControlHandle(layout.name);
    const RECT caption = PlaceInWindow(label, shown.Handle());
    const RECT line = PlaceInWindow(shown.ControlHandle(frame->name), shown.Handle());
    EXPECT_GT(caption.left, line.left + 1) << layout.name << " at " << shown.Dpi() << " dpi";
    EXPECT_LE(ShownTextWidth(label), caption.right - caption.left) << layout.name;
  }
}

TEST_F(Win32PlannerWindowTest, CaptionsStayInsideTheirFramesAtEveryDpi) {
  ExpectCaptionsInsideTheirFrames(run_->Window());
  RECT suggested{10, 20, 10 + 800, 20 + 790};
  SendMessageW(run_->Window().Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  Driver().Pump();
  ExpectCaptionsInsideTheirFrames(run_->Window());
}

bool IsStatic(HWND control) {
  wchar_t className[16] = {};
  GetClassNameW(control, className, 16);
  return _wcsicmp(className, L"Static") == 0;
}

// Windows names a box or list after the static text right before it in z-order, as Wine does
// for the edit boxes: there stands each box's caption, and before a box without one no caption
// stands that would lend it a wrong name.
TEST_F(Win32PlannerWindowTest, EachCaptionStandsRightBeforeItsBoxInZOrder) {
  const Win32PlannerWindow& shown = run_->Window();
  for (const ControlLayout& layout : MainWindowLayout()) {
    if (layout.kind != ControlKind::kTextBox && layout.kind != ControlKind::kComboBox) continue;
    SCOPED_TRACE(std::string(layout.name));
    const HWND box = shown.ControlHandle(layout.name);
    const HWND before = GetWindow(box, GW_HWNDPREV);
    const ControlLayout* caption = CaptionFor(layout.name);
    if (caption == nullptr) {
      EXPECT_FALSE(before != nullptr && IsStatic(before));
      continue;
    }
    EXPECT_EQ(before, shown.ControlHandle(caption->name));
    if (layout.kind == ControlKind::kTextBox) {
      EXPECT_EQ(MsaaName(box), caption->caption);
    }
  }
}

TEST_F(Win32PlannerWindowTest, LaysItselfOutAgainWhenTheDpiChanges) {
  constexpr int kNewDpi = 144;
  const HWND window = run_->Window().Handle();
  const HWND payload = run_->Window().ControlHandle("txtPayload");
  const auto fontHeight = [](HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  };
  const long heightBefore = fontHeight(payload);
  RECT suggested{10, 20, 10 + 800, 20 + 790};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kNewDpi, kNewDpi),
               reinterpret_cast<LPARAM>(&suggested));
  Driver().Pump();
  EXPECT_EQ(run_->Window().Dpi(), kNewDpi);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 800);
  const RECT place = PlaceInWindow(payload, window);
  const TwipsRect twips = PlaceInClientArea(*FindControlLayout("txtPayload"));
  EXPECT_EQ(place.left, TwipsToPixels(twips.left, kNewDpi));
  EXPECT_EQ(place.bottom - place.top, TwipsToPixels(twips.height, kNewDpi));
  // The dialog font at 8 points, as at the first dpi.
  EXPECT_EQ(fontHeight(payload), MulDiv(8, kNewDpi, 72));
  EXPECT_GT(fontHeight(payload), heightBefore);
}

// Against the substitute simulator as a second Windows process (CTest runs this case alone, as
// Win32WindowAgainstStub): the payload read shows, and both tanks are written at the level of
// the tank figure shown.
TEST(Win32PlannerWindowWithSimulator, ReadsThePayloadAndBoardsTheFuel) {
  const TemporaryDirectory temporary;
  StubProcess stub(temporary.Path() / "stub.log", {"--zfw-lbs", figures::kStubZeroFuelWeightLbs});
  ASSERT_TRUE(stub.WaitUntilServing()) << testing::PrintToString(stub.ErrorLines());
  InMemorySettingsStore store;
  PlannerRun run(store);
  const MessageBoxContent read = ClickAndCloseMessageBox(run.Driver(), "cmdReadPayload");
  EXPECT_EQ(read.text, "Payload weight read as " + std::string(figures::kPayloadShownInKilograms) +
                           " kilograms.");
  EXPECT_EQ(read.title, "Success!");
  EXPECT_EQ(read.style, MessageBoxStyle::kInformation);
  EXPECT_EQ(run.Driver().ShownText("txtPayload"), figures::kPayloadShownInKilograms);
  const MessageBoxContent boarded = ClickAndCloseMessageBox(run.Driver(), "cmdBoardFuel");
  EXPECT_EQ(boarded.text, "The fuel was successfully boarded.");
  EXPECT_EQ(stub.Stop(), 0);
  const std::optional<long> level = LevelWrittenToBothTanks(stub.LogLines());
  ASSERT_TRUE(level.has_value()) << testing::PrintToString(stub.LogLines());
  EXPECT_NEAR(static_cast<double>(*level),
              figures::TankLevelOf(std::stod(run.Driver().ShownText("txtLeftTank"))),
              figures::kTankLevelRounding);
}

}  // namespace
}  // namespace tarnwick
