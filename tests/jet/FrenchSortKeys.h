#pragma once
// The General sort order as its definition gives it, apart from the engine: ICU's French
// collator at secondary strength, whose sort keys are equal for texts the order calls
// equal and compare as the order compares them. The engine's tests check it against this.

#include <QByteArray>
#include <QString>
#include <memory>

struct UCollator;

class FrenchSortKeys {
public:
    FrenchSortKeys();
    ~FrenchSortKeys();
    QByteArray of(const QString &text) const;
    const UCollator *collator() const { return m_collator.get(); }

private:
    struct Close {
        void operator()(UCollator *collator) const;
    };
    std::unique_ptr<UCollator, Close> m_collator;
};
