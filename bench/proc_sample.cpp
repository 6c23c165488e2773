// Reads a child's costs from /proc, from outside the child.
#include "bench/proc_sample.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace bench {

std::int64_t steadyNowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace {

// The value after "name:" in a /proc status file, or -1.
std::int64_t statusField(const std::filesystem::path &file, const std::string &name)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, name.size(), name) == 0 && line.size() > name.size() && line[name.size()] == ':')
            return std::stoll(line.substr(name.size() + 1));
    }
    return -1;
}

} // namespace

ProcSample sampleProcess(pid_t pid)
{
    ProcSample sample;
    sample.wallNs = steadyNowNs();
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto &task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        std::int64_t onCpu = 0;
        if (schedstat >> onCpu)
            sample.cpuNs += onCpu;
        const std::int64_t switches = statusField(task.path() / "status", "voluntary_ctxt_switches");
        if (switches > 0)
            sample.wakeUps += switches;
    }
    return sample;
}

std::int64_t peakResidentKb(pid_t pid)
{
    const std::int64_t kb = statusField("/proc/" + std::to_string(pid) + "/status", "VmHWM");
    return kb < 0 ? 0 : kb;
}

} // namespace bench
