#include "test_files.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace vesk::test {

namespace fs = std::filesystem;

fs::path pathFromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TempDir::TempDir() {
    std::random_device seed;
    std::mt19937_64 rng(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("vesk-io-" + std::to_string(rng()));
        if (fs::create_directory(candidate)) {
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary directory");
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests take away permissions now and then; give them back so everything goes.
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
}

std::string TempDir::path(const std::string& relative) const {
    return utf8FromPath(root_ / pathFromUtf8(relative));
}

Bytes readBytes(const std::string& path) {
    std::ifstream in(pathFromUtf8(path), std::ios::binary | std::ios::ate);
    if (!in) return {};
    Bytes bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) return {};
    return bytes;
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(pathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readText(const std::string& path) {
    const Bytes bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
    writeBytes(path, Bytes(text.begin(), text.end()));
}

bool exists(const std::string& path) { return fs::exists(pathFromUtf8(path)); }

bool makeSymlink(const std::string& target, const std::string& link) {
    std::error_code error;
    fs::create_symlink(pathFromUtf8(target), pathFromUtf8(link), error);
    return !error && fs::is_symlink(pathFromUtf8(link));
}

std::map<std::string, Bytes> snapshot(const fs::path& root) {
    std::map<std::string, Bytes> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = utf8FromPath(entry.path().lexically_relative(root));
        if (entry.is_symlink()) {
            const std::string target = utf8FromPath(fs::read_symlink(entry.path()));
            const std::string link = "-> " + target;
            entries[name] = Bytes(link.begin(), link.end());
        } else if (entry.is_directory()) {
            entries[name] = Bytes{'<', 'd', 'i', 'r', '>'};
        } else {
            entries[name] = readBytes(utf8FromPath(entry.path()));
        }
    }
    return entries;
}

}  // namespace vesk::test
