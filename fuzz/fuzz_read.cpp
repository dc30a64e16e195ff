// A read over a poor line (readrun.h), every choice taken from the input.
#include "fuzzcheck.h"
#include "readrun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const char *fault = randomRead([&](int n) { return in.byte() % n; });
    if (fault)
        std::fprintf(stderr, "%s\n", fault);
    FUZZ_CHECK(!fault);
    return 0;
}
