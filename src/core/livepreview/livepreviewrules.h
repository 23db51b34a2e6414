#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

struct BrowserProgram;

// The scheme under which the pane serves a page too large to be handed
// over inline, with the files of its folder: "tessaline-apercu:/web/a.htm".
inline const QString LivePreviewScheme = QStringLiteral("tessaline-apercu");

// Pages up to this many bytes (UTF-8) are handed to the pane inline; the
// engine refuses inline content past 2 MB once encoded in base 64.
inline constexpr qsizetype InlinePageLimit = 1'500'000;

// The folder of a saved page, with its final "/"; empty for a page never
// saved (a bare name without a folder).
QString livePreviewFolder(const QString &caption);

// The address relative addresses of the page resolve against: its folder as
// a "file:" URL, empty for a page never saved.
QUrl livePreviewBaseUrl(const QString &caption);

// The address the pane loads a page from when it is too large to go inline:
// the page's own path under the pane's scheme, so that relative addresses
// resolve under the same folder; a fixed name for a page never saved.
QUrl livePreviewPageUrl(const QString &caption);

// Whether the pane may read the local file at path for a page in folder
// (from livePreviewFolder): only a file that, symbolic links resolved, lies
// inside that folder or below it. Nothing for a page never saved.
bool livePreviewMayRead(const QString &path, const QString &folder);

// Where a link clicked in the pane goes in the external browser: the pane's
// own scheme turns back into the "file:" URL of the same path; other
// addresses stay as they are. Empty for what a browser cannot be given (a
// script address, or the pane's own page without a folder).
QUrl externalLinkTarget(const QUrl &clicked);

// The anchor a link clicked in the pane jumps to inside the page shown (the
// page of caption), fully decoded; empty for a link to anything else. With
// the page's folder as base, "#fin" reads as the folder's own address plus
// "#fin", and must not open the folder in the browser.
QString samePageAnchor(const QUrl &clicked, const QString &caption);

// The arguments of the browser program for such a link: a local file the
// way the F10 preview hands pages over (the "file:" flag included), any
// other address as it is.
QStringList linkArguments(const BrowserProgram &browser, const QUrl &link, bool fileFlag);

// The engine's command-line switches: the user's own (from the engine's
// environment variable), plus software drawing (the pane needs no graphics
// card, and a missing or remote one must not stop it) and, for the root
// account, no sandbox (the engine refuses to start as root otherwise).
QByteArray livePreviewEngineFlags(const QByteArray &userFlags, bool runningAsRoot);
