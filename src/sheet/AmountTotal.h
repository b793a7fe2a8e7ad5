#pragma once
// A sum of Currency amounts kept exactly, with the sum of their sizes. While the sizes add up
// to no more than Currency holds, no partial sum, in any order, can leave Currency's range:
// adding the amounts one by one with Currency's checked addition then gives this very sum.
// The sheet keeps such totals of its listed lines, so that a handler summing 1 000 000 lines
// need not visit them.

#include "Currency.h"

#include <cstdint>
#include <limits>

class AmountTotal {
public:
    void add(Currency amount)
    {
        m_sum += amount.tenThousandths;
        m_sizes += size(amount);
    }
    void remove(Currency amount)
    {
        m_sum -= amount.tenThousandths;
        m_sizes -= size(amount);
    }
    AmountTotal &operator+=(const AmountTotal &other)
    {
        m_sum += other.m_sum;
        m_sizes += other.m_sizes;
        return *this;
    }

    bool addsUpInAnyOrder() const { return m_sizes <= std::numeric_limits<std::int64_t>::max(); }
    // The sum, when addsUpInAnyOrder().
    Currency sum() const { return Currency::fromTenThousandths(std::int64_t(m_sum)); }

private:
    static __int128 size(Currency amount)
    {
        return amount.tenThousandths < 0 ? -__int128(amount.tenThousandths) : __int128(amount.tenThousandths);
    }

    __int128 m_sum = 0;
    __int128 m_sizes = 0;
};
