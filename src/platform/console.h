#pragma once

namespace vesk::platform {

// Makes a text console show the program's UTF-8 output as the characters it means, and
// lets the bytes written to the standard streams through unchanged.
void useUtf8Console();

}  // namespace vesk::platform
