// Environment and scratch files for the tests of the web browser command: variables set for
// one test and put back afterwards, and a private directory that goes with the test.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace commandtest {

class ScopedEnv final {
 public:
  ScopedEnv() = default;
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
      if (it->second)
        setenv(it->first.c_str(), it->second->c_str(), 1);
      else
        unsetenv(it->first.c_str());
    }
  }
  void Set(const std::string& name, const std::string& value) {
    Save(name);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Save(name);
    unsetenv(name.c_str());
  }

 private:
  void Save(const std::string& name) {
    const char* old = getenv(name.c_str());
    m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

class ScratchDir final {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lanorix-cmd-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }
  const std::string& Path() const { return m_path; }
  // Writes a file below the directory (making its folders); executable when asked.
  std::string Write(const std::string& relative, const std::string& text,
                    bool executable = false) const {
    const std::filesystem::path file = std::filesystem::path(m_path) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    if (executable) chmod(file.c_str(), 0755);
    return file.string();
  }

 private:
  std::string m_path;
};

// Points every place the browser lookup reads at the scratch directory, so that the
// machine's own settings play no part.
inline void IsolateDesktop(ScopedEnv& env, const ScratchDir& dir) {
  env.Unset("BROWSER");
  env.Set("HOME", dir.Path() + "/home");
  env.Set("XDG_CONFIG_HOME", dir.Path() + "/config");
  env.Set("XDG_CONFIG_DIRS", dir.Path() + "/etc-xdg");
  env.Set("XDG_DATA_HOME", dir.Path() + "/data");
  env.Set("XDG_DATA_DIRS", dir.Path() + "/share");
  env.Unset("XDG_CURRENT_DESKTOP");
}

}  // namespace commandtest
