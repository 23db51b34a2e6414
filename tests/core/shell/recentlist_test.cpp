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

TEST(RecentList, AddPutsTheNewestAtTheHead)
{
    const struct
    {
        const char *name;
        int capacity;
        QStringList adds;
        QStringList expected;
    } cases[] = {
        {"newest at the head", 8, names({"a", "b", "c"}), names({"c", "b", "a"})},
        {"head again changes nothing", 8, names({"a", "b", "b"}), names({"b", "a"})},
        {"middle moves up, rest kept", 8, names({"a", "b", "c", "d", "b"}), names({"b", "d", "c", "a"})},
        {"compared exactly", 8, names({"/x/A.htm", "/x/a.htm"}), names({"/x/a.htm", "/x/A.htm"})},
        {"empty ignored", 8, names({"a", "", "b"}), names({"b", "a"})},
        {"past the capacity drops the oldest", 4, names({"1", "2", "3", "4", "5"}), names({"5", "4", "3", "2"})},
    };
    for (const auto &c : cases) {
        RecentList list(c.capacity);
        for (const QString &path : c.adds)
            list.add(path);
        EXPECT_EQ(list.entries(), c.expected) << c.name;
    }
}

TEST(RecentList, LoadPutsPlaceOneAtTheHead)
{
    const std::pair<QStringList, QStringList> cases[] = {
        {QStringList(8, QString()), {}},
        {names({"a", "", "c", "", "", "", "", "h"}), names({"a", "c", "h"})},
        {names({"a", "b", "a", "", "", "", "", ""}), names({"a", "b"})},
        {names({"1", "2", "3", "4", "5", "6", "7", "8", "9"}), names({"1", "2", "3", "4", "5", "6", "7", "8"})},
    };
    for (const auto &[places, expected] : cases) {
        RecentList list(RecentList::FileCapacity);
        list.load(places);
        EXPECT_EQ(list.entries(), expected) << places.join(',').toStdString();
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
}

} // namespace
