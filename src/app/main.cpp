#include "app/ZepaApplication.h"
#include "cli/CommandLine.h"

int main(int argc, char *argv[])
{
    return isCommandLine(argc, argv) ? runCommandLine(argc, argv) : runWindows(argc, argv);
}
