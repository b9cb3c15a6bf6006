#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "files/presets.h"

using namespace vm;

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(PresetScan, OnlyNamesEndingInVlmkAfterTheirFirstPointAreListed) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"a.VLMK", "b.vlmk", "c.txt", "x.y.VLMK", "noextension", "d.VLMKX", "e.Vlmk"})
        touch(folder.filePath(name));
    QDir(folder.path()).mkdir("folder.VLMK");
    EXPECT_EQ(ScanPresetFolder(folder.path(), 1023), QStringList{"a.VLMK"});
    EXPECT_TRUE(ScanPresetFolder(folder.filePath("missing"), 1023).isEmpty());
}

TEST(PresetScan, TheListStopsAtItsCapacity) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (int i = 0; i < 1030; ++i) touch(folder.filePath(QStringLiteral("p%1.VLMK").arg(i, 4, 10, QChar(u'0'))));
    const QStringList names = ScanPresetFolder(folder.path(), 1023);
    ASSERT_EQ(names.size(), 1023);
    EXPECT_EQ(names.front(), "p0000.VLMK");
}

TEST(PresetScan, EveryPresetCanBeTheStartPresetTheLastIncluded) {
    // Entries count "Nothing Selected" too: four entries are three presets.
    std::set<int> chosen;
    for (unsigned random = 0; random < 50; ++random) chosen.insert(StartPresetIndex(4, random));
    EXPECT_EQ(chosen, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(StartPresetIndex(2, 12345), 1);
    EXPECT_EQ(StartPresetIndex(1, 7), 0);  // no preset: nothing to open
    EXPECT_EQ(StartPresetIndex(0, 7), 0);
    EXPECT_EQ(StartPresetIndex(1024, 0xFFFFFFFFu), 1 + int(0xFFFFFFFFu % 1023u));
}
