// One libFuzzer harness per entry of FuzzTargets: the build names the target in VOK_FUZZ_TARGET.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzTarget* target = FindFuzzTarget(VOK_FUZZ_TARGET);
    if (!target) std::abort();
    target->run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
