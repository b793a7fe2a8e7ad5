// The catalogue opened as the program's start-up opens it on its worker thread: the file
// opened, the table decoded, the listing's sort order, the look-up index of "XREF"; on
// the synthetic catalogues of EngineCatalogues.h, next to mdb-export dumping the same
// table, the yardstick of the start-up's target. Compare the
// two with --benchmark_enable_random_interleaving=true --benchmark_repetitions=N, so that
// the machine's load weighs on both alike.
//
// Each iteration starts from nothing: the previous handles are gone (the engine then reads
// the file again) and their memory is given back to the system, so that first touches of
// memory cost what they cost at start-up. Counter peak_MB: the resident memory the
// sequence added at its highest.

#include "EngineCatalogues.h"
#include "Jet.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

namespace {

// A line of /proc/self/status, in kB.
double statusKb(const std::string &name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ':', 0) == 0)
            return std::stod(line.substr(name.size() + 1));
    }
    return 0;
}

// Gives freed memory back to the system and starts the peak afresh from what is resident.
double startFromNothing()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusKb("VmRSS");
}

void BM_OpenCatalogue(benchmark::State &state)
{
    const QString path = EngineBench::catalogue(int(state.range(0)));
    double peakMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double residentKb = startFromNothing();
        state.ResumeTiming();
        {
            const auto db = jet::DBEngine::OpenDatabase(path);
            const auto table = db->OpenRecordset(QStringLiteral("Produit"));
            const auto listing =
                db->OpenRecordset(QStringLiteral("select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente "
                                                 "from Produit order by produit.desi asc"));
            table->setIndex(QStringLiteral("XREF"));
            benchmark::DoNotOptimize(listing->RecordCount());
            state.PauseTiming();
            peakMb = std::max(peakMb, (statusKb("VmHWM") - residentKb) / 1024);
        }
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMb;
}

void BM_MdbExport(benchmark::State &state)
{
    const std::string path = EngineBench::catalogue(int(state.range(0))).toStdString();
    posix_spawn_file_actions_t toNull;
    posix_spawn_file_actions_init(&toNull);
    posix_spawn_file_actions_addopen(&toNull, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char *arguments[] = {const_cast<char *>("mdb-export"), const_cast<char *>(path.c_str()),
                         const_cast<char *>("Produit"), nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "mdb-export", &toNull, nullptr, arguments, environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("mdb-export failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&toNull);
}

}  // namespace

BENCHMARK(BM_OpenCatalogue)->ArgsProduct({EngineBench::Sizes})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MdbExport)->ArgsProduct({EngineBench::Sizes})->Unit(benchmark::kMillisecond)->UseRealTime();
