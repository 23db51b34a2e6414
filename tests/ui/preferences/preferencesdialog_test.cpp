#include "ui/preferences/appearancepage.h"
#include "ui/preferences/browserpathspage.h"
#include "core/preferences/browsersearch.h"
#include "ui/preferences/colorswatchbutton.h"
#include "ui/preferences/preferencesdialog.h"
#include "core/settings/settings.h"
#include "support/fakeprompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template<typename T> T *child(const QWidget &parent, const char *name)
{
    T *widget = parent.findChild<T *>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QPushButton *button(const QWidget &parent, const QString &text)
{
    for (QPushButton *b : parent.findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

// A folder with one program of each browser family.
struct ProgramFolder
{
    ProgramFolder()
    {
        for (const QString &name : {QStringLiteral("gecko/firefox"), QStringLiteral("blink/chromium")}) {
            const QString path = dir.filePath(name);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    QTemporaryDir dir;
};

bool runSearch(PreferencesDialog &dialog)
{
    QSignalSpy ended(dialog.browserPage(), &BrowserPathsPage::searchEnded);
    QTest::mouseClick(button(dialog, QStringLiteral("&Chercher")), Qt::LeftButton);
    return ended.wait(10000);
}

} // namespace

TEST(PreferencesDialog, StoresEveryControlBack)
{
    FakePrompts prompts;
    Settings in;
    in.browserPath1 = QStringLiteral("/opt/firefox/firefox");
    in.browserPath2 = QStringLiteral("/usr/bin/chromium");
    in.browserChoice = 2;
    in.fileUrls = true;
    in.toolbar = in.statusBar = in.margins = in.maximised = in.aboutBox = in.obligatorySave = false;
    in.backup = true;
    in.fontName = QStringLiteral("Police Introuvable"); // not installed: kept all the same
    in.fontSize = 14;
    in.textColour = QStringLiteral("$0000FF");
    in.backgroundColour = QStringLiteral("$FFFFE0");
    PreferencesDialog dialog(in, prompts);
    EXPECT_TRUE(child<QRadioButton>(dialog, "family2")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "modernExplorer")->isChecked());

    Settings out;
    dialog.store(out);
    EXPECT_EQ(out.browserPath1, in.browserPath1);
    EXPECT_EQ(out.browserPath2, in.browserPath2);
    EXPECT_EQ(out.browserChoice, 2);
    EXPECT_TRUE(out.fileUrls);
    EXPECT_FALSE(out.toolbar || out.statusBar || out.margins || out.maximised || out.aboutBox || out.obligatorySave);
    EXPECT_TRUE(out.backup);
    EXPECT_EQ(out.fontName, in.fontName);
    EXPECT_EQ(out.fontSize, 14);
    EXPECT_EQ(out.textColour, in.textColour);
    EXPECT_EQ(out.backgroundColour, in.backgroundColour);
}

TEST(PreferencesDialog, SampleAndSettingsFollowTheChosenColours)
{
    FakePrompts prompts;
    PreferencesDialog dialog(Settings(), prompts);
    AppearancePage *page = dialog.appearancePage();
    child<QSpinBox>(dialog, "fontSize")->setValue(15);
    page->textSwatch()->setChooser([](const QColor &, QWidget *) { return QColor(Qt::blue); });
    page->backgroundSwatch()->setChooser([](const QColor &, QWidget *) { return QColor(); }); // cancelled
    QTest::mouseClick(page->textSwatch(), Qt::LeftButton);
    QTest::mouseClick(page->backgroundSwatch(), Qt::LeftButton);
    EXPECT_EQ(page->sample()->sampleFont().pointSize(), 15);
    EXPECT_EQ(page->sample()->textColor(), QColor(Qt::blue));
    EXPECT_EQ(page->sample()->backgroundColor(), QColor(Qt::white));
    Settings out;
    dialog.store(out);
    EXPECT_EQ(out.fontSize, 15);
    EXPECT_EQ(out.textColour, QStringLiteral("$0000FF"));
    EXPECT_EQ(out.backgroundColour, QStringLiteral("$FFFFFF"));
}

TEST(PreferencesDialog, SearchListsTheProgramsOfTheCheckedBrowser)
{
    ProgramFolder folder;
    const struct
    {
        const char *radio;
        QString result;
        int hits;
    } cases[] = {
        {"family1", QStringLiteral("La recherche donne 1 choix."), 1},
        {"family2", QStringLiteral("La recherche donne 1 choix."), 1},
    };
    for (const auto &c : cases) {
        FakePrompts prompts;
        PreferencesDialog dialog(Settings(), prompts);
        dialog.browserPage()->setSearchRoots({folder.dir.path()});
        child<QRadioButton>(dialog, c.radio)->setChecked(true);
        ASSERT_TRUE(runSearch(dialog)) << c.radio;
        auto *hits = child<QListWidget>(dialog, "hits");
        EXPECT_FALSE(hits->isHidden());
        ASSERT_EQ(hits->count(), c.hits);
        EXPECT_EQ(child<QLabel>(dialog, "result")->text(), c.result);
        EXPECT_TRUE(button(dialog, QStringLiteral("&Chercher"))->isEnabled());
        EXPECT_FALSE(button(dialog, QStringLiteral("A&rrêter"))->isEnabled());
        EXPECT_TRUE(prompts.shown.isEmpty());
    }

    // Nothing found.
    QTemporaryDir empty;
    FakePrompts prompts;
    PreferencesDialog dialog(Settings(), prompts);
    dialog.browserPage()->setSearchRoots({empty.path()});
    child<QRadioButton>(dialog, "family1")->setChecked(true);
    ASSERT_TRUE(runSearch(dialog));
    EXPECT_EQ(child<QLabel>(dialog, "result")->text(), QStringLiteral("La recherche a été effectuée sans succès."));
}

TEST(PreferencesDialog, SearchAndBrowseNeedABrowserChoice)
{
    FakePrompts prompts;
    PreferencesDialog dialog(Settings(), prompts);
    bool chooserAsked = false;
    dialog.browserPage()->setFileChooser([&](QWidget *, const QString &) {
        chooserAsked = true;
        return QString();
    });
    QTest::mouseClick(button(dialog, QStringLiteral("&Chercher")), Qt::LeftButton);
    QTest::mouseClick(button(dialog, QStringLiteral("&Parcourir...")), Qt::LeftButton);
    const QString warning =
        QStringLiteral("warning:") + QStringLiteral("Veuillez sélectionner le navigateur à rechercher sur le disque.");
    EXPECT_EQ(prompts.shown, QStringList({warning, warning}));
    EXPECT_FALSE(chooserAsked);
    EXPECT_TRUE(child<QListWidget>(dialog, "hits")->isHidden());
}

TEST(PreferencesDialog, ChosenProgramsGoToTheirBrowsersField)
{
    // A double-clicked hit goes to the field of its own browser family, an
    // unknown name to the checked one; the path keeps its case.
    const struct
    {
        const char *checked;
        QString hit;
        const char *field;
    } cases[] = {
        {"family2", QStringLiteral("/Opt/Gecko/firefox"), "path1"},
        {"family1", QStringLiteral("/opt/Blink/CHROMIUM"), "path2"},
        {"family2", QStringLiteral("/opt/autre/navigateur"), "path2"},
        {"family1", QStringLiteral("/opt/autre/navigateur"), "path1"},
    };
    for (const auto &c : cases) {
        FakePrompts prompts;
        PreferencesDialog dialog(Settings(), prompts);
        child<QRadioButton>(dialog, c.checked)->setChecked(true);
        auto *hits = child<QListWidget>(dialog, "hits");
        hits->addItem(c.hit);
        emit hits->itemDoubleClicked(hits->item(0));
        EXPECT_EQ(child<QLineEdit>(dialog, c.field)->text(), c.hit) << c.field;
    }

    // "&Parcourir..." starts in the chosen folder and fills the checked field.
    FakePrompts prompts;
    PreferencesDialog dialog(Settings(), prompts);
    dialog.browserPage()->setSearchRoots({QStringLiteral("/")});
    QString startedIn;
    dialog.browserPage()->setFileChooser([&](QWidget *, const QString &folder) {
        startedIn = folder;
        return QStringLiteral("/usr/lib/chromium/chromium");
    });
    child<QRadioButton>(dialog, "family2")->setChecked(true);
    QTest::mouseClick(button(dialog, QStringLiteral("&Parcourir...")), Qt::LeftButton);
    EXPECT_EQ(startedIn, QStringLiteral("/"));
    EXPECT_EQ(child<QLineEdit>(dialog, "path2")->text(), QStringLiteral("/usr/lib/chromium/chromium"));
    EXPECT_TRUE(child<QLineEdit>(dialog, "path1")->text().isEmpty());
}

TEST(PreferencesDialog, ClosingDuringASearchStopsIt)
{
    ProgramFolder folder;
    for (const bool ok : {true, false}) {
        FakePrompts prompts;
        PreferencesDialog dialog(Settings(), prompts);
        dialog.browserPage()->setSearchRoots({folder.dir.path()});
        child<QRadioButton>(dialog, "family1")->setChecked(true);
        QTest::mouseClick(button(dialog, QStringLiteral("&Chercher")), Qt::LeftButton);
        if (ok)
            dialog.accept();
        else
            dialog.reject();
        // The worker has ended: nothing runs behind the closed dialog.
        EXPECT_FALSE(dialog.findChild<BrowserSearchThread *>()->isRunning());
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
}
