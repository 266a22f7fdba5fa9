#pragma once

namespace vesk::platform {

// Makes a text console show the program's UTF-8 output as the characters it means, and
// lets the bytes of the standard streams (input too) through unchanged.
void useUtf8Console();

// Whether standard output was closed when the program started. A closed descriptor is
// taken by the null device first, so that no file the program opens later takes its
// place and receives what is printed; the caller then knows the report is lost.
bool standardOutputWasClosed();

}  // namespace vesk::platform
