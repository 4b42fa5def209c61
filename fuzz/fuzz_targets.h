// Entry points of the fuzz targets. Each takes one input, runs it through the model and aborts
// when an invariant breaks. The libFuzzer build calls them from LLVMFuzzerTestOneInput; the
// ordinary test build replays the saved inputs through the very same functions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zentrax::fuzz {

// The input is UTF-16 text, two bytes per code unit, low byte first.
int fieldText(const std::uint8_t* data, std::size_t size);

// The input describes an image: see imageFromInput() in stat_layout_target.cpp.
int statLayout(const std::uint8_t* data, std::size_t size);

#ifdef ZENTRAX_FUZZ_CLI
// The input is a zentrax-stats command line, its arguments separated by NUL bytes.
int cliArgs(const std::uint8_t* data, std::size_t size);
#endif

}  // namespace zentrax::fuzz
