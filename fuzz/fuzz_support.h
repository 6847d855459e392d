#pragma once
// Helpers shared by the fuzz targets: a check that stops the run with a message libFuzzer keeps
// beside the crashing input, and value bytes of any size drawn from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace torvel::fuzz {

// Stops the run when a promise of the code under test does not hold.
inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// Up to `max_length` bytes of the input, then repeated up to `max_repeat` times, so that short
// inputs still reach values of hundreds of kilobytes.
inline std::vector<std::uint8_t> ConsumeValueBytes(FuzzedDataProvider& in, std::size_t max_length,
                                                   std::size_t max_repeat) {
  const std::size_t repeat = in.ConsumeIntegralInRange<std::size_t>(1, max_repeat);
  const std::string piece = in.ConsumeRandomLengthString(max_length);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(piece.size() * repeat);
  for (std::size_t i = 0; i < repeat; ++i) bytes.insert(bytes.end(), piece.begin(), piece.end());
  return bytes;
}

// One of `choices`, or, when the input says so, a short text of its own.
template <std::size_t N>
std::string ConsumeText(FuzzedDataProvider& in, const char* const (&choices)[N]) {
  const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, N);
  return pick < N ? std::string(choices[pick]) : in.ConsumeRandomLengthString(16);
}

inline std::size_t Count(std::string_view text, std::string_view what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos;
       at = text.find(what, at + what.size())) {
    ++count;
  }
  return count;
}

}  // namespace torvel::fuzz
