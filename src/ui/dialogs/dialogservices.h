#pragma once

#include <QString>

#include <functional>

class DocumentHost;
class MainWindow;
class QWidget;

// What an element dialog needs from the frame window beyond DocumentHost:
// the open dialog, the active page's file name and the save-as command
// (both for RelativePath), and the script editor that the events dialog's
// picture button opens. Tests fill the functions with scripted ones.
struct DialogServices
{
    explicit DialogServices(DocumentHost &documentHost)
        : host(documentHost)
    {}

    DocumentHost &host;
    // The open dialog with a catalogue filter text ("Description |*.htm|...",
    // as message 3000); the chosen file's absolute name, empty on cancel.
    std::function<QString(QWidget *parent, const QString &filter)> chooseFile;
    // The graphic file picker with a catalogue filter (message 3003 as a
    // rule); the chosen picture's absolute name, empty on cancel. Unset, the
    // open dialog above is used.
    std::function<QString(QWidget *parent, const QString &filter)> choosePicture;
    // The image dialog in its plain mode, for the image map editor: the IMG
    // tag it built (empty when cancelled), the picture file it previewed and
    // the texts of its width and height fields. Unset, the map editor cannot
    // choose a picture.
    struct ChosenImage
    {
        QString imageTag;
        QString pictureFile;
        QString widthText;
        QString heightText;
    };
    std::function<ChosenImage(QWidget *parent)> chooseImage;
    // The active page's file name: its full path, or a bare name when the
    // page was never saved.
    std::function<QString()> documentFileName;
    // Runs the save-as command; returns the page's file name afterwards.
    std::function<QString()> saveDocumentAs;
    // Opens the script editor on a script text (modal); unset, the events
    // dialog's picture button is disabled.
    std::function<void(QWidget *parent, const QString &script)> openScriptEditor;

    // The picker when set, else the open dialog; empty on cancel.
    QString pickPicture(QWidget *parent, const QString &filter);
    // A chosen file as a path relative to the page (RelativePath, with its
    // questions); empty when refused.
    QString relativePath(const QString &fileName);
    // The page's file name, empty when unknown.
    QString pageFileName() const { return documentFileName ? documentFileName() : QString(); }
};

// The frame window's services, created on first use and owned by the frame
// window; every dialog area's install function asks for them here.
DialogServices &frameDialogServices(MainWindow &frame);

// Qt name filters from a catalogue filter text ("Fichiers HTML (*.htm) |*.htm|...").
QStringList nameFiltersFromCatalogue(const QString &filter);
