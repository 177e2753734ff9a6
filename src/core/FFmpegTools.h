#pragma once

// Tells the user, at start, when ffmpeg or ffprobe is missing from the program's folder.
void CheckFFmpegPresence();

// The second half of the stop commands, after they have set the stop request: asks the first
// running ffmpeg started from the program's folder to end, and ends the run's jobs at once,
// each with its own tool.
void StopFFmpeg();
