#pragma once
// One row's bytes, where they lie in a page buffer (or in a copy of a moved row).

#include <cstddef>

namespace jet {

struct RowBytes {
    const unsigned char *data = nullptr;
    std::size_t size = 0;
};

}  // namespace jet
