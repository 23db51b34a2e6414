#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Reading one start tag as an author or another program wrote it, the way a
// browser reads it: names in any letter case, values in double quotes,
// single quotes or bare, a ">" inside quotes belonging to the value, blanks
// and line breaks around "=", character references in values. Every element
// reader goes through this one reader, so that what a dialog shows is what a
// browser sees.

struct TagAttribute
{
    QString name;  // as written
    QString value; // character references decoded; empty when none given
    QChar quote;   // '"' or '\'' around the value; null when bare or absent
    bool hasValue = false;
    qsizetype start = 0; // index of the name in the text the tag was read from
    qsizetype end = 0;   // just past the value (its closing quote), or the name
};

struct StartTag
{
    qsizetype start = -1; // the "<"
    qsizetype end = -1;   // just past the ">", or the end of the text when the tag is not closed
    bool closed = false;
    QString name; // the element name as written ("img", "IMG")
    qsizetype nameEnd = -1;
    QList<TagAttribute> attributes; // in the order written, repeats included

    bool isValid() const { return start >= 0; }
    // The first attribute of that name (any letter case), as a browser takes
    // the first of repeated attributes; nullptr when absent.
    const TagAttribute *attribute(QStringView name) const;
    std::optional<QString> value(QStringView name) const;
    bool has(QStringView name) const { return attribute(name) != nullptr; }
};

// The start tag whose "<" stands at from (an invalid tag when text has no
// "<" there). A tag without its ">" runs to the end of text, not closed.
StartTag ReadStartTag(QStringView text, qsizetype from = 0);

// The first start tag of an element name (any letter case) in text at or
// after from; a name is matched whole ("<B" does not find "<BODY").
StartTag FindStartTag(QStringView text, QStringView elementName, qsizetype from = 0);

// Index just past the ">" that closes the tag starting at from, honouring
// quoted values; -1 when the tag is not closed.
qsizetype StartTagEnd(QStringView text, qsizetype from);

// One escaping rule for every value written inside double quotes: a double
// quote becomes &quot; and an "&" that would start a character reference
// becomes &amp;. Everything else goes in as typed.
QString EscapeAttributeValue(const QString &value);
// '"' + the escaped value + '"'.
QString QuotedValue(const QString &value);
// A value that is written bare (numbers, keywords): as it is when it can
// stand bare, else quoted like any other, so that a blank, a quote or a ">"
// in it can never break the tag.
QString BareValue(const QString &value);
// Decodes the character references of a value (&quot;, &amp;, &#34;, &#x22;,
// &eacute;, ...); anything that is no known reference stays as written.
QString DecodeAttributeValue(QStringView value);

// The start tag in text (from its first "<") without every attribute of
// that name, each taken out with the blanks before it; the rest as written.
QString WithoutAttribute(const QString &text, QStringView name);

// The start tag to write back when a dialog re-edits original. unchanged is
// what the dialog writes for the fields it read from original, edited what
// it writes now. Every attribute whose field the author left alone stays as
// written (quoting, letter case, entities, position), and every attribute no
// field shows stays too; an attribute the author changed takes its new text
// in place, one the author cleared goes, one the author set is added after
// the last attribute. Attributes the dialog writes by default (present
// alike in unchanged and edited) are not added. With no original the result
// is edited.
QString MergeStartTag(const QString &original, const QString &unchanged, const QString &edited);
