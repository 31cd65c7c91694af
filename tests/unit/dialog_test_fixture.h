// Shared set-up of the dialog tests: the scripted driver as the modal service, a manual
// clock, the program's texts and the dialog templates; every window goes at the end.
#pragma once

#include <gtest/gtest.h>

#include "platform/afx/ManualClock.h"
#include "platform/afx/ScriptedModalDriver.h"
#include "platform/afx/Services.h"
#include "platform/afx/WindowSystem.h"
#include "res/DialogTemplates.h"
#include "res/StringTable.h"

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStringTable();
    RegisterDialogTemplates();
    m_savedModal = AfxServices().modal;
    m_savedTimers = AfxServices().timers;
    AfxServices().modal = &driver;
    AfxServices().timers = &clock;
  }
  void TearDown() override {
    EXPECT_TRUE(driver.Errors().empty()) << driver.Errors().front();
    EXPECT_EQ(driver.PendingSteps(), 0u) << "scripted prompts that never came";
    AfxServices().modal = m_savedModal;
    AfxServices().timers = m_savedTimers;
    ResetWindowSystem();
  }

  using User = ScriptedModalDriver;
  ScriptedModalDriver driver;
  ManualClock clock;

 private:
  ModalDriver* m_savedModal = nullptr;
  TimerService* m_savedTimers = nullptr;
};
