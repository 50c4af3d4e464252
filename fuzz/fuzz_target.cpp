// One libFuzzer target; DZ_FUZZ_TARGET names the reader it feeds ("plan_file", ...).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/fuzz_inputs.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    dz::fuzz::setDataDir(DZ_DATA_DIR);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const dz::fuzz::Entry entry = dz::fuzz::entryFor(DZ_FUZZ_TARGET);
    if (!entry) std::abort();
    entry(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
