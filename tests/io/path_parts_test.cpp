#include "io/path_parts.h"

#include <gtest/gtest.h>

#include "io/image_file.h"

namespace vesk {
namespace {

void expectParts(std::string_view path, std::string_view drive, std::string_view directory,
                 std::string_view baseName, std::string_view extension) {
    const PathParts parts = splitPath(path);
    EXPECT_EQ(parts.drive, drive) << path;
    EXPECT_EQ(parts.directory, directory) << path;
    EXPECT_EQ(parts.baseName, baseName) << path;
    EXPECT_EQ(parts.extension, extension) << path;
}

TEST(PathParts, SplitsDriveDirectoryBaseAndExtension) {
    expectParts("C:\\roms\\game.gb", "C:", "\\roms\\", "game", ".gb");
    expectParts("C:game.gb", "C:", "", "game", ".gb");
    expectParts("/home/u/roms/game.old.gb", "", "/home/u/roms/", "game.old", ".gb");
    expectParts("D:\\a.b\\c", "D:", "\\a.b\\", "c", "");
    expectParts("mixed\\dirs/and\\name.gb", "", "mixed\\dirs/and\\", "name", ".gb");
    expectParts(".gb", "", "", "", ".gb");
    expectParts("dir/", "", "dir/", "", "");
    expectParts("", "", "", "", "");
}

TEST(PathParts, JapaneseNamesSplitOnCharacters) {
    // In Shift-JIS the second byte of 表, ソ and 能 is the backslash; in UTF-8 no byte
    // of theirs may be taken for a separator, a colon or a dot.
    expectParts("C:\\表\\ソフト能.gb", "C:", "\\表\\", "ソフト能", ".gb");
    expectParts("/tmp/表ソ能/表.ソ.gb", "", "/tmp/表ソ能/", "表.ソ", ".gb");
    expectParts("表:ソ.gb", "表:", "", "ソ", ".gb");
    expectParts("表ソ", "", "", "表ソ", "");
}

TEST(PathParts, JoinAddsSeparatorAndDotOnlyWhenMissing) {
    EXPECT_EQ(joinPath("C:", "\\roms\\", "game", "gb.bak"), "C:\\roms\\game.gb.bak");
    EXPECT_EQ(joinPath("C:", "\\roms", "game", "gb.bak"), "C:\\roms\\game.gb.bak");
    EXPECT_EQ(joinPath("", "/bin/", "data", ".ini"), "/bin/data.ini");
    EXPECT_EQ(joinPath("", "", "data", "ini"), "data.ini");
    EXPECT_EQ(joinPath("", "", "name", ""), "name");
}

std::string backupOf(const std::string& path) {
    ImageFile image;
    image.currentPath = path;
    return image.backupPath();
}

TEST(BackupPath, ReplacesTheExtensionWithGbBak) {
    EXPECT_EQ(backupOf("C:\\roms\\game.gb"), "C:\\roms\\game.gb.bak");
    EXPECT_EQ(backupOf("C:\\roms\\game"), "C:\\roms\\game.gb.bak");
    EXPECT_EQ(backupOf("C:\\roms\\game.old.gb"), "C:\\roms\\game.old.gb.bak");
    EXPECT_EQ(backupOf("D:\\a\\b.c.gb"), "D:\\a\\b.c.gb.bak");
    EXPECT_EQ(backupOf(".gb"), ".gb.bak");
    EXPECT_EQ(backupOf("/home/user/roms/game.gb"), "/home/user/roms/game.gb.bak");
    EXPECT_EQ(backupOf("/home/表/ソ能.gb"), "/home/表/ソ能.gb.bak");
    EXPECT_EQ(backupOf("C:\\表\\ソ"), "C:\\表\\ソ.gb.bak");
}

TEST(BackupPath, EmptyOnlyForAnEmptyImagePathAndNeverCut) {
    EXPECT_EQ(backupOf(""), "");
    const std::string longName = "/roms/" + std::string(300, 'x') + "表.gb";
    EXPECT_EQ(backupOf(longName), "/roms/" + std::string(300, 'x') + "表.gb.bak");
}

}  // namespace
}  // namespace vesk
