// kubo-cli: batch operations on altimeter data with the program's own core.
#include <cstdio>
#include <cstring>

#include "KuboVersion.h"

namespace {
void PrintUsage(std::FILE* out) {
    std::fputs("usage: kubo-cli COMMAND [ARGS...]\n"
               "       kubo-cli --help | --version\n",
               out);
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("kubo-cli %s\n", KUBO_VERSION_STRING);
        return 0;
    }
    PrintUsage(stderr);
    return 2;
}
