#include "core/livepreview/livepreviewschedule.h"

std::optional<quint64> LivePreviewSchedule::begin()
{
    if (m_running)
        return std::nullopt;
    m_running = true;
    return m_version;
}

bool LivePreviewSchedule::end(quint64 version)
{
    m_running = false;
    return version != m_version;
}
