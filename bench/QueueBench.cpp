// The totals timer walks the whole queue every 200 ms: it must stay cheap with a long queue.
#include "BenchSupport.h"
#include "core/Queue.h"
#include "mainwindow/Form1.h"
#include "runtime/Format.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void fillQueue(rt::ListView& list, int rows) {
    list.clearRows();
    for (int i = 1; i <= rows; ++i) {
        const int row = list.addRow(QString::number(i));
        list.setCell(row, QueueColumn::TargetSize, rt::round3Text((i % 40) * 0.5));
    }
}

void BM_ReadTargetsAndColourCells(benchmark::State& state) {
    rt::ListView& list = *Form1::instance().ListView1;
    fillQueue(list, int(state.range(0)));
    for (auto _ : state) {
        for (int row = 1; row <= list.rowCount(); ++row) {
            const double target = rt::leadingNumber(list.cell(row, QueueColumn::TargetSize));
            list.setCellColour(row, QueueColumn::TargetSize, target < 10 ? rt::Red : rt::Orange);
        }
    }
}
BENCHMARK(BM_ReadTargetsAndColourCells)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir programFolder;
    bench::prepareProgramFolder(programFolder);
    SetupQueueColumns();
    return bench::runBenchmarks(argc, argv);
}
