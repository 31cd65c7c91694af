// The application object: start-up, document templates, the profile and the command line.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CCmdTarget.h"

class CDocTemplate;
class CFrameWnd;
class CWnd;

// What the command line asks for. The program's own options are read before the
// application starts, so the framework's part is always a new document.
class CCommandLineInfo {
 public:
  enum { FileNew, FileNothing } m_nShellCommand = FileNew;
};

class CWinApp : public CCmdTarget {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CWinApp(const std::string& appName = {});
  ~CWinApp() override;

  virtual BOOL InitInstance();
  virtual int ExitInstance() { return 0; }

  void AddDocTemplate(CDocTemplate* tmpl);  // takes ownership
  CDocTemplate* GetFirstDocTemplate() const;
  void SetRegistryKey(const std::string& key) { m_strRegistryKey = key; }
  void LoadStdProfileSettings(UINT maxMru) { m_nMaxMru = maxMru; }
  // Reads a binary profile value; out is allocated with new[] and owned by the caller.
  BOOL GetProfileBinary(const std::string& section, const std::string& entry, BYTE** data,
                        UINT* bytes);

  void ParseCommandLine(CCommandLineInfo& info) {
    info.m_nShellCommand = CCommandLineInfo::FileNew;
  }
  // Runs what the command line asks; false when no main window came of it.
  BOOL ProcessShellCommand(CCommandLineInfo& info);

  // The framework's standard commands.
  void OnFileNew();
  void OnFileOpen();
  void OnFilePrintSetup() {}
  void OnAppExit();
  // Asks the event loop to end; the loop's owner installs m_onQuit.
  void PostQuit(int exitCode);
  bool m_bQuitPosted = false;
  std::function<void(int)> m_onQuit;

  CWnd* m_pMainWnd = nullptr;
  std::string m_pszAppName;
  std::string m_strRegistryKey;
  UINT m_nMaxMru = 0;

 protected:
  std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Shows a message box with the application name as caption; without an icon of its own it
// gets the exclamation icon.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK);
