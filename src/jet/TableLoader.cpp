#include "TableLoader.h"

#include "DataPageWalk.h"
#include "LibmdbFile.h"
#include "LongValue.h"
#include "RowLayout.h"
#include "RowsInUse.h"
#include "TableData.h"
#include "TableDefinition.h"
#include "ValueDecoding.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace jet {

namespace {

// A row loaded with rows of the file it reached through a pointer (a moved row's new
// place, a long value's rows).
struct RowThatTook {
    LeftOutRow place;
    std::uint32_t loaded;  // its number in the table's data
};

// The rows loaded first with rows of the file that a later row reached too are no more
// trustworthy than that later row, left out when it was met: they go now, and join the
// rows left out in stored order. `rowsThatTook` is in stored order.
void leaveOutSharers(TableData &data, const std::vector<RowThatTook> &rowsThatTook, std::vector<std::uint32_t> sharers,
                     std::vector<LeftOutRow> &leftOut)
{
    std::sort(sharers.begin(), sharers.end());
    sharers.erase(std::unique(sharers.begin(), sharers.end()), sharers.end());
    std::vector<std::uint32_t> discarded;
    std::vector<LeftOutRow> alsoLeftOut;
    for (const RowThatTook &row : rowsThatTook) {
        if (std::binary_search(sharers.begin(), sharers.end(), row.place.position)) {
            discarded.push_back(row.loaded);
            alsoLeftOut.push_back(row.place);
        }
    }
    if (discarded.empty())
        return;
    data.discardRows(discarded);
    std::vector<LeftOutRow> merged;
    merged.reserve(leftOut.size() + alsoLeftOut.size());
    std::merge(leftOut.begin(), leftOut.end(), alsoLeftOut.begin(), alsoLeftOut.end(), std::back_inserter(merged),
               [](const LeftOutRow &a, const LeftOutRow &b) { return a.position < b.position; });
    leftOut = std::move(merged);
}

}  // namespace

std::shared_ptr<TableData> loadTable(const LibmdbFile &file, const TableDefinition &definition,
                                     const TextDecoding &text)
{
    std::vector<int> all(definition.columns.size());
    std::iota(all.begin(), all.end(), 0);
    return loadColumns(file, definition, text, all);
}

std::shared_ptr<TableData> loadColumns(const LibmdbFile &file, const TableDefinition &definition,
                                       const TextDecoding &text, const std::vector<int> &positions)
{
    auto data = std::make_shared<TableData>(definition, file.isJet3(),
                                            std::size_t(file.pageCount()) * std::size_t(file.pageSize()));
    std::vector<bool> wanted(definition.columns.size(), false);
    for (const int position : positions)
        wanted[std::size_t(position)] = true;

    RowsInUse rowsInUse;
    DataPageWalk walk(file, definition, rowsInUse);
    const RowLayout layout(definition, file.isJet3());
    LongValues longValues(file, rowsInUse);
    std::vector<FieldBytes> fields;
    std::u16string textBuffer;
    std::vector<RowThatTook> rowsThatTook;
    while (const std::optional<RowBytes> row = walk.next()) {
        bool decoded = layout.split(*row, fields);
        for (std::size_t i = 0; decoded && i < definition.columns.size(); ++i) {
            ColumnValues &values = data->loadingColumn(int(i));
            if (wanted[i])
                decoded = decodeValue(definition.columns[i], fields[i], longValues, text, values, textBuffer);
            else
                values.appendNull();
        }
        if (decoded) {
            if (rowsInUse.rowTookAny())
                rowsThatTook.push_back({walk.lastRow(), data->rowCount()});
            data->rowLoaded();
        } else {
            data->discardLoadingRow();
            walk.leaveOutLastRow();
        }
    }
    std::vector<LeftOutRow> leftOut = walk.leftOutRows();
    leaveOutSharers(*data, rowsThatTook, rowsInUse.sharers(), leftOut);
    data->finishLoading(std::move(leftOut));
    return data;
}

}  // namespace jet
