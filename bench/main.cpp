// tolvarn_bench: measures the game beside the animation floor and prints one table.
// Started as "tolvarn_bench --child floor|game", it is one of the measured programs.
#include "bench/child.h"
#include "bench/driver.h"

#include <QCoreApplication>

#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return bench::runChild(argc, argv);
    QCoreApplication app(argc, argv);
    return bench::runDriver(QCoreApplication::arguments());
}
