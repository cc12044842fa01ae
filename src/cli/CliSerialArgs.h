// The options read and send share: --port DEVICE and --baud N.
#pragma once

#include "framework/PortSetupBlock.h"

#include <cstdlib>
#include <string>
#include <string_view>

struct CliSerialArgs {
    std::string port;
    CPortSetupBlock setup; // the program's default set-up, baud rate from --baud

    // Takes --port/--baud at args[i] (moving i past the value). False when args[i] is neither;
    // error receives a message when it was one of them but malformed.
    bool Take(int argc, char* const* args, int& i, std::string& error) {
        const std::string_view arg = args[i];
        if (arg != "--port" && arg != "--baud")
            return false;
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return true;
        }
        const char* value = args[++i];
        if (arg == "--port") {
            port = value;
            return true;
        }
        char* end = nullptr;
        const unsigned long baud = std::strtoul(value, &end, 10);
        if (end == value || *end != '\0' || baud == 0 || baud > 4000000)
            error = std::string("bad baud rate '") + value + "'";
        else
            setup.SetBaudRate(static_cast<std::uint32_t>(baud));
        return true;
    }
};
