#include "core/frameset/frameproperties.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameProperties, FieldCorrections)
{
    const struct
    {
        QString (*fix)(const QString &);
        const char *in;
        const char *out;
    } cases[] = {
        {FixMarginWidth, "4", "4"},    {FixMarginWidth, "-3", "10"},  {FixMarginHeight, "0", "0"},
        {FixMarginHeight, "", "16"},   {FixFrameSpacing, "-", "-"},   {FixFrameSpacing, "x", "2"},
        {FixFrameSpacing, "-4", "-4"}, {FixFramesetBorder, "q", "8"}, {FixFramesetBorder, "0", "0"},
        {FixFrameSize, "50", "50"},    {FixFrameSize, "10000", ""},   {FixFrameSpace, "0", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.fix(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(FrameProperties, FrameModeStoresFields)
{
    FrameFields fields;
    fields.source = QStringLiteral("menu.htm");
    fields.name = QStringLiteral("mon cadre");
    fields.marginWidth = QStringLiteral("x");
    fields.marginHeight = QStringLiteral("0");
    fields.scrolling = 2;
    fields.border = false;
    fields.borderColor = SwatchColorText(SilverSwatch);
    FrameRec frame;
    StoreFrameFields(fields, frame);
    EXPECT_EQ(frame.Name, QStringLiteral("moncadre"));
    EXPECT_EQ(frame.Src, QStringLiteral("menu.htm"));
    EXPECT_EQ(frame.MarginWidth, 10);
    EXPECT_EQ(frame.MarginHeight, 0);
    EXPECT_EQ(frame.Scrolling, 2);
    EXPECT_FALSE(frame.FrameBorder);
    EXPECT_EQ(frame.BorderColor, QString());
    EXPECT_EQ(SwatchColor(frame.BorderColor), SilverSwatch);
    EXPECT_EQ(SwatchColorText(0x0000FF), QStringLiteral("#FF0000"));
    EXPECT_EQ(CheckFrameFields(fields), 0);
    fields.name.clear();
    EXPECT_EQ(CheckFrameFields(fields), 38);
}

TEST(FrameProperties, InlineFrameTag)
{
    const struct
    {
        void (*change)(FrameFields &);
        const char *expected;
    } cases[] = {
        {[](FrameFields &) {}, ""},
        {[](FrameFields &f) {
             f.width = QStringLiteral("50"), f.widthPercent = true, f.height = QStringLiteral("200");
             f.border = false;
         },
         " FRAMEBORDER=\"0\" WIDTH=\"50%\" HEIGHT=\"200\""},
        {[](FrameFields &f) {
             f.scrolling = 1;
             f.marginWidth = QStringLiteral("0");
             f.marginHeight = QString();
             f.noResize = true;
             f.align = 4;
             f.vspace = QStringLiteral("5");
             f.hspace = QStringLiteral("6");
         },
         " SCROLLING=\"yes\" MARGINWIDTH=\"0\" NORESIZE ALIGN=\"LEFT\" VSPACE=\"5\" HSPACE=\"6\""},
        {[](FrameFields &f) {
             f.scrolling = 2;
             f.marginHeight = QStringLiteral("3");
             f.align = 2;
         },
         " SCROLLING=\"no\" MARGINHEIGHT=\"3\" ALIGN=\"MIDDLE\""},
    };
    for (const auto &c : cases) {
        FrameFields f;
        f.name = QStringLiteral("la page");
        f.source = QStringLiteral("page.htm");
        c.change(f);
        EXPECT_EQ(IFrameStartTag(f),
                  QStringLiteral("<IFRAME NAME=\"lapage\" SRC=\"page.htm\"") + QString::fromUtf8(c.expected) + u'>');
    }
}

} // namespace
