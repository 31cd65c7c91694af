// Finding the web browser on Linux: $BROWSER first, else the desktop entry that handles http,
// named by xdg-mime or by the mimeapps.list files, and the program of its Exec line.
#include <gtest/gtest.h>

#include "command_env.h"
#include "platform/posix/ProgramLauncherWebBrowser.h"

namespace commandtest {
namespace {

struct ExecCase {
  const char* exec;
  const char* program;
};

TEST(BrowserLookup, ExecProgramIsTheFirstArgumentWithQuotingUndoneAndFieldCodesDropped) {
  const ExecCase cases[] = {
      {"/usr/bin/firefox %u", "/usr/bin/firefox"},
      {"firefox", "firefox"},
      {"  chromium   --new-window %U", "chromium"},
      {"\"/opt/My Browser/run\" --flag %u", "/opt/My Browser/run"},
      {"\"/opt/say \\\"hi\\\"/run\" %u", "/opt/say \"hi\"/run"},
      {"\"/opt/a\\\\b\\$c\\`d/run\"", "/opt/a\\b$c`d/run"},
      {"%u /usr/bin/web", "/usr/bin/web"},
      {"web%%1 %u", "web%1"},
      {"%u %U", ""},
      {"", ""},
      {"   ", ""},
      {"\"/opt/unterminated %u", ""},
      {"\"\" web", "web"},
  };
  for (const ExecCase& c : cases)
    EXPECT_EQ(ProgramLauncherWebBrowser::ExecProgram(c.exec), c.program) << c.exec;
}

TEST(BrowserLookup, DesktopEntryExecComesFromItsOwnGroupWithStringEscapesUndone) {
  EXPECT_EQ(ProgramLauncherWebBrowser::DesktopEntryExec("[Desktop Action new]\n"
                                                        "Exec=/wrong\n"
                                                        "[Desktop Entry]\n"
                                                        "# Exec=/commented\n"
                                                        "Name=Web\n"
                                                        "Exec = \"/opt/a\\\\\\\\b/web\"\\s%u\n"),
            "\"/opt/a\\\\b/web\" %u");
  EXPECT_EQ(ProgramLauncherWebBrowser::ExecProgram("\"/opt/a\\\\b/web\" %u"), "/opt/a\\b/web");
  EXPECT_EQ(ProgramLauncherWebBrowser::DesktopEntryExec("[Desktop Entry]\nExec=web\nHidden=true\n"),
            "");
  EXPECT_EQ(ProgramLauncherWebBrowser::DesktopEntryExec("[Desktop Entry]\nName=No program\n"), "");
  EXPECT_EQ(ProgramLauncherWebBrowser::DesktopEntryExec(std::string("\0\xff[\n=\n", 6)), "");
}

TEST(BrowserLookup, DefaultsForReadsTheDefaultApplicationsGroupOnly) {
  const char* list =
      "[Added Associations]\n"
      "x-scheme-handler/http=added.desktop;\n"
      "[Default Applications]\n"
      "text/html=html.desktop\n"
      "x-scheme-handler/http= first.desktop;second.desktop;;\n";
  EXPECT_EQ(ProgramLauncherWebBrowser::DefaultsFor(list, "x-scheme-handler/http"),
            (std::vector<std::string>{"first.desktop", "second.desktop"}));
  EXPECT_TRUE(ProgramLauncherWebBrowser::DefaultsFor(list, "x-scheme-handler/https").empty());
}

class BrowserFind : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.Path().empty());
    IsolateDesktop(env, dir);
  }
  std::string Find(std::string queried = {}) {
    return ProgramLauncherWebBrowser([queried] { return queried; }).Find();
  }
  void Entry(const std::string& where, const std::string& exec) {
    dir.Write(where, "[Desktop Entry]\nType=Application\nExec=" + exec + "\n");
  }
  void Defaults(const std::string& where, const std::string& ids) {
    dir.Write(where, "[Default Applications]\nx-scheme-handler/http=" + ids + "\n");
  }

  ScratchDir dir;
  ScopedEnv env;
};

TEST_F(BrowserFind, NothingConfiguredIsNoBrowser) {
  EXPECT_EQ(Find(), "");
  EXPECT_EQ(Find("missing.desktop"), "");
}

TEST_F(BrowserFind, BrowserVariableTakesItsFirstEntryBeforeAnythingElse) {
  Entry("data/applications/web.desktop", "/opt/web %u");
  Defaults("config/mimeapps.list", "web.desktop");
  const struct {
    const char* value;
    const char* program;
  } cases[] = {{"/opt/a b/browser:/usr/bin/other", "/opt/a b/browser"},
               {"lynx", "lynx"},
               {":w3m", "w3m"},
               {"", "/opt/web"}};
  for (const auto& c : cases) {
    env.Set("BROWSER", c.value);
    EXPECT_EQ(Find("web.desktop"), c.program) << c.value;
  }
}

TEST_F(BrowserFind, QueriedHandlerComesBeforeTheMimeappsLists) {
  Entry("share/applications/queried.desktop", "\"/opt/Queried Web/run\" %u");
  Entry("share/applications/listed.desktop", "/opt/listed %u");
  Defaults("config/mimeapps.list", "listed.desktop");
  EXPECT_EQ(Find("queried.desktop\n"), "/opt/Queried Web/run");
  EXPECT_EQ(Find(""), "/opt/listed");
  EXPECT_EQ(Find("gone.desktop"), "/opt/listed") << "a handler without an entry counts not";
}

TEST_F(BrowserFind, MimeappsListsAreReadInOrderAndTheFirstInstalledDefaultWins) {
  Entry("share/applications/system.desktop", "/usr/bin/system-web");
  Entry("data/applications/user.desktop", "/home/user/web");
  Defaults("share/applications/mimeapps.list", "system.desktop");
  EXPECT_EQ(Find(), "/usr/bin/system-web");
  Defaults("etc-xdg/mimeapps.list", "missing.desktop;user.desktop");
  EXPECT_EQ(Find(), "/home/user/web");
  Defaults("config/mimeapps.list", "system.desktop");
  EXPECT_EQ(Find(), "/usr/bin/system-web");
  env.Set("XDG_CURRENT_DESKTOP", "Lab:GNOME");
  Defaults("config/gnome-mimeapps.list", "user.desktop");
  EXPECT_EQ(Find(), "/home/user/web") << "the desktop's own list comes before the plain one";
}

TEST_F(BrowserFind, UserEntriesHideSystemOnesAndVendorPrefixesMayBeFolders) {
  Entry("share/applications/web.desktop", "/usr/bin/web");
  Entry("data/applications/web.desktop", "/home/user/bin/web");
  EXPECT_EQ(Find("web.desktop"), "/home/user/bin/web");
  Entry("share/applications/vendor/browser.desktop", "/opt/vendor/browser");
  EXPECT_EQ(Find("vendor-browser.desktop"), "/opt/vendor/browser");
}

TEST_F(BrowserFind, HandlerIdsThatAreNotPlainDesktopFileNamesAreRefused) {
  dir.Write("evil.desktop", "[Desktop Entry]\nExec=/tmp/evil\n");
  Entry("share/applications/web", "/usr/bin/web");
  for (const char* id : {"../../evil.desktop", "/etc/evil.desktop", "web", ".desktop"})
    EXPECT_EQ(Find(id), "") << id;
}

TEST_F(BrowserFind, DefaultsDirsApplyWhenTheVariablesAreUnset) {
  env.Unset("XDG_CONFIG_HOME");
  env.Unset("XDG_DATA_HOME");
  Entry("home/.local/share/applications/web.desktop", "/home/web");
  Defaults("home/.config/mimeapps.list", "web.desktop");
  EXPECT_EQ(Find(), "/home/web");
}

}  // namespace
}  // namespace commandtest
