#include "support/qstringprinter.h"
#include "support/testhost.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FindKeysTest : public ::testing::Test
{
protected:
    FindKeysTest() { host.frame.show(); }

    void open(bool replace) { replace ? commands.replaceAction()->trigger() : commands.findAction()->trigger(); }
    QComboBox *combo(const char *name) { return commands.dialog()->findChild<QComboBox *>(QLatin1String(name)); }
    // Types text into a combo that already offers history entries starting
    // with it, the way a user does.
    void typeOver(const char *name, const QString &text)
    {
        QLineEdit *edit = combo(name)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void enter(const char *name) { QTest::keyClick(combo(name)->lineEdit(), Qt::Key_Return); }

    TestHost host;
    FindCommands commands{host};
};

} // namespace

// What the user typed is what gets searched for and written, never a
// history entry that merely starts with it.
TEST_F(FindKeysTest, TypedTextIsUsedExactlyAsTyped)
{
    struct Case
    {
        bool replace;
        const char *page;
        const char *typedFind;
        const char *typedReplacement;
        int enters;
        const char *expectedPage;
        const char *expectedSelection;
    };
    const Case cases[] = {
        {false, "chien chiot", "chi", "", 1, "chien chiot", "chi"},
        {true, "chiot", "chiot", "chi", 2, "chi", ""},
    };
    for (const Case &c : cases) {
        host.text.setText(QString::fromUtf8(c.page));
        open(c.replace);
        for (const char *name : {"findText", "replaceText"})
            combo(name)->addItems({QStringLiteral("chien"), QStringLiteral("chiots")});
        typeOver("findText", QString::fromUtf8(c.typedFind));
        if (c.replace)
            typeOver("replaceText", QString::fromUtf8(c.typedReplacement));
        EXPECT_EQ(str(combo("findText")->currentText()), c.typedFind);
        for (int i = 0; i < c.enters; ++i)
            enter(c.replace ? "replaceText" : "findText");
        EXPECT_EQ(str(host.text.text()), c.expectedPage) << c.page;
        EXPECT_EQ(str(host.text.selectedText()), c.expectedSelection) << c.page;
        commands.dialog()->close();
    }
}

// After a find, the search text is selected in its field; the next Enter
// must still run the default button.
TEST_F(FindKeysTest, EveryEnterRunsTheDefaultButton)
{
    host.text.setText(QStringLiteral("a a a a"));
    open(false);
    typeOver("findText", QStringLiteral("a"));
    std::vector<int> starts;
    for (int i = 0; i < 4; ++i) {
        enter("findText");
        starts.push_back(host.text.selectionStart());
    }
    EXPECT_EQ(starts, (std::vector<int>{0, 2, 4, 6}));
}
