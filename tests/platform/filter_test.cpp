#include <gtest/gtest.h>

#include "platform/platform.h"

using vm::windowsFilterToQt;

TEST(WindowsFilterToQt, TurnsPairsIntoQtEntries) {
    EXPECT_EQ(windowsFilterToQt("Jpg Texture Files (*.jpg)|*.jpg|All files (*.*)|*.*||"),
              "Jpg Texture Files (*.jpg);;All files (*.*)");
}

TEST(WindowsFilterToQt, AddsPatternsTheDescriptionDoesNotShow) {
    EXPECT_EQ(windowsFilterToQt("Scene Files|*.VLMK||"), "Scene Files (*.VLMK)");
    // Several patterns separated by semicolons become Qt's blank-separated list.
    EXPECT_EQ(windowsFilterToQt("Pictures|*.jpg;*.bmp||"), "Pictures (*.jpg *.bmp)");
}

TEST(WindowsFilterToQt, KeepsTheOrderOfAllEntries) {
    const QString qt = windowsFilterToQt(
        "Jpg Texture Files (*.jpg)|*.jpg|Jpeg Texture Files (*.jpeg)|*.jpeg|BMP Texture Files (*.bmp)|*.bmp|"
        "Gif Texture Files (*.gif)|*.gif|WMF Files (*.wmf)|*.wmf|ICON Files (*.ico)|*.ico|"
        "EMF Files (*.emf)|*.emf|All files (*.*)|*.*||");
    const QStringList entries = qt.split(";;");
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[0], "Jpg Texture Files (*.jpg)");
    EXPECT_EQ(entries[5], "ICON Files (*.ico)");
    EXPECT_EQ(entries[7], "All files (*.*)");
}
