// Reading a value that another program keeps enlarging: the read never gives up while the value is there.

#include <windows.h>

#include <gtest/gtest.h>

#include "win32/store/registry_keys.h"

namespace quorvel::win32 {
namespace {

TEST(ReadGrowing, ReadsAgainAsOftenAsTheValueGrewUntilItFits) {
    // A value 1 KB larger at every look, for 50 looks, as a program that rewrites it in a loop.
    DWORD value_size = 10;
    int reads = 0;
    std::vector<BYTE> buffer;
    DWORD size = 0;
    const LSTATUS status = ReadGrowing(buffer, size, [&](BYTE*, DWORD& buffer_size) -> LSTATUS {
        ++reads;
        if (reads <= 50) value_size += 1024;
        const bool fits = buffer_size >= value_size;
        buffer_size = value_size;
        return fits ? ERROR_SUCCESS : ERROR_MORE_DATA;
    });
    EXPECT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(size, value_size);
    EXPECT_GE(buffer.size(), value_size);
    // Doubling overtakes the growth long before the program stops.
    EXPECT_LT(reads, 50);
}

}  // namespace
}  // namespace quorvel::win32
