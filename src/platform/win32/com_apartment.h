#pragma once

#include <objbase.h>

namespace vesk::platform::win32 {

// COM on the calling thread as a single-threaded apartment, the kind a window's thread
// needs, for as long as the object lives.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace vesk::platform::win32
