// Finds the desktop's web browser: the first entry of $BROWSER when it is set, else the
// program of the desktop entry that handles x-scheme-handler/http (named by xdg-mime when it
// is there, else by the mimeapps.list files of the XDG config and data dirs).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ProgramLauncherWebBrowser final {
 public:
  // Answers the desktop entry id of the default handler (as `xdg-mime query default
  // x-scheme-handler/http` prints it); empty when it cannot say.
  using DefaultHandlerQuery = std::function<std::string()>;

  explicit ProgramLauncherWebBrowser(DefaultHandlerQuery query);

  // The program, empty when there is none. Reads the environment on every call.
  std::string Find() const;

  // The program of a desktop entry's Exec value: its first argument with the entry's escapes
  // and quoting undone and field codes dropped; empty when there is none.
  static std::string ExecProgram(std::string_view exec);
  // The Exec value of the "Desktop Entry" group; empty when the entry has none or is hidden.
  static std::string DesktopEntryExec(std::string_view fileText);
  // The desktop entry ids that a mimeapps.list names as defaults for a type, in order.
  static std::vector<std::string> DefaultsFor(std::string_view fileText, std::string_view type);

 private:
  std::string ProgramOfDesktopId(const std::string& id) const;
  std::vector<std::string> MimeAppsLists() const;
  std::vector<std::string> ApplicationDirs() const;

  DefaultHandlerQuery m_query;
};
