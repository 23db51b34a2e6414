#include "core/formatting/rulemarkup.h"

#include "core/attributes/attributereaders.h"
#include "core/attributes/colournames.h"
#include "core/attributes/starttag.h"

QString ruleTag(const RuleFields &fields)
{
    QString tag = QStringLiteral("<HR");
    const QString width = fields.width.trimmed();
    if (!width.isEmpty() && !(fields.percent && width == u"100")) {
        tag += QStringLiteral(" WIDTH=") + width;
        if (fields.percent)
            tag += u'%';
    }
    if (fields.align == RuleAlign::Left)
        tag += QStringLiteral(" ALIGN=left");
    else if (fields.align == RuleAlign::Right)
        tag += QStringLiteral(" ALIGN=right");
    bool ok = false;
    const int size = fields.size.trimmed().toInt(&ok);
    if (ok && size >= 2 && size <= 10)
        tag += QStringLiteral(" SIZE=") + QString::number(size);
    if (!fields.shade)
        tag += QStringLiteral(" NOSHADE");
    if (fields.color)
        tag += QStringLiteral(" COLOR=\"") + ColorToHtml(*fields.color) + u'"';
    return tag + u'>';
}

RuleFields readRuleTag(const QString &tag)
{
    RuleFields fields;
    if (const auto width = tagAttribute(tag, u"WIDTH")) {
        fields.percent = width->contains(u'%');
        const auto number = leadingNumber(*width);
        fields.width = number ? normalizedRuleWidth(QString::number(*number), fields.percent) : QString();
    } else {
        fields.width = QStringLiteral("100");
        fields.percent = true;
    }
    const auto size = tagAttribute(tag, u"SIZE");
    fields.size = size ? size->trimmed() : QStringLiteral("1");
    if (const auto align = tagAttribute(tag, u"ALIGN")) {
        if (align->compare(u"left", Qt::CaseInsensitive) == 0)
            fields.align = RuleAlign::Left;
        else if (align->compare(u"right", Qt::CaseInsensitive) == 0)
            fields.align = RuleAlign::Right;
    }
    if (const auto color = tagAttribute(tag, u"COLOR"))
        fields.color = ReadHtmlColour(*color).value_or(HtmlToColor(*color));
    fields.shade = !tagHasWord(tag, u"NOSHADE");
    return fields;
}

QString ruleTagToWrite(const QString &original, const RuleFields &fields)
{
    if (original.isEmpty())
        return ruleTag(fields);
    return MergeStartTag(original, ruleTag(readRuleTag(original)), ruleTag(fields));
}

int maxRuleWidth(bool percent)
{
    return percent ? 100 : 9999;
}

QString normalizedRuleWidth(const QString &width, bool percent, bool switchedToPercent)
{
    bool ok = false;
    const int value = width.trimmed().toInt(&ok);
    if (!ok || value <= 0)
        return QString();
    if (percent && switchedToPercent && value > 100)
        return QStringLiteral("100");
    if (value > maxRuleWidth(percent))
        return QString();
    return QString::number(value);
}

int ruleSketchPercent(const RuleFields &fields)
{
    bool ok = false;
    const int value = fields.width.trimmed().toInt(&ok);
    return ok && value >= 1 && value <= 100 ? value : 100;
}
