#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/afx/IniProfileStore.h"

namespace {

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/lanorix-profile-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    m_dir = dir;
    m_path = m_dir + "/Lanorix.ini";
  }
  void TearDown() override {
    std::remove(m_path.c_str());
    rmdir(m_dir.c_str());
  }
  void Write(const std::string& text) { std::ofstream(m_path, std::ios::binary) << text; }
  std::string m_dir;
  std::string m_path;
};

TEST_F(ProfileFile, ReadsTheSavedLayoutAsBytes) {
  const struct {
    const char* name;
    const char* text;
    std::vector<std::uint8_t> expected;
  } cases[] = {
      {"plain", "[Settings]\nOverview=0102ff\n", {0x01, 0x02, 0xff}},
      {"names in other case", "[settings]\noverview=ABcd\n", {0xab, 0xcd}},
      {"blanks and CRLF", "  [ Settings ]\r\n Overview = 01 02 0A \r\n", {0x01, 0x02, 0x0a}},
      {"after comments and other sections",
       "; saved by hand\n[Other]\nOverview=ff\n# note\n[Settings]\nOther=1\nOverview=7f\n",
       {0x7f}},
  };
  for (const auto& c : cases) {
    Write(c.text);
    IniProfileStore store(m_path);
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(store.GetBinary("Settings", "Overview", out)) << c.name;
    EXPECT_EQ(out, c.expected) << c.name;
  }
}

TEST_F(ProfileFile, AnythingMalformedReadsAsNoValue) {
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"odd digit count", "[Settings]\nOverview=012\n"},
      {"not hexadecimal", "[Settings]\nOverview=01zz\n"},
      {"blank inside a pair", "[Settings]\nOverview=0 1\n"},
      {"empty value", "[Settings]\nOverview=\n"},
      {"entry in another section", "[Layout]\nOverview=01\n"},
      {"entry before any section", "Overview=01\n[Settings]\n"},
      {"no equals sign", "[Settings]\nOverview 01\n"},
      {"binary garbage", std::string("\x00\xff[Settings\n=\n", 14)},
      {"empty file", ""},
  };
  for (const auto& c : cases) {
    Write(c.text);
    IniProfileStore store(m_path);
    std::vector<std::uint8_t> out{1, 2, 3};
    EXPECT_FALSE(store.GetBinary("Settings", "Overview", out)) << c.name;
    EXPECT_TRUE(out.empty()) << c.name;
  }
}

TEST_F(ProfileFile, MissingHugeOrNonRegularFilesReadAsNoValue) {
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(IniProfileStore(m_path).GetBinary("Settings", "Overview", out)) << "missing";
  EXPECT_FALSE(IniProfileStore(m_dir).GetBinary("Settings", "Overview", out)) << "directory";
  EXPECT_FALSE(IniProfileStore("").GetBinary("Settings", "Overview", out)) << "no path";
  const std::string fifo = m_dir + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(IniProfileStore(fifo).GetBinary("Settings", "Overview", out)) << "pipe";
  std::remove(fifo.c_str());
  EXPECT_FALSE(IniProfileStore("/dev/zero").GetBinary("Settings", "Overview", out)) << "device";
  Write("[Settings]\nOverview=01\n" + std::string(2 << 20, ';'));
  EXPECT_FALSE(IniProfileStore(m_path).GetBinary("Settings", "Overview", out)) << "huge";
}

TEST_F(ProfileFile, ReadingNeverWritesTheFile) {
  Write("[Settings]\nOverview=01\n");
  struct stat before {};
  ASSERT_EQ(stat(m_path.c_str(), &before), 0);
  std::vector<std::uint8_t> out;
  IniProfileStore store(m_path);
  store.GetBinary("Settings", "Overview", out);
  store.GetBinary("Settings", "Missing", out);
  struct stat after {};
  ASSERT_EQ(stat(m_path.c_str(), &after), 0);
  EXPECT_EQ(before.st_size, after.st_size);
  EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

TEST(ProfilePath, FollowsXdgConfigHomeElseHome) {
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const char* savedHome = std::getenv("HOME");
  std::string xdg = savedXdg ? savedXdg : "";
  std::string home = savedHome ? savedHome : "";

  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(IniProfileStore::DefaultPath(), "/cfg/Lanorix/Lanorix.ini");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as the convention says
  EXPECT_EQ(IniProfileStore::DefaultPath(), "/home/u/.config/Lanorix/Lanorix.ini");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(IniProfileStore::DefaultPath(), "/home/u/.config/Lanorix/Lanorix.ini");
  unsetenv("HOME");
  EXPECT_EQ(IniProfileStore::DefaultPath(), "");

  if (savedXdg) setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
  if (savedHome) setenv("HOME", home.c_str(), 1);
}

}  // namespace
