#include "platform/file_replacement.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

using Cause = ErrorReason::Cause;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool failWith(ErrorReason& reason, ErrorReason why) {
    reason = std::move(why);
    return false;
}

bool failWithLastError(ErrorReason& reason) { return failWith(reason, win32::lastErrorReason()); }

// A reserved device name such as NUL or CON, in any folder: the full path the system
// makes of it is the device's own.
bool namesADevice(const std::wstring& target) {
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH && std::wstring_view(full).starts_with(L"\\\\.\\");
}

// A name for the new content in the making, beside the target so that the final rename
// stays on one volume.
std::wstring temporaryNameFor(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L".tmp";
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

bool identityOf(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    win32::UniqueHandle h(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.valid() && GetFileInformationByHandle(h.get(), &info) != 0;
}

bool writeAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD piece =
            content.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(content.size());
        DWORD written = 0;
        if (!WriteFile(file, content.data(), piece, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

bool seek(HANDLE file, std::uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}

bool readAll(HANDLE file, std::string& content) {
    content.clear();
    if (!seek(file, 0)) return false;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        content.append(buffer, got);
    }
}

}  // namespace

struct FileReplacement::State {
    Options options;
    std::wstring target;
    win32::UniqueHandle existing;  // the existing file, kept from other writers
    BY_HANDLE_FILE_INFORMATION info{};
    std::wstring temporary;  // the new content in the making, when there is one
    win32::UniqueHandle temporaryFile;
    bool found = false;
    bool inPlace = false;
    bool ownName = false;  // the name alone gets the new file, renamed over it

    ~State() { discardTemporary(); }
    bool beginExisting(ErrorReason& reason);
    bool beginOwnName(DWORD attributes, ErrorReason& reason);
    bool createTemporary(DWORD attributes);
    bool fillTemporary(std::string_view content);
    void discardTemporary();
    bool moveTemporary(DWORD flags, ErrorReason& reason);
    bool commitNew(std::string_view content, ErrorReason& reason);
    bool commitOwnName(std::string_view content, ErrorReason& reason);
    bool commitReplacement(std::string_view content, ErrorReason& reason);
    bool commitInPlace(std::string_view content, ErrorReason& reason);
};

FileReplacement::FileReplacement() = default;
FileReplacement::~FileReplacement() = default;

bool FileReplacement::begin(const std::string& path, const Options& options, ErrorReason& reason) {
    reason = {};
    state_ = std::make_unique<State>();
    state_->options = options;
    if (path.empty()) return failWith(reason, ErrorReason::of(Cause::NotFound));
    state_->target = win32::toWide(path);
    if (namesADevice(state_->target))
        return failWith(reason, ErrorReason::of(Cause::NotRegularFile));
    const DWORD attributes = GetFileAttributesW(state_->target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // Nothing there: a new file (a missing folder is told when it is made).
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        return failWith(reason, win32::reasonFromError(error));
    }
    // Also a link to a folder: on Windows it is a folder's entry, which no file can
    // replace in one step.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failWith(reason, ErrorReason::of(Cause::NotRegularFile));
    }
    if (!options.replaceExisting)
        return failWith(reason, win32::reasonFromError(ERROR_FILE_EXISTS));
    // A read-only file is not written, whoever runs the program.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return failWith(reason, win32::reasonFromError(ERROR_ACCESS_DENIED));
    }
    // A link at a name the program made up is replaced itself; what it leads to is never
    // opened.
    if (options.namedBy == NamedBy::Program && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        state_->found = true;
        return state_->beginOwnName(FILE_ATTRIBUTE_NORMAL, reason);
    }
    return state_->beginExisting(reason);
}

bool FileReplacement::State::beginExisting(ErrorReason& reason) {
    // Readers may stay; a program writing the file, or one that keeps writers out, makes
    // this fail at once with a sharing violation.
    existing.reset(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!existing.valid()) return failWithLastError(reason);
    if (GetFileType(existing.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(existing.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failWith(reason, ErrorReason::of(Cause::NotRegularFile));
    }
    found = true;
    // A name the program made up gets a file of its own, with the attributes of the one
    // there, whatever that stands for: another name of a file, or a link the system does
    // not show as one (a Unix symbolic link under Wine, a link on a network share).
    if (options.namedBy == NamedBy::Program) return beginOwnName(info.dwFileAttributes, reason);
    // Through a link, the file it leads to is the one replaced; the link stays.
    wchar_t final[MAX_PATH * 2];
    const DWORD length = GetFinalPathNameByHandleW(existing.get(), final, MAX_PATH * 2,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length < MAX_PATH * 2) target.assign(final, length);

    BY_HANDLE_FILE_INFORMATION source;
    const bool isSource = !options.source.empty() &&
                          identityOf(win32::toWide(options.source), source) &&
                          sameIdentity(source, info);
    // A new file stands in for this one where it has one name; a copy must never stay
    // another name of its source.
    const bool replaceable = isSource || info.nNumberOfLinks == 1;
    inPlace = !replaceable || !createTemporary(info.dwFileAttributes);
    if (inPlace && isSource) return failWithLastError(reason);
    return true;
}

bool FileReplacement::State::beginOwnName(DWORD attributes, ErrorReason& reason) {
    ownName = true;
    return createTemporary(attributes) || failWithLastError(reason);
}

bool FileReplacement::State::createTemporary(DWORD attributes) {
    attributes &= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::wstring candidate = temporaryNameFor(target);
        temporaryFile.reset(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        attributes, nullptr));
        if (temporaryFile.valid()) {
            temporary = std::move(candidate);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

bool FileReplacement::State::fillTemporary(std::string_view content) {
    const bool filled =
        writeAll(temporaryFile.get(), content) && FlushFileBuffers(temporaryFile.get()) != 0;
    const DWORD error = GetLastError();
    temporaryFile.reset();
    SetLastError(error);
    return filled;
}

void FileReplacement::State::discardTemporary() {
    temporaryFile.reset();
    if (temporary.empty()) return;
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
    temporary.clear();
}

bool FileReplacement::replacesExisting() const { return state_ && state_->found; }

bool FileReplacement::writesInPlace() const { return state_ && state_->inPlace; }

bool FileReplacement::readExisting(std::string& content, ErrorReason& reason) {
    content.clear();
    if (!state_ || !state_->existing.valid()) return true;
    return readAll(state_->existing.get(), content) || failWithLastError(reason);
}

bool FileReplacement::commit(std::string_view content, ErrorReason& reason) {
    reason = {};
    if (!state_ || state_->target.empty())
        return failWith(reason, ErrorReason::of(Cause::NotFound));
    if (!state_->found) return state_->commitNew(content, reason);
    if (state_->ownName) return state_->commitOwnName(content, reason);
    if (state_->inPlace) return state_->commitInPlace(content, reason);
    return state_->commitReplacement(content, reason);
}

bool FileReplacement::State::commitNew(std::string_view content, ErrorReason& reason) {
    if (!createTemporary(FILE_ATTRIBUTE_NORMAL) || !fillTemporary(content)) {
        const ErrorReason why = win32::lastErrorReason();
        discardTemporary();
        return failWith(reason, why);
    }
    // Without MOVEFILE_REPLACE_EXISTING: whatever took the name meanwhile stays.
    return moveTemporary(0, reason);
}

// A rename over the name replaces the name alone: a link there is replaced itself, and a
// file with other names keeps those with its content.
bool FileReplacement::State::commitOwnName(std::string_view content, ErrorReason& reason) {
    if (!fillTemporary(content)) {
        const ErrorReason why = win32::lastErrorReason();
        discardTemporary();
        return failWith(reason, why);
    }
    existing.reset();  // held open, it keeps its name from being replaced
    return moveTemporary(MOVEFILE_REPLACE_EXISTING, reason);
}

// Renames the filled temporary file onto the target; a file made new without any write
// bit becomes read-only.
bool FileReplacement::State::moveTemporary(DWORD flags, ErrorReason& reason) {
    if ((options.newFilePermissions & 0222) == 0) {
        SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), flags | MOVEFILE_WRITE_THROUGH)) {
        const ErrorReason why = win32::lastErrorReason();
        discardTemporary();
        return failWith(reason, why);
    }
    temporary.clear();
    return true;
}

// ReplaceFileW gives the new file the old one's attributes and access list, the Windows
// counterpart of keeping owner, group and permissions.
bool FileReplacement::State::commitReplacement(std::string_view content, ErrorReason& reason) {
    bool placed = fillTemporary(content);
    if (placed) {
        existing.reset();
        placed = ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    }
    if (!placed) {
        const ErrorReason why = win32::lastErrorReason();
        discardTemporary();
        return failWith(reason, why);
    }
    temporary.clear();
    return true;
}

// Writes from the first byte that differs and cuts what is left over; a write that fails
// half way is undone as far as the system lets.
bool FileReplacement::State::commitInPlace(std::string_view content, ErrorReason& reason) {
    const HANDLE file = existing.get();
    std::string old;
    if (!readAll(file, old)) return failWithLastError(reason);
    std::size_t first = 0;
    while (first < old.size() && first < content.size() && old[first] == content[first]) ++first;
    if (seek(file, first) && writeAll(file, content.substr(first)) &&
        (content.size() >= old.size() || (seek(file, content.size()) && SetEndOfFile(file))) &&
        FlushFileBuffers(file)) {
        return true;
    }
    const ErrorReason why = win32::lastErrorReason();
    if (seek(file, first)) writeAll(file, std::string_view(old).substr(first));
    if (seek(file, old.size())) SetEndOfFile(file);
    FlushFileBuffers(file);
    return failWith(reason, why);
}

bool replaceFileContent(const std::string& path, std::string_view content,
                        const FileReplacement::Options& options, ErrorReason& reason) {
    FileReplacement replacement;
    return replacement.begin(path, options, reason) && replacement.commit(content, reason);
}

}  // namespace vesk::platform
