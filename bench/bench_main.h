#pragma once
// The main of the benchmark programs that need a Qt application object (QCoreApplication for
// signals and timers, QApplication for widgets): the object first, then Google Benchmark's own
// argument handling and run.
#include <benchmark/benchmark.h>

template <class Application> int runBenchmarks(int argc, char** argv)
{
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
