#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

// The hourglass for the length of a scope.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// A window's painting frozen for the length of a scope. Nested freezes of
// the same window leave it frozen until the outermost one ends.
class PaintingFreeze
{
public:
    explicit PaintingFreeze(QWidget *window)
        : m_window(window)
        , m_wasEnabled(window && window->updatesEnabled())
    {
        if (m_wasEnabled)
            window->setUpdatesEnabled(false);
    }
    ~PaintingFreeze()
    {
        if (m_wasEnabled && m_window)
            m_window->setUpdatesEnabled(true);
    }
    PaintingFreeze(const PaintingFreeze &) = delete;
    PaintingFreeze &operator=(const PaintingFreeze &) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_wasEnabled;
};
