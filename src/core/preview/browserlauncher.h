#pragma once

#include <QString>
#include <QStringList>

// Starts a browser program with its arguments, without a shell and without
// waiting for it. Tests put a scripted one in its place.
class BrowserLauncher
{
public:
    virtual ~BrowserLauncher() = default;
    // Whether the process could be started.
    virtual bool start(const QString &program, const QStringList &arguments) = 0;
};

// The real one: a detached process. Today's browsers hand a URL given on
// their command line to their running window, if any.
class ProcessBrowserLauncher : public BrowserLauncher
{
public:
    bool start(const QString &program, const QStringList &arguments) override;
};
