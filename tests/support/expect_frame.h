#pragma once
// The comparison of a drawn frame with the frame it should be.

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

// Checks that actual is expected, row by row: a failure names the first row that differs and
// shows the runs of both.
inline void ExpectFrame(const gdi::Surface& actual, const gdi::Surface& expected) {
    SCOPED_TRACE(std::to_string(actual.Width()) + " x " + std::to_string(actual.Height()));
    ASSERT_EQ(actual.Width(), expected.Width());
    ASSERT_EQ(actual.Height(), expected.Height());
    for (int y = 0; y < actual.Height(); ++y) {
        ASSERT_EQ(RowRuns(actual, y), RowRuns(expected, y)) << "row " << y;
    }
}

} // namespace testing_support
