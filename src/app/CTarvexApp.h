// The application object: starts the platform libraries, names the profile and makes the one
// document template from which the framework builds the document, main frame and list view.
#pragma once

#include "platform/afx/CWinApp.h"

class CTarvexApp : public CWinApp {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr const char* REGISTRY_KEY = "本機 AppWizard 所產生的應用程式";

  CTarvexApp();
  BOOL InitInstance() override;

  void OnAppAbout();
};
