#pragma once

namespace vesk::platform {

// Makes a text console show the program's UTF-8 output as the characters it means, and
// lets the bytes of the standard streams (input too) through unchanged.
void useUtf8Console();

}  // namespace vesk::platform
