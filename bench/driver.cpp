// The benchmark driver: starts the game and two baseline windows as child processes,
// measures them from outside and from the stamps they send, and prints one table.
#include "bench/driver.h"

#include "bench/proc_sample.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace bench {
namespace {

struct Options {
    int runs = 3;
    double windowSeconds = 10;
    double keysPerSecond = 10;
};

// ---- Child processes --------------------------------------------------------------

class Child {
public:
    Child(const std::string &self, const std::string &kind)
    {
        int toChild[2];
        int fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
            throw std::runtime_error("pipe failed");
        spawnNs = steadyNowNs();
        pid = ::fork();
        if (pid < 0)
            throw std::runtime_error("fork failed");
        if (pid == 0) {
            ::dup2(toChild[0], 0);
            ::dup2(fromChild[1], 1);
            // Qt's notes from the children (offscreen platform, runtime folder) would
            // break up the table; TOLVARN_BENCH_VERBOSE=1 keeps them.
            if (!std::getenv("TOLVARN_BENCH_VERBOSE")) {
                const int devNull = ::open("/dev/null", O_WRONLY);
                if (devNull >= 0)
                    ::dup2(devNull, 2);
            }
            ::close(toChild[0]);
            ::close(toChild[1]);
            ::close(fromChild[0]);
            ::close(fromChild[1]);
            ::execl(self.c_str(), self.c_str(), "--child", kind.c_str(), static_cast<char *>(nullptr));
            std::_Exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        m_in = toChild[1];
        m_out = fromChild[0];
    }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;
    ~Child()
    {
        if (pid > 0) {
            send("quit");
            ::close(m_in);
            ::close(m_out);
            int status = 0;
            for (int i = 0; i < 200 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (::waitpid(pid, &status, WNOHANG) == 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
            }
        }
    }

    void send(const std::string &command)
    {
        const std::string line = command + "\n";
        if (::write(m_in, line.data(), line.size()) < 0)
            return; // the child is gone; the next read reports it
    }

    // The next line from the child; throws after timeoutSeconds or if the child ends.
    std::string readLine(double timeoutSeconds)
    {
        const std::int64_t deadline = steadyNowNs() + static_cast<std::int64_t>(timeoutSeconds * 1e9);
        for (;;) {
            const std::size_t end = m_buffer.find('\n');
            if (end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            const std::int64_t left = deadline - steadyNowNs();
            if (left <= 0)
                throw std::runtime_error("no answer from the child in time");
            pollfd fd{m_out, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left / 1000000 + 1)) <= 0)
                continue;
            char chunk[65536];
            const ssize_t n = ::read(m_out, chunk, sizeof chunk);
            if (n <= 0)
                throw std::runtime_error("the child ended early");
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Reads lines until one starts with word; returns the rest of that line.
    std::string expect(const std::string &word, double timeoutSeconds)
    {
        for (;;) {
            const std::string line = readLine(timeoutSeconds);
            if (line == "died")
                throw std::runtime_error("the player was hit during the measured game");
            if (line.compare(0, word.size(), word) == 0 && (line.size() == word.size() || line[word.size()] == ' '))
                return line.size() > word.size() ? line.substr(word.size() + 1) : std::string();
        }
    }

    pid_t pid = -1;
    std::int64_t spawnNs = 0;

private:
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
};

std::vector<double> numbers(const std::string &text)
{
    std::vector<double> values;
    std::istringstream in(text);
    double value;
    while (in >> value)
        values.push_back(value);
    return values;
}

void sleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

struct Rate {
    double cpu = 0;      // CPU seconds per wall second
    double wakeUps = 0;  // voluntary context switches per second
};

Rate rateBetween(const ProcSample &a, const ProcSample &b)
{
    const double seconds = static_cast<double>(b.wallNs - a.wallNs) / 1e9;
    return {static_cast<double>(b.cpuNs - a.cpuNs) / 1e9 / seconds, static_cast<double>(b.wakeUps - a.wakeUps) / seconds};
}

// ---- One run -----------------------------------------------------------------------

// What the game's child counted in a window: ticks of the collision check and of the
// ball timer, key presses, and the most mallocs one check tick made.
struct Counts {
    double checkTicks = 0, ballTicks = 0, keyPresses = 0, maxCheckAllocations = 0, allAllocations = 0;
};

Counts countsOf(Child &child)
{
    child.send("counts");
    const std::vector<double> v = numbers(child.expect("counts", 10));
    return {v.at(0), v.at(1), v.at(2), v.at(3), v.at(4)};
}

struct KindRun {
    Counts idleCounts, playCounts;
    double startupMs = 0;
    Rate idle;
    Rate play;
    double peakMb = 0;
    std::vector<double> periods100, periods15, keyToFrame;
};

std::string g_platform;

KindRun measureKind(const std::string &self, const std::string &kind, const Options &options)
{
    KindRun run;
    Child child(self, kind);
    const std::string painted = child.expect("paint", 30);
    g_platform = painted.substr(painted.find(' ') + 1);

    // Before any game: one second for start-up to settle, then the window.
    sleepSeconds(1.0);
    const bool game = kind == "game";
    if (game) {
        child.send("mark");
        sleepSeconds(0.1); // the child's wake-up for the command falls outside the window
    }
    const ProcSample idleStart = sampleProcess(child.pid);
    sleepSeconds(options.windowSeconds);
    run.idle = rateBetween(idleStart, sampleProcess(child.pid));
    if (game)
        run.idleCounts = countsOf(child);

    if (kind == "game") {
        child.send("play");
        child.expect("fast", 20);
        sleepSeconds(0.5);
        child.send("mark");
        sleepSeconds(0.1);
        const ProcSample playStart = sampleProcess(child.pid);
        const auto keyEvery = std::chrono::duration<double>(1.0 / options.keysPerSecond);
        auto next = std::chrono::steady_clock::now();
        const auto end = next + std::chrono::duration<double>(options.windowSeconds);
        while ((next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(keyEvery)) < end) {
            std::this_thread::sleep_until(next);
            child.send("key");
        }
        std::this_thread::sleep_until(end);
        run.play = rateBetween(playStart, sampleProcess(child.pid));
        run.playCounts = countsOf(child);
        child.send("report");
        run.periods100 = numbers(child.expect("periods100", 10));
        run.periods15 = numbers(child.expect("periods15", 10));
        run.keyToFrame = numbers(child.expect("keys", 10));
        child.expect("end", 10);
    } else {
        run.play = run.idle;
    }
    run.peakMb = static_cast<double>(peakResidentKb(child.pid)) / 1024.0;
    return run;
}

// Start-up is short and noisy: several starts of each kind a run, taken in turn.
constexpr int StartsPerRun = 7;

std::map<std::string, double> startupMedians(const std::string &self, const std::vector<std::string> &kinds, int starts)
{
    std::map<std::string, std::vector<double>> samples;
    for (int i = 0; i < starts; ++i) {
        for (const std::string &kind : kinds) {
            Child child(self, kind);
            const std::vector<double> stamp = numbers(child.expect("paint", 30));
            samples[kind].push_back((stamp.at(0) - static_cast<double>(child.spawnNs)) / 1e6);
        }
    }
    std::map<std::string, double> medians;
    for (const auto &[kind, values] : samples) {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        medians[kind] = sorted[sorted.size() / 2];
    }
    return medians;
}

double touchLatencyMs(const std::string &self, const std::string &how)
{
    Child child(self, "game");
    child.expect("paint", 30);
    sleepSeconds(0.5);
    child.send(how);
    const double ms = numbers(child.expect("touch", 10)).at(0);
    return ms;
}

// ---- Statistics and the table ---------------------------------------------------------

double median(std::vector<double> values)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const double rank = p / 100.0 * static_cast<double>(values.size() - 1);
    const std::size_t low = static_cast<std::size_t>(std::floor(rank));
    const std::size_t high = std::min(values.size() - 1, low + 1);
    return values[low] + (values[high] - values[low]) * (rank - static_cast<double>(low));
}

double mean(const std::vector<double> &values)
{
    return values.empty() ? NAN : std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double standardDeviation(const std::vector<double> &values)
{
    if (values.size() < 2)
        return NAN;
    const double m = mean(values);
    double sum = 0;
    for (double v : values)
        sum += (v - m) * (v - m);
    return std::sqrt(sum / static_cast<double>(values.size() - 1));
}

std::string format(double value, int decimals)
{
    if (std::isnan(value))
        return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

struct Row {
    std::string metric, bare, timer, game, ratio, target, holds;
};

void printTable(const std::vector<Row> &rows)
{
    const Row header{"metric", "bare", "1ms-timer", "game", "ratio", "target", "holds?"};
    std::vector<std::size_t> widths(7, 0);
    auto cells = [](const Row &row) {
        return std::vector<std::string>{row.metric, row.bare, row.timer, row.game, row.ratio, row.target, row.holds};
    };
    for (const Row &row : rows) {
        const auto c = cells(row);
        for (std::size_t i = 0; i < c.size(); ++i)
            widths[i] = std::max(widths[i], c[i].size());
    }
    for (std::size_t i = 0; i < 7; ++i)
        widths[i] = std::max(widths[i], cells(header)[i].size());
    auto print = [&](const Row &row) {
        const auto c = cells(row);
        std::string line;
        for (std::size_t i = 0; i < c.size(); ++i) {
            std::string cell = c[i];
            // Pad by characters, not bytes, for the few non-ASCII symbols.
            std::size_t shown = 0;
            for (unsigned char ch : cell)
                shown += (ch & 0xC0) != 0x80;
            cell += std::string(widths[i] > shown ? widths[i] - shown : 0, ' ');
            if (i)
                line += " | ";
            line += cell;
        }
        std::printf("%s\n", line.c_str());
    };
    print(header);
    std::string rule;
    for (std::size_t i = 0; i < 7; ++i)
    {
        if (i)
            rule += "-|-";
        rule += std::string(widths[i], '-');
    }
    std::printf("%s\n", rule.c_str());
    for (const Row &row : rows)
        print(row);
}

std::string cpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string perRun(const std::vector<double> &values, int decimals)
{
    std::string text;
    for (double v : values) {
        if (!text.empty())
            text += ' ';
        text += format(v, decimals);
    }
    return text;
}

} // namespace

int runDriver(const std::string &self, int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--quick") {
            options.runs = 1;
            options.windowSeconds = 3;
        } else if (arg == "--window" && i + 1 < argc) {
            options.windowSeconds = std::max(1.0, std::atof(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--quick] [--window SECONDS]\n", argv[0]);
            return 2;
        }
    }
    // One platform for all: a display if there is one (Xvfb), else offscreen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", std::getenv("DISPLAY") ? "xcb" : "offscreen", 1);
    ::signal(SIGPIPE, SIG_IGN);

    std::printf("machine: %s, %u cores; platform %s; %d run(s), %.0f s windows; load before %s\n",
                cpuModel().c_str(), std::thread::hardware_concurrency(), std::getenv("QT_QPA_PLATFORM"),
                options.runs, options.windowSeconds, loadAverage().c_str());
    std::fflush(stdout);

    const std::vector<std::string> kinds = {"bare", "timer1ms", "game"};
    std::map<std::string, std::vector<KindRun>> results;
    std::vector<double> touchKey, touchTick;
    try {
        // Warm-up, not counted: the first start after a build reads everything from disk.
        for (const std::string &kind : kinds) {
            Child child(self, kind);
            child.expect("paint", 30);
        }
        for (int run = 0; run < options.runs; ++run) {
            // Each run in another order, so that what comes first is not always the same.
            std::vector<std::string> order = kinds;
            std::rotate(order.begin(), order.begin() + run % order.size(), order.end());
            std::fprintf(stderr, "run %d/%d: start-ups...\n", run + 1, options.runs);
            const std::map<std::string, double> startups = startupMedians(self, order, StartsPerRun);
            for (const std::string &kind : order) {
                std::fprintf(stderr, "run %d/%d: %s...\n", run + 1, options.runs, kind.c_str());
                KindRun result = measureKind(self, kind, options);
                result.startupMs = startups.at(kind);
                results[kind].push_back(std::move(result));
            }
            touchKey.push_back(touchLatencyMs(self, "touch-key"));
            touchTick.push_back(touchLatencyMs(self, "touch-tick"));
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        return 1;
    }

    auto across = [&](const std::string &kind, auto field) {
        std::vector<double> values;
        for (const KindRun &run : results[kind])
            values.push_back(field(run));
        return values;
    };
    auto pooled = [&](auto field) {
        std::vector<double> values;
        for (const KindRun &run : results["game"]) {
            const std::vector<double> &part = field(run);
            values.insert(values.end(), part.begin(), part.end());
        }
        return values;
    };
    auto med = [&](const std::string &kind, auto field) { return median(across(kind, field)); };

    const auto startup = [](const KindRun &r) { return r.startupMs; };
    const auto idleCpu = [](const KindRun &r) { return r.idle.cpu * 100; };
    const auto idleWake = [](const KindRun &r) { return r.idle.wakeUps; };
    const auto playCpu = [](const KindRun &r) { return r.play.cpu * 100; };
    const auto playWake = [](const KindRun &r) { return r.play.wakeUps; };
    const auto peak = [](const KindRun &r) { return r.peakMb; };

    // A zero floor cannot be divided by; below these a difference is lost in the
    // measurement (one wake-up in a window; 10 µs of CPU a second).
    const double wakeResolution = 1.0 / options.windowSeconds;
    const double cpuResolution = 0.001; // percent of a core
    auto ratioCell = [](double game, double base) { return base > 0 ? format(game / base, 2) + "×" : "-"; };
    auto atMost = [](double game, double base, double factor, double resolution) {
        return game <= base * factor + resolution ? "yes" : "NO";
    };

    std::vector<Row> rows;
    auto threeKinds = [&](const std::string &metric, auto field, int decimals, double factor, const std::string &base,
                          const std::string &target, double resolution) {
        const double b = med("bare", field), t = med("timer1ms", field), g = med("game", field);
        const double against = base == "bare" ? b : t;
        rows.push_back({metric, format(b, decimals), format(t, decimals), format(g, decimals), ratioCell(g, against),
                        target, factor > 0 ? atMost(g, against, factor, resolution) : "-"});
    };
    threeKinds("1 start-up to first frame (ms)", startup, 1, 1.3, "bare", "≤1.3× bare", 0);
    threeKinds("2 before a game: CPU (% of a core)", idleCpu, 3, 1.1, "bare", "≤1.1× bare", cpuResolution);
    threeKinds("2 before a game: wake-ups/s", idleWake, 1, 1.1, "bare", "≤1.1× bare", wakeResolution);
    threeKinds("3 15 ms 3-ball game: CPU (% of a core)", playCpu, 3, 1.0, "timer", "≤1.0× 1ms-timer", 0);
    threeKinds("3 15 ms 3-ball game: wake-ups/s", playWake, 1, 0, "timer", "(reported)", 0);

    const std::vector<double> p100 = pooled([](const KindRun &r) -> const std::vector<double> & { return r.periods100; });
    const std::vector<double> p15 = pooled([](const KindRun &r) -> const std::vector<double> & { return r.periods15; });
    const std::vector<double> keys = pooled([](const KindRun &r) -> const std::vector<double> & { return r.keyToFrame; });
    auto periodRows = [&](double nominal, const std::vector<double> &periods) {
        const double m = mean(periods);
        const std::string n = format(nominal, 0);
        rows.push_back({"4 ball timer at " + n + " ms: mean period (ms)", "-", "-", format(m, 3),
                        format(m / nominal, 4) + "×", "within 2%",
                        std::fabs(m / nominal - 1) <= 0.02 ? "yes" : "NO"});
        rows.push_back({"4 ball timer at " + n + " ms: jitter, sd (ms)", "-", "-", format(standardDeviation(periods), 3),
                        "-", "(reported)", "-"});
        rows.push_back({"4 ball timer at " + n + " ms: periods measured", "-", "-", std::to_string(periods.size()), "-",
                        "", "-"});
    };
    periodRows(100, p100);
    periodRows(15, p15);
    const double tk = median(touchKey), tt = median(touchTick);
    rows.push_back({"5 touch latency, by key press (ms)", "-", "-", format(tk, 3), "-", "≤1 ms", tk <= 1 ? "yes" : "NO"});
    rows.push_back({"5 touch latency, by ball tick (ms)", "-", "-", format(tt, 3), "-", "≤1 ms", tt <= 1 ? "yes" : "NO"});
    const double k50 = median(keys), k99 = percentile(keys, 99);
    rows.push_back({"6 key to frame: median (ms)", "-", "-", format(k50, 3), "-", "(reported)", "-"});
    rows.push_back({"6 key to frame: 99th percentile (ms)", "-", "-", format(k99, 3), "-", "<5 ms", k99 < 5 ? "yes" : "NO"});
    rows.push_back({"6 key to frame: presses measured", "-", "-", std::to_string(keys.size()), "-", "", "-"});
    threeKinds("7 peak resident memory (MB)", peak, 1, 1.15, "bare", "≤1.15× bare", 0);

    std::printf("\n");
    printTable(rows);

    std::printf("\nPer run (noise), in run order:\n");
    for (const std::string &kind : kinds) {
        std::printf("  %-8s start-up ms: %s | idle CPU %%: %s | idle wake-ups/s: %s | peak MB: %s\n", kind.c_str(),
                    perRun(across(kind, startup), 1).c_str(), perRun(across(kind, idleCpu), 3).c_str(),
                    perRun(across(kind, idleWake), 1).c_str(), perRun(across(kind, peak), 1).c_str());
    }
    std::printf("  game     15 ms game CPU %%: %s | wake-ups/s: %s\n", perRun(across("game", playCpu), 3).c_str(),
                perRun(across("game", playWake), 1).c_str());
    for (const KindRun &r : results["game"]) {
        const double mallocs = std::max(r.idleCounts.maxCheckAllocations, r.playCounts.maxCheckAllocations);
        std::printf("  game     collision check: %.0f ticks in the window before a game; in the 15 ms game %.0f ticks "
                    "for %.0f ball ticks + %.0f key presses; at most %s mallocs in one check tick (%.0f in the "
                    "whole process meanwhile)\n",
                    r.idleCounts.checkTicks, r.playCounts.checkTicks, r.playCounts.ballTicks, r.playCounts.keyPresses,
                    mallocs < 0 ? "(not counted)" : format(mallocs, 0).c_str(), r.playCounts.allAllocations);
    }
    std::printf("  touch latency ms, key: %s | tick: %s\n", perRun(touchKey, 3).c_str(), perRun(touchTick, 3).c_str());
    std::printf("  key to frame ms: max %s over %zu presses\n", format(keys.empty() ? NAN : *std::max_element(keys.begin(), keys.end()), 3).c_str(), keys.size());
    std::printf("platform reported by the children: %s; load after %s\n", g_platform.c_str(), loadAverage().c_str());
    return 0;
}

} // namespace bench
