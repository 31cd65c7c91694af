// Starts programs on POSIX without a shell in between: the program is looked up on PATH, and
// started detached (its own session, stdin, stdout and stderr on /dev/null, none of our
// descriptors) by a short-lived intermediate child, so that no zombie is left behind and no
// SIGCHLD handler of ours is needed (the Qt process machinery keeps its own).
#pragma once

#include <string>
#include <vector>

#include "platform/afx/Services.h"
#include "platform/posix/ProgramLauncherWebBrowser.h"

class ProgramLauncherPosix final : public ProgramLauncher {
 public:
  // The default handler query runs `xdg-mime query default x-scheme-handler/http`.
  ProgramLauncherPosix();
  explicit ProgramLauncherPosix(ProgramLauncherWebBrowser::DefaultHandlerQuery query);

  std::string FindWebBrowser() override;
  // False when the program cannot be found or executed; what it does then is its own affair.
  bool Start(const std::string& program, const std::vector<std::string>& args) override;

  // The file that execv would run for a program name: a name with a "/" as it is, else the
  // first executable regular file of that name on PATH. Empty when there is none.
  static std::string ResolveProgram(const std::string& program);
  // Runs a program and returns what it printed on stdout (at most 4096 bytes), empty when it
  // cannot be run or does not finish within timeoutMs (it is killed then).
  static std::string RunForOutput(const std::string& program, const std::vector<std::string>& args,
                                  int timeoutMs);

 private:
  ProgramLauncherWebBrowser m_browser;
};
