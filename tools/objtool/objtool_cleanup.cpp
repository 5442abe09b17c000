#include "objtool_cleanup.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};
constexpr int kMostPaths = 16;

// A signal handler may call only async-signal-safe functions and read only what is complete,
// so the paths live in fixed arrays and the count takes in a path once it is written.
char paths[kMostPaths][PATH_MAX];
std::atomic<int> pathCount{0};

void removePaths() {
    for (int i = pathCount.exchange(0) - 1; i >= 0; i--) {
        if (unlink(paths[i]) != 0) {
            rmdir(paths[i]);
        }
    }
}

void onStop(int signal) {
    removePaths();
    // Ends the process as the signal would have: its status says what stopped it.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandlers() {
    std::atexit(removePaths);
    for (const int signal : kStopSignals) {
        struct sigaction current {};
        sigaction(signal, nullptr, &current);
        // A signal ignored from the start stays ignored, as nohup and background jobs expect.
        if (current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = onStop;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

} // namespace

RemovedIfStopped::RemovedIfStopped(const std::string& folder, const std::vector<std::string>& names)
    : count_(int(names.size()) + 1) {
    static const bool installed = (installHandlers(), true);
    (void)installed;
    // A path that could be made is shorter than PATH_MAX, and a write holds a handful.
    const int first = pathCount.load();
    if (first + count_ > kMostPaths) {
        std::abort();
    }
    // The folder first: the files go before it.
    for (int i = 0; i < count_; i++) {
        const std::string path = i == 0 ? folder : folder + "/" + names[i - 1];
        if (path.size() >= PATH_MAX) {
            std::abort();
        }
        std::memcpy(paths[first + i], path.c_str(), path.size() + 1);
        pathCount.store(first + i + 1);
    }
}

RemovedIfStopped::~RemovedIfStopped() {
    pathCount.store(std::max(pathCount.load() - count_, 0));
}

std::string makeRemovableFolder(std::string pattern, const std::vector<std::string>& names,
                                std::optional<RemovedIfStopped>* removed) {
    sigset_t stops;
    sigset_t previous;
    sigemptyset(&stops);
    for (const int signal : kStopSignals) {
        sigaddset(&stops, signal);
    }
    pthread_sigmask(SIG_BLOCK, &stops, &previous);
    if (mkdtemp(pattern.data()) == nullptr) {
        pattern.clear();
    } else {
        removed->emplace(pattern, names);
    }
    const int error = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return pattern;
}
