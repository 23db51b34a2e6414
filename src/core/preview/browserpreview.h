#pragma once

#include "core/text/pagefile.h"

#include <QString>
#include <QStringList>

#include <optional>

class BrowserLauncher;
class Prompts;
struct Settings;

// The browser the preferences chose: the program path of the first family
// (choice 1) or of the second (choice 2); family 0 and an empty path when
// no browser is chosen or its path is empty.
struct BrowserProgram
{
    QString path;
    int family = 0;
};
BrowserProgram chosenBrowser(const Settings &settings);

// The program to start: the path itself when it names an executable file, a
// bare name looked up in the search path; empty when there is none.
QString resolveBrowserProgram(const QString &path);

// The file URL of a page, percent-encoded, so that blanks and accents reach
// the browser intact: "/web/a b.htm" gives "file:///web/a%20b.htm".
QString previewUrl(const QString &pagePath);

// The arguments of the browser program: the page's URL. A second-family
// browser that wants plain "file:" URLs (the "file:" flag) gets "file:" and
// the encoded path without the empty host part.
QStringList browserArguments(const BrowserProgram &browser, const QString &pagePath, bool fileFlag);

// The name of the temporary copy.
inline const QString TemporaryPreviewName = QStringLiteral("tess0000.htm");

// Where the temporary copy of a page goes: beside the page when it has been
// saved, so that its relative links and pictures resolve; in the private
// folder for a page never saved, or when the page is itself a file named
// like the copy.
QString temporaryPreviewPath(const QString &caption, const QString &privateFolder);

// The per-user folder for copies of pages never saved, beside the settings
// ("Orbelune/Tessaline" in the user's configuration folder), created on
// demand and readable by its owner only. Empty when it cannot be made.
QString privatePreviewFolder();

// What the preview needs from the frame window.
class PreviewHost
{
public:
    struct Page
    {
        QString caption; // full path, or a bare name for a page never saved
        QString text;    // CR LF line ends
        PageFormat format;
        bool modified = false;
    };

    virtual ~PreviewHost() = default;
    // The active document; nothing when none is open.
    virtual std::optional<Page> activePage() = 0;
    // Save on the active document (Save as for a page never saved).
    virtual void saveActivePage() = 0;
    // The master page's full path while a project with a master is open.
    virtual QString projectMasterPath() = 0;
    virtual bool projectModified() = 0;
    virtual void saveProject() = 0;
    virtual void openPreferences() = 0;
    // Hides the frame's tool windows before the browser comes to the front.
    virtual void releaseToolWindows() = 0;
};

// The preview command: shows the master page of the open project, the saved
// page, or a temporary copy of the page being edited in the chosen browser.
// previewFile is the frame window's record of the temporary copy, deleted at
// the next preview and when the program ends.
class BrowserPreview
{
public:
    BrowserPreview(Settings &settings, Prompts &prompts, PreviewHost &host, BrowserLauncher &launcher,
                   QString &previewFile, QString privateFolder);

    // Runs the command. Returns the page given to the browser; empty when
    // nothing was started.
    QString run();

    // Deletes the temporary copy of the last preview, if any.
    void removePreviewFile();

private:
    // The page to show, after the saves the settings ask for; empty when the
    // preview stops.
    QString preparePage();
    QString writeTemporaryCopy(const PreviewHost::Page &page);

    Settings &m_settings;
    Prompts &m_prompts;
    PreviewHost &m_host;
    BrowserLauncher &m_launcher;
    QString &m_previewFile;
    QString m_privateFolder;
};
