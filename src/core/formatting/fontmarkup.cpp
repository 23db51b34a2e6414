#include "core/formatting/fontmarkup.h"

const std::array<FontStyle, FontStyleCount> &fontStyles()
{
    static constexpr std::array<FontStyle, FontStyleCount> Styles = {{
        {u"<B>", u"</B>", u"&Gras"},
        {u"<STRONG>", u"</STRONG>", u"&Fort"},
        {u"<U>", u"</U>", u"S&ouligné"},
        {u"<EM>", u"</EM>", u"&Emphase"},
        {u"<I>", u"</I>", u"&Italique"},
        {u"<BLINK>", u"</BLINK>", u"C&lignotant"},
        {u"<STRIKE>", u"</STRIKE>", u"&Barré"},
        {u"<SUB>", u"</SUB>", u"In&dice"},
        {u"<SUP>", u"</SUP>", u"E&xposant"},
        {u"<BIG>", u"</BIG>", u"G&rand"},
        {u"<SMALL>", u"</SMALL>", u"P&etit"},
        {u"<PRE>", u"</PRE>", u"P&réformaté"},
        {u"<VAR>", u"</VAR>", u"&Variable"},
        {u"<TT>", u"</TT>", u"Télét&ype"},
        {u"<SAMP>", u"</SAMP>", u"E&xemple"},
        {u"<KBD>", u"</KBD>", u"C&lavier"},
        {u"<CODE>", u"</CODE>", u"C&ode"},
        {u"<ADDRESS>", u"</ADDRESS>", u"A&dresse"},
        {u"<BLOCKQUOTE>", u"</BLOCKQUOTE>", u"&Bloc de citation"},
        {u"<CITE>", u"</CITE>", u"Citatio&n"},
        {u"<LISTING>", u"</LISTING>", u"&Listage"},
        {u"<XMP>", u"</XMP>", u"E&xemple brut"},
        {u"<PLAINTEXT>", u"", u"Texte br&ut"},
        {u"<DFN>", u"</DFN>", u"&Définition"},
    }};
    return Styles;
}

bool isFontSize(const QString &size)
{
    if (size.size() == 1)
        return size.at(0) >= u'1' && size.at(0) <= u'7';
    return size.size() == 2 && (size.at(0) == u'+' || size.at(0) == u'-') && size.at(1) >= u'1' && size.at(1) <= u'7';
}

TagPair fontTags(const FontFields &fields)
{
    QString attributes;
    QStringList faces;
    for (const QString &face : fields.faces) {
        // A quote inside a name would end the attribute value early.
        QString name = face;
        name.remove(u'"');
        if (!name.isEmpty())
            faces << u'"' + name + u'"';
    }
    if (!faces.isEmpty())
        attributes += QStringLiteral(" FACE=") + faces.join(u',');
    // An empty or malformed size would give a broken attribute: it is left
    // out like the default size.
    const QString size = fields.size.trimmed();
    if (size != QStringView(DefaultFontSize) && isFontSize(size))
        attributes += QStringLiteral(" SIZE=") + size;
    if (fields.color)
        attributes += QStringLiteral(" COLOR=\"") + ColorToHtml(*fields.color) + u'"';

    TagPair tags;
    if (!attributes.isEmpty()) {
        if (fields.baseFont) {
            tags.start = QStringLiteral("<BASEFONT") + attributes + u'>';
        } else {
            tags.start = QStringLiteral("<FONT") + attributes + u'>';
            tags.end = QStringLiteral("</FONT>");
        }
    }
    if (!fields.baseFont) {
        for (int i = 0; i < FontStyleCount; ++i) {
            if (!fields.styles[size_t(i)])
                continue;
            tags.start += QString::fromUtf16(fontStyles()[size_t(i)].start);
            tags.end.prepend(QString::fromUtf16(fontStyles()[size_t(i)].end));
        }
    }
    return tags;
}
