#pragma once

#include <cstdint>
#include <string>

#include "exchange/bytes.h"

namespace vesk::exchange {

// What applying a patch to an image gave.
struct PatchOutcome {
    enum class Status {
        Applied,         // `image` holds the patched image
        WrongSource,     // the patch was made for another image
        AlreadyPatched,  // the image already is the patch's result
        Damaged,         // the patch itself is broken or not of this format
    };
    Status status = Status::Damaged;
    Bytes image;
    std::string message;  // what went wrong, in the chosen language, for anything but Applied
};

}  // namespace vesk::exchange
