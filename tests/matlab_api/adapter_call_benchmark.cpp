// What the interface costs over calling MATLAB's function directly, on the host build with the
// stand-ins' recording switched off (each stand-in then only returns). Not a test.
//   cmake -S . -B build-x/host-release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-x/host-release --target matlab_api_benchmark
//   build-x/host-release/bin/matlab_api_benchmark
#include "QvMatlabAPI_MatlabFunctions.h"
#include "adapter_library.h"
#include "call_log.h"

#include <benchmark/benchmark.h>

namespace {

IQvMatlabAPI_Interface* Adapter()
{
    static IQvMatlabAPI_Interface* const api = [] {
        const qv::test::AdapterExports& exports = qv::test::LoadAdapter(qv::test::AdapterReleases()[0]);
        return exports.getMatlabAPI != nullptr ? exports.getMatlabAPI() : nullptr;
    }();
    return api;
}

mxArray* const kArray = reinterpret_cast<mxArray*>(0xA0);
const int kDimensions[] = {1, 5};
const size_t kWideDimensions[] = {1, 5};

void DirectGetM(benchmark::State& state)
{
    qvCallLogSetRecording(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(mxGetM(kArray));
    }
}

void InterfaceGetM(benchmark::State& state)
{
    qvCallLogSetRecording(0);
    IQvMatlabAPI_Interface* const api = Adapter();
    for (auto _ : state) {
        benchmark::DoNotOptimize(api->GetM(kArray));
    }
}

void DirectCreateCharArray(benchmark::State& state)
{
    qvCallLogSetRecording(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(mxCreateCharArray_730(2, kWideDimensions));
    }
}

void InterfaceCreateCharArray(benchmark::State& state)
{
    qvCallLogSetRecording(0);
    IQvMatlabAPI_Interface* const api = Adapter();
    for (auto _ : state) {
        benchmark::DoNotOptimize(api->CreateCharArray(2, kDimensions));
    }
}

BENCHMARK(DirectGetM);
BENCHMARK(InterfaceGetM);
BENCHMARK(DirectCreateCharArray);
BENCHMARK(InterfaceCreateCharArray);

}  // namespace

BENCHMARK_MAIN();
