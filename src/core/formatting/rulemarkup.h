#pragma once

#include "core/markup/colors.h"

#include <QString>

#include <optional>

enum class RuleAlign { Left, Center, Right };

struct RuleFields
{
    QString width; // digits as typed; empty: no width
    bool percent = false;
    RuleAlign align = RuleAlign::Center;
    QString size;      // written only from 2 to 10
    bool shade = true; // unchecked writes NOSHADE
    std::optional<HtmlColor> color;
};

// The HR tag of the fields.
QString ruleTag(const RuleFields &fields);

// The fields of an HR tag being edited. A tag without WIDTH spans the whole
// width (100 percent), so that confirming it unchanged writes it back
// without one.
RuleFields readRuleTag(const QString &tag);

// The tag that replaces original, the HR tag being re-edited (empty for a
// new rule): attributes the author did not change, and those the dialog
// does not show (CLASS, ID, STYLE), stay as written.
QString ruleTagToWrite(const QString &original, const RuleFields &fields);

// Largest width the field takes: 100 in percent, 9999 in pixels.
int maxRuleWidth(bool percent);

// The width field after an edit or a switch of unit: a number from 1 to the
// unit's maximum stays; a width above 100 becomes "100" when switching to
// percent; 0, no number or a number out of range empties the field.
QString normalizedRuleWidth(const QString &width, bool percent, bool switchedToPercent = false);

// Share of the sketch's width the rule covers, 1 to 100 (100 when the width
// is empty or above 100).
int ruleSketchPercent(const RuleFields &fields);
