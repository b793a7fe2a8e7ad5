#pragma once
// What a record set is over and where it stands: the table's decoded rows, which of its
// columns it shows (in the record set's field order), the order of its rows, and its
// current position.

#include "Jet.h"
#include "TableData.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace jet {

struct Recordset::State {
    std::shared_ptr<const TableData> table;
    std::vector<int> columns;                                 // field position → table column
    std::shared_ptr<const std::vector<std::uint32_t>> order;  // null: stored order
    bool tableType = false;                                   // only those have indexes

    enum class Position { OnRecord, PastLast, Nowhere };  // Nowhere: after a failed seek
    Position position = Position::PastLast;
    std::uint32_t current = 0;
    bool noMatch = false;

    const IndexDefinition *index = nullptr;
    std::shared_ptr<const SeekIndex> seek;

    std::uint32_t count() const { return table->rowCount(); }
    std::uint32_t rowAt(std::uint32_t index) const { return order ? (*order)[index] : index; }
    void moveTo(std::uint32_t index)
    {
        position = index < count() ? Position::OnRecord : Position::PastLast;
        current = index;
        // Rows in a sort order lie anywhere in memory: ask for one read soon.
        constexpr std::uint32_t Ahead = 16;
        if (order && index + Ahead < count())
            table->prefetch((*order)[index + Ahead]);
    }
};

}  // namespace jet
