#include "runtime/ProcessTable.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <vector>

namespace rt::ProcessTable {

namespace {

struct Entry {
    pid_t pid;
    QString title;
};

std::vector<Entry>& entries() {
    static std::vector<Entry> table;
    return table;
}

Entry* entryOf(pid_t pid) {
    auto& table = entries();
    const auto found =
        std::find_if(table.begin(), table.end(), [pid](const Entry& e) { return e.pid == pid; });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

void add(pid_t pid, const QString& title) {
    entries().push_back({pid, title});
}

void remove(pid_t pid) {
    std::erase_if(entries(), [pid](const Entry& e) { return e.pid == pid; });
}

pid_t find(const QString& title) {
    for (const Entry& e : entries())
        if (e.title == title && !hasEnded(e.pid))
            return e.pid;
    return 0;
}

bool hasEnded(pid_t pid) {
    siginfo_t info{};
    int result;
    do {
        result = ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT);
    } while (result < 0 && errno == EINTR);
    // One that is no longer ours to wait for (reaped elsewhere) counts as ended as well.
    return result != 0 || info.si_pid == pid;
}

QString title(pid_t pid) {
    const Entry* entry = entryOf(pid);
    return entry ? entry->title : QString();
}

void retitle(pid_t pid, const QString& title) {
    if (Entry* entry = entryOf(pid))
        entry->title = title;
}

bool terminate(pid_t pid) {
    // Only a listed (not yet reaped) child: its id cannot have been reused by another process.
    return pid > 0 && entryOf(pid) && ::kill(pid, SIGTERM) == 0;
}

} // namespace rt::ProcessTable
