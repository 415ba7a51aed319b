// One estimate per shape, result lines included, as a press of CALCULATE asks for it.
#include "core/estimate.h"

#include <benchmark/benchmark.h>

namespace {

kalvora::EstimateInput typicalInput(kalvora::ShapeKind shape) {
    return {shape, "7,85", "4", "60,3", "3,91", "6000", "2,50", kalvora::PriceBasis::PerKilogram};
}

void computeEstimatePerShape(benchmark::State &state) {
    const auto shape = static_cast<kalvora::ShapeKind>(state.range(0));
    const kalvora::EstimateInput input = typicalInput(shape);
    state.SetLabel(std::string(kalvora::shapeDisplayName(shape)));
    for (auto _ : state)
        benchmark::DoNotOptimize(kalvora::computeEstimate(input));
}

} // namespace

BENCHMARK(computeEstimatePerShape)->DenseRange(0, 6);
