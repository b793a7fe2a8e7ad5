#include "Commands.h"

#include <array>

namespace {

const std::array<Command, 2> Table = {{
    {"create", "OUT.mdb IN.tsv [--table NOM] [--no-index] [--delete N,N...] [--move N,N...]",
     "écrit un catalogue à partir d'un fichier texte à tabulations", runCreate},
    {"synth", "N OUT.mdb [--seed S]", "écrit un catalogue de N produits inventés (pour les mesures)", runSynth},
}};

}  // namespace

std::span<const Command> commands()
{
    return Table;
}
