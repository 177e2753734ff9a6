#pragma once

#include <QString>

// The video queue is the main window's ListView1: one row per video, thirteen text columns.
namespace QueueColumn {
enum : int {
    Index = 0,
    VideoPath = 1,
    VideoName = 2,
    VideoType = 3,
    PreCompressedSize = 4,
    TargetSize = 5,
    CompressionPass = 6,
    ProcessStatus = 7,
    ActualSize = 8,
    OutputPath = 9,
    IndividualSettings = 10,
    IndividualTargetSize = 11,
    IndividualAudioBitrate = 12,
};
}

// Gives ListView1 its settings and its thirteen columns; runs once, on an empty list.
void SetupQueueColumns();

// Writes each row's number, 1 to N, into its column 0 after rows were removed.
void RenumberQueueRows();

// The file an output name names, as one text for every name of it: its folder's canonical path
// (the folder as written when it cannot be resolved) and its file name.
QString OutputFileKey(const QString& path);

// Writes a row's output name (column 9) and notes it among the rows' outputs: the program writes
// column 9 only through this.
void SetQueueRowOutput(int row, const QString& path);

// Whether some row's output names the file whose OutputFileKey is `key`. Its cost does not grow
// with the queue.
bool IsOutputOfARow(const QString& key);

// Gives StatusBar1 its seven panels with their start texts; runs once.
void SetupStatusPanels();
