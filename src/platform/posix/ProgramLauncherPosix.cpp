#include "platform/posix/ProgramLauncherPosix.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kXdgMimeTimeoutMs = 3000;
constexpr int kExecReportTimeoutMs = 5000;
constexpr std::size_t kMaxOutput = 4096;

// argv for execv: pointers into strings that outlive the call.
std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// The highest descriptor number to mark when close_range is not there; asked before fork.
long MaxDescriptor() {
  const long max = sysconf(_SC_OPEN_MAX);
  return max > 0 && max < 65536 ? max : 65536;
}

// In a child between fork and exec: async-signal-safe calls only.
void PrepareChild(int stdoutFd, long maxFd) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  for (int sig : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGTERM, SIGQUIT})
    sigaction(sig, &dfl, nullptr);
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(stdoutFd >= 0 ? stdoutFd : null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  // Our sockets (the bound port among them) must not live on in the started program.
#ifdef SYS_close_range
  if (syscall(SYS_close_range, 3u, ~0u, 4u /* CLOSE_RANGE_CLOEXEC */) == 0) return;
#endif
  for (int fd = 3; fd < maxFd; ++fd) fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// The child's exit status, -1 when it did not exit normally.
int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

ProgramLauncherPosix::ProgramLauncherPosix()
    : ProgramLauncherPosix([] {
        std::string out = RunForOutput("xdg-mime", {"query", "default", "x-scheme-handler/http"},
                                       kXdgMimeTimeoutMs);
        const std::size_t nl = out.find('\n');
        return nl == std::string::npos ? out : out.substr(0, nl);
      }) {}

ProgramLauncherPosix::ProgramLauncherPosix(ProgramLauncherWebBrowser::DefaultHandlerQuery query)
    : m_browser(std::move(query)) {}

std::string ProgramLauncherPosix::FindWebBrowser() {
  return m_browser.Find();
}

std::string ProgramLauncherPosix::ResolveProgram(const std::string& program) {
  auto executable = [](const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
  };
  if (program.empty() || program.find('\0') != std::string::npos) return {};
  if (program.find('/') != std::string::npos) return executable(program) ? program : std::string();
  const char* pathEnv = std::getenv("PATH");
  const std::string path = pathEnv != nullptr ? pathEnv : "/usr/local/bin:/usr/bin:/bin";
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = path.find(':', pos);
    if (end == std::string::npos) end = path.size();
    const std::string dir = end > pos ? path.substr(pos, end - pos) : ".";
    const std::string candidate = dir + "/" + program;
    if (executable(candidate)) return candidate;
    pos = end + 1;
  }
  return {};
}

bool ProgramLauncherPosix::Start(const std::string& program, const std::vector<std::string>& args) {
  const std::string file = ResolveProgram(program);
  if (file.empty()) return false;
  std::vector<char*> argv = ArgumentVector(program, args);
  const long maxFd = MaxDescriptor();
  // The started program reports a failed exec through this pipe; a successful exec closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;

  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    PrepareChild(-1, maxFd);
    execv(file.c_str(), argv.data());
    const int error = errno;
    [[maybe_unused]] ssize_t n = write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  if (WaitFor(child) != 0) {
    close(report[0]);
    return false;
  }
  int error = 0;
  pollfd pfd{report[0], POLLIN, 0};
  bool started = false;
  if (poll(&pfd, 1, kExecReportTimeoutMs) > 0) {
    ssize_t n;
    while ((n = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    started = n == 0;
  }
  close(report[0]);
  return started;
}

std::string ProgramLauncherPosix::RunForOutput(const std::string& program,
                                               const std::vector<std::string>& args,
                                               int timeoutMs) {
  const std::string file = ResolveProgram(program);
  if (file.empty()) return {};
  std::vector<char*> argv = ArgumentVector(program, args);
  const long maxFd = MaxDescriptor();
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return {};
  const pid_t child = fork();
  if (child < 0) {
    close(out[0]);
    close(out[1]);
    return {};
  }
  if (child == 0) {
    PrepareChild(out[1], maxFd);
    execv(file.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string text;
  bool finished = false;
  const std::int64_t deadline = NowMs() + timeoutMs;
  for (std::int64_t now = NowMs(); now < deadline && text.size() < kMaxOutput; now = NowMs()) {
    pollfd pfd{out[0], POLLIN, 0};
    const int ready = poll(&pfd, 1, static_cast<int>(deadline - now));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    char buf[512];
    const ssize_t n = read(out[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      finished = n == 0;
      break;
    }
    text.append(buf, static_cast<std::size_t>(n));
  }
  close(out[0]);
  if (!finished) kill(child, SIGKILL);
  WaitFor(child);
  return finished ? text : std::string();
}
