#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/error.h"

namespace vesk::platform {

// An existing file, open for one read or one write. Never creates a file.
class File {
public:
    enum class Access {
        ReadShared,      // other readers allowed, writers kept out
        WriteExclusive,  // nobody else may open it meanwhile (on POSIX: nobody else
                         // who takes the same advisory locks)
    };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // False when the file does not exist, is not a regular file, or is locked elsewhere
    // (a held lock fails at once rather than waiting).
    bool openExisting(const std::string& path, Access access);
    bool isOpen() const;
    // Size in bytes, or -1 when it cannot be told.
    std::int64_t size() const;
    // Reads up to n bytes at offset; returns the count read, or -1 on failure.
    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t n);
    // True only when all n bytes were written at offset.
    bool writeAt(std::uint64_t offset, const void* buffer, std::size_t n);
    // True when everything written so far has reached the disk.
    bool flush();
    void close();
    // Why the last failed call failed; Cause::None after a success.
    const ErrorReason& lastError() const { return error_; }

private:
    bool fail(ErrorReason reason);
    bool succeed();

    std::intptr_t handle_ = -1;
    ErrorReason error_;
};

}  // namespace vesk::platform
