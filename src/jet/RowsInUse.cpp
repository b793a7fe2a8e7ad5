#include "RowsInUse.h"

namespace jet {

void RowsInUse::startRow(std::uint32_t position)
{
    m_position = position;
    m_tookAny = false;
}

bool RowsInUse::take(std::uint32_t pointer)
{
    const auto [taken, isNew] = m_takenBy.try_emplace(pointer, m_position);
    if (isNew) {
        m_tookAny = true;
        return true;
    }
    if (taken->second != m_position)
        m_sharers.push_back(taken->second);
    return false;
}

}  // namespace jet
