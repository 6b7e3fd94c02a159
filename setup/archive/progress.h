// Progress arithmetic: offsets past the archive start, in hundredths of the whole carrier.
#pragma once

#include <cstdint>

namespace archive {

constexpr int kProgressMax = 100;

// A hundredth of the carrier length, truncated; never 0, so a tiny carrier cannot divide by 0.
std::int32_t progress_divisor(std::int32_t carrier_length);

// (offset - archive start) / divisor, held within 0..100.
int progress_position(std::int64_t offset, std::int64_t archive_start, std::int32_t divisor);

}  // namespace archive
