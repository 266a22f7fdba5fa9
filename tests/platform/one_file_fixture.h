#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_files.h"

namespace vesk::test {

// A folder of the test's own holding one file of eight known bytes.
class OneFileFixture : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.path("file.bin");
    Bytes content = Bytes{1, 2, 3, 4, 5, 6, 7, 8};
    void SetUp() override { writeBytes(path, content); }
};

}  // namespace vesk::test
