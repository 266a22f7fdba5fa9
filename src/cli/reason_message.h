#pragma once

#include <string>

#include "platform/error.h"

namespace vesk::cli {

// `message` followed by why it failed, in the words the window's error boxes use
// ("ゲーム.gb: cannot write the enemy data: アクセスが拒否されました。"); the message
// alone when no reason is known.
std::string messageWithReason(std::string message, const platform::ErrorReason& reason);

}  // namespace vesk::cli
