#include "exchange/ips_patch.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "text/catalog.h"

namespace vesk::exchange {
namespace {

constexpr char kHeader[5] = {'P', 'A', 'T', 'C', 'H'};
constexpr char kEnd[3] = {'E', 'O', 'F'};
constexpr std::size_t kEndMarkerOffset = 0x454F46;
constexpr std::size_t kMaxRecordLength = 0xFFFF;
// Equal bytes between two changes are cheaper inside one record than a new record
// header (three bytes offset, two bytes length).
constexpr std::size_t kMergeGap = 5;

void put24(Bytes& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void put16(Bytes& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

std::size_t read24(const std::uint8_t* p) {
    return static_cast<std::size_t>(p[0]) << 16 | static_cast<std::size_t>(p[1]) << 8 | p[2];
}

std::size_t read16(const std::uint8_t* p) { return static_cast<std::size_t>(p[0]) << 8 | p[1]; }

bool differs(ByteView source, ByteView target, std::size_t at) {
    return at >= source.size() || source[at] != target[at];
}

// The end of the changed stretch that starts at `from`, swallowing short equal gaps.
std::size_t changedStretchEnd(ByteView source, ByteView target, std::size_t from) {
    std::size_t end = from;
    std::size_t at = from;
    const std::size_t limit = std::min(target.size(), from + kMaxRecordLength);
    while (at < limit) {
        if (differs(source, target, at)) {
            end = ++at;
        } else if (at - end >= kMergeGap) {
            break;
        } else {
            ++at;
        }
    }
    return end;
}

using text::tr;

// `why` is a whole sentence ("the IPS patch is damaged: ..."), one catalog entry each.
PatchOutcome damaged(std::string why) {
    return {PatchOutcome::Status::Damaged, {}, std::move(why)};
}

}  // namespace

bool looksLikeIps(ByteView patch) {
    return patch.size() >= sizeof kHeader &&
           std::memcmp(patch.data(), kHeader, sizeof kHeader) == 0;
}

IpsPatchResult makeIpsPatch(ByteView source, ByteView target) {
    if (target.size() < source.size()) {
        return {{},
                tr("an IPS patch cannot make a file shorter ({from} to {to} bytes); use BPS",
                   {{"from", source.size()}, {"to", target.size()}})};
    }
    if (target.size() > kIpsSizeLimit) {
        return {{},
                tr("IPS cannot address a file larger than 16 MiB (this one has {size} bytes); "
                   "use BPS",
                   {{"size", target.size()}})};
    }
    Bytes out(std::begin(kHeader), std::end(kHeader));
    std::size_t at = 0;
    while (at < target.size()) {
        if (!differs(source, target, at)) {
            ++at;
            continue;
        }
        std::size_t start = at;
        // A record here would be read as the end marker; begin it one byte earlier.
        if (start == kEndMarkerOffset) --start;
        const std::size_t end = changedStretchEnd(source, target, start);
        put24(out, start);
        put16(out, end - start);
        out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(start),
                   target.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    out.insert(out.end(), std::begin(kEnd), std::end(kEnd));
    return {std::move(out), {}};
}

PatchOutcome applyIpsPatch(ByteView source, ByteView patch) {
    if (!looksLikeIps(patch))
        return damaged(tr("the IPS patch is damaged: it does not begin with \"PATCH\""));
    Bytes out(source.begin(), source.end());
    std::size_t at = sizeof kHeader;
    std::size_t records = 0;
    for (;;) {
        if (patch.size() - at < 3)
            return damaged(tr("the IPS patch is damaged: it has no end marker \"EOF\""));
        if (std::memcmp(patch.data() + at, kEnd, sizeof kEnd) == 0) {
            at += 3;
            break;
        }
        if (patch.size() - at < 5)
            return damaged(tr("the IPS patch is damaged: a record is cut short"));
        ++records;
        const std::size_t offset = read24(patch.data() + at);
        std::size_t length = read16(patch.data() + at + 3);
        at += 5;
        const std::uint8_t* data = nullptr;
        std::uint8_t fill = 0;
        if (length == 0) {  // a run of one repeated byte
            if (patch.size() - at < 3)
                return damaged(tr("the IPS patch is damaged: a run record is cut short"));
            length = read16(patch.data() + at);
            fill = patch[at + 2];
            at += 3;
        } else {
            if (patch.size() - at < length)
                return damaged(tr("the IPS patch is damaged: a record is cut short"));
            data = patch.data() + at;
            at += length;
        }
        if (out.size() < offset + length) out.resize(offset + length, 0);
        if (data) {
            std::copy_n(data, length, out.begin() + static_cast<std::ptrdiff_t>(offset));
        } else {
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset), length, fill);
        }
    }
    if (patch.size() - at == 3) {
        out.resize(std::min(out.size(), read24(patch.data() + at)));
    } else if (at != patch.size()) {
        return damaged(tr("the IPS patch is damaged: there are stray bytes after the end marker"));
    }
    // A patch of two equal files has no records and applies as the image itself, as a BPS
    // patch of equal files does; only changes the image already holds mean it is patched.
    if (records > 0 && std::equal(out.begin(), out.end(), source.begin(), source.end())) {
        return {PatchOutcome::Status::AlreadyPatched,
                {},
                tr("the image already holds every change of the patch")};
    }
    return {PatchOutcome::Status::Applied, std::move(out), {}};
}

}  // namespace vesk::exchange
