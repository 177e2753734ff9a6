#pragma once

// Tells the user, at start, when ffmpeg or ffprobe is missing from the program's folder.
void CheckFFmpegPresence();

// Asks the first running ffmpeg started from the program's folder to end; one tool per call.
void StopFFmpeg();
