#include "platform/posix/ProgramLauncherWebBrowser.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kHttpHandler = "x-scheme-handler/http";
constexpr std::size_t kMaxFileBytes = 1 << 20;  // a desktop file or mimeapps.list is small

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(separator, pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) pieces.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return pieces;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  if (out.size() > kMaxFileBytes) out.resize(kMaxFileBytes);
  return true;
}

// Calls line(group, key, value) for every "key=value" line of a desktop-entry style file.
template <class Handler>
void ForEachKey(std::string_view text, Handler line) {
  std::string_view group;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (raw.empty() || raw.front() == '#') continue;
    if (raw.front() == '[' && raw.back() == ']') {
      group = raw.substr(1, raw.size() - 2);
      continue;
    }
    const std::size_t eq = raw.find('=');
    if (eq == std::string_view::npos) continue;
    line(group, Trim(raw.substr(0, eq)), Trim(raw.substr(eq + 1)));
  }
}

// The escapes of a desktop entry's string values: \s \n \t \r \\.
std::string UnescapeValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += value[i];
    }
  }
  return out;
}

bool IsFieldCode(const std::string& argument) {
  return argument.size() == 2 && argument[0] == '%' &&
         std::string_view("fFuUdDnNickvm").find(argument[1]) != std::string_view::npos;
}

// A desktop id names a file in an applications dir, never a path of its own.
bool IsPlainDesktopId(const std::string& id) {
  return id.size() > 8 && id.compare(id.size() - 8, 8, ".desktop") == 0 &&
         id.find('/') == std::string::npos && id.find('\0') == std::string::npos &&
         id.front() != '.';
}

}  // namespace

ProgramLauncherWebBrowser::ProgramLauncherWebBrowser(DefaultHandlerQuery query)
    : m_query(std::move(query)) {}

std::string ProgramLauncherWebBrowser::Find() const {
  // Empty entries (a leading ":") name nothing.
  const std::vector<std::string> browsers = Split(Env("BROWSER"), ':');
  if (!browsers.empty()) return browsers.front();

  if (m_query) {
    const std::string id(Trim(m_query()));
    if (!id.empty()) {
      std::string program = ProgramOfDesktopId(id);
      if (!program.empty()) return program;
    }
  }
  for (const std::string& list : MimeAppsLists()) {
    std::string text;
    if (!ReadFile(list, text)) continue;
    for (const std::string& id : DefaultsFor(text, kHttpHandler)) {
      std::string program = ProgramOfDesktopId(id);
      if (!program.empty()) return program;
    }
  }
  return {};
}

std::string ProgramLauncherWebBrowser::ProgramOfDesktopId(const std::string& id) const {
  if (!IsPlainDesktopId(id)) return {};
  // "vendor-app.desktop" may also live as vendor/app.desktop.
  std::vector<std::string> names{id};
  std::string nested = id;
  for (std::size_t dash = nested.find('-'); dash != std::string::npos;
       dash = nested.find('-', dash + 1)) {
    nested[dash] = '/';
    names.push_back(nested);
  }
  for (const std::string& dir : ApplicationDirs()) {
    for (const std::string& name : names) {
      std::string text;
      if (!ReadFile(dir + "/" + name, text)) continue;
      // The first entry found for an id is the one that counts, even without a program.
      return ExecProgram(DesktopEntryExec(text));
    }
  }
  return {};
}

std::vector<std::string> ProgramLauncherWebBrowser::ApplicationDirs() const {
  std::vector<std::string> dirs;
  std::string dataHome = Env("XDG_DATA_HOME");
  if (dataHome.empty() && !Env("HOME").empty()) dataHome = Env("HOME") + "/.local/share";
  if (!dataHome.empty()) dirs.push_back(dataHome + "/applications");
  std::string dataDirs = Env("XDG_DATA_DIRS");
  if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
  for (const std::string& dir : Split(dataDirs, ':')) dirs.push_back(dir + "/applications");
  return dirs;
}

std::vector<std::string> ProgramLauncherWebBrowser::MimeAppsLists() const {
  std::vector<std::string> dirs;
  std::string configHome = Env("XDG_CONFIG_HOME");
  if (configHome.empty() && !Env("HOME").empty()) configHome = Env("HOME") + "/.config";
  if (!configHome.empty()) dirs.push_back(configHome);
  std::string configDirs = Env("XDG_CONFIG_DIRS");
  if (configDirs.empty()) configDirs = "/etc/xdg";
  for (const std::string& dir : Split(configDirs, ':')) dirs.push_back(dir);
  for (const std::string& dir : ApplicationDirs()) dirs.push_back(dir);

  std::vector<std::string> desktops;
  for (std::string desktop : Split(Env("XDG_CURRENT_DESKTOP"), ':')) {
    for (char& c : desktop) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    desktops.push_back(desktop);
  }
  std::vector<std::string> lists;
  for (const std::string& dir : dirs) {
    for (const std::string& desktop : desktops)
      lists.push_back(dir + "/" + desktop + "-mimeapps.list");
    lists.push_back(dir + "/mimeapps.list");
  }
  return lists;
}

std::vector<std::string> ProgramLauncherWebBrowser::DefaultsFor(std::string_view fileText,
                                                                std::string_view type) {
  std::vector<std::string> ids;
  ForEachKey(fileText, [&](std::string_view group, std::string_view key, std::string_view value) {
    if (group != "Default Applications" || key != type) return;
    for (const std::string& id : Split(value, ';')) {
      std::string trimmed(Trim(id));
      if (!trimmed.empty()) ids.push_back(trimmed);
    }
  });
  return ids;
}

std::string ProgramLauncherWebBrowser::DesktopEntryExec(std::string_view fileText) {
  std::string exec;
  bool hidden = false;
  bool seen = false;
  ForEachKey(fileText, [&](std::string_view group, std::string_view key, std::string_view value) {
    if (group != "Desktop Entry") return;
    if (key == "Exec" && !seen) {
      exec = UnescapeValue(value);
      seen = true;
    } else if (key == "Hidden") {
      hidden = value == "true";
    }
  });
  return hidden ? std::string() : exec;
}

std::string ProgramLauncherWebBrowser::ExecProgram(std::string_view exec) {
  // Arguments are separated by spaces; a quoted argument is in double quotes, inside which
  // a backslash escapes ", `, $ and \.
  std::size_t i = 0;
  while (i < exec.size()) {
    while (i < exec.size() && exec[i] == ' ') ++i;
    if (i == exec.size()) break;
    std::string argument;
    bool quoted = false;
    if (exec[i] == '"') {
      quoted = true;
      ++i;
      bool closed = false;
      while (i < exec.size()) {
        const char c = exec[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < exec.size() &&
            std::string_view("\"`$\\").find(exec[i]) != std::string_view::npos)
          argument += exec[i++];
        else
          argument += c;
      }
      if (!closed) return {};  // a broken Exec line names no program
    } else {
      while (i < exec.size() && exec[i] != ' ') argument += exec[i++];
    }
    if (!quoted && IsFieldCode(argument)) continue;
    // "%%" is a literal percent sign.
    std::string program;
    for (std::size_t k = 0; k < argument.size(); ++k) {
      program += argument[k];
      if (argument[k] == '%' && k + 1 < argument.size() && argument[k + 1] == '%') ++k;
    }
    if (!program.empty()) return program;
  }
  return {};
}
