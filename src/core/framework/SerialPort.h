// What opening a serial port came to, and the opener the read loop is given.
#pragma once

#include "framework/ByteSource.h"

#include <functional>
#include <memory>

// The opener applies the port settings, time-outs and queue sizes; on kSetupFailed it has
// closed the port again.
enum class PortOpenStatus { kOpened, kOpenFailed, kSetupFailed };
struct PortOpenResult {
    PortOpenStatus status = PortOpenStatus::kOpenFailed;
    std::unique_ptr<ByteSource> port; // set when kOpened
};
using PortOpener = std::function<PortOpenResult()>;
