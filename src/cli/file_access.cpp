#include "cli/file_access.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli/header_warning.h"
#include "cli/reason_message.h"
#include "exchange/quoted.h"
#include "io/image_file.h"
#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/whole_file.h"
#include "text/catalog.h"

namespace vesk::cli {
namespace {

using text::tr;

std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool isPipe(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_fifo(std::filesystem::status(fsPath(path), error));
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N or /proc/PID/fd/N.
bool isDescriptorName(const std::filesystem::path& path) {
    const std::string text = path.lexically_normal().generic_string();
    if (text == "/dev/stdin" || text == "/dev/stdout" || text == "/dev/stderr") return true;
    if (text.starts_with("/dev/fd/")) return allDigits(std::string_view(text).substr(8));
    if (!text.starts_with("/proc/")) return false;
    const std::string_view rest = std::string_view(text).substr(6);
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return false;
    const std::string_view process = rest.substr(0, slash);
    return (process == "self" || process == "thread-self" || allDigits(process)) &&
           rest.substr(slash).starts_with("/fd/") && allDigits(rest.substr(slash + 4));
}

// Whether `path`, or a link it leads through, names one of the program's descriptors.
bool leadsToADescriptor(const std::string& utf8) {
    std::filesystem::path path = std::filesystem::absolute(fsPath(utf8));
    for (int hop = 0; hop < 40; ++hop) {
        if (isDescriptorName(path)) return true;
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            return false;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) return false;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return false;
}

// The folder a new file at `path` goes into, when that folder does not exist.
std::string missingFolder(const std::string& path) {
    const std::filesystem::path folder = fsPath(path).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::exists(folder, error)) return {};
    const std::u8string text = folder.u8string();
    return std::string(text.begin(), text.end());
}

// A regular file, or no file at all (also where a link points nowhere).
bool isFileOrNothing(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(fsPath(path), error);
    return std::filesystem::is_regular_file(status) || !std::filesystem::exists(status);
}

std::string writeProblem(const std::string& path, const platform::ErrorReason& reason) {
    return tr("{file}: cannot write the file: {reason}",
              {{"file", path}, {"reason", reasonFor(reason)}});
}

}  // namespace

bool pathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(fsPath(path), error));
}

bool sameFile(const std::string& a, const std::string& b) { return platform::sameFile(a, b); }

FileContent readStream(std::istream& in, std::size_t maxBytes) {
    FileContent content;
    char buffer[65536];
    while (in && content.bytes.size() <= maxBytes) {
        in.read(buffer, sizeof buffer);
        content.bytes.insert(content.bytes.end(), buffer, buffer + in.gcount());
    }
    if (content.bytes.size() > maxBytes) {
        content.cut = true;
        content.sizeAtLeast = content.bytes.size();
        content.bytes = {};
    }
    return content;
}

FileContent readWholeFile(const std::string& path, const ReadLimits& limits) {
    FileContent content;
    platform::File file;
    // The reason says it when there is no such file or it is a folder.
    if (!file.openExisting(path, platform::File::Access::ReadShared)) {
        using Cause = platform::ErrorReason::Cause;
        if (limits.pipes && file.lastError().cause == Cause::NotRegularFile && isPipe(path)) {
            std::ifstream pipe(fsPath(path), std::ios::binary);
            content = readStream(pipe, limits.maxBytes);
            if (pipe.bad() || !pipe.is_open())
                content.problem = tr("{file}: cannot read the pipe", {{"file", path}});
            return content;
        }
        content.problem = tr("{file}: cannot open the file: {reason}",
                             {{"file", path}, {"reason", reasonFor(file.lastError())}});
        return content;
    }
    const std::int64_t size = file.size();
    if (size < 0) {
        content.problem = tr("{file}: cannot tell the file's size: {reason}",
                             {{"file", path}, {"reason", reasonFor(file.lastError())}});
        return content;
    }
    if (static_cast<std::uint64_t>(size) > limits.maxBytes) {
        content.cut = true;
        content.sizeAtLeast = static_cast<std::uint64_t>(size);
        return content;
    }
    content.bytes.resize(static_cast<std::size_t>(size));
    const std::int64_t got = file.readAt(0, content.bytes.data(), content.bytes.size());
    if (got != size) {
        content.problem = tr("{file}: cannot read the file: {reason}",
                             {{"file", path}, {"reason", reasonFor(file.lastError())}});
        content.bytes.clear();
    }
    return content;
}

ImageContent readImage(const std::string& path) {
    ImageContent image;
    FileContent file = readWholeFile(path);
    if (!file.problem.empty()) {
        image.problem = file.problem;
        return image;
    }
    if (file.bytes.size() < ImageFile::kMinimumSize) {
        image.problem =
            tr("{file}: the file has {size} bytes; an image holding the enemy data has at least "
               "{minimum}",
               {{"file", path}, {"size", file.bytes.size()}, {"minimum", ImageFile::kMinimumSize}});
        return image;
    }
    image.bytes = std::move(file.bytes);
    image.block = EnemyBlock::readFrom(image.bytes);
    image.warnings = headerWarnings(path, image.bytes);
    return image;
}

std::string writeOutputFile(const std::string& path, exchange::ByteView bytes, bool replace) {
    platform::ErrorReason reason;
    if (leadsToADescriptor(path)) {
        return tr(
            "{file}: cannot write the file: this names a descriptor of the command, such as "
            "standard output, not a file; name a file, or leave -o out where the command "
            "prints to standard output",
            {{"file", path}});
    }
    if (const std::string folder = missingFolder(path); !folder.empty()) {
        return tr("{file}: cannot write the file: the folder {folder} does not exist",
                  {{"file", path}, {"folder", exchange::quoted(folder)}});
    }
    // A folder, pipe or device is never replaced, so --force would not help there.
    if (!replace && pathExists(path) && !isFileOrNothing(path)) {
        reason = platform::ErrorReason::of(platform::ErrorReason::Cause::NotRegularFile);
        return writeProblem(path, reason);
    }
    if (!replace && pathExists(path)) {
        return tr("{file}: the file exists already; use --force to replace it", {{"file", path}});
    }
    if (!platform::writeWholeFile(path, bytes.data(), bytes.size(), replace, reason)) {
        return writeProblem(path, reason);
    }
    return {};
}

}  // namespace vesk::cli
