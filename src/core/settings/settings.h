#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

// The user's settings, as the frame window holds them between start-up and
// exit. Stored per user under organisation "Orbelune", application
// "Tessaline", in the sections and names below; a missing value yields its
// default. Booleans are stored as the integers 0 and 1. Every number read is
// clamped to its range.
struct Settings
{
    static constexpr int RecentFileSlots = 8;
    static constexpr int RecentProjectSlots = 4;
    // The ranges numbers are read within. A margin is a pixel position on
    // the ruler (the markers are then placed within the window); the font
    // size is what the preferences dialog offers.
    static constexpr int MaxMargin = 100000;
    static constexpr int MinFontSize = 6;
    static constexpr int MaxFontSize = 16;

    // "Browser"
    QString browserPath1;         // "Name"
    QString browserPath2;         // "Name2", written only when not empty
    int browserChoice = 0;        // "Numero": 0 none, 1 the first, 2 the second
    // "Derniers Fichiers" "1".."8" and "Derniers Projets" "1".."4", "1" the
    // most recent; always RecentFileSlots / RecentProjectSlots entries, empty
    // strings for unused ones.
    QStringList recentFiles = QStringList(RecentFileSlots, QString());
    QStringList recentProjects = QStringList(RecentProjectSlots, QString());
    // "Editeur"
    bool margins = true;          // "Marge"
    int leftMargin = 22;          // "MargeGauche": centre of the left ruler marker
    int rightMargin = 2000;       // "MargeDroite": centre of the right ruler marker
    bool toolbar = true;          // "BarreIcones"
    bool statusBar = true;        // "BarreStatut"
    bool syntaxColouring = true;  // "Coloration": HTML colouring in the document windows
    bool tagCompletion = true;    // "Completion": element and attribute names offered while typing
    bool spelling = true;         // "Orthographe": misspelled words underlined (with a dictionary)
    // "Tessaline"
    bool maximised = true;        // "Maximiser"
    bool aboutBox = true;         // "APropos"
    QString authorName;           // "Auteur": the name in new page headers
    QByteArray windowGeometry;    // "Geometrie": the frame window's place, size and state
    // "Fichier"
    bool backup = false;          // "Backup"
    bool obligatorySave = true;   // "Verification"
    // "Police"
    QString fontName = QStringLiteral("Arial");          // "Nom"
    int fontSize = 9;                                    // "Taille"
    QString textColour = QStringLiteral("$000000");      // "TexteCouleur"
    QString backgroundColour = QStringLiteral("$FFFFFF"); // "FondCouleur"
    // "Explorer"
    bool fileUrls = false;        // "Type": the second browser wants "file:" URLs
    // "Apercu"
    bool livePreview = false;     // "Integre": the live preview pane beside the documents
    int livePreviewWidth = 0;     // "Largeur": its width in pixels, 0 for half the room

    // Reads every value in the order of start-up: browser, recent files,
    // recent projects, editor, window, files, font, "file:" flag.
    void read(QSettings &store);
    // Writes every value back in the order of exit.
    void write(QSettings &store) const;

    // The name written into new pages and shown in the about box: the
    // author's name, or the account's when none is set.
    QString pageAuthor() const;
};

// The user's full name from the account, or the login name when the account
// has none: the default author of new pages.
QString accountName();
