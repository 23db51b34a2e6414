#pragma once

#include "support/testhost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/elementdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

// A test frame for element dialogs: the miniature frame window, a page saved
// in a temporary folder, and an open dialog that answers from a queue (an
// empty queue means the user cancelled).
struct DialogTesting
{
    DialogTesting()
        : services(host)
    {
        page = folder.filePath(QStringLiteral("index.htm"));
        services.chooseFile = [this](QWidget *, const QString &filter) {
            filters << filter;
            if (chosenFiles.empty())
                return QString();
            const QString file = chosenFiles.front();
            chosenFiles.pop_front();
            return file;
        };
        services.documentFileName = [this] { return page; };
        services.saveDocumentAs = [this] { return page; };
    }
    ~DialogTesting() { QDir::setCurrent(savedFolder); }

    // Writes a file beside the page; returns its absolute name.
    QString writeFile(const QString &name, const QByteArray &content = QByteArray())
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    QString savedFolder = QDir::currentPath();
    QTemporaryDir folder;
    QString page;
    TestHost host;
    DialogServices services;
    std::deque<QString> chosenFiles;
    QStringList filters;
};

// Shows one page of a dialog as the user first sees it (tab -1: leave the
// dialog's own page) and checks it: no caption or button cut, every visible
// field reached by its caption, the help page holds the dialog's anchor.
// With TESSALINE_SHOTS set to a folder the page is saved there as a picture.
inline void checkDialogPage(ElementDialog *dialog, const char *shot, int tab)
{
    std::unique_ptr<ElementDialog> owned(dialog);
    if (auto *tabs = dialog->findChild<QTabWidget *>(); tabs && tab >= 0)
        tabs->setCurrentIndex(tab);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QList<QWidget *> captioned;
    for (auto *label : dialog->findChildren<QLabel *>()) {
        if (label->buddy())
            captioned << label->buddy();
        if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->minimumSizeHint().width()) << shot << ": " << qPrintable(label->text());
        }
    }
    for (auto *button : dialog->findChildren<QAbstractButton *>()) {
        if (button->isVisible() && !button->text().isEmpty()) {
            EXPECT_GE(button->width(), button->minimumSizeHint().width()) << shot << ": " << qPrintable(button->text());
        }
    }
    for (auto *w : dialog->findChildren<QWidget *>()) {
        const bool inner = qobject_cast<QComboBox *>(w->parentWidget())
                           || qobject_cast<QAbstractSpinBox *>(w->parentWidget())
                           || w->parentWidget()->inherits("QComboBoxPrivateContainer"); // a combo box's own list
        const bool field = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
                           || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QAbstractItemView *>(w)
                           || (qobject_cast<QPlainTextEdit *>(w) && w->focusPolicy() != Qt::NoFocus);
        if (field && !inner && w->isVisible()) {
            EXPECT_TRUE(captioned.contains(w)) << shot << ": " << w->metaObject()->className();
        }
    }
    // The build copies the help pages beside the program.
    QFile help(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/help/") + dialog->helpPage());
    ASSERT_TRUE(help.open(QIODevice::ReadOnly)) << shot;
    if (!dialog->helpAnchor().isEmpty()) {
        EXPECT_TRUE(help.readAll().contains(("id=\"" + dialog->helpAnchor() + "\"").toUtf8())) << shot;
    }
    if (const QString shots = qEnvironmentVariable("TESSALINE_SHOTS"); !shots.isEmpty())
        dialog->grab().save(QDir(shots).filePath(QLatin1String(shot) + QStringLiteral(".png")));
}
