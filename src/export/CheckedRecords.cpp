#include "CheckedRecords.h"

#include "FicheFormat.h"

#include <cstring>

using namespace FicheFormat;

CheckedRecords::CheckedRecords(QIODevice &file, int maxFields) : m_lines(file), m_parts(std::size_t(maxFields) + 3)
{}

bool CheckedRecords::next()
{
    const std::optional<QByteArrayView> line = m_lines.next();
    if (!line) {
        m_refusal = m_lines.failure();
        m_wholeFile = !m_refusal.isEmpty();
        return false;
    }
    if (!m_lines.endedWithLineFeed()) {
        m_refusal = QStringLiteral("le fichier s'arrête au milieu de cette ligne : il a été coupé");
        return false;
    }
    return split(*line) && verifyCheck(*line);
}

bool CheckedRecords::split(QByteArrayView line)
{
    m_partCount = 0;
    qsizetype start = 0;
    for (;;) {
        if (m_partCount == int(m_parts.size())) {
            m_refusal = QStringLiteral("la ligne a plus de champs qu'aucun enregistrement d'une fiche");
            return false;
        }
        const auto *tab =
            static_cast<const char *>(std::memchr(line.data() + start, '\t', std::size_t(line.size() - start)));
        const qsizetype end = tab ? tab - line.data() : line.size();
        m_parts[std::size_t(m_partCount++)] = line.sliced(start, end - start);
        if (!tab)
            break;
        start = end + 1;
    }
    if (m_partCount < 2) {
        m_refusal = QStringLiteral("la ligne n'a pas de somme de contrôle : ce n'est pas une ligne de fiche");
        return false;
    }
    return true;
}

bool CheckedRecords::verifyCheck(QByteArrayView line)
{
    const QByteArrayView check = m_parts[std::size_t(m_partCount - 1)];
    m_crc.add(line.first(line.size() - check.size()));
    const QByteArray expected = checkText(m_crc.value());
    m_crc.add(check);
    m_crc.add("\n");
    if (check != expected) {
        m_refusal = QStringLiteral("la ligne ne correspond pas à sa somme de contrôle : le fichier a été "
                                   "modifié ou abîmé depuis son enregistrement");
        return false;
    }
    return true;
}

bool CheckedRecords::decode(int i, QString &into)
{
    QString reason;
    if (!m_utf8.decode(m_parts[std::size_t(i) + 1], into, reason) || !unescape(into, reason)) {
        m_refusal = reason;
        return false;
    }
    return true;
}
