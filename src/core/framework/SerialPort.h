// What opening a serial port came to, and the opener the read loop is given.
#pragma once

#include "framework/ByteSource.h"

#include <functional>
#include <memory>
#include <string>

// The opener applies the port settings, time-outs and queue sizes; on kSetupFailed it has
// closed the port again.
enum class PortOpenStatus { kOpened, kOpenFailed, kSetupFailed };
struct PortOpenResult {
    PortOpenStatus status = PortOpenStatus::kOpenFailed;
    std::unique_ptr<ByteSource> port; // set when kOpened
    std::string device{};             // the system's name of the device opened or tried
    std::string reason{};             // why it failed, in the system's words; may be empty
};
using PortOpener = std::function<PortOpenResult()>;
