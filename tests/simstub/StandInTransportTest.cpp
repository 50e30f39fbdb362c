// The stand-in transport with both sides in this process: the substitute simulator's server on
// a thread, the link on the POSIX port.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

#include "simlink/IpcClient.h"
#include "simlink/PosixIpcPort.h"
#include "simlink/SimulatorExchange.h"
#include "simlink/StandInTransport.h"
#include "simstub/PosixStubServer.h"
#include "tests/apps/TemporaryDirectory.h"
#include "tests/simlink/LinkBytes.h"
#include "tests/simstub/RunningStub.h"

namespace tarnwick {
namespace {

using testing::HasSubstr;

class StandInTransportTest : public testing::Test {
 protected:
  std::filesystem::path IpcDir() const { return temporary.Path() / "ipc"; }

  TemporaryDirectory temporary;
  LinkResult result = LinkResult::kConnected;
};

bool SharedMemoryExists(const std::string& mappingName) {
  const int fd = shm_open(("/" + mappingName).c_str(), O_RDONLY, 0);
  if (fd >= 0) close(fd);
  return fd >= 0;
}

TEST_F(StandInTransportTest, LinkReadsAndWritesThroughTheSubstituteSimulator) {
  RunningStub stub(IpcDir());
  PosixIpcPort port(IpcDir());
  IpcClient link(port);
  ASSERT_TRUE(link.LinkOpen(kAnySimulator, result)) << LinkResultText(result);
  std::int32_t zeroFuelWeight = 0;
  EXPECT_TRUE(ReadAndProcess(link, 0x3BFC, WritableBytes(zeroFuelWeight), result));
  EXPECT_EQ(zeroFuelWeight, 40000 * 256);
  std::int32_t level = 4194304;
  EXPECT_TRUE(WriteAndProcess(link, 0x0B7C, WritableBytes(level), result));
  EXPECT_THAT(stub.Writes(), testing::ElementsAre("write 0x330A size 2 value 0",
                                                  "write 0x0B7C size 4 value 4194304"));
  // The area is a memory file without a name in the file system: nothing can be left behind.
  const std::string mappingName = MappingName(port.CurrentProcessId());
  EXPECT_FALSE(SharedMemoryExists(mappingName));
  link.LinkClose();
  EXPECT_FALSE(SharedMemoryExists(mappingName));
  struct stat status {};
  ASSERT_EQ(stat(IpcDir().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
}

TEST_F(StandInTransportTest, ObjectLeftByADeadProcessIsReplaced) {
  RunningStub stub(IpcDir());
  PosixIpcPort port(IpcDir());
  const std::string objectName = "/" + MappingName(port.CurrentProcessId());
  const int leftOver = shm_open(objectName.c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(leftOver, 0);
  close(leftOver);
  IpcClient link(port);
  EXPECT_TRUE(link.LinkOpen(kAnySimulator, result)) << LinkResultText(result);
}

TEST_F(StandInTransportTest, OtherMessagesAreAnsweredZeroAndBadFramesCloseTheConnection) {
  RunningStub stub(IpcDir());
  PosixIpcPort port(IpcDir());
  const WindowHandle window = port.FindTopLevelWindow("UIPCMAIN");
  ASSERT_NE(window, 0u);
  std::uintptr_t answer = 99;
  ASSERT_TRUE(port.SendWithTimeout(window, 0xC001, 0, 0, 2000, answer));
  EXPECT_EQ(answer, 0u);

  const UniqueFd raw =
      ConnectToWindowSocket(IpcDir() / "UIPCMAIN", std::chrono::steady_clock::now());
  RequestFrameBytes frame = EncodeRequestFrame({1, StandInMessageId("FSASMLIB:IPC"), 0, 0, "x"});
  frame[0] = std::byte{0};  // wrong magic
  ASSERT_EQ(write(raw.Get(), frame.data(), frame.size()), 44);
  pollfd hangUp{raw.Get(), POLLIN, 0};
  ASSERT_EQ(poll(&hangUp, 1, 10000), 1);
  char reply = 0;
  EXPECT_EQ(read(raw.Get(), &reply, 1), 0) << "the server hangs up";
}

TEST_F(StandInTransportTest, SilentServerTimesOutAndVanishedServerFails) {
  PosixIpcPort port(IpcDir());
  std::uintptr_t answer = 0;
  {
    RunningStub stub(IpcDir(), {.hang = true});
    const WindowHandle window = port.FindTopLevelWindow("UIPCMAIN");
    EXPECT_FALSE(port.SendWithTimeout(window, 0xC001, 0, 0, 50, answer));
    EXPECT_EQ(port.LastError(), 0u) << "a time-out";
  }
  EXPECT_EQ(port.FindTopLevelWindow("UIPCMAIN"), 0u);
  EXPECT_FALSE(port.SendWithTimeout(1, 0xC001, 0, 0, 50, answer));
  EXPECT_NE(port.LastError(), 0u) << "nobody listens any more";
}

TEST_F(StandInTransportTest, ServerRefusesATakenPathAndASharedDirectory) {
  RunningStub stub(IpcDir());
  EXPECT_THAT([&] { PosixStubServer second(IpcDir(), {}, {}, {}); },
              testing::ThrowsMessage<std::runtime_error>(HasSubstr("already listens")));
  const auto shared = temporary.Path() / "shared";
  ASSERT_EQ(mkdir(shared.c_str(), 0755), 0);
  EXPECT_THAT([&] { PosixStubServer open(shared, {}, {}, {}); },
              testing::ThrowsMessage<std::runtime_error>(HasSubstr("mode 0700")));
}

TEST(StandInFrames, RoundTripAndMagic) {
  const RequestFrame sent{0x80000001, 0xFB60, 0xFFFFC001, 7, "FSASMLIB:IPC:FFFFFFFF:1"};
  const RequestFrameBytes bytes = EncodeRequestFrame(sent);
  const auto received = DecodeRequestFrame(bytes);
  ASSERT_TRUE(received);
  EXPECT_EQ(received->sequence, 0x80000001u);
  EXPECT_EQ(received->message, 0xFB60u);
  EXPECT_EQ(received->wParam, 0xFFFFC001u);
  EXPECT_EQ(received->lParam, 7u);
  EXPECT_EQ(received->mappingName, sent.mappingName);
  EXPECT_EQ(bytes[43], std::byte{0}) << "NUL padding";
  const auto reply = DecodeReplyFrame(EncodeReplyFrame({0x80000001, 1}));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->sequence, 0x80000001u);
  EXPECT_EQ(reply->messageResult, 1u);
  ReplyFrameBytes badReply = EncodeReplyFrame({1, 1});
  badReply[3] = std::byte{0};
  EXPECT_FALSE(DecodeReplyFrame(badReply));
}

TEST(StandInFrames, RegisteredMessageIdIsTheNameHash) {
  EXPECT_EQ(StandInMessageId("FSASMLIB:IPC"), 0xFB60u);  // FNV-1a 0x0EE9BB60 mod 0x4000
  EXPECT_GE(StandInMessageId(""), 0xC000u);
}

// Sets an environment variable for the scope, and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnvironment() { saved_ ? setenv(name_, saved_->c_str(), 1) : unsetenv(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(StandInDirectory, EnvironmentDecides) {
  const ScopedEnvironment runtime("XDG_RUNTIME_DIR", "/run/user/7");
  {
    const ScopedEnvironment ipc("TARNWICK_IPC_DIR", "/x/ipc");
    EXPECT_EQ(StandInDirectory(), "/x/ipc");
  }
  const ScopedEnvironment noIpc("TARNWICK_IPC_DIR", nullptr);
  EXPECT_EQ(StandInDirectory(), "/run/user/7/tarnwick-ipc");
  const ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", "");
  EXPECT_EQ(StandInDirectory(), "/tmp/tarnwick-ipc-" + std::to_string(getuid()));
}

}  // namespace
}  // namespace tarnwick
