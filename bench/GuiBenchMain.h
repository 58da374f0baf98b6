#pragma once
// The start of a benchmark program that makes controls: the toolkit's application object
// is brought up (a form made and dropped) before the first benchmark, so no run pays for
// it, and the same object serves our controls and the Qt baselines.
#include <benchmark/benchmark.h>

#include "platform/gui/Forms.h"

inline int Run_Gui_Benchmarks(int argc, char** argv)
{
    TForm warmUp(nullptr);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
