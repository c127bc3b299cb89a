// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of Velkaro beside a bare Qt Widgets program.
// Each probe prints the monotonic time of its first paint; this driver takes
// the same clock just before it starts the process, so the difference is
// process start to first paint. Runs alternate between the two programs so
// that both see the same machine state.
//
// Usage: bench_startup <velkaro probe> <bare probe> [runs]
#include "FirstPaint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Run
{
    double paintMs = -1;
    long long rssKiB = -1;
};

Run runOnce(const char *program)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char *argv[] = {const_cast<char *>(program), nullptr};
    pid_t pid = 0;
    const long long start = FirstPaint::nowNs();
    const int failed = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    Run run;
    if (failed) {
        close(out[0]);
        return run;
    }
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long paint = 0;
    if (const auto at = text.find("paint "); at != std::string::npos)
        paint = std::atoll(text.c_str() + at + 6);
    if (const auto at = text.find("rss "); at != std::string::npos)
        run.rssKiB = std::atoll(text.c_str() + at + 4);
    if (paint > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        run.paintMs = double(paint - start) / 1e6;
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <velkaro probe> <bare probe> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    std::vector<double> velkaroMs, bareMs, velkaroRss, bareRss;
    runOnce(argv[1]); // warm the file cache for both
    runOnce(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const Run v = runOnce(argv[1]);
        const Run b = runOnce(argv[2]);
        if (v.paintMs < 0 || b.paintMs < 0) {
            std::fprintf(stderr, "a probe failed on run %d\n", i + 1);
            return 1;
        }
        velkaroMs.push_back(v.paintMs);
        bareMs.push_back(b.paintMs);
        velkaroRss.push_back(double(v.rssKiB) / 1024.0);
        bareRss.push_back(double(b.rssKiB) / 1024.0);
    }
    const double v = median(velkaroMs), b = median(bareMs);
    std::printf("start-up to first paint, median of %d runs:\n", runs);
    std::printf("  velkaro        %7.1f ms\n", v);
    std::printf("  bare Qt window %7.1f ms\n", b);
    std::printf("  ratio          %7.2f (target <= 1.30)\n", v / b);
    std::printf("peak resident memory, median:\n");
    std::printf("  velkaro, all samples loaded %6.1f MiB (target <= 40)\n", median(velkaroRss));
    std::printf("  bare Qt window              %6.1f MiB\n", median(bareRss));
    return 0;
}
