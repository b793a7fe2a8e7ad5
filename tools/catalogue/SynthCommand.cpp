// fiche-catalogue synth N OUT.mdb: N made-up products, for benchmarks.

#include "CommandArguments.h"
#include "Commands.h"

#include "CatalogueWriter.h"
#include "SyntheticCatalogue.h"

#include <limits>

int runSynth(const QStringList &arguments)
{
    CommandArguments args(arguments);
    quint32 seed = 1;
    if (const auto text = args.takeValue(QStringLiteral("--seed"))) {
        bool ok = false;
        seed = text->toUInt(&ok);
        if (!ok)
            throw UsageError(QStringLiteral("--seed : « %1 » n'est pas un entier de 0 à %2")
                                 .arg(*text)
                                 .arg(std::numeric_limits<quint32>::max()));
    }
    const QStringList positional = args.positionals(2);
    const int count =
        parseBoundedInt(positional[0], 0, jetwriter::MaxSyntheticProducts, QStringLiteral("nombre de produits"));
    synthesizeCatalogue(count, positional[1], seed);
    return 0;
}
