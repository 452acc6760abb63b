// quira-cli --jobs: worker processes for the items of a series or a survey.
#include "cli/Jobs.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <map>
#include <stdexcept>
#include <thread>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "solver/Platform.h"

extern int g_nExactThreads;

namespace {

int g_nAskedExactThreads = -1;  // -1: outside a worker

struct CWorker {
    pid_t pid = -1;
    int fd = -1;          // its results; -1 once it closed them
    std::string buffer;   // what came and is not yet a whole frame
};

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A worker: its items, each as the frame "<item> <length>\n<text>", then its end.
[[noreturn]] void Work(int fd, int first, int step, int count, const std::function<std::string(int)>& work) {
    int status = 0;
    try {
        for (int i = first; i <= count; i += step) {
            const std::string text = work(i);
            if (!WriteAll(fd, std::to_string(i) + ' ' + std::to_string(text.size()) + '\n' + text)) break;
            if (CConsoleEvents::Interrupted()) break;
        }
    } catch (const std::exception& e) {
        WriteAll(fd, std::string("error ") + e.what() + '\n');
        status = 2;
    } catch (...) {
        status = 2;
    }
    close(fd);
    _exit(status);  // the parent's buffers and exit handlers are the parent's
}

// Takes the whole frames of a worker's buffer into done; an error frame throws.
void TakeFrames(CWorker& w, std::map<int, std::string>& done) {
    for (;;) {
        const std::size_t eol = w.buffer.find('\n');
        if (eol == std::string::npos) return;
        if (w.buffer.compare(0, 6, "error ") == 0) throw std::runtime_error(w.buffer.substr(6, eol - 6));
        int item = 0;
        std::size_t length = 0;
        if (std::sscanf(w.buffer.c_str(), "%d %zu", &item, &length) != 2)
            throw std::runtime_error("a job sent an unreadable result");
        if (w.buffer.size() < eol + 1 + length) return;
        done[item] = w.buffer.substr(eol + 1, length);
        w.buffer.erase(0, eol + 1 + length);
    }
}

}  // namespace

int AskedExactThreads() {
    return g_nAskedExactThreads >= 0 ? g_nAskedExactThreads : g_nExactThreads;
}

int DefaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

void AddJobsOption(CLI::App* cmd, int& jobs) {
    cmd->add_option("--jobs", jobs,
                    "Items run side by side in so many processes (default: one per hardware thread); "
                    "the output is that of --jobs 1")
        ->check(CLI::Range(1, 256));
}

void RunInJobs(int jobs, int count, const std::function<std::string(int)>& work,
               const std::function<bool(int, const std::string&)>& take) {
    jobs = std::max(1, std::min(jobs, count));
    std::cout.flush();
    std::cerr.flush();
    std::vector<CWorker> workers(static_cast<std::size_t>(jobs));
    for (int k = 0; k < jobs; ++k) {
        int ends[2];
        if (pipe(ends) != 0) throw std::runtime_error("--jobs: no pipe for a job");
        const pid_t pid = fork();
        if (pid < 0) throw std::runtime_error("--jobs: no process for a job");
        if (pid == 0) {
            close(ends[0]);
            for (int j = 0; j < k; ++j) close(workers[static_cast<std::size_t>(j)].fd);
            g_nAskedExactThreads = g_nExactThreads;
            if (jobs > 1) g_nExactThreads = 1;
            // The progress lines of several workers would mix on one terminal; failures come back
            // as error frames.
            const int quiet = ::open("/dev/null", O_WRONLY);
            if (quiet >= 0) dup2(quiet, STDERR_FILENO);
            Work(ends[1], k + 1, jobs, count, work);
        }
        close(ends[1]);
        workers[static_cast<std::size_t>(k)].pid = pid;
        workers[static_cast<std::size_t>(k)].fd = ends[0];
    }

    std::map<int, std::string> done;
    int next = 1;
    bool taking = true, forwarded = false;
    auto open = [&] {
        for (const CWorker& w : workers)
            if (w.fd >= 0) return true;
        return false;
    };
    try {
        while (taking && next <= count && (open() || done.count(next) != 0)) {
            while (taking && done.count(next) != 0) {
                taking = take(next, done[next]);
                done.erase(next++);
            }
            if (!taking || !open()) break;
            // A stop that came to this process alone goes on to the workers, which end their item.
            if (!forwarded && CConsoleEvents::InterruptPending()) {
                Platform().pEvents->ServiceOne();
                for (const CWorker& w : workers) kill(w.pid, SIGTERM);
                forwarded = true;
            }
            std::vector<pollfd> fds;
            for (const CWorker& w : workers)
                if (w.fd >= 0) fds.push_back({w.fd, POLLIN, 0});
            if (poll(fds.data(), fds.size(), 200) < 0 && errno != EINTR) throw std::runtime_error("--jobs: poll failed");
            for (CWorker& w : workers) {
                if (w.fd < 0) continue;
                pollfd* f = nullptr;
                for (pollfd& p : fds)
                    if (p.fd == w.fd) f = &p;
                if (f == nullptr || f->revents == 0) continue;
                char chunk[65536];
                const ssize_t n = read(w.fd, chunk, sizeof chunk);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) {
                    close(w.fd);
                    w.fd = -1;
                } else {
                    w.buffer.append(chunk, static_cast<std::size_t>(n));
                }
                TakeFrames(w, done);
            }
        }
    } catch (...) {
        for (CWorker& w : workers) {
            kill(w.pid, SIGKILL);
            if (w.fd >= 0) close(w.fd);
            waitpid(w.pid, nullptr, 0);
        }
        throw;
    }
    // A stop that reached this process too (the time limit, a signal to the process group) is this
    // run's stop, also when the workers took it first.
    if (CConsoleEvents::InterruptPending()) Platform().pEvents->ServiceOne();
    // Items past the end of the test are not needed.
    for (CWorker& w : workers) {
        if (w.fd >= 0) {
            kill(w.pid, SIGKILL);
            close(w.fd);
        }
        waitpid(w.pid, nullptr, 0);
    }
}
