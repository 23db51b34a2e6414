#pragma once

#include <QString>
#include <QStringList>

// Loads pages in headless Chromium so that tests can check what a real
// browser makes of generated markup. Tests call available() first and skip
// with GTEST_SKIP() << HeadlessBrowser::missingReason() when it is false.
namespace HeadlessBrowser {

// The browser program, or an empty string when none is installed.
QString program();
bool available();
QString missingReason();

// The arguments every run needs on this machine: no sandbox (tests run as
// root), no GPU, no network chatter, a fresh profile folder.
QStringList baseArguments(const QString &profileFolder);

// The document as the browser built it after loading the page file (its
// scripts run), serialised as HTML; empty when the browser failed or took
// longer than timeoutMs.
QString dumpDom(const QString &pagePath, int timeoutMs = 30000);

// The same for markup given as text: written to a temporary page first.
QString dumpDomOfMarkup(const QString &html, int timeoutMs = 30000);

} // namespace HeadlessBrowser
