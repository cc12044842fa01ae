// The commands a build without Qt leaves out: each still answers, with a failure that says so.
#include "CliCommand.h"

#if !defined(KUBO_CLI_HAS_SERIAL) || !defined(KUBO_CLI_HAS_PICTURE)
#include <cstdio>

namespace {
int Unavailable(const char* command, const char* needs) {
    std::fprintf(stderr, "kubo-cli: %s: not available in this build (it needs %s)\n", command,
                 needs);
    return kExitFailure;
}

#ifndef KUBO_CLI_HAS_SERIAL
int RunRead(std::span<char*>) {
    return Unavailable("read", "the serial port library");
}
int RunSend(std::span<char*>) {
    return Unavailable("send", "the serial port library");
}
#endif
#ifndef KUBO_CLI_HAS_PICTURE
int RunPicture(std::span<char*>) {
    return Unavailable("picture", "the chart component");
}
#endif
} // namespace

#ifndef KUBO_CLI_HAS_SERIAL
KUBO_CLI_COMMAND(Read, "read", "read ... (not available in this build)", RunRead)
KUBO_CLI_COMMAND(Send, "send", "send ... (not available in this build)", RunSend)
#endif
#ifndef KUBO_CLI_HAS_PICTURE
KUBO_CLI_COMMAND(Picture, "picture", "picture ... (not available in this build)", RunPicture)
#endif
#endif
