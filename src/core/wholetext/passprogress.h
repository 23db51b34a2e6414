#pragma once

#include <QtGlobal>

#include <algorithm>
#include <limits>

// What a long whole-text pass tells the window: it starts (after the user
// confirmed), it has gone so far (0 to 100 percent), it ends. The window shows
// a progress bar in place of its status bar; batch commands show nothing.
class PassProgress
{
public:
    virtual ~PassProgress() = default;
    virtual void begin() {}
    virtual void step(int percent) { Q_UNUSED(percent) }
    virtual void end() {}
};

// Turns positions of a pass into percent steps, calling the observer only
// when the percentage changes, so a pass pays one comparison per check.
class ProgressTicker
{
public:
    ProgressTicker(qsizetype total, PassProgress *progress)
        : m_total(std::max<qsizetype>(total, 1))
        , m_progress(progress)
    {
        if (m_progress)
            m_progress->step(0);
        m_next = m_progress ? threshold(1) : std::numeric_limits<qsizetype>::max();
    }

    void at(qsizetype position)
    {
        if (position >= m_next)
            advance(position);
    }

    void finish()
    {
        if (m_progress && m_percent < 100)
            m_progress->step(100);
        m_percent = 100;
        m_next = std::numeric_limits<qsizetype>::max();
    }

private:
    // First position at which the pass has done `percent` percent.
    qsizetype threshold(int percent) const { return (qsizetype(percent) * m_total + 99) / 100; }

    void advance(qsizetype position)
    {
        m_percent = int(std::min<qsizetype>(100, position * 100 / m_total));
        m_progress->step(m_percent);
        m_next = m_percent >= 100 ? std::numeric_limits<qsizetype>::max() : threshold(m_percent + 1);
    }

    qsizetype m_total;
    PassProgress *m_progress;
    qsizetype m_next;
    int m_percent = 0;
};
