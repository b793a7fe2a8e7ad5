#include "TableLoader.h"

#include "DataPageWalk.h"
#include "LibmdbFile.h"
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
    auto data = std::make_shared<TableData>(definition, file.isJet3());
    std::vector<bool> wanted(definition.columns.size(), false);
    for (const int position : positions)
        wanted[std::size_t(position)] = true;

    DataPageWalk walk(file, definition);
    const RowLayout layout(definition, file.isJet3());
    std::vector<FieldBytes> fields;
    while (const std::optional<RowBytes> row = walk.next()) {
        if (!layout.split(*row, fields))
            throw file.damaged(QStringLiteral("table « %1 » : la ligne %2 est illisible")
                                   .arg(definition.name)
                                   .arg(data->rowCount() + 1));
        for (std::size_t i = 0; i < definition.columns.size(); ++i) {
            ColumnValues &values = data->loadingColumn(int(i));
            if (!wanted[i]) {
                values.appendNull();
            } else if (!decodeValue(definition.columns[i], fields[i], file, text, values)) {
                throw file.damaged(QStringLiteral("table « %1 », ligne %2 : la valeur de « %3 » est tronquée")
                                       .arg(definition.name)
                                       .arg(data->rowCount() + 1)
                                       .arg(definition.columns[i].name));
            }
        }
        data->rowLoaded();
    }
    return data;
}

}  // namespace jet
