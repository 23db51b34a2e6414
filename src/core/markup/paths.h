#pragma once

#include <QString>

#include <functional>

class Prompts;

// Turns the absolute path of a file chosen for a link into a path relative
// to the page, with "/" and "../": for the page /site/pages/p.htm the file
// /site/img/a.gif gives "../img/a.gif". Windows paths ("C:\site\a.gif") and
// POSIX paths are both understood; on POSIX "/" is the only drive.
//
// documentFileName is the page's file name (without a directory when the
// page was never saved). An unsaved page must be saved first: the user is
// asked, and saveDocumentAs runs the save-as command and returns the page's
// file name afterwards. A network path comes back unchanged.
//
// An empty result means the link was refused (page not saved, file on
// another drive, no directory in fileName): the caller inserts nothing. On
// success the page's directory becomes the process's current directory, so
// that the next file chooser opens there.
QString RelativePath(const QString &fileName, const QString &documentFileName, Prompts &prompts,
                     const std::function<QString()> &saveDocumentAs);
