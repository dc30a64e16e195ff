#pragma once

#include <cstring>
#include <type_traits>

// What a part of the refresh last showed: the state it was shown from,
// kept byte for byte, so that a tick finding the same bytes has nothing to
// write and skips the part.  Bytes, not fields: a new field is compared
// without being listed, and the worst a stray byte (padding, a -0.0) can
// do is one refresh too many.
template <typename T> class ShownState
{
    static_assert(std::is_trivially_copyable<T>::value, "kept as bytes");

public:
    bool same(const T &now) const { return valid && std::memcmp(&last, &now, sizeof(T)) == 0; }
    void take(const T &now)
    {
        std::memcpy(static_cast<void *>(&last), &now, sizeof(T));
        valid = true;
    }
    void forget() { valid = false; }

private:
    T last;
    bool valid = false;
};
