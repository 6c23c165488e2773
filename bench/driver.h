// The benchmark driver: runs the measured programs as child processes and prints a table.
#pragma once

#include <QStringList>

namespace bench {

// arguments: [--runs N], the number of runs whose medians it prints (3).
int runDriver(const QStringList &arguments);

} // namespace bench
