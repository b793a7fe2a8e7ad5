#include "HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace jet {

namespace {

constexpr std::size_t HugePage = std::size_t(2) * 1024 * 1024;

}  // namespace

void adviseHugePages(const void *data, std::size_t bytes)
{
    // madvise wants a writable pointer; it changes only how the pages are mapped.
    char *const start = static_cast<char *>(const_cast<void *>(data));
    const std::size_t before = (HugePage - reinterpret_cast<std::uintptr_t>(start) % HugePage) % HugePage;
    if (bytes <= before)
        return;
    const std::size_t whole = (bytes - before) / HugePage * HugePage;
    if (whole > 0)
        ::madvise(start + before, whole, MADV_HUGEPAGE);
}

}  // namespace jet
