#include "LimitedChild.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child's report: its result, and its peak's growth in kilobytes.
struct Report {
    int result;
    long grownKilobytes;
};

} // namespace

ChildOutcome RunInLimitedChild(const std::function<bool()>& work, int cpuSeconds) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const rlimit limit{rlim_t(cpuSeconds), rlim_t(cpuSeconds)};
        setrlimit(RLIMIT_CPU, &limit);
        // A fresh process's peak starts at what it holds: the growth is the work's alone.
        const long before = PeakKilobytes();
        const Report report{work() ? 1 : 0, PeakKilobytes() - before};
        const bool written = write(channel[1], &report, sizeof report) == ssize_t(sizeof report);
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    Report report{};
    const bool read = child > 0 && ::read(channel[0], &report, sizeof report) == ssize_t(sizeof report);
    close(channel[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    ChildOutcome outcome;
    outcome.finished = read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    outcome.result = report.result != 0;
    outcome.peakMegabytes = report.grownKilobytes / 1024;
    return outcome;
}
