#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class DocumentText;
class UndoHistory;
struct EditorState;

// Importing another file into the page ("Importation d'un fichier").

enum class ImportPosition {
    Caret, // "A la position du curseur"
    Start, // "Au début du fichier"
    End,   // "A la fin du fichier": before the page's last line
};

struct ImportOptions
{
    ImportPosition position = ImportPosition::Caret;
    // "Changer retour chariot en <BR> pour fichier .txt"
    bool breaksForTextFiles = true;
};

// Progress of the line joining, 0 to 100.
using ImportProgress = std::function<void(int percent)>;

// The lines of a CR LF text; a final line break ends the last line rather
// than starting an empty one. An empty text has no lines.
QStringList ImportLines(const QString &crlfText);

// The text that goes into the page: each line followed by CR LF, with
// "<BR>" before it when breaks are asked for and the file's extension is
// exactly ".txt" (a ".TXT" file keeps its lines as they are).
QString ImportedText(const QStringList &lines, const QString &fileName, bool breaksForTextFiles,
                     const ImportProgress &progress = {});

// Puts the caret where the options say and inserts the lines there as one
// ukInsert step. Nothing happens for no lines; returns whether text went in.
bool ImportLinesInto(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &lines,
                     const QString &fileName, const ImportOptions &options, const ImportProgress &progress = {});

enum class ImportResult { Inserted, Empty, Unreadable };

// Reads fileName like a page (byte-order mark, UTF-8, else Windows-1252)
// and imports it; a file that cannot be read or is not text (it holds NUL
// bytes) is Unreadable and changes nothing.
ImportResult ImportFile(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &fileName,
                        const ImportOptions &options, const ImportProgress &progress = {});
