// libFuzzer's entry, bound to one target by the ZENTRAX_FUZZ_ENTRY definition.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return ZENTRAX_FUZZ_ENTRY(data, size);
}
