#pragma once
// Everything a sheet's lines are (SheetLines.h): their order, the own lines' texts, the
// listed lines' products and the running totals over them. A change that replaces the
// whole sheet ("Nouveau", a sheet opened) keeps the state it replaced, moved rather than
// copied, so that undoing it costs nothing however many lines it held.

#include "AmountTotal.h"
#include "ListedLines.h"
#include "OwnLines.h"

#include <cstdint>
#include <optional>
#include <vector>

struct SheetState {
    explicit SheetState(int columns) : own(columns) {}

    // In `lines`, an own line is its slot with this bit; a listed line, its product's index.
    static constexpr std::uint32_t OwnLine = 1u << 31;

    std::vector<std::uint32_t> lines;  // see SheetLines: an own line's slot, or a listed product
    OwnLines own;
    std::optional<ListedLines> listed;
    AmountTotal listedReadBack;
    AmountTotal listedRecalculated;
};
