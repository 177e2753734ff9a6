#pragma once

// Stand-in tools that answer at once, and the resource limits a long queue runs under: shared by
// the long-queue tests and the long-queue benchmark.
#include <QByteArray>
#include <algorithm>
#include <sys/resource.h>

// The probe reports a duration and a video stream (and, when LOG_PROBES is set, logs the source
// it was started for; probes started together may log in any order; the check of an output is
// not logged).
inline const QByteArray QuickProbe = R"SH(#!/bin/sh
case "$4" in */Compressed_*) ;; *) [ -n "$LOG_PROBES" ] && echo "$4" >> "$(dirname "$0")/probes.log" ;; esac
printf '  Duration: 00:04:32.52, start: 0.000000, bitrate: 1402 kb/s\r\n'
printf '  Stream #0:0: Video: h264, yuv420p, 160x120, 25 fps\r\n'
)SH";

// Both passes report progress; pass 2 writes a one-byte output.
inline const QByteArray QuickFFmpeg = R"SH(#!/bin/sh
printf 'frame= 10 fps= 54 size= 1kB time=00:04:32.00 bitrate= 1kbits/s speed=3x    \r'
case "$*" in *pass=2*) for output; do :; done; printf x > "$output" ;; esac
)SH";

// Lowers a soft limit (never above the hard one); returns the limits as they were.
inline rlimit lowerSoftLimit(int resource, rlim_t soft) {
    rlimit saved{};
    getrlimit(resource, &saved);
    rlimit lowered = saved;
    lowered.rlim_cur = std::min(soft, saved.rlim_max);
    setrlimit(resource, &lowered);
    return saved;
}
