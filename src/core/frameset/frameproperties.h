#pragma once

#include "core/frameset/framesetlayout.h"
#include "core/markup/colors.h"

#include <QString>

// The fields of the frame properties dialog, as texts and choices, for its
// three uses: one frame of the designer, the frameset-wide attributes, and
// the single inline frame.
struct FrameFields
{
    QString source;
    QString name;
    int scrolling = 0; // 0 automatic, 1 yes, 2 no
    QString marginWidth = QStringLiteral("10");
    QString marginHeight = QStringLiteral("16");
    bool noResize = false;
    bool border = true;
    QString borderColor; // empty for the silver swatch
    // Inline frame only.
    QString width;
    bool widthPercent = false;
    QString height;
    bool heightPercent = false;
    QString vspace;
    QString hspace;
    int align = 0; // 0 none, 1 top, 2 middle, 3 bottom, 4 left, 5 right
};

struct FramesetFields
{
    QString spacing = QStringLiteral("2");
    QString border = QStringLiteral("8");
    bool frameBorder = true;
    QString borderColor;
};

// The swatch left at silver means no colour.
constexpr HtmlColor SilverSwatch = 0xC0C0C0;
QString SwatchColorText(HtmlColor color);
HtmlColor SwatchColor(const QString &text);

// Corrections applied when a field is left.
QString FixMarginWidth(const QString &text);    // not a number or negative: "10"
QString FixMarginHeight(const QString &text);   // not a number or negative: "16"
QString FixFrameSpacing(const QString &text);   // "-" stays; else its value, 2 when none
QString FixFramesetBorder(const QString &text); // not a number or negative: "8"
QString FixFrameSize(const QString &text);      // 0 or outside 1..MaxFrameSize: empty
QString FixFrameSpace(const QString &text);     // below 1 or not a number: empty
constexpr int MaxFrameSize = 9999;

// Frame mode: the dialog's fields loaded from a frame and stored back.
FrameFields FieldsOfFrame(const FrameRec &frame);
void StoreFrameFields(const FrameFields &fields, FrameRec &frame);

// Frameset mode.
FramesetFields FieldsOfFrameset(const FramesetAttributes &attributes);
void StoreFramesetFields(const FramesetFields &fields, FramesetAttributes &attributes);

// The check of OK on a frame page: 38 when the source or the name is empty.
int CheckFrameFields(const FrameFields &fields);

// The inline frame's start tag ("<IFRAME ...>"); its end tag is "</IFRAME>".
QString IFrameStartTag(const FrameFields &fields);
