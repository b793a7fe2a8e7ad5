#include "Commands.h"

#include <array>

namespace {

const std::array<Command, 6> Table = {{
    {"create", "OUT.mdb IN.tsv [--table NOM] [--no-index] [--delete N,N...] [--move N,N...]",
     "écrit un catalogue à partir d'un fichier texte à tabulations ; types des colonnes : TEXT(n), INT, LONG,\n"
     "      DOUBLE, MONEY, BOOL (0 ou 1), BYTE, SINGLE, DATETIME (numéro de jour ou AAAA-MM-JJ [HH:MM:SS]),\n"
     "      GUID ({…}), BINARY(n) et OLE (hexadécimal), MEMO ; un MEMO ou un OLE de plus de 64 octets\n"
     "      va dans des pages de valeurs longues (LVAL), un plus court reste dans sa ligne",
     runCreate},
    {"synth", "N OUT.mdb [--seed S]", "écrit un catalogue de N produits inventés (pour les mesures)", runSynth},
    {"dump", "FICHIER [TABLE]", "écrit la table (Produit par défaut) dans le format texte que lit create", runDump},
    {"query", "FICHIER \"select …\"", "écrit le résultat de la requête, dans le même format", runQuery},
    {"seek", "FICHIER TABLE INDEX CLÉ",
     "écrit l'enregistrement que la recherche par index trouve, ou dit qu'il n'y en a pas", runSeek},
    {"check", "FICHIER", "dit si le fichier peut servir de catalogue au programme", runCheck},
}};

}  // namespace

std::span<const Command> commands()
{
    return Table;
}
