// libFuzzer entry: FUZZ_ENTRY names the target (set per executable by the build).
#include "tests/native/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FUZZ_ENTRY(data, size);
    return 0;
}
