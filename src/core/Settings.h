#pragma once

#include <QString>

// The settings every part of the program shares. They live as long as the program runs and
// start from the same built-in values at every start: nothing is stored between runs.

extern QString X265Preset;         // x265 speed preset of both passes
extern QString AudioCodec;         // "-c:a" of both passes
extern int AudioBitrateKbps;       // global AAC bitrate, kbit/s
extern QString OutputLocation;     // "Video Source Directory" or a folder chosen by the user
extern bool CancelRequested;       // a stop was requested; cleared at every run start
extern bool ShowThreadWindows;     // job windows shown (true) or hidden
extern QString PermittedTypesPath; // full path of the permitted-types file
extern int SelectedVideoIndex;     // 1-based queue row last clicked, 0 for none
extern int SelectedVideoItem;      // scratch row reference (1-based), 0 for none

// The text that means "next to each source video".
inline const QString SourceDirectoryLocation = QStringLiteral("Video Source Directory");
