#include "core/wholetext/batchmode.h"
#include "support/filebytes.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;

QString capturedStdout()
{
    return QString::fromStdString(testing::internal::GetCapturedStdout());
}

QString capturedStderr()
{
    return QString::fromStdString(testing::internal::GetCapturedStderr());
}

class BatchModeTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        writeAll(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    static QStringList args(const QStringList &rest) { return QStringList{QStringLiteral("tessaline")} + rest; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(BatchModeTest, HelpAndUsageErrors)
{
    struct Case
    {
        QStringList arguments;
        int status;
        bool usageOnStdout;
    };
    const QString page = write(QStringLiteral("p.htm"), "x");
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, true},
        {{QStringLiteral("--to-entities")}, 2, false},
        {{QStringLiteral("--compact"), QStringLiteral("--bogus"), page}, 2, false},
        {{QStringLiteral("--from-entities"), page, QStringLiteral("--to-entities")}, 2, false},
    };
    for (const Case &c : cases) {
        CaptureStdout();
        CaptureStderr();
        EXPECT_EQ(runBatchMode(args(c.arguments)), c.status) << c.arguments.join(' ').toStdString();
        const QString out = capturedStdout(), err = capturedStderr();
        const QString usage = c.usageOnStdout ? out : err;
        for (const char *option : {"--to-entities", "--from-entities", "--compact", "--help"})
            EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
    }
    EXPECT_EQ(readAll(page), QByteArray("x"));
}

TEST_F(BatchModeTest, RewritesEachFileInItsOwnEncodingAndLineEnds)
{
    struct Case
    {
        QString option;
        QByteArray before;
        QByteArray after;
        QString report;
    };
    const Case cases[] = {
        {QStringLiteral("--to-entities"), "caf\xC3\xA9 \xE2\x84\xA2\n", "caf&eacute; &trade;\n",
         QStringLiteral(" 2 conversion(s) a/ont été effectuée(s).")},
        {QStringLiteral("--from-entities"), "&trade;&eacute; \xE0\r\n", "\x99\xE9 \xE0\r\n",
         QStringLiteral(" 2 retour(s) de conversion a/ont été effectué(s).")},
        {QStringLiteral("--compact"), "<P>\n    Texte\n", "<P> Texte ", QStringLiteral(" 4 caractère(s) enlevé(s).")},
    };
    int index = 0;
    for (const Case &c : cases) {
        const QString path = write(QStringLiteral("page%1.htm").arg(index++), c.before);
        CaptureStdout();
        EXPECT_EQ(runBatchMode(args({c.option, path})), 0) << c.before.toStdString();
        const QString out = capturedStdout();
        EXPECT_EQ(readAll(path), c.after) << c.before.toStdString();
        EXPECT_EQ(str(out), str(QLatin1Char('[') + path + QLatin1Char(']') + c.report + QLatin1Char('\n')));
    }
}

TEST_F(BatchModeTest, AFileThatCannotBeReadFailsWithoutStoppingTheOthers)
{
    const QString first = write(QStringLiteral("a.htm"), "\xC3\xA9");
    const QString missing = dir.filePath(QStringLiteral("absent.htm"));
    // A name that starts with "-" comes after "--".
    const QString last = write(QStringLiteral("-b.htm"), "\xC3\xA0");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    CaptureStderr();
    CaptureStdout();
    EXPECT_EQ(runBatchMode(args({QStringLiteral("--to-entities"), first, missing, dir.path(), QStringLiteral("--"),
                                 QStringLiteral("-b.htm")})),
              1);
    QDir::setCurrent(previous);
    const QString out = capturedStdout(), err = capturedStderr();
    EXPECT_EQ(readAll(first), QByteArray("&eacute;"));
    EXPECT_EQ(readAll(last), QByteArray("&agrave;"));
    EXPECT_EQ(out.count(QLatin1Char('\n')), 2);
    EXPECT_TRUE(err.contains(QLatin1Char('[') + missing + QLatin1Char(']')));
}
