// The two simulator buttons of the window, on a fake simulator link.
#include <QPushButton>

#include "commands/SimulatorCommands.h"
#include "simstub/FakeIpcPort.h"
#include "tests/ui/qt/PlannerWindowFixture.h"

namespace tarnwick {
namespace {

class SimulatorButtonsTest : public PlannerWindowFixture {
 protected:
  void StartWithLink() {
    Start();
    commands = std::make_unique<SimulatorCommands>(*window, *state, link, *messages);
    commands->WireButtons();
  }
  void Stop() {
    commands.reset();
    PlannerWindowFixture::Stop();
  }
  void TearDown() override { Stop(); }

  FakeIpcPort port;
  IpcClient link{port};
  std::unique_ptr<SimulatorCommands> commands;
};

TEST_F(SimulatorButtonsTest, ReadPayloadFillsTheBoxAndSaysSo) {
  StartWithLink();
  const auto seen = CloseNextMessageBox();
  QTest::mouseClick(W<QPushButton>("cmdReadPayload"), Qt::LeftButton);
  ASSERT_TRUE(seen->seen);
  EXPECT_EQ(seen->text, "Payload weight read as 4644 kilograms.");
  EXPECT_EQ(seen->icon, QMessageBox::Information);
  EXPECT_EQ(TextOf("txtPayload"), "4644");
  EXPECT_EQ(TextOf("txtZFW"), "18144");
}

Qt::CursorShape ShownCursor() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor == nullptr ? Qt::ArrowCursor : cursor->shape();
}

// While the exchange blocks the window the wait cursor shows; the message box after it and the
// window after that show the arrow again.
TEST_F(SimulatorButtonsTest, TheWaitCursorShowsWhileTheExchangeBlocks) {
  StartWithLink();
  std::vector<Qt::CursorShape> duringSends;
  std::vector<Qt::CursorShape> duringBox;
  const FakeIpcPort::Server serve = port.server;
  port.server = [&](std::span<std::byte> area) {
    duringSends.push_back(ShownCursor());
    // The first chance to run comes in the message box's own event loop.
    QTimer::singleShot(0, [&duringBox] { duringBox.push_back(ShownCursor()); });
    serve(area);
  };
  const auto seen = CloseNextMessageBox();
  QTest::mouseClick(W<QPushButton>("cmdReadPayload"), Qt::LeftButton);
  ASSERT_TRUE(seen->seen);
  ASSERT_FALSE(duringSends.empty());
  for (const Qt::CursorShape shape : duringSends) EXPECT_EQ(shape, Qt::WaitCursor);
  ASSERT_FALSE(duringBox.empty());
  EXPECT_EQ(duringBox.front(), Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SimulatorButtonsTest, NoServerShowsTheConnectionFailureAsAnError) {
  port.windowClasses.clear();
  StartWithLink();
  const auto seen = CloseNextMessageBox();
  QTest::mouseClick(W<QPushButton>("cmdBoardFuel"), Qt::LeftButton);
  ASSERT_TRUE(seen->seen);
  EXPECT_EQ(seen->title, "Error!");
  EXPECT_EQ(seen->icon, QMessageBox::Critical);
  EXPECT_EQ(seen->text,
            "FSUIPC connection failure: Cannot link to FSUIPC or WideClient\n\n"
            "Ensure that Flight Simulator is running.");
}

}  // namespace
}  // namespace tarnwick
