// The input dialogs on screen (offscreen platform): the widgets keep the controls' rules and
// the platform windows follow what is typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dialogs/CInputIPDlg.h"
#include "dialogs/CInputMACDlg.h"
#include "dialogs/CInputPasswordDlg.h"
#include "platform/afx/Services.h"
#include "platform/afx/WindowSystem.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtDialogIpAddress.h"
#include "platform/qt/QtModalDriver.h"
#include "res/DialogTemplates.h"
#include "res/StringTable.h"

// Readable QString values in failure messages.
static void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace {

class QtDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStringTable();
    RegisterDialogTemplates();
    m_saved = AfxServices().modal;
    AfxServices().modal = &driver;
  }
  void TearDown() override {
    m_poll.stop();
    m_watchdog.stop();
    AfxServices().modal = m_saved;
    ResetWindowSystem();
  }

  // Acts in the dialog once it is up.
  void WhenShown(std::function<void(QtDialog&)> act) {
    m_poll.setInterval(1);
    m_poll.disconnect();
    int tries = 0;
    QObject::connect(&m_poll, &QTimer::timeout, [this, act, tries]() mutable {
      auto* shown = qobject_cast<QtDialog*>(QApplication::activeModalWidget());
      // Act once the dialog has the keyboard, as a user would.
      if (shown == nullptr || (!shown->isActiveWindow() && ++tries < 500)) return;
      m_poll.stop();
      act(*shown);
    });
    m_poll.start();
    // Whatever is left open (a dialog, a message box in it) is closed after a while, so that
    // a broken test fails instead of hanging.
    m_watchdog.disconnect();
    QObject::connect(&m_watchdog, &QTimer::timeout, [] {
      if (QWidget* shown = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "left open: " << shown->metaObject()->className();
        shown->close();
      }
    });
    m_watchdog.start(3000);
  }

  static void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
  }
  // Types into whatever has the dialog's focus at each character, as a keyboard does.
  static void Type(QtDialog& d, const QString& text) {
    for (QChar c : text) {
      int key = Qt::Key_unknown;
      if (c.isLetter() && c.unicode() < 128) key = Qt::Key_A + (c.toUpper().unicode() - 'A');
      if (c.isDigit()) key = Qt::Key_0 + (c.unicode() - '0');
      if (c == QLatin1Char('.')) key = Qt::Key_Period;
      Key(d.focusWidget(), key, QString(c));
    }
  }
  static QLineEdit* Edit(QtDialog& d, int id) { return qobject_cast<QLineEdit*>(d.widgetFor(id)); }

  QtModalDriver driver;

 private:
  ModalDriver* m_saved = nullptr;
  QTimer m_poll;
  QTimer m_watchdog;
};

TEST_F(QtDialogs, TypingIntoTheMacFieldGivesCapitalsUpToSeventeenCharacters) {
  CInputMACDlg dlg;
  dlg.m_strMAC = "00-1a-2B-3C-4D-5";  // placed text keeps its small letters
  std::string fieldWindowText;
  WhenShown([&](QtDialog& d) {
    QLineEdit* field = Edit(d, 1004);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), QStringLiteral("00-1a-2B-3C-4D-5"));
    EXPECT_EQ(QApplication::focusWidget(), d.widgetFor(IDOK)) << "Confirm is the first tab stop";
    field->setFocus();
    Type(d, QStringLiteral("ab"));
    EXPECT_EQ(field->text(), QStringLiteral("00-1a-2B-3C-4D-5A"));
    Key(field, Qt::Key_Return);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_strMAC, "00-1a-2B-3C-4D-5A");
}

TEST_F(QtDialogs, PasswordFieldTakesEightBytesTypedOrPastedAndMasksThem) {
  struct Case {
    const char* name;
    QString typed;
    QString pasted;
    std::string result;
  } cases[] = {
      {"ninth byte typed", QStringLiteral("123456789"), {}, "12345678"},
      {"ninth byte pasted", QStringLiteral("1234"), QStringLiteral("56789"), "12345678"},
      {"two-byte character typed at the limit", QStringLiteral("1234567\u00e9"), {}, "1234567"},
      {"two-byte character pasted at the limit", QStringLiteral("1234567"),
       QStringLiteral("\u00e9"), "1234567"},
      {"two-byte character that fits", QStringLiteral("123456\u00e9x"), {}, "123456\u00e9"},
  };
  for (const Case& c : cases) {
    CInputPasswordDlg dlg;
    dlg.m_strPassword = "";
    WhenShown([&](QtDialog& d) {
      QLineEdit* field = Edit(d, 1001);
      ASSERT_NE(field, nullptr);
      EXPECT_EQ(field->echoMode(), QLineEdit::Password);
      EXPECT_EQ(QApplication::focusWidget(), field);
      Type(d, c.typed);
      if (!c.pasted.isEmpty()) {
        QApplication::clipboard()->setText(c.pasted);
        field->paste();
      }
      Key(field, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK) << c.name;
    EXPECT_EQ(dlg.m_strPassword, c.result) << c.name;
  }
}

TEST_F(QtDialogs, IpFieldsRefuse256AndLettersAndEnterConfirms) {
  CInputIPDlg dlg;
  dlg.m_strIP = "10.0.0.5";
  dlg.m_strMask = "255.255.255.0";
  dlg.m_strGateway = "10.0.0.1";
  WhenShown([&](QtDialog& d) {
    auto* ip = qobject_cast<QtDialogIpAddress*>(d.widgetFor(1000));
    ASSERT_NE(ip, nullptr);
    EXPECT_EQ(ip->field(3)->text(), QStringLiteral("5"));
    ip->field(0)->setFocus(Qt::TabFocusReason);
    ip->field(0)->selectAll();
    Type(d, QStringLiteral("256"));
    EXPECT_EQ(ip->field(0)->text(), QStringLiteral("25"));
    Type(d, QStringLiteral("x"));
    EXPECT_EQ(ip->field(0)->text(), QStringLiteral("25"));
    Type(d, QStringLiteral(".1.2.3"));
    EXPECT_EQ(ip->window()->text, "25.1.2.3");
    Key(d.focusWidget(), Qt::Key_Enter);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_newIP[0], 25);
  EXPECT_EQ(dlg.m_newIP[3], 3);
  EXPECT_EQ(dlg.m_bIPChanged, 1);
  EXPECT_EQ(dlg.m_bMaskChanged, 0);
}

TEST_F(QtDialogs, EscapeAndTheCloseBoxCancel) {
  for (bool closeBox : {false, true}) {
    CInputMACDlg dlg;
    dlg.m_strMAC = "00-1A-2B-3C-4D-5E";
    WhenShown([closeBox](QtDialog& d) {
      if (closeBox)
        d.close();
      else
        Key(d.focusWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << closeBox;
  }
}

TEST_F(QtDialogs, LaidOutFromDialogUnitsWithTabOrderInCreationOrder) {
  CInputIPDlg dlg;
  WhenShown([](QtDialog& d) {
    const SIZE base = QtModalDriver::BaseUnits(d.font());
    EXPECT_EQ(d.width(), (124 * base.cx * 2 + 4) / 8);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Dialog Frame"));
    auto* confirm = qobject_cast<QPushButton*>(d.widgetFor(IDOK));
    ASSERT_NE(confirm, nullptr);
    EXPECT_TRUE(confirm->isDefault());
    EXPECT_EQ(confirm->text(), QStringLiteral("Confirm"));
    auto* ip = qobject_cast<QtDialogIpAddress*>(d.widgetFor(1000));
    EXPECT_EQ(QApplication::focusWidget(), ip->field(0));
    // Tab leaves the IP control as a whole, whichever field has the caret.
    ip->field(2)->setFocus();
    Key(ip->field(2), Qt::Key_Tab);
    auto* mask = qobject_cast<QtDialogIpAddress*>(d.widgetFor(1001));
    EXPECT_EQ(QApplication::focusWidget(), mask->field(0));
    Key(QApplication::focusWidget(), Qt::Key_Tab);
    Key(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), confirm);
    Key(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.widgetFor(IDCANCEL));
    Key(QApplication::focusWidget(), Qt::Key_Return);  // Enter on Cancel presses Cancel
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(QtDialogs, MessageBoxShowsCaptionTextAndTheAskedIcon) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString caption, text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    icon = box->icon();
    caption = box->windowTitle();
    text = box->text();
    box->accept();
  });
  EXPECT_EQ(
      driver.MessageBox(nullptr, "Socket port '4000' Open fail", "Lanorix", MB_ICONEXCLAMATION),
      IDOK);
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(caption, QStringLiteral("Lanorix"));
  EXPECT_EQ(text, QStringLiteral("Socket port '4000' Open fail"));
}

}  // namespace
