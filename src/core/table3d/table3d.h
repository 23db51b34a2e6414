#pragma once

#include "core/markup/colors.h"

#include <QString>
#include <QStringList>

// The quick 3D table's settings: a text framed by coloured cells that give
// a raised, shadowed box.
struct Table3dSettings
{
    QStringList lines;
    QString face;
    // "1" .. "7".
    QString size = QStringLiteral("3");
    HtmlColor textColor = 0xFFFFFF;
    HtmlColor faceColor = 0xFF0000;
    HtmlColor shadowColor = 0x808080;
};

// The size field kept when it is a number from 1 to 7, else "3".
QString Table3dSize(const QString &text);
// The preview's point size for an HTML font size: 1 -> 6 ... 7 -> 18.
int Table3dPointSize(const QString &size);
// The table's markup, CR LF after every line.
QString Table3dText(const Table3dSettings &settings);
