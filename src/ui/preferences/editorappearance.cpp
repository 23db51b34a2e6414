#include "ui/preferences/editorappearance.h"

#include "core/preferences/colorsetting.h"
#include "ui/text/editorwidget.h"
#include "core/settings/settings.h"

#include <QFont>
#include <QPalette>

namespace {

// The size used when the stored one is not a usable point size.
constexpr int FallbackFontSize = 9;

} // namespace

void applyEditorFont(EditorWidget &editor, const Settings &settings)
{
    QFont font = editor.font();
    font.setFamily(settings.fontName);
    font.setPointSize(settings.fontSize > 0 ? settings.fontSize : FallbackFontSize);
    editor.setFont(font);

    QPalette palette = editor.palette();
    const QColor text = QColor::fromRgb(colorSettingToRgb(settings.textColour));
    const QColor background = QColor::fromRgb(colorSettingToRgb(settings.backgroundColour));
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Base, background);
    }
    editor.setPalette(palette);
}

void applyEditorMargins(EditorWidget &editor, const Settings &settings)
{
    if (settings.margins)
        editor.setTextMargins(settings.leftMargin, settings.rightMargin);
    else
        editor.clearTextMargins();
}
