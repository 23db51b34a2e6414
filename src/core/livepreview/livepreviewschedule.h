#pragma once

#include <QtGlobal>

#include <optional>

// When the pane updates: QuietMs after the last edit, one update at a time.
// An update spans preparing the text off the interface thread and the
// engine's loading of it; edits made meanwhile are caught up by the next
// one, so a large page never queues loads behind each other.
class LivePreviewSchedule
{
public:
    static constexpr int QuietMs = 300;

    // The text changed (or the pane now follows another page).
    void edited() { ++m_version; }

    // The quiet time is over: the version of the text to show, or nothing
    // while an update is running (its end asks for the next one).
    std::optional<quint64> begin();

    // Whether the prepared text of version is still the current one: a stale
    // one is dropped (and end() follows at once).
    bool isCurrent(quint64 version) const { return version == m_version; }

    // The update of version is over (shown or dropped). Returns whether the
    // text changed since, and so another update is due.
    bool end(quint64 version);

    bool isRunning() const { return m_running; }

private:
    quint64 m_version = 0;
    bool m_running = false;
};
