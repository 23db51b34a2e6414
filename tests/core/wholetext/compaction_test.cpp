#include "core/wholetext/compaction.h"
#include "support/qstringprinter.h"

#include <QRandomGenerator>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The rule one character at a time, as a reference for the fast pass.
QString naiveCompact(const QString &text)
{
    QString out;
    bool inTag = false, inBraces = false, inBlankRun = false;
    for (const QChar c : text) {
        bool closes = false;
        if (c == u'<') {
            inTag = true;
        } else if (c == u'>') {
            closes = inTag;
            inTag = false;
        } else if (c == u'{') {
            inBraces = true;
        } else if (c == u'}') {
            closes = inBraces;
            inBraces = false;
        }
        if (inTag || inBraces || c == u'<' || c == u'{' || closes) {
            out += c;
        } else if (c == u' ' || c == u'\r' || c == u'\n') {
            if (!inBlankRun) {
                inBlankRun = true;
                if (c == u' ')
                    out += c;
            } else if (c == u'\n') {
                out += u' ';
            }
        } else {
            inBlankRun = false;
            out += c;
        }
    }
    return out;
}

struct Case
{
    const char16_t *input;
    const char16_t *output;
};

QString q(const char16_t *text)
{
    return QString::fromUtf16(text);
}

} // namespace

TEST(Compaction, SqueezesBlankRunsOutsideTagsAndBraces)
{
    const Case cases[] = {
        {u"<P>\r\nTexte", u"<P> Texte"},
        {u"deux \r\n    mots", u"deux  mots"},
        {u"   début", u" début"},
        {u"a\tb <X  Y> { a  b }", u"a\tb <X  Y>{ a  b }"}, // the blank run goes on past the tag
    };
    for (const Case &c : cases)
        EXPECT_EQ(str(compactTags(q(c.input))), str(q(c.output))) << q(c.input).toStdString();
}

TEST(Compaction, FastPassEqualsTheCharacterByCharacterRule)
{
    const QStringList pieces = {QStringLiteral(" "),   QStringLiteral("  "),     QStringLiteral("\r\n"),
                                QStringLiteral("\n"),  QStringLiteral("\r"),     QStringLiteral("<"),
                                QStringLiteral(">"),   QStringLiteral("{"),      QStringLiteral("}"),
                                QStringLiteral("mot"), QStringLiteral("\u00E9"), QStringLiteral("\t")};
    QRandomGenerator random(4242);
    for (int round = 0; round < 5000; ++round) {
        QString text;
        const int count = int(random.bounded(40));
        for (int i = 0; i < count; ++i)
            text += pieces.at(int(random.bounded(int(pieces.size()))));
        const QString compacted = compactTags(text);
        ASSERT_EQ(str(compacted), str(naiveCompact(text))) << text.toStdString();
        ASSERT_LE(compacted.size(), text.size());
    }
}
