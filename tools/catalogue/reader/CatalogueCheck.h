#pragma once
// Whether a file can serve as the program's catalogue, said in French: the table
// `Produit`, its fields in the stored order ref, desi, qté, prixvente with types the
// program can use, the index "XREF" on ref, the rows of the table the engine has to leave
// out (their bytes do not hold together), and the products the program cannot list or
// look up cleanly (null reference, null quantity or price, references equal but for case).

#include <QString>
#include <QStringList>

namespace catalogue {

struct CheckReport {
    // WithoutRowsLeftOut: usable, but the program will list every product except the rows
    // it has to leave out.
    enum class Verdict { Usable, Unusable, Unreadable, WithoutRowsLeftOut };
    Verdict verdict = Verdict::Usable;
    QStringList lines;

    // 0 usable, 1 not usable, 2 the file cannot be read, 3 usable without the rows left out.
    int exitStatus() const { return int(verdict); }
};

CheckReport checkCatalogue(const QString &path);

}  // namespace catalogue
