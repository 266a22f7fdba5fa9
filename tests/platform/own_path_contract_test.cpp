// What every realisation of platform/own_path.h promises, on each platform that has one.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/own_path.h"
#include "test_files.h"

namespace vesk::platform {
namespace {
using test::pathFromUtf8;

TEST(OwnPathContract, IsTheRunningTestProgram) {
    const std::string path = ownProgramPath();
    ASSERT_FALSE(path.empty());
    const std::filesystem::path program = pathFromUtf8(path);
    EXPECT_TRUE(program.is_absolute()) << path;
    EXPECT_TRUE(std::filesystem::is_regular_file(program)) << path;
    EXPECT_EQ(program.stem(), "platform_contract_tests");
}

}  // namespace
}  // namespace vesk::platform
