#include "CatalogueFixtures.h"

#include "CatalogueError.h"

CatalogueFiles::CatalogueFiles() : m_folder(qEnvironmentVariable("FICHE_KEEP_CATALOGUES", m_temporary.path()))
{
    if (!m_folder.mkpath(QStringLiteral(".")))
        qFatal("cannot create the folder %s", qPrintable(m_folder.path()));
}

QString CatalogueFiles::write(const QString &name, const QString &tsv, const WriterOptions &options)
{
    const QString file = path(name);
    try {
        createCatalogueFromTsv(tsv, file, options);
    } catch (const CatalogueError &error) {
        QTest::qFail(qPrintable(QStringLiteral("the writer refused %1: %2").arg(name, error.message())), __FILE__,
                     __LINE__);
    }
    return file;
}

EngineFailure failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return {error.number(), error.description()};
    }
    return {};
}

std::vector<std::vector<MixedValue>> remainingRecords(jet::Recordset &records)
{
    std::vector<std::vector<MixedValue>> rows;
    for (; !records.Eof(); records.MoveNext()) {
        std::vector<MixedValue> row;
        for (std::int16_t i = 0; i < records.Fields().Count(); ++i)
            row.push_back(records.Fields()[i].Value());
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList remainingTexts(jet::Recordset &records, std::int16_t position)
{
    QStringList texts;
    for (; !records.Eof(); records.MoveNext()) {
        const MixedValue value = records.Fields()[position].Value();
        texts.append(value.isNull() ? QStringLiteral("NULL") : value.as<QString>());
    }
    return texts;
}

MixedValue text(const char16_t *value)
{
    return MixedValue(QString::fromUtf16(value));
}

char *toString(const MixedValue &value)
{
    QString shown;
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
        shown = QStringLiteral("Empty");
        break;
    case MixedValue::Kind::Null:
        shown = QStringLiteral("Null");
        break;
    case MixedValue::Kind::Int16:
        shown = QStringLiteral("Int16 %1").arg(value.as<std::int16_t>());
        break;
    case MixedValue::Kind::Int32:
        shown = QStringLiteral("Int32 %1").arg(value.as<std::int32_t>());
        break;
    case MixedValue::Kind::Double:
        shown = QStringLiteral("Double %1").arg(value.as<double>(), 0, 'g', 17);
        break;
    case MixedValue::Kind::Currency:
        shown = QStringLiteral("Currency %1/10000").arg(value.as<Currency>().tenThousandths);
        break;
    case MixedValue::Kind::Text:
        shown = QStringLiteral("Text \"%1\"").arg(value.as<QString>());
        break;
    }
    return qstrdup(shown.toUtf8().constData());
}
