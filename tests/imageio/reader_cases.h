#pragma once
// Files and the gray levels a reader must find in them, as tables that a test file hands to
// the one parameterised test that checks them:
//
//   INSTANTIATE_TEST_SUITE_P(DicomReader, ReaderCase, testing::ValuesIn(kCases), ReadCaseName);

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace imageio_test {

struct ReadCase {
    std::string name; // the case's test name: what it proves
    std::variant<DicomRecipe, PngRecipe, TiffRecipe> recipe;
    std::vector<int> pixels;
};

// Reads the case's file back and expects it whole, as the format of its recipe, with its pixels.
class ReaderCase : public testing::TestWithParam<ReadCase> {};

std::string ReadCaseName(const testing::TestParamInfo<ReadCase>& info);

} // namespace imageio_test
