#include "io/image_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "platform/file.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk {
namespace {

using namespace test;  // the shared test files and helpers

constexpr std::size_t kOffset = EnemyBlock::kImageOffset;
constexpr std::size_t kEnd = EnemyBlock::kImageOffset + EnemyBlock::kSize;

EnemyBlock patternBlock() {
    EnemyBlock block;
    for (std::size_t i = 0; i < EnemyBlock::kSize; ++i) {
        block.bytes()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return block;
}

Bytes blockOf(const Bytes& image) { return Bytes(image.begin() + kOffset, image.begin() + kEnd); }

Bytes bytesOf(const EnemyBlock& block) { return Bytes(block.bytes().begin(), block.bytes().end()); }

class ImageFileTest : public ::testing::Test {
protected:
    std::string makeImage(const std::string& name, std::uint32_t seed = 1) {
        const std::string path = dir.path(name);
        // Written through the test's own UTF-8 path handling, so Japanese names work
        // on every platform.
        writeBytes(path, tools::makeSampleImage(seed));
        return path;
    }

    ImageFile imageAt(const std::string& path) {
        ImageFile image;
        image.currentPath = path;
        return image;
    }

    TempDir dir;
};

TEST_F(ImageFileTest, ReadsTheBlockAndWritesItBackByteForByte) {
    const std::string path = makeImage("game.gb");
    const Bytes before = readBytes(path);
    ImageFile image = imageAt(path);
    EnemyBlock block;
    ASSERT_EQ(image.readBlock(block), ImageFile::ReadResult::Ok);
    EXPECT_EQ(bytesOf(block), blockOf(before));
    ASSERT_TRUE(image.write(block));
    EXPECT_EQ(readBytes(path), before);
}

// Edits a random field and returns the block offset it lives in.
std::size_t randomEdit(EnemyBlock& block, std::mt19937& rng) {
    const int m = static_cast<int>(rng() % EnemyBlock::kEnemyCount);
    const std::size_t record = EnemyBlock::recordOffset(m);
    const int value = static_cast<int>(rng() % 256);
    switch (rng() % 4) {
        case 0:
            block.setHpIndex(m, value);
            return record + 1;
        case 1: {
            const int k = static_cast<int>(rng() % EnemyBlock::kStatCount);
            block.setStat(m, k, value);
            return record + 2 + static_cast<std::size_t>(k);
        }
        case 2:
            block.setKeroIndex(m, value & 0x0F);
            return record + 6;
        default: {
            const int slot = static_cast<int>(rng() % static_cast<unsigned>(block.abilityCount(m)));
            block.setAbilityAt(m, slot, value);
            return EnemyBlock::poolEntryOffset(block.abilityStart(m) + slot);
        }
    }
}

TEST_F(ImageFileTest, EditsThenWriteChangeOnlyTheEditedFieldsOfTheBlock) {
    std::mt19937 rng(20240611);
    for (std::uint32_t sequence = 0; sequence < 120; ++sequence) {
        SCOPED_TRACE("sequence " + std::to_string(sequence));
        const std::string path = makeImage("edit.gb", sequence);
        const Bytes opened = readBytes(path);
        ImageFile image = imageAt(path);
        EnemyBlock block;
        ASSERT_TRUE(image.read(block));

        std::set<std::size_t> edited;
        const int edits = 1 + static_cast<int>(rng() % 40);
        for (int i = 0; i < edits; ++i) edited.insert(randomEdit(block, rng));
        ASSERT_TRUE(image.write(block));

        const Bytes written = readBytes(path);
        ASSERT_EQ(written.size(), opened.size());
        EXPECT_TRUE(std::equal(opened.begin(), opened.begin() + kOffset, written.begin()));
        EXPECT_TRUE(std::equal(opened.begin() + kEnd, opened.end(), written.begin() + kEnd));
        EXPECT_EQ(blockOf(written), bytesOf(block));
        for (std::size_t i = 0; i < EnemyBlock::kSize; ++i) {
            if (written[kOffset + i] != opened[kOffset + i]) {
                EXPECT_TRUE(edited.count(i)) << "block offset " << i << " changed unedited";
            }
        }
    }
}

TEST_F(ImageFileTest, FilesShorterThanTheBlockEndAreRefusedAndNeverLengthened) {
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1000}, kOffset, kOffset + 1, kEnd - 1}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const std::string path = dir.path("short.gb");
        Bytes content(size);
        for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<std::uint8_t>(i);
        writeBytes(path, content);
        ImageFile image = imageAt(path);
        EnemyBlock block = patternBlock();
        EXPECT_EQ(image.readBlock(block), ImageFile::ReadResult::TooShort);
        EXPECT_FALSE(image.read(block));
        EXPECT_EQ(bytesOf(block), bytesOf(patternBlock()));
        EXPECT_FALSE(image.write(block));
        EXPECT_EQ(readBytes(path), content);
    }
}

TEST_F(ImageFileTest, AFileEndingRightAfterTheBlockIsAnImage) {
    const std::string path = dir.path("exact.gb");
    Bytes content(kEnd, 0x11);
    writeBytes(path, content);
    ImageFile image = imageAt(path);
    EnemyBlock block = patternBlock();
    ASSERT_EQ(image.readBlock(block), ImageFile::ReadResult::Ok);
    EXPECT_EQ(bytesOf(block), Bytes(EnemyBlock::kSize, 0x11));
    block.setStat(0, 0, 99);
    ASSERT_TRUE(image.write(block));
    EXPECT_EQ(readBytes(path).size(), kEnd);
    EXPECT_EQ(readBytes(path)[kOffset + 2], 99);
}

TEST_F(ImageFileTest, MissingFilesDirectoriesAndEmptyPathsFailAndChangeNothing) {
    makeImage("other.gb");
    std::filesystem::create_directory(pathFromUtf8(dir.path("folder.gb")));
    const auto before = snapshot(dir.root());
    for (const std::string& path :
         {dir.path("missing.gb"), dir.path("folder.gb"), dir.path("表/ソ.gb"), std::string()}) {
        SCOPED_TRACE(path);
        ImageFile image = imageAt(path);
        EnemyBlock block = patternBlock();
        EXPECT_EQ(image.readBlock(block), ImageFile::ReadResult::CannotOpen);
        EXPECT_EQ(bytesOf(block), bytesOf(patternBlock()));
        EXPECT_FALSE(image.write(block));
        EXPECT_FALSE(image.backup());
        EXPECT_FALSE(image.copyCurrentTo(dir.path("copy.gb")));
        EXPECT_EQ(snapshot(dir.root()), before);
    }
}

TEST_F(ImageFileTest, CopyMakesANewFileOrReplacesAnExistingOtherOne) {
    const std::string path = makeImage("game.gb", 3);
    const Bytes current = readBytes(path);
    ImageFile image = imageAt(path);

    ASSERT_TRUE(image.copyCurrentTo(dir.path("new.gb")));
    EXPECT_EQ(readBytes(dir.path("new.gb")), current);

    for (const std::size_t size : {std::size_t{10}, 2 * current.size()}) {
        writeBytes(dir.path("existing.gb"), Bytes(size, 0xEE));
        ASSERT_TRUE(image.copyCurrentTo(dir.path("existing.gb")));
        EXPECT_EQ(readBytes(dir.path("existing.gb")), current);
    }
    EXPECT_EQ(readBytes(path), current);
}

TEST_F(ImageFileTest, CopyIntoAMissingDirectoryFailsAndLeavesEverything) {
    const std::string path = makeImage("game.gb");
    ImageFile image = imageAt(path);
    const auto before = snapshot(dir.root());
    EXPECT_FALSE(image.copyCurrentTo(dir.path("nowhere/copy.gb")));
    EXPECT_FALSE(image.copyCurrentTo(dir.path("表/ソ/能.gb")));
    EXPECT_EQ(snapshot(dir.root()), before);
}

TEST_F(ImageFileTest, SaveAsOntoTheImageItselfCopiesNothingAndWritesInPlace) {
    const std::string path = makeImage("self.gb", 5);
    const Bytes opened = readBytes(path);
    ImageFile image = imageAt(path);
    EnemyBlock block;
    ASSERT_TRUE(image.read(block));

    std::filesystem::create_directory(pathFromUtf8(dir.path("sub")));
    for (const std::string& same : {path, dir.path("./self.gb"), dir.path("sub/../self.gb")}) {
        EXPECT_TRUE(image.copyCurrentTo(same)) << same;
        EXPECT_EQ(readBytes(path), opened);
    }
    image.saveAsPath = path;
    image.useSaveAsPath();
    block.setStat(10, 3, 77);
    ASSERT_TRUE(image.write(block));
    const Bytes written = readBytes(path);
    ASSERT_EQ(written.size(), opened.size());
    EXPECT_EQ(written[kOffset + EnemyBlock::recordOffset(10) + 5], 77);
}

TEST_F(ImageFileTest, SaveAsWritesTheEditsIntoTheCopyOnly) {
    const std::string original = makeImage("original.gb", 8);
    const Bytes opened = readBytes(original);
    ImageFile image = imageAt(original);
    EnemyBlock block;
    ASSERT_TRUE(image.read(block));
    block.setHpIndex(4, 44);

    image.saveAsPath = dir.path("renamed.gb");
    ASSERT_TRUE(image.copyCurrentTo(image.saveAsPath));
    image.useSaveAsPath();
    EXPECT_EQ(image.currentPath, dir.path("renamed.gb"));
    ASSERT_TRUE(image.write(block));

    EXPECT_EQ(readBytes(original), opened);
    Bytes expected = opened;
    std::copy(block.bytes().begin(), block.bytes().end(), expected.begin() + kOffset);
    EXPECT_EQ(readBytes(dir.path("renamed.gb")), expected);
}

TEST_F(ImageFileTest, BackupHoldsTheImageFromBeforeEachSaveAndReplacesTheLastOne) {
    const std::string path = makeImage("game.gb", 2);
    const Bytes first = readBytes(path);
    ImageFile image = imageAt(path);
    EnemyBlock block;
    ASSERT_TRUE(image.read(block));
    EXPECT_EQ(image.backupPath(), dir.path("game.gb.bak"));

    ASSERT_TRUE(image.backup());
    EXPECT_EQ(readBytes(dir.path("game.gb.bak")), first);
    block.setStat(0, 1, 200);
    ASSERT_TRUE(image.write(block));
    const Bytes second = readBytes(path);

    ASSERT_TRUE(image.backup());
    EXPECT_EQ(readBytes(dir.path("game.gb.bak")), second);
    EXPECT_NE(second, first);
}

TEST_F(ImageFileTest, BackupOntoADirectoryFailsAndLeavesEverything) {
    const std::string path = makeImage("game.gb");
    std::filesystem::create_directory(pathFromUtf8(dir.path("game.gb.bak")));
    writeBytes(dir.path("game.gb.bak/inside"), Bytes{1, 2, 3});
    const auto before = snapshot(dir.root());
    ImageFile image = imageAt(path);
    EXPECT_FALSE(image.backup());
    EXPECT_EQ(snapshot(dir.root()), before);
}

TEST_F(ImageFileTest, JapaneseDirectoryAndFileNamesWork) {
    std::filesystem::create_directory(pathFromUtf8(dir.path("表ソ能")));
    const std::string path = makeImage("表ソ能/ソフト表.gb", 4);
    const Bytes opened = readBytes(path);
    ImageFile image = imageAt(path);
    EnemyBlock block;
    ASSERT_EQ(image.readBlock(block), ImageFile::ReadResult::Ok);
    EXPECT_EQ(image.backupPath(), dir.path("表ソ能/ソフト表.gb.bak"));
    ASSERT_TRUE(image.backup());
    EXPECT_EQ(readBytes(dir.path("表ソ能/ソフト表.gb.bak")), opened);
    ASSERT_TRUE(image.copyCurrentTo(dir.path("表ソ能/能.gb")));
    EXPECT_EQ(readBytes(dir.path("表ソ能/能.gb")), opened);
    block.setAbilityAt(0, 0, 255);
    ASSERT_TRUE(image.write(block));
    EXPECT_EQ(readBytes(path)[kOffset + EnemyBlock::kPoolOffset], 255);
}

TEST_F(ImageFileTest, AnImageOpenForWritingElsewhereCannotBeReadOrWritten) {
    const std::string path = makeImage("game.gb");
    const Bytes opened = readBytes(path);
    ImageFile image = imageAt(path);
    EnemyBlock block = patternBlock();
    {
        platform::File holder;
        ASSERT_TRUE(holder.openExisting(path, platform::File::Access::WriteExclusive));
        EXPECT_EQ(image.readBlock(block), ImageFile::ReadResult::CannotOpen);
        EXPECT_EQ(bytesOf(block), bytesOf(patternBlock()));
        EXPECT_FALSE(image.write(block));
    }
    {
        platform::File reader;
        ASSERT_TRUE(reader.openExisting(path, platform::File::Access::ReadShared));
        EXPECT_FALSE(image.write(block));
        EXPECT_TRUE(image.read(block));
    }
    EXPECT_EQ(readBytes(path), opened);
    EXPECT_TRUE(image.write(block));
}

}  // namespace
}  // namespace vesk
