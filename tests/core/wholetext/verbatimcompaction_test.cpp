#include "core/wholetext/compaction.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

TEST(VerbatimCompaction, ContentShownOrRunAsWrittenStaysUntouched)
{
    const struct
    {
        const char16_t *input;
        const char16_t *output;
    } cases[] = {
        {u"<PRE>a  b\r\n  c</PRE>\r\n  d", u"<PRE>a  b\r\n  c</PRE> d"},
        {u"<pre class=x>\r\n\tx</Pre>", u"<pre class=x>\r\n\tx</Pre>"},
        {u"<TEXTAREA NAME=t>ligne 1\r\n\r\nligne 3</TEXTAREA>", u"<TEXTAREA NAME=t>ligne 1\r\n\r\nligne 3</TEXTAREA>"},
        // A "//" comment must keep its line end, or the code after it is lost.
        {u"<SCRIPT>// note\r\nf();\r\nif (a < b && c > d) x();</SCRIPT>",
         u"<SCRIPT>// note\r\nf();\r\nif (a < b && c > d) x();</SCRIPT>"},
        // Content that ends in blanks continues the run across the end tag.
        {u"<style>\r\n  p {  color: red }\r\n</STYLE>  x", u"<style>\r\n  p {  color: red }\r\n</STYLE>x"},
        // Tags inside a PRE are copied with it; the end tag is read as a tag.
        {u"<PRE><B>a   b</B>\r\n</PRE>\r\nsuite", u"<PRE><B>a   b</B>\r\n</PRE> suite"},
        // Only these names, whole: PREFIX and a closing </PRE> are ordinary.
        {u"<PREFIX>a  b</PREFIX>", u"<PREFIX>a b</PREFIX>"},
        {u"x  </PRE>  y", u"x </PRE>y"},
        // Without its end tag the content runs to the end of the text.
        {u"a  <PRE>b  c", u"a <PRE>b  c"},
        // Elsewhere the rule stays: a run continues across a tag.
        {u"a <B> b", u"a <B>b"},
    };
    for (const auto &c : cases) {
        const QString input = QString::fromUtf16(c.input);
        EXPECT_EQ(str(compactTags(input)), str(QString::fromUtf16(c.output))) << str(input);
    }
}
