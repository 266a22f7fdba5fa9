#pragma once

#include <string>

#include "platform/error.h"

namespace vesk::cli {

// Why a file operation failed, in the command's language: the catalog's text for every
// cause it knows, the system's own words and number for any other.
std::string reasonFor(const platform::ErrorReason& reason);

}  // namespace vesk::cli
