#pragma once
// The engine's large arrays (a million rows' values, a sort order, a look-up index) are
// written in full as soon as they are made, and the first write to each 4 KB page of fresh
// memory costs a fault: some microseconds on a virtual machine, a fifth of the opening of
// a million-product catalogue. Linux maps memory in 2 MB pages instead where a program asks
// for it (transparent huge pages in their "madvise" mode, Debian's default): one fault for
// 512 pages' worth, and fewer misses of the processor's page cache after.

#include <cstddef>
#include <vector>

namespace jet {

// Asks for 2 MB pages over the whole 2 MB stretches of [data, data + bytes); nothing for
// less. Memory already written keeps its pages. A system that cannot is left as it is.
void adviseHugePages(const void *data, std::size_t bytes);

// Room for `count` values, on 2 MB pages when it is large.
template <class Container>
void reserveOnHugePages(Container &values, std::size_t count)
{
    values.reserve(count);
    adviseHugePages(values.data(), values.capacity() * sizeof(typename Container::value_type));
}

}  // namespace jet
