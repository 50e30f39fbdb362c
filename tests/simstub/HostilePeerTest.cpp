// The stand-in transport against peers that break its rules: hand-made servers on a thread (or
// in a child process) against the link, and raw clients against the substitute simulator.
// Every wait is bounded, so a side that would hang fails the test instead.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "simlink/IpcClient.h"
#include "simlink/PosixIpcPort.h"
#include "simlink/RequestArea.h"
#include "simlink/StandInTransport.h"
#include "tests/apps/TemporaryDirectory.h"
#include "tests/simlink/LinkBytes.h"
#include "tests/simstub/RunningStub.h"

namespace tarnwick {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPatienceMs = 10000;

// Runs work on its own thread and returns its result; a run that does not end within the
// patience ends the whole test program with a failure, since the thread cannot be taken back.
template <typename Work>
auto FinishesInTime(Work work) {
  auto running = std::async(std::launch::async, std::move(work));
  if (running.wait_for(std::chrono::milliseconds(3 * kPatienceMs)) != std::future_status::ready) {
    std::cerr << "FAILED: the call still blocks\n";
    std::_Exit(1);
  }
  return running.get();
}

bool Readable(int fd) {
  pollfd waiting{fd, POLLIN, 0};
  return poll(&waiting, 1, kPatienceMs) == 1;
}

// A whole request frame from the socket, with the descriptor that came with it.
std::optional<RequestFrame> ReadRequest(int socket, UniqueFd& attached) {
  RequestFrameBytes bytes{};
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    if (!Readable(socket)) return std::nullopt;
    const ssize_t received =
        ReceiveWithDescriptor(socket, std::span(bytes).subspan(filled), attached);
    if (received <= 0) return std::nullopt;
    filled += static_cast<std::size_t>(received);
  }
  return DecodeRequestFrame(bytes);
}

// One frame sent with an optional descriptor on its first byte.
bool SendRequest(int socket, const RequestFrame& frame, int attached) {
  const RequestFrameBytes bytes = EncodeRequestFrame(frame);
  return SendWithDescriptor(socket, bytes, attached) == static_cast<ssize_t>(bytes.size());
}

std::optional<ReplyFrame> ReadReply(int socket) {
  ReplyFrameBytes bytes{};
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    if (!Readable(socket)) return std::nullopt;
    const ssize_t received = recv(socket, bytes.data() + filled, bytes.size() - filled, 0);
    if (received <= 0) return std::nullopt;
    filled += static_cast<std::size_t>(received);
  }
  return DecodeReplyFrame(bytes);
}

UniqueFd ListenAt(const std::filesystem::path& path, int backlog) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  UniqueFd listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener.Get(), backlog) != 0) {
    throw std::runtime_error("cannot listen at " + path.string());
  }
  return listener;
}

// A server written by hand: it takes connections one after another and sends, for every
// request frame, the replies that respond gives for it and the descriptor that came with it.
class FakeServer {
 public:
  using Respond = std::function<std::vector<ReplyFrame>(const RequestFrame&, int area)>;

  FakeServer(const std::filesystem::path& directory, Respond respond)
      : listener_(ListenAt(directory / "UIPCMAIN", 4)), respond_(std::move(respond)) {
    if (pipe(stopPipe_) != 0) throw std::runtime_error("no pipe");
    thread_ = std::thread([this] { Serve(); });
  }
  ~FakeServer() {
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = write(stopPipe_[1], &stop, 1);
    thread_.join();
    close(stopPipe_[0]);
    close(stopPipe_[1]);
  }

 private:
  void Serve() {
    UniqueFd connection;
    while (true) {
      const int current = connection.IsValid() ? connection.Get() : listener_.Get();
      pollfd waiting[2] = {{stopPipe_[0], POLLIN, 0}, {current, POLLIN, 0}};
      if (poll(waiting, 2, -1) <= 0 || waiting[0].revents != 0) return;
      if (!connection.IsValid()) {
        connection = UniqueFd(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        continue;
      }
      if (!Answer(connection.Get())) connection.Reset();
    }
  }
  bool Answer(int socket) {
    UniqueFd area;
    const std::optional<RequestFrame> request = ReadRequest(socket, area);
    if (!request) return false;
    for (const ReplyFrame& reply : respond_(*request, area.Get())) {
      const ReplyFrameBytes bytes = EncodeReplyFrame(reply);
      if (send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL) != 12) return false;
    }
    return true;
  }

  UniqueFd listener_;
  Respond respond_;
  int stopPipe_[2] = {-1, -1};
  std::thread thread_;
};

class HostilePeerTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(mkdir(IpcDir().c_str(), 0700), 0); }
  std::filesystem::path IpcDir() const { return temporary.Path() / "ipc"; }

  TemporaryDirectory temporary;
  LinkResult result = LinkResult::kConnected;
};

// Shrinking the area under the other side's view would end it with SIGBUS. The server tries it
// on the descriptor it was given, or, failing that, on an object of the area's name.
TEST_F(HostilePeerTest, ServerThatShrinksTheAreaCannotKillTheLink) {
  std::atomic<int> shrinkError = -1;
  FakeServer server(IpcDir(), [&](const RequestFrame& request, int area) {
    UniqueFd byName(area < 0 ? shm_open(("/" + request.mappingName).c_str(), O_RDWR, 0) : -1);
    const int target = area >= 0 ? area : byName.Get();
    shrinkError = ftruncate(target, 0) == 0 ? 0 : errno;
    return std::vector<ReplyFrame>{{request.sequence, 1}};
  });
  PosixIpcPort port(IpcDir());
  IpcClient link(port);
  EXPECT_FALSE(FinishesInTime([&] { return link.LinkOpen(kAnySimulator, result); }));
  EXPECT_EQ(result, LinkResult::kWrongVersion) << "the area came back as it was sent";
  EXPECT_EQ(shrinkError, EPERM) << "the area is sealed";
}

TEST_F(HostilePeerTest, ReplyIsTakenOnlyForItsOwnRequest) {
  bool answerTwice = true;
  FakeServer server(IpcDir(), [&](const RequestFrame& request, int) {
    const ReplyFrame reply{request.sequence, request.message};
    if (request.message == 0xC009) return std::vector<ReplyFrame>{{request.sequence + 7, 1}};
    return answerTwice ? std::vector<ReplyFrame>{reply, reply} : std::vector<ReplyFrame>{reply};
  });
  PosixIpcPort port(IpcDir());
  const WindowHandle window = port.FindTopLevelWindow("UIPCMAIN");
  ASSERT_NE(window, 0u);
  for (const std::uint32_t message : {0xC001u, 0xC002u, 0xC003u}) {
    std::uintptr_t answer = 0;
    EXPECT_TRUE(port.SendWithTimeout(window, message, 0, 0, kPatienceMs, answer));
    EXPECT_EQ(answer, message) << "a stale reply was taken";
  }
  std::uintptr_t answer = 0;
  EXPECT_FALSE(port.SendWithTimeout(window, 0xC009, 0, 0, 100, answer))
      << "a reply to no request is no answer";
  EXPECT_EQ(port.LastError(), 0u) << "a time-out";
}

// A listener that never accepts, its queue full: connecting counts against the send's time.
TEST_F(HostilePeerTest, ListenerThatNeverAcceptsTimesOutWithinTheSend) {
  const UniqueFd listener = ListenAt(IpcDir() / "UIPCMAIN", 0);
  std::vector<UniqueFd> queued;
  while (true) {
    UniqueFd waiting = ConnectToWindowSocket(IpcDir() / "UIPCMAIN", Clock::now());
    if (!waiting.IsValid()) break;
    queued.push_back(std::move(waiting));
  }
  ASSERT_EQ(errno, EAGAIN) << "the queue is full";
  PosixIpcPort port(IpcDir());
  const WindowHandle window = FinishesInTime([&] { return port.FindTopLevelWindow("UIPCMAIN"); });
  EXPECT_NE(window, 0u) << "a busy listener is there";
  std::uintptr_t answer = 0;
  EXPECT_FALSE(
      FinishesInTime([&] { return port.SendWithTimeout(window, 0xC001, 0, 0, 100, answer); }));
  EXPECT_EQ(port.LastError(), 0u) << "a time-out";
}

TEST_F(HostilePeerTest, LinkTalksOnlyThroughADirectoryOfItsOwn) {
  RunningStub stub(IpcDir());
  ASSERT_EQ(chmod(IpcDir().c_str(), 0777), 0);
  {
    PosixIpcPort port(IpcDir());
    IpcClient link(port);
    EXPECT_FALSE(link.LinkOpen(kAnySimulator, result));
    EXPECT_EQ(result, LinkResult::kNoServer);
  }
  ASSERT_EQ(chmod(IpcDir().c_str(), 0700), 0);
  const auto alias = temporary.Path() / "alias";
  ASSERT_EQ(symlink(IpcDir().c_str(), alias.c_str()), 0);
  EXPECT_EQ(PosixIpcPort(alias).FindTopLevelWindow("UIPCMAIN"), 0u) << "a symbolic link";
  EXPECT_EQ(PosixIpcPort(IpcDir(), getuid() + 1).FindTopLevelWindow("UIPCMAIN"), 0u)
      << "another user's directory";
  EXPECT_NE(PosixIpcPort(IpcDir()).FindTopLevelWindow("UIPCMAIN"), 0u);
}

// Only root can start a listener of another user in its own directory: a child process binds
// the socket and takes on user "nobody" before it listens.
TEST_F(HostilePeerTest, LinkRefusesAListenerOfAnotherUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to listen as another user";
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, (IpcDir() / "UIPCMAIN").c_str(), sizeof(address.sun_path) - 1);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    alarm(30);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        setresuid(65534, 65534, 65534) != 0 || listen(listener, 4) != 0) {
      _exit(1);
    }
    [[maybe_unused]] const ssize_t told = write(ready[1], "x", 1);
    while (true) pause();
  }
  close(ready[1]);
  char told = 0;
  const bool listening = Readable(ready[0]) && read(ready[0], &told, 1) == 1;
  close(ready[0]);
  PosixIpcPort port(IpcDir());
  IpcClient link(port);
  const bool opened = listening && link.LinkOpen(kAnySimulator, result);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  ASSERT_TRUE(listening);
  EXPECT_FALSE(opened);
  EXPECT_EQ(result, LinkResult::kNoServer);
}

// A raw client of the substitute simulator: one connection, frames sent by hand.
class RawClient {
 public:
  explicit RawClient(const std::filesystem::path& directory)
      : socket_(ConnectToWindowSocket(directory / "UIPCMAIN", Clock::now() + kWait)) {}
  // The stub's answer to one batch message carrying the descriptor, or nothing.
  std::optional<std::uint32_t> Batch(int area) {
    const std::uint32_t sequence = ++sequence_;
    if (!SendRequest(socket_.Get(), {sequence, StandInMessageId(kIpcMessageName), 0, 0, "x"},
                     area)) {
      return std::nullopt;
    }
    const std::optional<ReplyFrame> reply = ReadReply(socket_.Get());
    if (!reply || reply->sequence != sequence) return std::nullopt;
    return reply->messageResult;
  }
  int Socket() const { return socket_.Get(); }

 private:
  static constexpr auto kWait = std::chrono::milliseconds(kPatienceMs);
  UniqueFd socket_;
  std::uint32_t sequence_ = 0;
};

// A memory file holding one write record (4 bytes at 0x0B7C) and the terminator.
UniqueFd AreaWithOneWrite(std::size_t size, int seals) {
  UniqueFd area(memfd_create("area", MFD_CLOEXEC | MFD_ALLOW_SEALING));
  if (ftruncate(area.Get(), static_cast<off_t>(size)) != 0) return UniqueFd();
  const auto batch = Concatenate({LittleEndianWords({kWriteRecord, 0x0B7C, 4, 4194304, 0})});
  if (pwrite(area.Get(), batch.data(), batch.size(), 0) != static_cast<ssize_t>(batch.size())) {
    return UniqueFd();
  }
  if (seals != 0 && fcntl(area.Get(), F_ADD_SEALS, seals) != 0) return UniqueFd();
  return area;
}

TEST_F(HostilePeerTest, StubServesOnlyAnAreaThatCannotChangeSize) {
  RunningStub stub(IpcDir());
  RawClient client(IpcDir());
  constexpr int kFixed = F_SEAL_SHRINK | F_SEAL_GROW;
  const UniqueFd unsealed = AreaWithOneWrite(kRequestAreaSize, 0);
  EXPECT_EQ(client.Batch(unsealed.Get()), 0u) << "could shrink while mapped";
  // Shrunk and grown again, as a client would do to a server that kept it mapped.
  ASSERT_EQ(ftruncate(unsealed.Get(), 0), 0);
  ASSERT_EQ(ftruncate(unsealed.Get(), kRequestAreaSize), 0);
  EXPECT_EQ(client.Batch(unsealed.Get()), 0u);
  EXPECT_EQ(client.Batch(AreaWithOneWrite(kRequestAreaSize, F_SEAL_GROW).Get()), 0u);
  EXPECT_EQ(client.Batch(AreaWithOneWrite(4096, kFixed).Get()), 0u) << "too small";
  EXPECT_EQ(client.Batch(-1), 0u) << "no area";
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  EXPECT_EQ(client.Batch(pipeEnds[0]), 0u) << "no memory file";
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  EXPECT_TRUE(stub.Writes().empty());

  EXPECT_EQ(client.Batch(AreaWithOneWrite(kRequestAreaSize, kFixed).Get()), 1u);
  EXPECT_EQ(stub.Writes(), std::vector<std::string>{"write 0x0B7C size 4 value 4194304"});
}

// Sets the soft limit of open descriptors for the scope, and puts the old one back.
class ScopedDescriptorLimit {
 public:
  explicit ScopedDescriptorLimit(rlim_t soft) {
    getrlimit(RLIMIT_NOFILE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = soft;
    setrlimit(RLIMIT_NOFILE, &lowered);
  }
  ~ScopedDescriptorLimit() { setrlimit(RLIMIT_NOFILE, &saved_); }
  ScopedDescriptorLimit(const ScopedDescriptorLimit&) = delete;
  ScopedDescriptorLimit& operator=(const ScopedDescriptorLimit&) = delete;

 private:
  rlimit saved_{};
};

// With every descriptor taken, accept fails with EMFILE for as long as the connection waits:
// the stub must sleep meanwhile (a busy loop would wake up many thousand times) and serve the
// client once descriptors are free again.
TEST_F(HostilePeerTest, StubOutOfDescriptorsWaitsAndServesLater) {
  RunningStub stub(IpcDir());
  std::optional<RawClient> client;
  std::uint64_t wakeupsWhileFull = 0;
  {
    const ScopedDescriptorLimit limit(256);
    std::vector<UniqueFd> taken;
    taken.emplace_back(open("/dev/null", O_RDONLY | O_CLOEXEC));
    ASSERT_TRUE(taken.back().IsValid());
    const int original = taken.back().Get();
    for (UniqueFd next(dup(original)); next.IsValid(); next = UniqueFd(dup(original))) {
      taken.push_back(std::move(next));
    }
    ASSERT_EQ(errno, EMFILE);
    taken.pop_back();  // room for the client's own socket
    const std::uint64_t before = stub.Server().Wakeups();
    client.emplace(IpcDir());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    wakeupsWhileFull = stub.Server().Wakeups() - before;
  }
  EXPECT_LT(wakeupsWhileFull, 100u);
  EXPECT_EQ(client->Batch(-1), 0u) << "served once descriptors are free";
}

TEST_F(HostilePeerTest, StubKeepsABoundedNumberOfConnections) {
  RunningStub stub(IpcDir());
  std::vector<RawClient> idle;
  for (std::size_t i = 0; i < PosixStubServer::kMostConnections; ++i) idle.emplace_back(IpcDir());
  ASSERT_EQ(idle.back().Batch(-1), 0u) << "every idle connection has been taken";
  PosixIpcPort port(IpcDir());
  IpcClient link(port);
  EXPECT_TRUE(link.LinkOpen(kAnySimulator, result)) << LinkResultText(result);
  ASSERT_TRUE(Readable(idle.front().Socket()));
  char byte = 0;
  EXPECT_EQ(recv(idle.front().Socket(), &byte, 1, 0), 0) << "the quietest one was let go";
}

}  // namespace
}  // namespace tarnwick
