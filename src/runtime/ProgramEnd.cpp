#include "runtime/ProgramEnd.h"

#include "runtime/Dialogs.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace rt {

namespace {
std::vector<std::function<void()>>& tidyUps() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
} // namespace

void atProgramEnd(std::function<void()> tidy) {
    tidyUps().push_back(std::move(tidy));
}

void endProgram() {
    if (uiScript().active) {
        ++uiScript().programEnds;
        return;
    }
    for (const auto& tidy : tidyUps())
        tidy();
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace rt
