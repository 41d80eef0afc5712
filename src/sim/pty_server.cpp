#include "sim/pty_server.h"

#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iomanip>

namespace sim {

namespace {

volatile std::sig_atomic_t terminateRequested = 0;

void OnTerminate(int) { terminateRequested = 1; }

// How much earlier than a reply is due the server wakes to send it on time.
constexpr Time kEarlyWake = std::chrono::microseconds(150);

struct Pending {
  comm::Byte value;
  Time due;
};

class Server {
 public:
  Server(QuillonModule& module, std::ostream* log) : module_(module), log_(log) {}
  ~Server() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
  }

  bool Open(std::ostream& out) {
    std::array<char, 256> name{};
    if (::openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
      std::fprintf(stderr, "ventrel-sim: cannot open a pseudo-terminal: %s\n",
                   std::strerror(errno));
      return false;
    }
    // Raw until the tool sets the line up; the server keeps its end of the terminal open
    // so that the tool can close and reopen the port as often as it likes.
    termios raw{};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    out << name.data() << std::endl;
    return true;
  }

  int Run() {
    start_ = std::chrono::steady_clock::now();
    bool stdinOpen = true;
    while (!terminateRequested && stdinOpen) {
      std::array<pollfd, 2> fds = {pollfd{master_, POLLIN, 0}, pollfd{STDIN_FILENO, POLLIN, 0}};
      timespec wait = TimeToNextDue();
      sigset_t unblocked;
      sigemptyset(&unblocked);
      const int ready =
          ::ppoll(fds.data(), fds.size(), pending_.empty() ? nullptr : &wait, &unblocked);
      if (ready < 0 && errno != EINTR) return Fail("waiting");
      if (ready > 0 && (fds[0].revents & POLLIN) && !ReadFromTool()) return Fail("reading");
      if (ready > 0 && (fds[1].revents & (POLLIN | POLLHUP))) stdinOpen = StdinStillOpen();
      if (!SendDue()) return Fail("writing");
    }
    return 0;
  }

 private:
  Time Now() const {
    return std::chrono::duration_cast<Time>(std::chrono::steady_clock::now() - start_);
  }

  timespec TimeToNextDue() const {
    if (pending_.empty()) return {};
    // Woken early, the server finishes the wait itself: the kernel wakes a sleeper late.
    const Time left = std::max(Time{0}, pending_.front().due - kEarlyWake - Now());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((left - seconds).count())};
  }

  bool ReadFromTool() {
    std::array<comm::Byte, 512> buffer{};
    const ssize_t count = ::read(master_, buffer.data(), buffer.size());
    if (count < 0) return errno == EINTR || errno == EAGAIN || errno == EIO;
    for (ssize_t i = 0; i < count; ++i) {
      // Each byte takes its time on the line from the tool to the module.
      toolLineFree_ = std::max(toolLineFree_, Now()) + comm::kByteTime;
      if (log_) {
        *log_ << "received 0x" << std::hex << std::setw(2) << std::setfill('0')
              << static_cast<int>(buffer[static_cast<std::size_t>(i)]) << std::dec << "\n";
      }
      for (const Reply& reply :
           module_.Receive(buffer[static_cast<std::size_t>(i)], toolLineFree_)) {
        moduleLineFree_ = std::max(moduleLineFree_, reply.notBefore) + comm::kByteTime;
        pending_.push_back({reply.value, moduleLineFree_});
      }
      ReportStrayWrites();
    }
    if (log_) log_->flush();
    return true;
  }

  // A write outside the transferred regions is a fault of the tool: always said.
  void ReportStrayWrites() {
    const std::vector<std::string>& stray = module_.StrayWrites();
    for (; reportedStray_ < stray.size(); ++reportedStray_) {
      std::fprintf(stderr, "ventrel-sim: write outside the transferred regions: %s\n",
                   stray[reportedStray_].c_str());
    }
  }

  bool SendDue() {
    if (!pending_.empty() && pending_.front().due - Now() < kEarlyWake) {
      while (Now() < pending_.front().due) {
      }
    }
    const Time now = Now();
    std::array<comm::Byte, 512> buffer{};
    std::size_t count = 0;
    while (!pending_.empty() && pending_.front().due <= now && count < buffer.size()) {
      buffer[count++] = pending_.front().value;
      pending_.pop_front();
    }
    std::size_t written = 0;
    while (written < count) {
      const ssize_t n = ::write(master_, buffer.data() + written, count - written);
      if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
      if (n > 0) written += static_cast<std::size_t>(n);
    }
    return true;
  }

  static bool StdinStillOpen() {
    std::array<char, 256> discard{};
    const ssize_t n = ::read(STDIN_FILENO, discard.data(), discard.size());
    return n > 0 || (n < 0 && errno == EINTR);
  }

  int Fail(const char* what) const {
    std::fprintf(stderr, "ventrel-sim: failed %s the pseudo-terminal: %s\n", what,
                 std::strerror(errno));
    return 1;
  }

  QuillonModule& module_;
  std::ostream* log_;
  int master_ = -1;
  int slave_ = -1;
  std::chrono::steady_clock::time_point start_;
  Time toolLineFree_{0};
  Time moduleLineFree_{0};
  std::deque<Pending> pending_;
  std::size_t reportedStray_ = 0;
};

}  // namespace

int ServePty(QuillonModule& module, std::ostream& out, std::ostream* log) {
  // SIGTERM is taken only while waiting, so it never cuts a write short.
  sigset_t terminate;
  sigemptyset(&terminate);
  sigaddset(&terminate, SIGTERM);
  sigprocmask(SIG_BLOCK, &terminate, nullptr);
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigaction(SIGTERM, &action, nullptr);
  // Replies leave on time only if the kernel wakes the server when asked.
  prctl(PR_SET_TIMERSLACK, 1UL);

  Server server(module, log);
  if (!server.Open(out)) return 1;
  return server.Run();
}

}  // namespace sim
