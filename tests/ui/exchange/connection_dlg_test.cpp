// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/connection_dlg.h"

#include "scripted_user.h"
#include "widget_finders.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

class ConnectionDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_settings.templates = {"ftp.templates.org", "ann", "pw1", "/templates", 21};
        m_settings.textures = {"ftp.textures.org", "bob", "pw2", "/textures", 2121};
        m_settings.veloras = {"ftp.veloras.org", "cid", "pw3", "/veloras", 0};
        m_settings.proxyAddress = "proxy.lan";
        m_settings.proxyPort = 3128;
    }

    // Each profile and the proxy have a page of their own; the page of a
    // field comes up before the field is used, as a user would bring it up.
    template <class T>
    static T* Reveal(CConnectionDlg& dialog, T* field) {
        auto* pages = dialog.findChild<QTabWidget*>();
        for (int i = 0; field && pages && i < pages->count(); ++i) {
            if (pages->widget(i)->isAncestorOf(field)) pages->setCurrentIndex(i);
        }
        return field;
    }
    // The field on the page of the profile (templates, textures, veloras),
    // or on the proxy's page.
    static QLineEdit* Edit(CConnectionDlg& dialog, const QString& label, int profile = 0) {
        auto* pages = dialog.findChild<QTabWidget*>();
        QLineEdit* field = test::Labelled<QLineEdit>(*pages->widget(profile), label);
        return Reveal(dialog, field ? field : test::Labelled<QLineEdit>(dialog, label));
    }
    static QAbstractButton* Button(CConnectionDlg& dialog, const QString& text) {
        return test::ButtonLabelled(dialog, text);
    }
    static QCheckBox* UseProxy(CConnectionDlg& dialog) {
        return Reveal(dialog, qobject_cast<QCheckBox*>(Button(dialog, "&Use proxy")));
    }
    // Shown and active, so that the keyboard goes where the focus is.
    static void Show(CConnectionDlg& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // On the box itself: the check box answers clicks on its box and its text.
    static void Click(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    SettingsRecord m_settings;
    test::ScriptedUser m_user;
};

TEST_F(ConnectionDlgTest, ShowsTheRecordAndOkTakesEveryFieldIntoIt) {
    CConnectionDlg dialog(m_settings, m_user);
    ASSERT_NO_FATAL_FAILURE(Show(dialog));
    ASSERT_NE(Edit(dialog, "&Address:"), nullptr);
    EXPECT_EQ(Edit(dialog, "&Address:")->text(), "ftp.templates.org");
    EXPECT_EQ(Edit(dialog, "&Port:", 1)->text(), "2121");
    EXPECT_EQ(Edit(dialog, "Pass&word:", 2)->text(), "pw3");
    EXPECT_EQ(Edit(dialog, "Pass&word:")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Edit(dialog, "&Folder(from root, e.g. /veloras):")->text(), "/veloras");

    Retype(Edit(dialog, "&Login:"), "anna");
    Retype(Edit(dialog, "&Port:", 2), " 990 ");
    Retype(Edit(dialog, "&Folder(from root, e.g. /textures):"), "/tex");
    Click(UseProxy(dialog));
    Retype(Edit(dialog, "P&ort:"), "8080");
    QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_settings.templates.login, "anna");
    EXPECT_EQ(m_settings.veloras.port, 990);
    EXPECT_EQ(m_settings.textures.folder, "/tex");
    EXPECT_EQ(m_settings.proxyPort, 8080);
    EXPECT_EQ(m_settings.textures.password, "pw2");
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ConnectionDlgTest, APortThatIsNoIntegerKeepsTheDialogOpenOnThatField) {
    CConnectionDlg dialog(m_settings, m_user);
    ASSERT_NO_FATAL_FAILURE(Show(dialog));
    QLineEdit* port = Edit(dialog, "&Port:");
    Retype(port, "2x1");
    Retype(Edit(dialog, "Pass&word:"), "changed");
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_user.messages, QStringList{"Please enter an integer."});
    EXPECT_TRUE(port->hasFocus());
    EXPECT_EQ(m_settings.templates.port, 21);

    Retype(port, "70000");
    QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_user.messages.last(), "Please enter an integer between 0 and 65535.");

    Retype(port, "0");
    QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(m_settings.templates.port, 0);
    EXPECT_EQ(m_settings.templates.password, "changed");
}

TEST_F(ConnectionDlgTest, CancelKeepsTheRecordUnlessUseProxyWasClickedMeanwhile) {
    {
        CConnectionDlg dialog(m_settings, m_user);
        ASSERT_NO_FATAL_FAILURE(Show(dialog));
        Retype(Edit(dialog, "&Address:"), "");
        QTest::mouseClick(Button(dialog, "Cancel"), Qt::LeftButton);
        EXPECT_EQ(m_settings.templates.address, "ftp.templates.org");
    }
    CConnectionDlg dialog(m_settings, m_user);
    ASSERT_NO_FATAL_FAILURE(Show(dialog));
    Retype(Edit(dialog, "&Address:"), "");
    auto* useProxy = UseProxy(dialog);
    Click(useProxy);
    Retype(Edit(dialog, "&Address:", 1), "typed after the click");
    QTest::mouseClick(Button(dialog, "Cancel"), Qt::LeftButton);
    EXPECT_EQ(m_settings.templates.address, "");
    EXPECT_TRUE(m_settings.useProxy);
    EXPECT_EQ(m_settings.textures.address, "ftp.textures.org");
}

TEST_F(ConnectionDlgTest, TheProxyFieldsFollowUseProxyFromMouseAndKeyboard) {
    CConnectionDlg dialog(m_settings, m_user);
    ASSERT_NO_FATAL_FAILURE(Show(dialog));
    auto* useProxy = UseProxy(dialog);
    QLineEdit* server = Edit(dialog, "Ser&ver:");
    QLineEdit* port = Edit(dialog, "P&ort:");
    EXPECT_FALSE(server->isEnabled());
    EXPECT_FALSE(port->isEnabled());
    Click(useProxy);
    EXPECT_TRUE(server->isEnabled());
    EXPECT_TRUE(port->isEnabled());
    useProxy->setFocus();
    QTest::keyClick(useProxy, Qt::Key_Space);
    EXPECT_FALSE(server->isEnabled());
    EXPECT_FALSE(m_settings.useProxy);
}

// TLS per profile, off as stored profiles have it; a CA file named for it
// has to exist, and the dialog says so on the field.
TEST_F(ConnectionDlgTest, TlsAndTheCaFileArePerProfile) {
    m_settings.veloras.useTls = true;
    m_settings.veloras.caFile = "/etc/hostname";
    CConnectionDlg dialog(m_settings, m_user);
    ASSERT_NO_FATAL_FAILURE(Show(dialog));
    QList<QCheckBox*> tls;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == "&Use TLS (encrypted connection)") tls.append(box);
    }
    ASSERT_EQ(tls.size(), 3);
    QLineEdit* texturesCa = Edit(dialog, "&CA file (private server, optional):", 1);
    EXPECT_EQ(Edit(dialog, "&CA file (private server, optional):", 2)->text(), "/etc/hostname");
    EXPECT_FALSE(texturesCa->isEnabled());
    Click(Reveal(dialog, tls[1]));
    ASSERT_TRUE(texturesCa->isEnabled());
    Retype(texturesCa, "/no/such/ca.pem");
    QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_user.messages, QStringList{"The CA file \"/no/such/ca.pem\" does not exist."});
    EXPECT_TRUE(texturesCa->hasFocus());
    EXPECT_FALSE(m_settings.textures.useTls);

    Retype(texturesCa, " /etc/hostname ");
    QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(m_settings.templates.useTls);
    EXPECT_TRUE(m_settings.textures.useTls);
    EXPECT_EQ(m_settings.textures.caFile, "/etc/hostname");
    EXPECT_TRUE(m_settings.veloras.useTls);
}

}  // namespace
}  // namespace velora
