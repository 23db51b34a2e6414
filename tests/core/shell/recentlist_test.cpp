#include "core/shell/recentlist.h"

#include <gtest/gtest.h>

namespace {

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *name : list)
        out << QString::fromUtf8(name);
    return out;
}

// Eight distinct paths "/p/1.htm" .. "/p/8.htm", added in that order, so
// "/p/8.htm" ends at the head.
RecentList fullFileList()
{
    RecentList list(RecentList::FileCapacity);
    for (int i = 1; i <= 8; ++i)
        list.add(QStringLiteral("/p/%1.htm").arg(i));
    return list;
}

struct AddCase
{
    const char *name;
    int capacity;
    QStringList adds;
    QStringList expected;
};

class RecentListAdd : public ::testing::TestWithParam<AddCase>
{
};

TEST_P(RecentListAdd, GivesTheEntriesInOrder)
{
    const AddCase &c = GetParam();
    RecentList list(c.capacity);
    for (const QString &path : c.adds)
        list.add(path);
    EXPECT_EQ(list.entries(), c.expected);
    EXPECT_EQ(list.count(), c.expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentListAdd,
    ::testing::Values(
        AddCase{"first", 8, names({"a"}), names({"a"})},
        AddCase{"newest_at_head", 8, names({"a", "b", "c"}), names({"c", "b", "a"})},
        AddCase{"head_again_changes_nothing", 8, names({"a", "b", "b"}), names({"b", "a"})},
        AddCase{"second_moves_up", 8, names({"a", "b", "a"}), names({"a", "b"})},
        AddCase{"middle_moves_up_rest_kept", 8, names({"a", "b", "c", "d", "b"}), names({"b", "d", "c", "a"})},
        AddCase{"compared_exactly", 8, names({"/x/A.htm", "/x/a.htm"}), names({"/x/a.htm", "/x/A.htm"})},
        AddCase{"empty_ignored", 8, names({"a", "", "b"}), names({"b", "a"})},
        AddCase{"project_fifth_drops_oldest", 4, names({"1", "2", "3", "4", "5"}), names({"5", "4", "3", "2"})},
        AddCase{"project_last_moves_up", 4, names({"1", "2", "3", "4", "1"}), names({"1", "4", "3", "2"})}),
    [](const ::testing::TestParamInfo<AddCase> &info) { return std::string(info.param.name); });

TEST(RecentList, LoadPutsPlaceOneAtTheHead)
{
    struct Case
    {
        const char *name;
        QStringList places;
        QStringList expected;
    };
    const Case cases[] = {
        {"all_empty", QStringList(8, QString()), {}},
        {"in_order", names({"a", "b", "c", "", "", "", "", ""}), names({"a", "b", "c"})},
        {"gaps_closed", names({"a", "", "c", "", "", "", "", "h"}), names({"a", "c", "h"})},
        {"duplicate_kept_once", names({"a", "b", "a", "", "", "", "", ""}), names({"a", "b"})},
        {"short_list", names({"a"}), names({"a"})},
        {"extra_places_ignored", names({"1", "2", "3", "4", "5", "6", "7", "8", "9"}),
         names({"1", "2", "3", "4", "5", "6", "7", "8"})},
    };
    for (const Case &c : cases) {
        RecentList list(RecentList::FileCapacity);
        list.load(c.places);
        EXPECT_EQ(list.entries(), c.expected) << c.name;
    }
}

TEST(RecentList, PlacesAreAlwaysTheCapacityAndSurviveARoundTrip)
{
    RecentList files(RecentList::FileCapacity);
    files.add(QStringLiteral("/a.htm"));
    files.add(QStringLiteral("/b.htm"));
    EXPECT_EQ(files.toPlaces(), names({"/b.htm", "/a.htm", "", "", "", "", "", ""}));

    RecentList reloaded(RecentList::FileCapacity);
    reloaded.load(files.toPlaces());
    EXPECT_EQ(reloaded.entries(), files.entries());

    const RecentList projects(RecentList::ProjectCapacity);
    EXPECT_EQ(projects.toPlaces(), QStringList(4, QString()));
}

} // namespace
