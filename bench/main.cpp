// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// tolvarn_bench: measures the game beside the animation floor and prints one table. It
// starts them as child processes (this program again, "--child floor|game"), in the same
// way and in turn, reads their costs from /proc and gathers the stamps they send.
#include "bench/child.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace bench {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Values = std::vector<double>;

// Start-up is short and noisy: several starts of each kind a run, taken in turn.
constexpr int StartsPerRun = 7;
// Each cost is measured over this long a window.
constexpr double WindowSeconds = 10;

constexpr const char *RowFormat = "%-44s %-26s %-26s %-19s %-15s %s\n";

double nowSeconds()
{
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// The number after "key:" in a /proc status file; 0 if it is not there.
double statusValue(const std::filesystem::path &file, const std::string &key)
{
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(key + ':'))
            return std::stod(line.substr(key.size() + 1));
    }
    return 0;
}

// What the kernel says a process has cost so far. getrusage() speaks only for ended
// children, and /proc/PID/status counts the main thread alone: each thread is read.
struct Costs {
    double seconds = nowSeconds(), cpuSeconds = 0, wakeUps = 0;
};
Costs costsOf(std::int64_t pid)
{
    Costs costs;
    std::error_code ignored;
    for (const auto &task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ignored)) {
        double nanoseconds = 0;
        std::ifstream(task.path() / "schedstat") >> nanoseconds; // time on a CPU
        costs.cpuSeconds += nanoseconds / 1e9;
        costs.wakeUps += statusValue(task.path() / "status", "voluntary_ctxt_switches");
    }
    return costs;
}

// A measured program: this binary again, as "--child KIND".
class Child : public QProcess {
    Q_OBJECT

public:
    explicit Child(const std::string &kind)
    {
        setStandardErrorFile(nullDevice()); // Qt's notes would break up the table
        start(QCoreApplication::applicationFilePath(), {"--child", QString::fromStdString(kind)});
    }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;
    // A child ends when its input closes; one that does not is killed. Either way it
    // has ended before QProcess lets it go.
    ~Child() override
    {
        closeWriteChannel();
        if (!waitForFinished(5000)) {
            kill();
            waitForFinished();
        }
    }
    void send(const char *command)
    {
        write(QByteArray(command) + '\n');
        waitForBytesWritten();
    }

    // The numbers on the child's next line, which must start with word.
    Values expect(const QByteArray &word)
    {
        while (!canReadLine() && waitForReadyRead(30000))
            continue;
        const QByteArray line = readLine().trimmed();
        QList<QByteArray> parts = line.split(' ');
        if (parts.takeFirst() != word) { // silence, "died", or a step out of turn
            const char *gone = state() == Running ? "" : exitStatus() == CrashExit ? " and crashed" : " and ended";
            throw std::runtime_error(
                "a child said \"" + line.toStdString() + '"' + gone + " for \"" + word.toStdString() + '"');
        }
        Values values(static_cast<std::size_t>(parts.size()));
        std::ranges::transform(parts, values.begin(), [](const QByteArray &part) { return part.toDouble(); });
        return values;
    }
};

// The q-quantile by nearest rank (of two middle values the median takes the upper); NaN for none.
double quantile(Values values, double q)
{
    if (values.empty())
        return NAN;
    const auto at = values.begin() + std::lround(q * static_cast<double>(values.size() - 1));
    std::ranges::nth_element(values, at);
    return *at;
}

double median(const Values &values)
{
    return quantile(values, 0.5);
}

std::string fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals).toStdString();
}

// The median of the runs and, with more than one, their range.
std::string cell(const Values &runs, int decimals)
{
    if (runs.empty() || std::isnan(median(runs)))
        return "-";
    const auto [low, high] = std::ranges::minmax(runs);
    const std::string range = " (" + fixed(low, decimals) + "-" + fixed(high, decimals) + ")";
    return fixed(median(runs), decimals) + (runs.size() > 1 ? range : "");
}

std::string loadAverage()
{
    std::string one, five, fifteen;
    std::ifstream("/proc/loadavg") >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

class Bench {
public:
    int runs = 3;

    void run()
    {
        // Not counted: the first start after a build reads everything from disk.
        Child("floor").expect("paint");
        Child("game").expect("paint");
        for (int run = 0; run < runs; ++run) {
            // Every other run in the other order, so that neither always comes first.
            const auto order
                = run % 2 ? std::vector<std::string>{"game", "floor"} : std::vector<std::string>{"floor", "game"};
            std::fprintf(stderr, "run %d of %d\n", run + 1, runs);
            startUps(order);
            for (const std::string &kind : order)
                measure(kind);
        }
    }

    void printTable()
    {
        std::printf(RowFormat, "figure", "floor", "game", "game/floor", "target", "holds?");
        row("start-up to first frame (ms)", "start-up", 1, "<= 1.3x floor", 1.3);
        // Below these a difference is lost in the measurement: 10 µs a second, one wake-up.
        row("before a game: CPU (% of a core)", "idle cpu", 3, "<= 1.1x floor", 1.1, 0.001);
        row("before a game: wake-ups/s", "idle wake-ups", 1, "<= 1.1x floor", 1.1, 1 / WindowSeconds);
        row("15 ms three-ball play: CPU (% of a core)", "play cpu", 3, "<= 1.1x floor", 1.1);
        row("15 ms three-ball play: wake-ups/s", "play wake-ups", 1, "<= 1.05x floor", 1.05);
        row("  and 10 key presses/s: CPU (% of a core)", "keys cpu", 3);
        row("  and 10 key presses/s: wake-ups/s", "keys wake-ups", 1);
        const std::string slow = "ball timer at " + std::to_string(SlowLevelMs) + " ms: ";
        row(slow + "mean period (ms)", "slow mean", 3, "within 2%", 1.02 * SlowLevelMs, 0, 0.98 * SlowLevelMs);
        row(slow + "99th percentile (ms)", "slow p99", 3);
        row("ball timer at 15 ms: mean period (ms)", "fast mean", 3, "within 2%", 1.02 * 15, 0, 0.98 * 15);
        row("ball timer at 15 ms: 99th percentile (ms)", "fast p99", 3);
        row("touch latency, by key press (ms)", "touch key", 3, "<= 1 ms", 1);
        row("touch latency, by ball tick (ms)", "touch tick", 3, "<= 1 ms", 1);
        row("key to frame: median (ms)", "key median", 3);
        row("key to frame: 99th percentile (ms)", "key p99", 3, "<= 5 ms", 5);
        row("peak resident memory (MB)", "memory", 1, "<= 1.15x floor", 1.15);
        std::printf("\nMedian (range) of %d run(s). A run: %d starts of each; %.0f periods at %d ms, %.0f at 15 ms; "
                    "%.0f key presses.\n",
            runs, StartsPerRun, median(m_figures["game slow n"]), SlowLevelMs, median(m_figures["game fast n"]),
            median(m_figures["game key n"]));
    }

private:
    void add(const std::string &name, double value) { m_figures[name].push_back(value); }

    void startUps(const std::vector<std::string> &order)
    {
        std::map<std::string, Values> starts;
        for (int i = 0; i < StartsPerRun; ++i) {
            for (const std::string &kind : order) {
                const double startedMs = nowSeconds() * 1000;
                Child child(kind);
                starts[kind].push_back(child.expect("paint").at(0) - startedMs);
                if (kind == "game") {
                    child.send("touch key");
                    starts["touch"].push_back(child.expect("touch").at(0));
                }
            }
        }
        add("floor start-up", median(starts["floor"]));
        add("game start-up", median(starts["game"]));
        add("game touch key", median(starts["touch"]));
    }

    void measure(const std::string &kind)
    {
        Child child(kind);
        child.expect("paint");
        std::this_thread::sleep_for(1s); // start-up settles
        window(child, kind + " idle", false);
        child.send("play");
        child.expect("fast");
        std::this_thread::sleep_for(500ms);
        window(child, kind + " play", false);
        window(child, kind + " keys", true);
        add(kind + " memory", statusValue("/proc/" + std::to_string(child.processId()) + "/status", "VmHWM") / 1024);
        if (kind != "game")
            return;
        child.send("report");
        for (const std::string name : {"slow", "fast", "key"}) {
            const Values values = child.expect(QByteArray::fromStdString(name));
            add("game " + name + (name == "key" ? " median" : " mean"),
                name == "key" ? median(values)
                              : std::reduce(values.begin(), values.end()) / static_cast<double>(values.size()));
            add("game " + name + " p99", quantile(values, 0.99));
            add("game " + name + " n", static_cast<double>(values.size()));
        }
        child.send("touch tick");
        add("game touch tick", child.expect("touch").at(0));
    }

    // CPU and wake-ups a second over one window; with keys, ten arrow-key presses a second.
    void window(Child &child, const std::string &name, bool keys)
    {
        const Costs before = costsOf(child.processId());
        const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(WindowSeconds * 1s);
        for (auto next = Clock::now() + 100ms; keys && next < end; next += 100ms) {
            std::this_thread::sleep_until(next);
            child.send("key");
        }
        std::this_thread::sleep_until(end);
        const Costs after = costsOf(child.processId());
        add(name + " cpu", 100 * (after.cpuSeconds - before.cpuSeconds) / (after.seconds - before.seconds));
        add(name + " wake-ups", (after.wakeUps - before.wakeUps) / (after.seconds - before.seconds));
    }

    // A figure of the floor (if it has one) and of the game, their ratio run by run, and
    // whether the game's median lies in [low, high]; against a floor, high is a ratio.
    void row(const std::string &label, const std::string &name, int decimals, const std::string &target = "",
        double high = 0, double slack = 0, double low = 0)
    {
        const Values &floor = m_figures["floor " + name], &game = m_figures["game " + name];
        Values ratios;
        for (std::size_t i = 0; i < std::min(game.size(), floor.size()) && floor[i] > 0; ++i)
            ratios.push_back(game[i] / floor[i]);
        const double limit = floor.empty() ? high : high * median(floor) + slack;
        const std::string holds = median(game) >= low && median(game) <= limit ? "yes" : "NO";
        const std::string ratio = ratios.size() == game.size() ? cell(ratios, 2) : "-";
        std::printf(RowFormat, label.c_str(), cell(floor, decimals).c_str(), cell(game, decimals).c_str(),
            ratio.c_str(), target.c_str(), target.empty() ? "" : holds.c_str());
    }

    // One value a run for each figure, named "KIND what".
    std::map<std::string, Values> m_figures;
};

// arguments: [--runs N], the number of runs whose medians it prints (3).
int runDriver(const QStringList &arguments)
{
    Bench bench;
    if (arguments.size() == 3 && arguments[1] == "--runs" && arguments[2].toInt() > 0) {
        bench.runs = arguments[2].toInt();
    } else if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: tolvarn_bench [--runs N]\n");
        return 2;
    }
    // One platform for all children: the display if there is one (Xvfb), else offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    std::printf("platform %s; %d run(s), %.0f s windows; %u cores; load before %s\n\n",
        qgetenv("QT_QPA_PLATFORM").constData(), bench.runs, WindowSeconds, std::thread::hardware_concurrency(),
        loadAverage().c_str());
    std::fflush(stdout);
    try {
        bench.run();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        return 1;
    }
    bench.printTable();
    std::printf("Load after: %s\n", loadAverage().c_str());
    return 0;
}

} // namespace
} // namespace bench

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return bench::runChild(argc, argv);
    QCoreApplication app(argc, argv);
    return bench::runDriver(QCoreApplication::arguments());
}

#include "main.moc"
