#include "core/markup/elementmarkers.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ElementMarkers, EachDialogCommandIsListedOnce)
{
    std::set<QString> listed;
    for (const ElementMarkers &m : DialogCommandMarkers())
        EXPECT_TRUE(listed.insert(m.command).second) << "twice: " << m.command.toStdString();
}

} // namespace
