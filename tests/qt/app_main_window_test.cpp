// The main window on Qt's offscreen platform, driven by the real application shell on the
// platform's test doubles (manual clock, in-memory network, scripted message boxes).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CTarvexApp.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CView.h"
#include "platform/afx/ManualClock.h"
#include "platform/afx/MemoryNetwork.h"
#include "platform/afx/ScriptedModalDriver.h"
#include "platform/qt/QtDesktopService.h"
#include "platform/qt/QtFrameStatusBar.h"
#include "platform/qt/QtFrameToolBar.h"
#include "platform/qt/QtFrameWindow.h"
#include "platform/qt/QtModalDriver.h"
#include "res/ProgramResources.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgramResources();
    AfxServices() = PlatformServices{};
    AfxServices().timers = &clock;
    AfxServices().network = &network;
    AfxServices().modal = &modal;
    AfxServices().desktop = &desktop;
    app = std::make_unique<CTarvexApp>();
    ASSERT_TRUE(app->InitInstance());
    frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    window = std::make_unique<QtFrameWindow>(*frame);
    window->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    window.reset();
    app.reset();
    ResetWindowSystem();
    AfxServices() = PlatformServices{};
  }

  QString PaneText(int index) const { return window->frameStatusBar()->pane(index)->text(); }

  ManualClock clock;
  MemoryNetwork network;
  ScriptedModalDriver modal;
  QtDesktopService desktop;
  std::unique_ptr<CTarvexApp> app;
  CMainFrame* frame = nullptr;
  std::unique_ptr<QtFrameWindow> window;
};

TEST_F(MainWindowTest, HasTitleMenusToolbarAndStatusBar) {
  EXPECT_EQ(window->windowTitle(), QString("Lanorix V1.20"));
  QStringList menus;
  for (QAction* a : window->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));

  QtFrameToolBar* toolBar = window->frameToolBar();
  ASSERT_NE(toolBar, nullptr);
  EXPECT_FALSE(toolBar->isMovable());
  EXPECT_FALSE(toolBar->isFloatable());
  EXPECT_EQ(toolBar->iconSize(), QSize(32, 32));
  ASSERT_EQ(toolBar->actions().size(), 9);
  EXPECT_TRUE(toolBar->actions()[1]->isSeparator());
  EXPECT_TRUE(toolBar->actions()[7]->isSeparator());
  EXPECT_EQ(toolBar->actionFor(32781)->toolTip(), QString("Modify MAC"));
  EXPECT_FALSE(toolBar->actionFor(32781)->icon().isNull());

  QtFrameStatusBar* status = window->frameStatusBar();
  ASSERT_NE(status, nullptr);
  ASSERT_EQ(status->paneCount(), 5);
  EXPECT_EQ(status->pane(4)->width(), 100);
  EXPECT_EQ(PaneText(0), QString("Ready"));
}

TEST_F(MainWindowTest, LastButtonEndsLeftOfTheLogo) {
  QtFrameToolBar* toolBar = window->frameToolBar();
  QWidget* about = toolBar->widgetForAction(toolBar->actionFor(ID_APP_ABOUT));
  ASSERT_NE(about, nullptr);
  EXPECT_LE(about->geometry().right(), CMainFrame::LOGO_X);
}

TEST_F(MainWindowTest, LogoIsPaintedAt300By3AndStaysAfterRepaint) {
  QtFrameToolBar* toolBar = window->frameToolBar();
  clock.Advance(CMainFrame::LOGO_PERIOD_MS);
  const QImage& overlay = toolBar->overlay();
  ASSERT_FALSE(overlay.isNull());
  const qreal dpr = overlay.devicePixelRatio();
  const QRect logo(CMainFrame::LOGO_X, CMainFrame::LOGO_Y, CMainFrame::LOGO_WIDTH,
                   CMainFrame::LOGO_HEIGHT);
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < overlay.height(); ++y)
    for (int x = 0; x < overlay.width(); ++x)
      if (qAlpha(overlay.pixel(x, y)) != 0)
        (logo.contains(QPoint(static_cast<int>(x / dpr), static_cast<int>(y / dpr))) ? inside
                                                                                     : outside)++;
  EXPECT_GT(inside, 200);
  EXPECT_EQ(outside, 0);

  // The toolbar repaints itself; the logo is still there without another tick.
  toolBar->repaint();
  const QImage shown = toolBar->grab().toImage();
  const QImage before = shown.copy();
  window->resize(window->width() + 40, window->height());
  QApplication::processEvents();
  const QImage after = toolBar->grab(QRect(logo.topLeft(), logo.size())).toImage();
  EXPECT_EQ(after, before.copy(QRect(logo.topLeft() * before.devicePixelRatio(),
                                     logo.size() * before.devicePixelRatio())));
}

TEST_F(MainWindowTest, DeviceButtonsDisabledWithoutSelection) {
  window->idleUpdate();
  QtFrameToolBar* toolBar = window->frameToolBar();
  for (UINT id : {32780u, 32781u, 32782u, 32783u, 32814u})
    EXPECT_FALSE(toolBar->actionFor(id)->isEnabled()) << id;
  EXPECT_TRUE(toolBar->actionFor(32772)->isEnabled());
  EXPECT_TRUE(toolBar->actionFor(ID_APP_ABOUT)->isEnabled());
}

TEST_F(MainWindowTest, PointerOnAButtonShowsItsPromptUntilItLeaves) {
  QtFrameToolBar* toolBar = window->frameToolBar();
  QWidget* button = toolBar->widgetForAction(toolBar->actionFor(32781));
  ASSERT_NE(button, nullptr);
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(button, &enter);
  EXPECT_EQ(PaneText(0), QString("Modify MAC which selects device。"));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_EQ(PaneText(0), QString("Ready"));
}

TEST_F(MainWindowTest, ToolBarMenuItemHidesAndShowsTheToolbar) {
  QMenu* view = window->menuBar()->actions()[1]->menu();
  ASSERT_NE(view, nullptr);
  QAction* item = view->actions()[0];
  ASSERT_EQ(item->text(), QString("&Tool Bar"));
  emit view->aboutToShow();
  EXPECT_TRUE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(window->frameToolBar()->isHidden());
  emit view->aboutToShow();
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_FALSE(window->frameToolBar()->isHidden());
}

TEST_F(MainWindowTest, OnlinePaneMirrorsTheStatusBar) {
  frame->m_wndStatusBar.SetPaneText(4, "Online : 3", TRUE);
  EXPECT_EQ(PaneText(4), QString("Online : 3"));
}

TEST_F(MainWindowTest, AboutBoxShowsNameVersionAndButtonOnScreen) {
  QtModalDriver screen;
  AfxServices().modal = &screen;
  QString title;
  QStringList labels;
  QStringList buttons;
  bool icon = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    for (QLabel* label : box->findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) labels << label->text();
      if (!label->pixmap().isNull()) icon = true;
    }
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) buttons << button->text();
    if (!buttons.isEmpty()) box->findChildren<QAbstractButton*>().front()->click();
    if (auto* dialog = qobject_cast<QDialog*>(box); dialog != nullptr && dialog->isVisible())
      dialog->reject();
  });
  frame->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
  AfxServices().modal = &modal;
  EXPECT_EQ(title, QString("About Lanorix"));
  EXPECT_TRUE(labels.contains("Lanorix v1.20")) << labels.join("|").toStdString();
  EXPECT_EQ(buttons, QStringList{QString("確定")});
  EXPECT_TRUE(icon);
}

TEST_F(MainWindowTest, ContextMenuOnScreenShowsItemStatesAndPrompts) {
  CMenu context;
  ASSERT_TRUE(context.LoadMenu(142));
  QStringList texts;
  QList<bool> enabled;
  QString prompt;
  QTimer::singleShot(0, [&] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    for (QAction* a : popup->actions()) {
      texts << (a->isSeparator() ? QString("-") : a->text());
      enabled << a->isEnabled();
    }
    popup->actions()[4]->hover();
    prompt = PaneText(0);
    popup->close();
  });
  context.GetSubMenu(0)->TrackPopupMenu(0, 20, 20, frame->GetActiveView());
  EXPECT_EQ(texts, (QStringList{"Modify IP", "Modify MAC", "Web Browser", "Soft Reset",
                                "Update Firmware ", "-", "&Auto Arrange", "-", "&Refresh"}));
  ASSERT_EQ(enabled.size(), 9);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(enabled[i]) << i;
  EXPECT_TRUE(enabled[6]);
  EXPECT_TRUE(enabled[8]);
  EXPECT_EQ(prompt, QString("Update Firmware which selects device。"));
  window->idleUpdate();
  EXPECT_EQ(PaneText(0), QString("Ready"));
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheProgram) {
  window->close();
  EXPECT_TRUE(app->m_bQuitPosted);
}

}  // namespace
