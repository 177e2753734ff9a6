#pragma once

#include <QString>

namespace rt {

// Starts the executable at `path` with no arguments, in the root folder, and leaves it running
// on its own. No shell is involved, so a path of any characters is started as it is. A program
// that cannot be started is not reported. While the interface is scripted the start is recorded
// in uiScript().launched as "run:" followed by the path, and nothing is started.
void startProgram(const QString& path);

} // namespace rt
