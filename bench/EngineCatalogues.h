#pragma once
// The synthetic catalogues the engine's benchmarks run on: 100 000 products (seed 7) and
// 1 000 000 (seed 11), written once per process by the project's own writer.

#include <QString>
#include <cstdint>
#include <vector>

namespace EngineBench {

inline const std::vector<std::int64_t> Sizes = {100'000, 1'000'000};

QString catalogue(int products);

}  // namespace EngineBench
