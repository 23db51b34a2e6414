#include "ui/shell/helpwindow.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void writePage(const QString &path, const QByteArray &html)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(html);
}

class HelpWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir(m_root.path()).mkdir(QStringLiteral("help")));
        m_folder = m_root.filePath(QStringLiteral("help"));
        writePage(m_folder + QStringLiteral("/index.html"),
                  "<html><body><h1>Sommaire</h1><a href=\"reference.html#tag-a\">A</a></body></html>");
        writePage(m_folder + QStringLiteral("/reference.html"),
                  "<html><body><h1 id=\"haut\">Reference</h1><p id=\"tag-a\">Lien</p></body></html>");
        writePage(m_root.filePath(QStringLiteral("secret.html")), "<html><body>secret</body></html>");
    }

    QTemporaryDir m_root;
    QString m_folder;
};

} // namespace

TEST_F(HelpWindowTest, ShowsPagesOfTheHelpFolderOnly)
{
    HelpWindow window(m_folder);
    struct Case
    {
        const char *page;
        const char *anchor;
        bool shown;
        const char *textPart;
    };
    const Case cases[] = {
        {"index.html", "", true, "Sommaire"},
        {"reference.html", "tag-a", true, "Lien"},
        {"absent.html", "", false, "absent.html"},
        {"../secret.html", "", false, "secret.html"},
        {"", "", false, "introuvable"},
    };
    for (const Case &c : cases) {
        const bool shown = window.showPage(QString::fromUtf8(c.page), QString::fromUtf8(c.anchor));
        EXPECT_EQ(shown, c.shown) << c.page;
        EXPECT_TRUE(window.browser()->toPlainText().contains(QString::fromUtf8(c.textPart))) << c.page;
        EXPECT_FALSE(window.browser()->toPlainText().contains(QStringLiteral("secret\n"))) << c.page;
        if (c.shown) {
            EXPECT_EQ(window.browser()->source().fileName(), QString::fromUtf8(c.page));
            EXPECT_EQ(window.browser()->source().fragment(), QString::fromUtf8(c.anchor));
        }
    }
}

// Help asked for from a modal dialog must not be blocked by that dialog.
TEST(HelpFromADialog, IsNotBlockedByTheModalDialog)
{
    QWidget frame;
    showHelpTopic(&frame, QStringLiteral("index.html"));
    QDialog dialog(&frame);
    QPointer<HelpWindow> help;
    QTimer::singleShot(0, &dialog, [&] {
        showHelpTopic(&dialog, QStringLiteral("index.html"));
        for (QWidget *w : QApplication::allWidgets()) {
            if (auto *h = qobject_cast<HelpWindow *>(w); h && h->isVisible())
                help = h;
        }
        dialog.reject();
    });
    dialog.exec();
    ASSERT_FALSE(help.isNull());
    // isAncestorOf() stops at window borders, and help is a window of its own.
    EXPECT_EQ(help->parentWidget(), &dialog);
}
