// tolvarn_bench: the driver by default; "--child KIND" is one of the measured programs.
#include "bench/child.h"
#include "bench/driver.h"

#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return bench::runChild(argv[2], argc, argv);

    char self[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    return bench::runDriver(n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string(argv[0]), argc, argv);
}
