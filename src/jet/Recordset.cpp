#include "Jet.h"

#include "EngineErrors.h"
#include "ObjectNames.h"
#include "RecordsetState.h"
#include "SeekIndex.h"

namespace jet {

Recordset::Recordset() : m_state(std::make_unique<State>())
{}

Recordset::~Recordset() = default;

void Recordset::MoveFirst()
{
    if (m_state->count() == 0)
        throw errors::noCurrentRecord();
    m_state->moveTo(0);
}

void Recordset::MoveNext()
{
    if (m_state->position != State::Position::OnRecord)
        throw errors::noCurrentRecord();
    m_state->moveTo(m_state->current + 1);
}

bool Recordset::Eof() const
{
    return m_state->position == State::Position::PastLast;
}

std::int32_t Recordset::RecordCount() const
{
    return std::int32_t(m_state->count());
}

std::int32_t Recordset::AbsolutePosition() const
{
    return m_state->position == State::Position::OnRecord ? std::int32_t(m_state->current) : -1;
}

const std::vector<LeftOutRow> &Recordset::LeftOutRows() const
{
    return m_state->table->leftOutRows();
}

void Recordset::setAbsolutePosition(std::int32_t position)
{
    if (position < 0 || std::uint32_t(position) >= m_state->count())
        throw errors::noCurrentRecord();
    m_state->moveTo(std::uint32_t(position));
}

void Recordset::setIndex(const QString &indexName)
{
    if (!m_state->tableType)
        throw errors::notSupported(QStringLiteral("seule une table ouverte par son nom a des index"));
    for (const IndexDefinition &index : m_state->table->indexes()) {
        if (sameObjectName(index.name, indexName)) {
            // Built on first use and kept with the table, for every later look-up.
            m_state->seek = m_state->table->seekIndex(index);
            m_state->index = &index;
            return;
        }
    }
    throw errors::indexNotFound(indexName);
}

QString Recordset::Index() const
{
    return m_state->index ? m_state->index->name : QString();
}

void Recordset::Seek(const QString &comparison, const MixedValue &key)
{
    if (!m_state->tableType)
        throw errors::notSupported(QStringLiteral("Seek ne s'applique qu'à une table ouverte par son nom"));
    if (!m_state->seek)
        throw errors::noCurrentIndex();
    const QString how = comparison.trimmed();
    if (how != QLatin1String("=")) {
        if (QStringList{QStringLiteral("<"), QStringLiteral("<="), QStringLiteral(">"), QStringLiteral(">=")}.contains(
                how))
            throw errors::notSupported(
                QStringLiteral("Seek avec « %1 » (seule la comparaison « = » est prise en charge)").arg(how));
        throw errors::invalidArgument(QStringLiteral("comparaison « %1 »").arg(comparison));
    }
    // Table-type record sets are in stored order: the row found is the position.
    if (const std::optional<std::uint32_t> row = m_state->seek->find(key)) {
        m_state->moveTo(*row);
        m_state->noMatch = false;
    } else {
        m_state->position = State::Position::Nowhere;
        m_state->noMatch = true;
    }
}

bool Recordset::NoMatch() const
{
    return m_state->noMatch;
}

std::int16_t Recordset::fieldCount() const
{
    return std::int16_t(m_state->columns.size());
}

int Recordset::columnAt(std::int16_t position) const
{
    if (position < 0 || std::size_t(position) >= m_state->columns.size())
        throw errors::itemNotInCollection();
    return m_state->columns[std::size_t(position)];
}

MixedValue Recordset::valueAt(std::int16_t position) const
{
    const int column = columnAt(position);
    if (m_state->position != State::Position::OnRecord)
        throw errors::noCurrentRecord();
    return m_state->table->value(m_state->rowAt(m_state->current), column);
}

bool Recordset::isNullAt(std::int16_t position) const
{
    const int column = columnAt(position);
    if (m_state->position != State::Position::OnRecord)
        throw errors::noCurrentRecord();
    return m_state->table->isNull(m_state->rowAt(m_state->current), column);
}

QString Recordset::nameAt(std::int16_t position) const
{
    return m_state->table->column(columnAt(position)).name;
}

std::int16_t Recordset::typeAt(std::int16_t position) const
{
    return std::int16_t(m_state->table->column(columnAt(position)).type);
}

std::int32_t Recordset::sizeAt(std::int16_t position) const
{
    const int column = columnAt(position);
    const ColumnInfo &info = m_state->table->column(column);
    return info.type == ColumnType::Text ? m_state->table->maxChars(column) : info.size;
}

Field Fields::operator[](std::int16_t position) const
{
    if (position < 0 || position >= m_owner->fieldCount())
        throw errors::itemNotInCollection();
    return Field(m_owner, position);
}

std::int16_t Fields::Count() const
{
    return m_owner->fieldCount();
}

MixedValue Field::Value() const
{
    return m_owner->valueAt(m_position);
}

bool Field::IsNull() const
{
    return m_owner->isNullAt(m_position);
}

QString Field::Name() const
{
    return m_owner->nameAt(m_position);
}

std::int16_t Field::Type() const
{
    return m_owner->typeAt(m_position);
}

std::int32_t Field::Size() const
{
    return m_owner->sizeAt(m_position);
}

}  // namespace jet
