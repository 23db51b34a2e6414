#include "core/wholetext/batchmode.h"
#include "support/filebytes.h"
#include "support/qstringprinter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

TEST(CheckBatch, OneLinePerProblemAndTheExitCode)
{
    const QByteArray head =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
        "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\n";
    struct Case
    {
        const char *name;
        QByteArray bytes;
        int status;
        QStringList lines; // each after "path:"
    };
    const Case cases[] = {
        {"clean.htm", head + "<P>Bonjour</P>\n</BODY></HTML>\n", 0, {}},
        {"warning.htm", head + "<P><B>gras</P>\r\n</BODY></HTML>\n", 0, {QStringLiteral("3:4: Avertissement : ")}},
        // Windows-1252 bytes are read as the editor reads them: one column each.
        {"error.htm",
         head + "<P>\xe9t\xe9<FOO></P>\n</BODY></HTML>\n",
         1,
         {QStringLiteral("3:7: Erreur : "), QStringLiteral("3:7: Avertissement : ")}},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QLatin1String(c.name));
        writeAll(path, c.bytes);
        CaptureStdout();
        EXPECT_EQ(runBatchMode({QStringLiteral("tessaline"), QStringLiteral("--check"), path}), c.status) << c.name;
        const QStringList out = QString::fromStdString(GetCapturedStdout()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(out.size(), c.lines.size()) << c.name << ": " << str(out);
        for (qsizetype i = 0; i < out.size(); ++i)
            EXPECT_TRUE(out[i].startsWith(path + u':' + c.lines[i])) << str(out[i]);
        EXPECT_EQ(readAll(path), c.bytes) << "never written: " << c.name;
    }

    // A missing file is told on stderr and fails the run; the other page is
    // still checked.
    CaptureStdout();
    CaptureStderr();
    EXPECT_EQ(runBatchMode({QStringLiteral("tessaline"), QStringLiteral("--check"),
                            dir.filePath(QStringLiteral("none.htm")), dir.filePath(QStringLiteral("clean.htm"))}),
              1);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_NE(GetCapturedStderr().find("none.htm"), std::string::npos);
}
