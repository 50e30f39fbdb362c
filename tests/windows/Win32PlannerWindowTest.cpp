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

// One run of the planner as tarnwick.exe wires it: the window model, the simulator commands on
// the real Win32 port (no simulator runs, so connecting fails), the native window shown.
class PlannerRun {
 public:
  explicit PlannerRun(SettingsStore& store)
      : port_(MakeSystemIpcPort()),
        link_(*port_),
        model_(state_, {messages_, store, NumberFormat{}, [this] { link_.LinkClose(); }}),
        commands_(model_, state_, link_, messages_),
        window_(model_.Controls(), GetModuleHandleW(nullptr)),
        driver_(window_) {
    commands_.WireButtons();
    messages_.SetOwner(window_.Handle());
    model_.Controls().frmMain.Show();
    driver_.Pump();
  }

  Win32WindowDriver& Driver() { return driver_; }
  Win32PlannerWindow& Window() { return window_; }
  MainWindowControls& Model() { return model_.Controls(); }

 private:
  ProgramState state_;
  Win32MessageBoxPresenter messages_;
  std::unique_ptr<IpcPort> port_;
  IpcClient link_;
  MainWindow model_;
  SimulatorCommands commands_;
  Win32PlannerWindow window_;
  Win32WindowDriver driver_;
};

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
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    const TwipsRect twips = PlaceInClientArea(layout[row]);
    EXPECT_EQ(place.left, TwipsToPixels(twips.left, dpi)) << layout[row].name;
    EXPECT_EQ(place.top, TwipsToPixels(twips.top, dpi)) << layout[row].name;
    EXPECT_EQ(place.right - place.left, TwipsToPixels(twips.width, dpi)) << layout[row].name;
  }
  EXPECT_EQ(Driver().FocusedName(), "cboTripDistance");
}

// The start values of the plan, shown in kilograms and, after a pick in cboUnits, in pounds.
TEST_F(Win32PlannerWindowTest, ShowsExampleAInBothUnits) {
  Win32WindowDriver& driver = Driver();
  driver.PickIndex("cboTripDistance", 2);
  driver.PickIndex("cboTripDistance", 0);
  driver.TypeKeys("txtPayload", "7");
  driver.TypeKeys("txtPayload", "\b");
  EXPECT_EQ(driver.ShownText("cboTripDistance"), "50");
  EXPECT_EQ(driver.ShownText("cboTemp"), "15");
  EXPECT_EQ(driver.ShownText("txtBOW"), "13500");
  EXPECT_EQ(driver.ShownText("txtZFW"), "13500");
  EXPECT_EQ(driver.ShownText("txtPLWAlt"), "13500");
  EXPECT_EQ(driver.ShownText("txtGTOW"), "13739");
  EXPECT_EQ(driver.ShownText("txtTaxiWeight"), "13739");
  EXPECT_EQ(driver.ShownText("txtEnrouteFuel"), "239");
  EXPECT_EQ(driver.ShownText("txtAlternateFuel"), "0");
  EXPECT_EQ(driver.ShownText("txtTotalFuel"), "239");
  EXPECT_EQ(driver.ShownText("txtPayload"), "");
  EXPECT_EQ(driver.ShownText("txtLeftTank"), "120 Kgs.");
  EXPECT_EQ(driver.ShownText("txtRightTank"), "120 Kgs.");
  EXPECT_EQ(driver.TextColour("txtGTOW"), kBlack);

  driver.PickIndex("cboUnits", 0);
  EXPECT_EQ(driver.ShownText("cboUnits"), "Lbs.");
  EXPECT_EQ(driver.ShownText("txtGTOW"), "30290");
  EXPECT_EQ(driver.ShownText("txtEnrouteFuel"), "527");
  EXPECT_EQ(driver.ShownText("txtLeftTank"), "264 Lbs.");
  for (int member = 0; member < MainWindowControls::kUnitLabelCount; ++member) {
    EXPECT_EQ(driver.ShownText("lblUnits(" + std::to_string(member) + ")"), "Lbs.") << member;
  }
  driver.PickIndex("cboUnits", 1);
  for (int member = 0; member < MainWindowControls::kUnitLabelCount; ++member) {
    EXPECT_EQ(driver.ShownText("lblUnits(" + std::to_string(member) + ")"), "Kgs.") << member;
  }
  EXPECT_EQ(driver.ShownText("txtGTOW"), "13739");
}

TEST_F(Win32PlannerWindowTest, KeyFilterTakesDigitsAndBackspaceAndLeavesNavigationKeys) {
  Win32WindowDriver& driver = Driver();
  const std::string fuelWithoutWind = driver.ShownText("txtEnrouteFuel");
  driver.TypeKeys("txtHeadwind", "1a-.+ 2");
  EXPECT_EQ(driver.ShownText("txtHeadwind"), "012");
  EXPECT_NE(driver.ShownText("txtEnrouteFuel"), fuelWithoutWind);
  driver.TypeKeys("txtHeadwind", "\b");
  EXPECT_EQ(driver.ShownText("txtHeadwind"), "01");
  driver.PressKey(VK_HOME);
  driver.TypeKeys("txtHeadwind", "");
  driver.PressKey(VK_HOME);
  driver.PressKey(VK_DELETE);
  EXPECT_EQ(driver.ShownText("txtHeadwind"), "1");
  driver.PressKey(VK_RIGHT, /*shift=*/false);
  driver.PressKey(VK_LEFT, /*shift=*/true);
  driver.PressKey(VK_DELETE);
  EXPECT_EQ(driver.ShownText("txtHeadwind"), "");
  // Ctrl+V, Ctrl+C, Enter and Escape arrive as character codes and are discarded.
  driver.TypeKeys("txtTaxiFuel",
                  "\x16\x03\r\x1b"
                  "12");
  EXPECT_EQ(driver.ShownText("txtTaxiFuel"), "12");
}

TEST_F(Win32PlannerWindowTest, PasteGoesInAsAChangeAndRecalculates) {
  Win32WindowDriver& driver = Driver();
  driver.Paste("txtPayload", "5000.7");
  EXPECT_EQ(driver.ShownText("txtPayload"), "5001");
  EXPECT_EQ(driver.ShownText("txtZFW"), "18501");
}

TEST_F(Win32PlannerWindowTest, TabAndShiftTabFollowTheTabIndexes) {
  Win32WindowDriver& driver = Driver();
  std::string byTabIndex[kTabStops];
  for (const ControlLayout& layout : MainWindowLayout()) {
    if (layout.tabIndex != kNoTabStop) byTabIndex[layout.tabIndex] = std::string(layout.name);
  }
  ASSERT_EQ(driver.FocusedName(), byTabIndex[0]);
  for (int stop = 1; stop <= kTabStops; ++stop) {
    driver.PressKey(VK_TAB);
    EXPECT_EQ(driver.FocusedName(), byTabIndex[stop % kTabStops]) << "Tab number " << stop;
  }
  driver.PressKey(VK_TAB, /*shift=*/true);
  EXPECT_EQ(driver.FocusedName(), byTabIndex[kTabStops - 1]);
}

TEST_F(Win32PlannerWindowTest, ExceededLimitsTurnRedAndBackToBlack) {
  Win32WindowDriver& driver = Driver();
  EXPECT_EQ(driver.BackgroundColour("txtZFW"), kDisplayBoxGrey);
  driver.TypeKeys("txtPayload", "9999");
  EXPECT_EQ(driver.ShownText("txtZFW"), "23499");
  EXPECT_EQ(driver.TextColour("txtZFW"), kRed);
  EXPECT_EQ(driver.BackgroundColour("txtZFW"), kDisplayBoxGrey);
  driver.TypeKeys("txtPayload", "\b\b\b\b");
  EXPECT_EQ(driver.TextColour("txtZFW"), kBlack);
  EXPECT_EQ(driver.TextColour("txtLeftTank"), kBlue);
}

TEST_F(Win32PlannerWindowTest, IcingSwitchesTheSpeedCaptionsAndBack) {
  Win32WindowDriver& driver = Driver();
  const std::string dry = driver.ShownText("lblVmHB30");
  driver.Click("chkIcing");
  EXPECT_EQ(SendMessageW(run_->Window().ControlHandle("chkIcing"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(driver.ShownText("lblVmHB30"), dry);
  EXPECT_TRUE(driver.ShownText("lblVmHB30").starts_with("VmHB30: "));
  driver.Click("chkIcing");
  EXPECT_EQ(driver.ShownText("lblVmHB30"), dry);
}

TEST_F(Win32PlannerWindowTest, InformationMessagesAreShownOwnedAndClosed) {
  const MessageBoxContent limits = ClickAndCloseMessageBox(Driver(), "cmdOperatingLimits");
  EXPECT_TRUE(limits.title.ends_with("Operating Limitations")) << limits.title;
  EXPECT_NE(limits.text.find("Basic Operating Weight: 13,500 Kgs.\r\n"), std::string::npos)
      << limits.text;
  EXPECT_EQ(limits.style, MessageBoxStyle::kInformation);
  const MessageBoxContent about = ClickAndCloseMessageBox(Driver(), "cmdAbout");
  EXPECT_EQ(about.title, "About");
  EXPECT_TRUE(about.text.starts_with("Tarnwick\r\n\r\nVersion ")) << about.text;
  EXPECT_EQ(about.style, MessageBoxStyle::kInformation);
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

TEST_F(Win32PlannerWindowTest, AltXUnloadsAndTheNextRunRestoresEverything) {
  Win32WindowDriver& driver = Driver();
  driver.PickIndex("cboTripDistance", 3);
  driver.PickIndex("cboWindType", 1);
  driver.TypeKeys("txtHeadwind", "25");
  driver.TypeKeys("txtPayload", "1234");
  driver.Click("chkIcing");
  driver.PickIndex("cboUnits", 0);
  const std::string distance = driver.ShownText("cboTripDistance");
  const std::string gtow = driver.ShownText("txtGTOW");
  driver.PressAltKey('x');
  EXPECT_EQ(run_->Window().Handle(), nullptr);
  EXPECT_TRUE(run_->Model().frmMain.IsUnloaded());

  Restart();
  Win32WindowDriver& again = Driver();
  EXPECT_EQ(again.ShownText("cboTripDistance"), distance);
  EXPECT_EQ(again.ShownText("cboWindType"), "Tailwind:");
  EXPECT_EQ(again.ShownText("txtHeadwind"), "025");
  EXPECT_EQ(again.ShownText("cboUnits"), "Lbs.");
  EXPECT_EQ(again.ShownText("txtPayload"), "1234");
  EXPECT_EQ(again.ShownText("txtGTOW"), gtow);
  EXPECT_EQ(SendMessageW(run_->Window().ControlHandle("chkIcing"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32PlannerWindowTest, TheCloseBoxUnloadsAndSaves) {
  Driver().TypeKeys("txtTaxiFuel", "150");
  SendMessageW(run_->Window().Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run_->Window().Handle(), nullptr);
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "TaxiFuel", ""), "150");
}

// Moved to a screen of 144 dpi, the window lays itself out again in pixels of that screen, with
// fonts of the new size, and takes the size Windows suggests.
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
  RECT place{};
  GetWindowRect(payload, &place);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  const TwipsRect twips = PlaceInClientArea(*FindControlLayout("txtPayload"));
  EXPECT_EQ(place.left, TwipsToPixels(twips.left, kNewDpi));
  EXPECT_EQ(place.bottom - place.top, TwipsToPixels(twips.height, kNewDpi));
  // The dialog font at 8 points, as at the first dpi.
  EXPECT_EQ(fontHeight(payload), MulDiv(8, kNewDpi, 72));
  EXPECT_GT(fontHeight(payload), heightBefore);
}

// Against the substitute simulator, which tools/test-windows.sh starts with a zero fuel weight
// of 40000 lb before it runs this with TARNWICK_SIMSTUB_RUNNING=1. It prints the tank box's
// text, which the script compares with the level the stub logged.
TEST(Win32PlannerWindowWithSimulator, ReadsThePayloadAndBoardsTheFuel) {
  if (GetEnvironmentVariableW(L"TARNWICK_SIMSTUB_RUNNING", nullptr, 0) == 0) {
    GTEST_SKIP() << "needs tarnwick-simstub.exe running";
  }
  InMemorySettingsStore store;
  PlannerRun run(store);
  const MessageBoxContent read = ClickAndCloseMessageBox(run.Driver(), "cmdReadPayload");
  EXPECT_EQ(read.text, "Payload weight read as 4644 kilograms.");
  EXPECT_EQ(read.title, "Success!");
  EXPECT_EQ(read.style, MessageBoxStyle::kInformation);
  EXPECT_EQ(run.Driver().ShownText("txtPayload"), "4644");
  const MessageBoxContent boarded = ClickAndCloseMessageBox(run.Driver(), "cmdBoardFuel");
  EXPECT_EQ(boarded.text, "The fuel was successfully boarded.");
  std::cout << "txtLeftTank shows " << run.Driver().ShownText("txtLeftTank") << std::endl;
}

}  // namespace
}  // namespace tarnwick
