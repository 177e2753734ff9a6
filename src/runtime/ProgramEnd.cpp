#include "runtime/ProgramEnd.h"

#include "runtime/Dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace rt {

void endProgram() {
    if (uiScript().active) {
        ++uiScript().programEnds;
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace rt
