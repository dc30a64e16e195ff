#pragma once

// Shared by the fuzz targets: a reader over the fuzzer's input and a check
// that stops the run (the fuzzer keeps the input as a crash).

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                              \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : p(data), left(size) {}

    bool empty() const { return left == 0; }
    size_t remaining() const { return left; }

    // 0 once the input is used up.
    uint8_t byte()
    {
        if (!left)
            return 0;
        --left;
        return *p++;
    }

    // Up to n bytes (fewer at the end of the input).
    QByteArray bytes(size_t n)
    {
        n = std::min(n, left);
        QByteArray out(reinterpret_cast<const char *>(p), int(n));
        p += n;
        left -= n;
        return out;
    }

    // Fills an object byte for byte; what the input lacks stays as it was.
    void raw(void *to, size_t n)
    {
        n = std::min(n, left);
        std::memcpy(to, p, n);
        p += n;
        left -= n;
    }

private:
    const uint8_t *p;
    size_t left;
};
