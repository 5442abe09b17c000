// Welds models of 10,000, 100,000 and 1,000,000 vertices and reports the times, the vertices
// per second and the fitted growth: with the grid search the time should grow about linearly
// (O(N)).
//
// The vertices are the corners of a triangle soup over a surface, as a model read from a file
// that stores each triangle's corners separately would have them: every position comes about
// six times with a little noise, well below epsilon, so welding finds real work to do.
#include "gallery/glm.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr float kEpsilon = 1e-4f;

std::vector<float> soupVertices(std::uint32_t count) {
    std::mt19937 random(count);
    std::uniform_real_distribution<float> noise(-kEpsilon / 4, kEpsilon / 4);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const std::uint32_t distinct = count / 6 + 1;
    std::vector<float> positions(3 * std::size_t{distinct});
    for (float& p : positions) {
        p = unit(random) * 10.0f;
    }
    std::vector<float> vertices(3 * (std::size_t{count} + 1));
    for (std::uint32_t i = 1; i <= count; i++) {
        const std::size_t source = 3 * std::size_t{random() % distinct};
        for (int c = 0; c < 3; c++) {
            vertices[3 * i + c] = positions[source + c] + noise(random);
        }
    }
    return vertices;
}

void BM_MergeVectors(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    const std::vector<float> original = soupVertices(count);
    std::vector<float> work(original.size());
    std::uint32_t kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(work.data(), original.data(), original.size() * sizeof(float));
        kept = count;
        state.ResumeTiming();
        float* merged = glmMergeVectors(work.data(), &kept, kEpsilon);
        benchmark::DoNotOptimize(merged);
        std::free(merged);
    }
    state.SetComplexityN(state.range(0));
    state.counters["kept"] = kept;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_MergeVectors)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
