// The marker search: chunked scan, counter across chunks, no retry of a mismatching byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/archive/extract.h"
#include "setup/archive/tests/fakes.h"

namespace {

using archive_test::fake_carrier;
using archive_test::marker;

std::uint32_t search(fake_carrier& carrier) {
    unsigned char buffer[archive::kIoBufferSize];
    std::memset(buffer, 0xCC, sizeof buffer);
    return archive::find_archive_start(carrier, carrier.length(), buffer);
}

TEST(marker_search, finds_the_first_complete_marker) {
    const std::string m = marker();
    const std::string partial = m.substr(0, 49);
    struct row {
        const char* label;
        std::string bytes;
        std::uint32_t expected;
    } rows[] = {
        {"marker at the very start", m + "xyz", 50},
        {"after a prefix", "abc" + m, 53},
        {"straddles the first chunk boundary", std::string(9980, '\0') + m + "xy", 10030},
        {"ends exactly at a chunk boundary", std::string(19950, '\0') + m, 20000},
        {"first byte opens the third chunk", std::string(20000, '\0') + m, 20050},
        {"0x00 0x01 in front hides it", std::string("\x00\x01", 2) + m + "tail", 0},
        {"0x00 0x01 in front, a later marker is found",
         std::string("\x00\x01", 2) + m + std::string(1, '\0') + m, 103},
        {"of two markers the first wins", "P" + m + "Q" + m, 51},
        {"partial marker only", "ab" + partial, 0},
        {"49 bytes then a break then a marker", partial + "!" + m, 100},
        {"no marker", std::string(25000, '\x05'), 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        fake_carrier carrier(r.bytes);
        EXPECT_EQ(r.expected, search(carrier));
    }
}

TEST(marker_search, reads_whole_chunks_and_stops_at_the_marker) {
    fake_carrier carrier(std::string(9980, '\0') + marker() + std::string(30000, '\0'));
    EXPECT_EQ(10030u, search(carrier));
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {{10000, 10000},
                                                                           {10000, 10000}};
    EXPECT_EQ(expected, carrier.reads);
}

TEST(marker_search, reads_an_empty_carrier_not_at_all) {
    fake_carrier carrier("");
    EXPECT_EQ(0u, search(carrier));
    EXPECT_TRUE(carrier.reads.empty());
}

TEST(marker_search, stops_when_the_carrier_gives_less_than_it_claimed) {
    fake_carrier carrier(std::string(15000, '\0'));
    carrier.claim_length(1000000);
    EXPECT_EQ(0u, search(carrier));
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
        {10000, 10000}, {10000, 5000}, {10000, 0}};
    EXPECT_EQ(expected, carrier.reads);
}

}  // namespace
