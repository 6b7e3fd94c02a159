// Progress arithmetic: hundredths of the carrier, counted from the archive start.
#include <gtest/gtest.h>

#include "setup/archive/progress.h"

namespace {

TEST(progress, divisor_is_a_hundredth_and_never_zero) {
    struct row {
        std::int32_t length;
        std::int32_t expected;
    } rows[] = {{1045398, 10453}, {26014, 260}, {200, 2}, {199, 1}, {100, 1}, {99, 1}, {0, 1}};
    for (const row& r : rows) {
        SCOPED_TRACE(r.length);
        EXPECT_EQ(r.expected, archive::progress_divisor(r.length));
    }
}

TEST(progress, position_counts_from_the_archive_start_and_truncates) {
    struct row {
        const char* label;
        std::int64_t offset;
        std::int64_t start;
        std::int32_t divisor;
        int expected;
    } rows[] = {
        {"first entry's name", 170058, 170034, 10453, 0},
        {"end of the shipped carrier", 1045398, 170034, 10453, 83},
        {"just short of a step", 1000 + 2599, 1000, 260, 9},
        {"on a step", 1000 + 2600, 1000, 260, 10},
        {"tiny carrier held at 100", 250, 50, 1, 100},
        {"zero divisor treated as one", 60, 50, 0, 10},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::progress_position(r.offset, r.start, r.divisor));
    }
}

}  // namespace
