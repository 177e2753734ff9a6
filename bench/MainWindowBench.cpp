// The totals timer walks the whole queue twice every 200 ms: a tick must stay cheap with a long
// queue, both when nothing changed (the usual case) and when every target changed colour.
#include "BenchSupport.h"
#include "core/Main.h"
#include "core/Queue.h"
#include "mainwindow/Form1.h"
#include "runtime/Format.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Targets around the 10 Mb warning line; `shift` moves every one across it.
void writeTargets(rt::ListView& list, int shift) {
    for (int row = 1; row <= list.rowCount(); ++row)
        list.setCell(row, QueueColumn::TargetSize,
                     rt::round3Text(((row + shift) % 2 ? 4.5 : 15.25) + row % 7 * 0.125));
}

void fillQueue(int rows) {
    rt::ListView& list = *Form1::instance().ListView1;
    list.clearRows();
    for (int row = 1; row <= rows; ++row) {
        list.addRow(QString::number(row));
        list.setCell(row, QueueColumn::CompressionPass, "Pass: 1 of 2");
        list.setCell(row, QueueColumn::ProcessStatus, "Video Queued");
    }
    writeTargets(list, 0);
}

void BM_Timer2TickSteadyQueue(benchmark::State& state) {
    Form1& form = Form1::instance();
    fillQueue(int(state.range(0)));
    form.Timer2_Timer();
    for (auto _ : state)
        form.Timer2_Timer();
}
BENCHMARK(BM_Timer2TickSteadyQueue)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_Timer2TickAllColoursChange(benchmark::State& state) {
    Form1& form = Form1::instance();
    fillQueue(int(state.range(0)));
    int shift = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeTargets(*form.ListView1, ++shift);
        state.ResumeTiming();
        form.Timer2_Timer();
    }
}
BENCHMARK(BM_Timer2TickAllColoursChange)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir programFolder;
    bench::prepareProgramFolder(programFolder);
    Main();
    return bench::runBenchmarks(argc, argv);
}
