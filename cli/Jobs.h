// quira-cli --jobs: the items of a series or a survey run side by side in worker processes (each a
// copy of the program's state at the fork, so no state of the core is shared between two items),
// and their results come back here in the order of the items.
#pragma once

#include <functional>
#include <string>

namespace CLI {
class App;
}

// --jobs N (default: every hardware thread).
void AddJobsOption(CLI::App* cmd, int& jobs);
int DefaultJobs();

// Runs items 1..count in `jobs` worker processes, item i in worker (i - 1) % jobs; work(i) makes
// the item's text there, and take(i, text) receives it here, in the order of the items, until
// take returns false or the next item never comes (its worker stopped: a stop signal, the time
// limit). A worker stops after an item that left CConsoleEvents interrupted. The exact methods of
// the workers run on one thread each when jobs > 1, so that no more threads are busy than jobs.
// A worker that fails throws here, with what it said.
void RunInJobs(int jobs, int count, const std::function<std::string(int)>& work,
               const std::function<bool(int, const std::string&)>& take);

// The exact methods' thread count as the run was asked for, before a worker took one thread:
// decisions that follow an estimate (survey --exact-limit) take this one, as --jobs 1 would.
int AskedExactThreads();
