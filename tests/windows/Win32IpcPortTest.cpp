// The Win32 port of the simulator link on the real system calls, one behaviour each, as the
// link relies on them. Runs on Windows or under Wine.
#include <gtest/gtest.h>
#include <process.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "simlink/Win32IpcPort.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t kAreaSize = 32768;
// Win32's ERROR_INVALID_WINDOW_HANDLE.
constexpr std::uint32_t kInvalidWindowHandle = 1400;

// A name no other process uses: the test's own process id is in it.
std::string UniqueName(const std::string& what) {
  return "TarnwickPortTest:" + what + ":" + std::to_string(_getpid());
}

bool IsRegisteredMessageOrAtom(std::uint32_t value) { return value >= 0xC000 && value <= 0xFFFF; }

TEST(Win32IpcPort, NoWindowOfAnUnusedClass) {
  Win32IpcPort port;
  EXPECT_EQ(port.FindTopLevelWindow(UniqueName("NoSuchClass")), 0U);
}

TEST(Win32IpcPort, RegisteredMessageIsTheSameForTheSameName) {
  Win32IpcPort port;
  const std::uint32_t message = port.RegisterMessage("FSASMLIB:IPC");
  EXPECT_TRUE(IsRegisteredMessageOrAtom(message)) << message;
  EXPECT_EQ(port.RegisterMessage("FSASMLIB:IPC"), message);
  EXPECT_NE(port.RegisterMessage(UniqueName("OtherMessage")), message);
}

TEST(Win32IpcPort, CurrentProcessIdIsThisProcess) {
  Win32IpcPort port;
  EXPECT_EQ(port.CurrentProcessId(), static_cast<std::uint32_t>(_getpid()));
}

TEST(Win32IpcPort, GlobalAtomOfANameIsCountedAndDeleted) {
  Win32IpcPort port;
  const std::string name = UniqueName("Atom");
  const std::uint16_t atom = port.AddGlobalAtom(name);
  EXPECT_TRUE(IsRegisteredMessageOrAtom(atom)) << atom;
  EXPECT_EQ(port.AddGlobalAtom(name), atom);
  port.DeleteGlobalAtom(atom);
  port.DeleteGlobalAtom(atom);
}

TEST(Win32IpcPort, NewMappingDidNotExistBefore) {
  Win32IpcPort port;
  const MappingCreation mapping = port.CreateNamedMapping(UniqueName("NewMapping"), kAreaSize);
  EXPECT_NE(mapping.handle, 0U);
  EXPECT_FALSE(mapping.alreadyExisted);
  port.CloseMapping(mapping.handle);
}

TEST(Win32IpcPort, SecondMappingOfTheSameNameReportsThatItExisted) {
  Win32IpcPort port;
  const std::string name = UniqueName("TakenMapping");
  const MappingCreation first = port.CreateNamedMapping(name, kAreaSize);
  const MappingCreation second = port.CreateNamedMapping(name, kAreaSize);
  EXPECT_FALSE(first.alreadyExisted);
  EXPECT_NE(second.handle, 0U);
  EXPECT_TRUE(second.alreadyExisted);
  port.CloseMapping(second.handle);
  port.CloseMapping(first.handle);
}

TEST(Win32IpcPort, ClosedMappingIsGoneAndCanBeMadeAgain) {
  Win32IpcPort port;
  const std::string name = UniqueName("ClosedMapping");
  port.CloseMapping(port.CreateNamedMapping(name, kAreaSize).handle);
  const MappingCreation again = port.CreateNamedMapping(name, kAreaSize);
  EXPECT_NE(again.handle, 0U);
  EXPECT_FALSE(again.alreadyExisted);
  port.CloseMapping(again.handle);
}

TEST(Win32IpcPort, ViewsOfOneNameShareTheirWholeArea) {
  Win32IpcPort port;
  const std::string name = UniqueName("SharedMapping");
  const MappingCreation first = port.CreateNamedMapping(name, kAreaSize);
  const MappingCreation second = port.CreateNamedMapping(name, kAreaSize);
  std::byte* written = port.MapView(first.handle);
  std::byte* read = port.MapView(second.handle);
  ASSERT_NE(written, nullptr);
  ASSERT_NE(read, nullptr);
  EXPECT_NE(written, read);
  written[0] = std::byte{0x5A};
  written[kAreaSize - 1] = std::byte{0xA5};
  EXPECT_EQ(read[0], std::byte{0x5A});
  EXPECT_EQ(read[kAreaSize - 1], std::byte{0xA5});
  port.UnmapView(read);
  port.UnmapView(written);
  port.CloseMapping(second.handle);
  port.CloseMapping(first.handle);
}

TEST(Win32IpcPort, NewAreaStartsZeroed) {
  Win32IpcPort port;
  const MappingCreation mapping = port.CreateNamedMapping(UniqueName("ZeroMapping"), kAreaSize);
  std::byte* view = port.MapView(mapping.handle);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(std::all_of(view, view + kAreaSize, [](std::byte b) { return b == std::byte{0}; }));
  port.UnmapView(view);
  port.CloseMapping(mapping.handle);
}

TEST(Win32IpcPort, SendToAMissingWindowFailsWithANonZeroError) {
  Win32IpcPort port;
  std::uintptr_t messageResult = 7;
  // A handle no window has: the link counts a failure with a non-zero code as a failed send.
  const WindowHandle missing = 0x7FFF0;
  EXPECT_FALSE(port.SendWithTimeout(missing, port.RegisterMessage("FSASMLIB:IPC"), 0xC001, 0, 100,
                                    messageResult));
  EXPECT_EQ(port.LastError(), kInvalidWindowHandle);
  EXPECT_EQ(messageResult, 7U);
}

TEST(Win32IpcPort, SleepWaitsAtLeastAboutTheTime) {
  Win32IpcPort port;
  const auto start = std::chrono::steady_clock::now();
  port.Sleep(100);
  const auto slept = std::chrono::steady_clock::now() - start;
  // Windows may end a sleep up to one clock tick early.
  EXPECT_GE(slept, std::chrono::milliseconds(84));
  EXPECT_LT(slept, std::chrono::milliseconds(1000));
}

}  // namespace
}  // namespace tarnwick
