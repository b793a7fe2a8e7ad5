#pragma once
// Whether a file can serve as the program's catalogue, said in French: the table
// `Produit`, its fields in the stored order ref, desi, qté, prixvente with types the
// program can use, the index "XREF" on ref, and the products the program cannot list or
// look up cleanly (null reference, null quantity or price, references equal but for case).

#include <QString>
#include <QStringList>

namespace catalogue {

struct CheckReport {
    enum class Verdict { Usable, Unusable, Unreadable };
    Verdict verdict = Verdict::Usable;
    QStringList lines;

    // 0 usable, 1 not usable, 2 the file cannot be read.
    int exitStatus() const { return int(verdict); }
};

CheckReport checkCatalogue(const QString &path);

}  // namespace catalogue
