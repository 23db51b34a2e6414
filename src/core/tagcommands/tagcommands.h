#pragma once

#include "core/undo/undohistory.h"

#include <QList>
#include <QString>

// What running a tag command does.
enum class TagMode {
    // Start and end text around the selection (or around the caret), one
    // ukWrap step, remembered for repeat.
    Wrap,
    // The start text alone in place of the selection, one ukInsert step,
    // remembered for repeat.
    Insert,
    // Opens an element dialog; the dialog's own code inserts the element.
    Dialog,
    // The colour command: what it inserts depends on the selection.
    Colour,
    // The button only opens its menu of variants.
    DropDown,
};

// How a button offers its variants.
enum class DropDownStyle {
    None,
    // The button runs its own command; a small arrow beside it opens the
    // variants.
    Split,
    // The variants hang on a narrow arrow button of their own, right of the
    // button (the button itself runs something else).
    SeparateArrow,
    // The button has no command of its own: a click opens the variants.
    Only,
};

// One command: a toolbar button, an item of a button's drop-down menu, and
// its twin in the "O&nglets" menu. A button and its menu twin run the same
// handler and share one action.
struct TagCommand
{
    QString id;        // name of the button or drop-down item ("BoldBtn", "BR1")
    QString menuId;    // name of the menu item ("Gras1", "BR11"); empty when none
    QString caption;   // hint of the button and caption of the menu item
    QString shortcut;  // portable key text ("Ctrl+G", "F7"); empty when none
    QString startText; // Wrap and Insert only
    QString endText;   // Wrap only
    TagMode mode = TagMode::Wrap;
    QString glyph; // icon file name in the toolbar glyphs, without ".svg"

    bool isDirect() const { return mode == TagMode::Wrap || mode == TagMode::Insert; }
    // The undo kind a direct command records.
    UndoKind undoKind() const { return mode == TagMode::Wrap ? ukWrap : ukInsert; }
};

struct TagButton
{
    TagCommand command;
    DropDownStyle dropDown = DropDownStyle::None;
    QString dropDownId;      // name of the variants' menu or arrow button ("PREp", "FontPlusBtn")
    QString dropDownCaption; // hint of a separate arrow; caption of the variants' submenu
    QString dropDownGlyph;   // glyph of a separate arrow; the button's own glyph otherwise
    QList<TagCommand> variants;

    QString variantsGlyph() const { return dropDownGlyph.isEmpty() ? command.glyph : dropDownGlyph; }
};

struct TagPage
{
    QString id;          // "TabSheet1"
    QString caption;     // tab caption
    QString menuCaption; // caption of the page's submenu of "O&nglets"
    QList<TagButton> buttons;
};

// The seven pages of the tool tabs, in order, with their buttons left to
// right. Built once; the references stay valid for the program's life.
const QList<TagPage> &tagPages();

// Caption of the menu that holds one submenu per page.
QString tagsMenuCaption();

// Every command of the pages (buttons, then their variants), in page order.
QList<const TagCommand *> allTagCommands();

// The command whose button, drop-down item or menu item has this name;
// null when none has.
const TagCommand *findTagCommand(const QString &id);
