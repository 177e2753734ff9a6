#pragma once

// Starts a compression run: one hidden job window per queued video, each with its job sheet.
void StartCompression();
