#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The five list kinds, numbered as the list commands pass them.
enum class ListKind { Ordered = 1, Unordered, Definition, Menu, Directory };

enum class ListNumbering { Arabic, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };
enum class ListBullet { None, Circle, Disc, Square };

// Most items the item count field offers (a list read from the page may
// hold more).
constexpr int MaxListItems = 999;

struct ListItem
{
    QString text;       // the item, or the term of a definition list
    QString definition; // definition lists only
};

struct ListFields
{
    ListKind kind = ListKind::Unordered;
    ListNumbering numbering = ListNumbering::Arabic; // ordered
    QString start = QStringLiteral("1");             // ordered
    ListBullet bullet = ListBullet::None;            // unordered
    bool compact = false;                            // unordered, definition
    QList<ListItem> items{ListItem{}};
};

// Caption and description line of the dialog for a kind.
QString listCaption(ListKind kind);
QString listDescription(ListKind kind);

// "<OL", "<UL", ... and "</OL>", "</UL>", ...
QString listStartMarker(ListKind kind);
QString listEndTag(ListKind kind);

// The start number field after an edit: "-" (a negative number being typed)
// and non-zero numbers stay, anything else becomes "1".
QString normalizedListStart(const QString &start);

// The list as the pieces that go into the page one after the other, as one
// undo step: the start tag, one line per item (at least one), and a line with
// the end tag. Options that do not belong to the kind are ignored.
QStringList listPieces(const ListFields &fields);

// The fields of a selected list (from its start tag through its end tag):
// the options of its start tag and one item per LI (or per DT with its DD)
// of the list itself (any number of them); items of lists nested in it
// stay inside their item.
ListFields readList(ListKind kind, const QString &element);

// The pieces that replace original, the list being re-edited (empty for a
// new list: then listPieces). The start tag keeps every attribute the
// author did not change (CLASS, ID, ...); an item the author did not change
// stays exactly as written (<LI VALUE=7>, its classes, its layout); a changed
// item keeps its LI tag and takes the new text; added items follow as new
// lines; removed ones go. Text before the first item and the end tag stay.
QStringList listPiecesToWrite(const QString &original, const ListFields &fields);
