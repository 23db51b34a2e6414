#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rules of the graphic file picker that need no window: what Enter in
// the name field does, the texts of its questions and of its status line,
// and the type filter list read from a catalogue filter text.

// One entry of the "Type de fichier:" list.
struct PickerFilter
{
    QString caption;      // "Fichiers GIF (*.gif)"
    QStringList patterns; // {"*.gif"}; "*.*" becomes "*" (any name)
};

// A catalogue filter text ("Description |*.gif;*.jpg|...") as its entries;
// entries without a pattern are dropped.
QList<PickerFilter> parsePickerFilter(const QString &catalogueFilter);

// A name pattern that matches letters in either case ("*.gif" gives
// "*.[gG][iI][fF]"), since picture files often carry upper-case extensions
// (PHOTO.GIF) and the list must show them whatever the file system's rules.
QString caseInsensitivePattern(const QString &pattern);

// What Enter (or OK) in the name field asks for.
struct NameFieldOutcome
{
    enum class Kind {
        Nothing,       // empty field
        SetMask,       // a name with "*": the list's mask becomes mask
        ChangeFolder,  // the name is a folder: the picker moves to folder
        FolderMissing, // a name without extension that is no folder: message 19
        ChooseFile,    // the name is an existing file: file is the choice
        FileMissing,   // any other name: no picture chosen
    };
    Kind kind = Kind::Nothing;
    QString mask;      // SetMask
    QString folder;    // ChangeFolder, and SetMask when the name had a folder part
    QString fieldText; // what the name field shows afterwards (a folder moved to is absolute)
    QString file;      // ChooseFile: absolute path
};

// Reads the name field against the list's folder. Both "/" and "\" separate
// folders; a relative name is taken from currentFolder.
NameFieldOutcome interpretNameField(const QString &text, const QString &currentFolder);

// Message 68 + " [" + file + "]?".
QString deleteQuestion(const QString &file);
// "%s [%s] " + message 801 + " [%s]?" with message 802, the file and the folder.
QString moveQuestion(const QString &file, const QString &folder);
// The file count + message 7746.
QString statusText(int fileCount);
// "Dimension:" value, width "x" height.
QString dimensionText(int width, int height);
