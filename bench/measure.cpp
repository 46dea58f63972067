// Runs one command several times and prints its median wall time and its
// peak resident memory (the largest ru_maxrss that wait4 reports for a run).
//
//   bench_measure NAME RUNS TARGET_SECONDS TARGET_MB COMMAND [ARGS...]
//
// The command's output is discarded. Exit status 1 when a run fails.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Sample {
    double seconds = 0;
    long peakKb = 0;
    int status = 0;
};

[[noreturn]] void RunChild(char** command) {
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    execv(command[0], command);
    _exit(127);
}

bool Measure(char** command, Sample& sample) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) RunChild(command);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    const auto end = std::chrono::steady_clock::now();
    sample.seconds = std::chrono::duration<double>(end - start).count();
    sample.peakKb = usage.ru_maxrss;
    sample.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s NAME RUNS TARGET_SECONDS TARGET_MB COMMAND [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const char* name = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    const double targetSeconds = std::atof(argv[3]);
    const double targetMb = std::atof(argv[4]);
    std::vector<Sample> samples(static_cast<std::size_t>(runs));
    for (Sample& sample : samples) {
        if (!Measure(argv + 5, sample) || sample.status != 0) {
            std::fprintf(stderr, "%s: the run failed (status %d)\n", name, sample.status);
            return 1;
        }
    }
    std::vector<double> times;
    long peakKb = 0;
    for (const Sample& sample : samples) {
        times.push_back(sample.seconds);
        peakKb = std::max(peakKb, sample.peakKb);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double peakMb = static_cast<double>(peakKb) / 1024.0;
    const bool ok = median <= targetSeconds && peakMb <= targetMb;
    std::printf("%-8s median %.3f s (target %.2f s)   peak %.1f MB (target %.0f MB)   %s\n", name,
                median, targetSeconds, peakMb, targetMb, ok ? "ok" : "MISSED");
    return 0;
}
