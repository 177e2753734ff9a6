#pragma once

#include <functional>

namespace rt {

// Ends the program at once: buffered output is written out, then the process stops. No further
// handler runs and no object is destroyed, so a job running below the caller is never torn
// down half-way; its windows go with the process, and the tools the program started are
// neither stopped nor waited for. While the testing seam is active the end is only counted.
void endProgram();

// Registers a last piece of tidying (such as removing temporary folders) that endProgram runs
// just before the process stops.
void atProgramEnd(std::function<void()> tidy);

} // namespace rt
