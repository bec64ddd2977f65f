#pragma once
// Media times: 64-bit counts of 100 ns from the start of a movie.
#include <cstdint>
#include <limits>

constexpr int64_t kMediaTicksPerSecond = 10000000;
constexpr int64_t kMediaTicksPerMilli = 10000;
// "No such time": a stream that has no further picture, a time a file does not give.
constexpr int64_t kNoMediaTime = std::numeric_limits<int64_t>::min();
