// Web Browser: the browser started once per selected row, in index order, with the row's IP
// address as its only argument, without a shell; nothing at all when there is no browser.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "command_env.h"
#include "command_fixture.h"
#include "platform/posix/ProgramLauncherPosix.h"

namespace commandtest {
namespace {

constexpr UINT ID_WEB_BROWSER = CTarvexView::ID_WEB_BROWSER;

class RecordingLauncher final : public ProgramLauncher {
 public:
  std::string browser = "/usr/bin/web";
  int lookups = 0;
  std::vector<std::pair<std::string, std::vector<std::string>>> started;
  std::string FindWebBrowser() override {
    ++lookups;
    return browser;
  }
  bool Start(const std::string& program, const std::vector<std::string>& args) override {
    started.emplace_back(program, args);
    return true;
  }
};

class WebBrowser : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    AfxServices().launcher = &launcher;
  }
  RecordingLauncher launcher;
};

TEST_F(WebBrowser, StartsTheBrowserOncePerSelectedRowInIndexOrderWithTheAddressOnly) {
  AddRows({kLab1, kLab2, kLab3});
  Select({2, 0, 1});
  Run(ID_WEB_BROWSER);
  EXPECT_EQ(launcher.lookups, 1) << "found once, before any row";
  using Start = std::pair<std::string, std::vector<std::string>>;
  EXPECT_EQ(launcher.started, (std::vector<Start>{{"/usr/bin/web", {"10.0.0.5"}},
                                                  {"/usr/bin/web", {"10.0.0.6"}},
                                                  {"/usr/bin/web", {"10.0.0.7"}}}));
  EXPECT_TRUE(modal.Prompts().empty());
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 3) << "the list is not touched";
  EXPECT_FALSE(RescanRunning());
}

TEST_F(WebBrowser, NoBrowserStartsNothingAndShowsNothing) {
  AddRows({kLab1});
  Select({0});
  launcher.browser.clear();
  Run(ID_WEB_BROWSER);
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(WebBrowser, NoLauncherAtAllIsNoBrowser) {
  AddRows({kLab1});
  Select({0});
  AfxServices().launcher = nullptr;
  Run(ID_WEB_BROWSER);
  EXPECT_TRUE(modal.Prompts().empty());
}

// The real launcher with $BROWSER pointing at a script that logs how it was started.
class WebBrowserStarted : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    ASSERT_FALSE(scratch.Path().empty());
    IsolateDesktop(env, scratch);
    log = scratch.Path() + "/started.log";
    AfxServices().launcher = &posix;
  }
  void TearDown() override {
    AfxServices().launcher = nullptr;
    CommandTest::TearDown();
  }

  // A script at relative that appends "argc|args|stdin|stdout|fd 57" to the log.
  std::string Browser(const std::string& relative) {
    return scratch.Write(relative,
                         "#!/bin/sh\n"
                         "fd57=closed; [ -e /proc/$$/fd/57 ] && fd57=open\n"
                         "printf '%s|%s|%s|%s|%s\\n' \"$#\" \"$*\" \"$(readlink /proc/$$/fd/0)\" "
                         "\"$(readlink /proc/$$/fd/1)\" \"$fd57\" >>'" +
                             log + "'\n",
                         true);
  }
  // The log's lines once it has count of them (each program runs on its own time), checked
  // for a moment longer that no more come.
  std::vector<std::string> Started(std::size_t count) {
    std::vector<std::string> lines;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      lines.clear();
      std::ifstream in(log);
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      if (lines.size() >= count) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::ifstream in(log);
    lines.clear();
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
  }

  ScratchDir scratch;
  ScopedEnv env;
  std::string log;
  ProgramLauncherPosix posix{[] { return std::string(); }};
};

TEST_F(WebBrowserStarted, ThreeSelectedRowsStartTheBrowserThreeTimesDetached) {
  env.Set("BROWSER", Browser("bin/browser") + ":/usr/bin/other");
  // A descriptor of ours without close-on-exec must not reach the browser.
  const int stray = open("/dev/null", O_RDONLY);
  ASSERT_GE(stray, 0);
  ASSERT_EQ(dup2(stray, 57), 57);
  close(stray);
  AddRows({kLab1, kLab2, kLab3});
  Select({0, 1, 2});
  Run(ID_WEB_BROWSER);
  close(57);
  EXPECT_EQ(Started(3), (std::vector<std::string>{"1|10.0.0.5|/dev/null|/dev/null|closed",
                                                  "1|10.0.0.6|/dev/null|/dev/null|closed",
                                                  "1|10.0.0.7|/dev/null|/dev/null|closed"}));
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a child of ours is left to reap";
  EXPECT_EQ(errno, ECHILD);
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(WebBrowserStarted, APathWithSpacesAndQuotesStartsExactlyThatProgram) {
  const std::string program = Browser("web dir/it's \"the\" browser; touch pwned $(touch pwned2)");
  env.Set("BROWSER", program);
  const std::string here = std::filesystem::current_path().string();
  ASSERT_EQ(chdir(scratch.Path().c_str()), 0);
  AddRows({Device{"Odd", "10.0.0.5; touch pwned3", "", "", "00-00-00-00-00-01", ""}});
  Select({0});
  Run(ID_WEB_BROWSER);
  const auto lines = Started(1);
  ASSERT_EQ(chdir(here.c_str()), 0);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"1|10.0.0.5; touch pwned3|/dev/null|/dev/null|closed"}));
  for (const char* name : {"pwned", "pwned2", "pwned3"})
    EXPECT_FALSE(std::filesystem::exists(scratch.Path() + "/" + name)) << "a shell ran " << name;
}

TEST_F(WebBrowserStarted, NoBrowserFoundStartsNothingAndShowsNothing) {
  AddRows({kLab1});
  Select({0});
  ASSERT_EQ(posix.FindWebBrowser(), "");
  Run(ID_WEB_BROWSER);
  EXPECT_TRUE(Started(0).empty());
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(WebBrowserStarted, AProgramThatCannotBeFoundOrRunIsNotStarted) {
  const std::string plain = scratch.Write("bin/not-executable", "#!/bin/sh\nexit 0\n");
  EXPECT_FALSE(posix.Start(plain, {"10.0.0.5"}));
  EXPECT_FALSE(posix.Start(scratch.Path() + "/bin/missing", {"10.0.0.5"}));
  EXPECT_FALSE(posix.Start("lanorix-no-such-program-here", {"10.0.0.5"}));
  EXPECT_FALSE(posix.Start("", {"10.0.0.5"}));
  const std::string broken = scratch.Write("bin/broken", "#!/no/such/interpreter\n", true);
  EXPECT_FALSE(posix.Start(broken, {"10.0.0.5"})) << "exec failed";
  EXPECT_TRUE(posix.Start(Browser("bin/browser"), {"10.0.0.5"}));
  EXPECT_EQ(Started(1).size(), 1u);
}

TEST_F(WebBrowserStarted, ABareProgramNameIsLookedUpOnPath) {
  Browser("bin/lanorix-test-browser");
  env.Set("PATH", scratch.Path() + "/nothing-here:" + scratch.Path() + "/bin:/usr/bin:/bin");
  env.Set("BROWSER", "lanorix-test-browser");
  AddRows({kLab2});
  Select({0});
  Run(ID_WEB_BROWSER);
  EXPECT_EQ(Started(1), (std::vector<std::string>{"1|10.0.0.6|/dev/null|/dev/null|closed"}));
}

TEST(ProgramOutput, IsReadWithoutAShellAndAProgramThatHangsIsKilledAtTheTimeout) {
  EXPECT_EQ(ProgramLauncherPosix::RunForOutput("printf", {"%s|%s\\n", "a b", "$(x)"}, 3000),
            "a b|$(x)\n");
  EXPECT_EQ(ProgramLauncherPosix::RunForOutput("lanorix-no-such-program-here", {}, 3000), "");
  const auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(ProgramLauncherPosix::RunForOutput("sleep", {"30"}, 200), "");
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "the killed program was not reaped";
}

TEST(ProgramOutput, TheDefaultLookupAsksXdgMimeForTheHttpHandler) {
  ScratchDir scratch;
  ScopedEnv env;
  IsolateDesktop(env, scratch);
  scratch.Write("bin/xdg-mime",
                "#!/bin/sh\n"
                "[ \"$*\" = 'query default x-scheme-handler/http' ] && echo web.desktop\n",
                true);
  scratch.Write("data/applications/web.desktop", "[Desktop Entry]\nExec=\"/opt/the web\" %u\n");
  env.Set("PATH", scratch.Path() + "/bin:/usr/bin:/bin");
  EXPECT_EQ(ProgramLauncherPosix().FindWebBrowser(), "/opt/the web");
}

}  // namespace
}  // namespace commandtest
