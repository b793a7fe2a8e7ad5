#include "TableLoader.h"

#include "DataPageWalk.h"
#include "LibmdbFile.h"
#include "LongValue.h"
#include "RowLayout.h"
#include "TableData.h"
#include "TableDefinition.h"
#include "ValueDecoding.h"

#include <numeric>

namespace jet {

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

    DataPageWalk walk(file, definition);
    const RowLayout layout(definition, file.isJet3());
    LongValues longValues(file);
    std::vector<FieldBytes> fields;
    std::u16string textBuffer;
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
            data->rowLoaded();
        } else {
            data->discardLoadingRow();
            walk.leaveOutLastRow();
        }
    }
    data->finishLoading(walk.leftOutRows());
    return data;
}

}  // namespace jet
