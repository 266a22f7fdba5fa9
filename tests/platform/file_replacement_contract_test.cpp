// What every realisation of platform/file_replacement.h promises, on each platform that
// has one.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_replacement.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using namespace test;  // the shared test files and helpers
using Cause = ErrorReason::Cause;

class FileReplacementContract : public ::testing::Test {
protected:
    void makeReadOnly(const std::string& file, bool on) {
        fs::permissions(pathFromUtf8(file),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        on ? fs::perm_options::remove : fs::perm_options::add);
    }
    TempDir dir;
    std::string path = dir.path("out.bin");
};

TEST_F(FileReplacementContract, WhatIsAtThePathDecidesWhetherItIsWritten) {
    enum class There { Nothing, File, ReadOnlyFile, Folder, MissingFolder };
    struct Case {
        const char* name;
        There there;
        bool replaceExisting;
        Cause refusal;  // None: written
    };
    const Case cases[] = {
        {"new file", There::Nothing, false, Cause::None},
        {"new file, replacing allowed", There::Nothing, true, Cause::None},
        {"existing file", There::File, false, Cause::AlreadyExists},
        {"existing file replaced", There::File, true, Cause::None},
        {"read-only file", There::ReadOnlyFile, true, Cause::AccessDenied},
        {"folder", There::Folder, false, Cause::NotRegularFile},
        {"folder, replacing allowed", There::Folder, true, Cause::NotRegularFile},
        {"in a missing folder", There::MissingFolder, true, Cause::NotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir here;
        std::string target = here.path("out.bin");
        if (c.there == There::File || c.there == There::ReadOnlyFile) writeText(target, "old");
        if (c.there == There::ReadOnlyFile) makeReadOnly(target, true);
        if (c.there == There::Folder) fs::create_directory(pathFromUtf8(target));
        if (c.there == There::MissingFolder) target = here.path("missing/out.bin");
        const auto before = snapshot(here.root());

        FileReplacement::Options options;
        options.replaceExisting = c.replaceExisting;
        ErrorReason reason;
        const bool written = replaceFileContent(target, "new content", options, reason);

        EXPECT_EQ(written, c.refusal == Cause::None);
        EXPECT_EQ(reason.cause, c.refusal) << reason.systemText;
        if (written) {
            EXPECT_EQ(readText(target), "new content");
            EXPECT_EQ(snapshot(here.root()).size(), 1u) << "no temporary file left";
        } else {
            EXPECT_EQ(snapshot(here.root()), before);
        }
        if (c.there == There::ReadOnlyFile) makeReadOnly(target, false);
    }
}

// A file with a second name cannot be swapped for a new one without parting the names:
// it is written into, shorter content included, and both names keep showing it.
TEST_F(FileReplacementContract, AFileWithTwoNamesIsWrittenIntoAndStaysOneFile) {
    writeText(path, "a long old content");
    const std::string second = dir.path("second.bin");
    fs::create_hard_link(pathFromUtf8(path), pathFromUtf8(second));
    for (const char* content : {"short", "a content longer than the first one", ""}) {
        FileReplacement replacement;
        FileReplacement::Options options;
        options.replaceExisting = true;
        ErrorReason reason;
        ASSERT_TRUE(replacement.begin(second, options, reason)) << reason.systemText;
        EXPECT_TRUE(replacement.replacesExisting());
        EXPECT_TRUE(replacement.writesInPlace());
        ASSERT_TRUE(replacement.commit(content, reason)) << reason.systemText;
        EXPECT_EQ(readText(path), content);
        EXPECT_EQ(readText(second), content);
    }
    EXPECT_EQ(snapshot(dir.root()).size(), 2u);
}

TEST_F(FileReplacementContract, ACallerSeesTheOldContentAndNothingChangesUntilCommit) {
    writeText(path, "before");
    {
        FileReplacement replacement;
        FileReplacement::Options options;
        options.replaceExisting = true;
        ErrorReason reason;
        ASSERT_TRUE(replacement.begin(path, options, reason));
        EXPECT_FALSE(replacement.writesInPlace());
        std::string old;
        ASSERT_TRUE(replacement.readExisting(old, reason));
        EXPECT_EQ(old, "before");
        // Given up without a commit.
    }
    EXPECT_EQ(readText(path), "before");
    EXPECT_EQ(snapshot(dir.root()).size(), 1u) << "no temporary file left";
}

}  // namespace
}  // namespace vesk::platform
