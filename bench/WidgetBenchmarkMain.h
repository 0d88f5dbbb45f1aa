#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark of widgets: offscreen unless a platform is chosen, then
// `prepare` (if any) once the application exists.
template <typename Prepare = void (*)()>
int runWidgetBenchmarks(
    int argc, char** argv, Prepare prepare = [] {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
