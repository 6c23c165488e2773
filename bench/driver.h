// The benchmark driver: runs the measured programs as child processes and prints a table.
#pragma once

#include <string>

namespace bench {

// self is this program's path, started again with "--child KIND" for each measurement.
int runDriver(const std::string &self, int argc, char **argv);

} // namespace bench
