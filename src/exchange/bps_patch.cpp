#include "exchange/bps_patch.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "exchange/crc32.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

constexpr char kMagic[4] = {'B', 'P', 'S', '1'};
constexpr std::size_t kFooterSize = 12;  // source, target and patch checksums

enum Action : std::uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

// Stretches this long are looked up elsewhere in the source; shorter ones cost more
// to describe than to store.
constexpr std::size_t kMatchLength = 8;
// Fewer equal bytes in place than this are cheaper inside the surrounding stored bytes.
constexpr std::size_t kMinimumSourceRead = 4;

void putNumber(Bytes& out, std::uint64_t value) {
    for (;;) {
        const auto low = static_cast<std::uint8_t>(value & 0x7f);
        value >>= 7;
        if (value == 0) {
            out.push_back(static_cast<std::uint8_t>(0x80 | low));
            return;
        }
        out.push_back(low);
        --value;
    }
}

void putLittleEndian32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t littleEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// Where each stretch of kMatchLength source bytes begins, found by its hash.
class SourceIndex {
public:
    explicit SourceIndex(ByteView source) : source_(source) {
        std::size_t size = 1024;
        while (size < source.size() && size < (std::size_t{1} << 24)) size <<= 1;
        bits_ = static_cast<unsigned>(std::countr_zero(size));
        slots_.assign(size, 0);
        if (source.size() < kMatchLength) return;
        // Walking backwards keeps the earliest position for each hash.
        for (std::size_t at = source.size() - kMatchLength + 1; at-- > 0;) {
            slots_[slot(source.data() + at)] = static_cast<std::uint32_t>(at + 1);
        }
    }

    // A source position whose next kMatchLength bytes equal those at `p`, if any.
    std::optional<std::size_t> find(const std::uint8_t* p) const {
        const std::uint32_t entry = slots_[slot(p)];
        if (entry == 0) return std::nullopt;
        const std::size_t at = entry - 1;
        if (std::memcmp(source_.data() + at, p, kMatchLength) != 0) return std::nullopt;
        return at;
    }

private:
    std::size_t slot(const std::uint8_t* p) const {
        return static_cast<std::size_t>((load64(p) * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
    }

    ByteView source_;
    unsigned bits_ = 10;
    std::vector<std::uint32_t> slots_;
};

class BpsWriter {
public:
    explicit BpsWriter(Bytes& out) : out_(out) {}

    void action(Action kind, std::size_t length) {
        putNumber(out_, (static_cast<std::uint64_t>(length - 1) << 2) | kind);
    }
    void sourceCopy(std::size_t from, std::size_t length) {
        action(SourceCopy, length);
        const auto delta = static_cast<std::int64_t>(from) - sourceOffset_;
        putNumber(out_, (static_cast<std::uint64_t>(delta < 0 ? -delta : delta) << 1) |
                            (delta < 0 ? 1u : 0u));
        sourceOffset_ = static_cast<std::int64_t>(from + length);
    }
    void targetRead(ByteView bytes) {
        if (bytes.empty()) return;
        action(TargetRead, bytes.size());
        out_.insert(out_.end(), bytes.begin(), bytes.end());
    }

private:
    Bytes& out_;
    std::int64_t sourceOffset_ = 0;
};

std::size_t sameBytesInPlace(ByteView source, ByteView target, std::size_t at) {
    const std::size_t end = std::min(source.size(), target.size());
    std::size_t n = at;
    while (n < end && source[n] == target[n]) ++n;
    return n - at;
}

std::size_t sameBytes(ByteView source, std::size_t from, ByteView target, std::size_t at) {
    std::size_t n = 0;
    while (from + n < source.size() && at + n < target.size() && source[from + n] == target[at + n])
        ++n;
    return n;
}

// Reads BPS's variable-length numbers, refusing any that overrun the patch or 64 bits.
class BpsReader {
public:
    BpsReader(ByteView bytes, std::size_t end) : bytes_(bytes), end_(end) {}

    std::optional<std::uint64_t> number() {
        std::uint64_t value = 0, shift = 1;
        for (;;) {
            if (at_ >= end_) return std::nullopt;
            const std::uint8_t x = bytes_[at_++];
            value += (x & 0x7f) * shift;
            if (x & 0x80) return value;
            if (shift > (std::uint64_t{1} << 49)) return std::nullopt;
            shift <<= 7;
            value += shift;
        }
    }
    bool skip(std::uint64_t n) {
        if (n > end_ - at_) return false;
        at_ += static_cast<std::size_t>(n);
        return true;
    }
    std::size_t at() const { return at_; }
    bool atEnd() const { return at_ >= end_; }

private:
    ByteView bytes_;
    std::size_t end_;
    std::size_t at_ = sizeof kMagic;
};

std::string hex32(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

using text::tr;

// `why` is a whole sentence ("the BPS patch is damaged: ..."), one catalog entry each.
PatchOutcome damaged(std::string why) {
    return {PatchOutcome::Status::Damaged, {}, std::move(why)};
}

}  // namespace

bool looksLikeBps(ByteView patch) {
    return patch.size() >= sizeof kMagic && std::memcmp(patch.data(), kMagic, sizeof kMagic) == 0;
}

Bytes makeBpsPatch(ByteView source, ByteView target) {
    Bytes out(std::begin(kMagic), std::end(kMagic));
    putNumber(out, source.size());
    putNumber(out, target.size());
    putNumber(out, 0);  // no metadata

    const SourceIndex index(source);
    BpsWriter writer(out);
    std::size_t pending = 0;  // start of the bytes to be stored in the patch
    std::size_t at = 0;
    while (at < target.size()) {
        const std::size_t inPlace = sameBytesInPlace(source, target, at);
        if (inPlace >= kMinimumSourceRead || (inPlace > 0 && pending == at)) {
            writer.targetRead(target.subspan(pending, at - pending));
            writer.action(SourceRead, inPlace);
            at += inPlace;
            pending = at;
            continue;
        }
        if (at + kMatchLength <= target.size()) {
            if (const auto from = index.find(target.data() + at)) {
                const std::size_t length = sameBytes(source, *from, target, at);
                writer.targetRead(target.subspan(pending, at - pending));
                writer.sourceCopy(*from, length);
                at += length;
                pending = at;
                continue;
            }
        }
        ++at;
    }
    writer.targetRead(target.subspan(pending, at - pending));

    putLittleEndian32(out, crc32Of(source));
    putLittleEndian32(out, crc32Of(target));
    putLittleEndian32(out, crc32Of(out));
    return out;
}

PatchOutcome applyBpsPatch(ByteView source, ByteView patch) {
    if (!looksLikeBps(patch))
        return damaged(tr("the BPS patch is damaged: it does not begin with \"BPS1\""));
    if (patch.size() < sizeof kMagic + 3 + kFooterSize)
        return damaged(tr("the BPS patch is damaged: it is too short"));
    const std::size_t footer = patch.size() - kFooterSize;
    const std::uint32_t sourceCrc = littleEndian32(patch.data() + footer);
    const std::uint32_t targetCrc = littleEndian32(patch.data() + footer + 4);
    const std::uint32_t patchCrc = littleEndian32(patch.data() + footer + 8);
    if (crc32Of(patch.first(footer + 8)) != patchCrc) {
        return damaged(tr("the BPS patch is damaged: its own checksum does not match"));
    }

    BpsReader reader(patch, footer);
    const auto sourceSize = reader.number();
    const auto targetSize = reader.number();
    const auto metadataSize = reader.number();
    if (!sourceSize || !targetSize || !metadataSize || !reader.skip(*metadataSize)) {
        return damaged(tr("the BPS patch is damaged: its header is cut short"));
    }

    const std::uint32_t imageCrc = crc32Of(source);
    if (source.size() != *sourceSize || imageCrc != sourceCrc) {
        if (source.size() == *targetSize && imageCrc == targetCrc) {
            return {PatchOutcome::Status::AlreadyPatched,
                    {},
                    tr("the image already is the patched image (CRC32 {crc})",
                       {{"crc", hex32(targetCrc)}})};
        }
        return {PatchOutcome::Status::WrongSource,
                {},
                tr("the patch is for another image: it expects CRC32 {expected} ({expectedSize} "
                   "bytes), this image has CRC32 {found} ({size} bytes)",
                   {{"expected", hex32(sourceCrc)},
                    {"expectedSize", *sourceSize},
                    {"found", hex32(imageCrc)},
                    {"size", source.size()}})};
    }
    // No cartridge comes near this; a larger size means a broken or hostile patch.
    if (*targetSize > (std::uint64_t{1} << 28))
        return damaged(tr("the BPS patch is damaged: its target size is implausible"));

    Bytes out(static_cast<std::size_t>(*targetSize));
    std::size_t written = 0;
    std::int64_t sourceOffset = 0, targetOffset = 0;
    while (!reader.atEnd()) {
        const auto data = reader.number();
        if (!data) return damaged(tr("the BPS patch is damaged: an action is cut short"));
        const std::uint64_t length = (*data >> 2) + 1;
        if (length > out.size() - written)
            return damaged(tr("the BPS patch is damaged: it writes past the target's end"));
        const auto n = static_cast<std::size_t>(length);
        switch (*data & 3) {
            case SourceRead:
                if (written + n > source.size())
                    return damaged(tr("the BPS patch is damaged: it reads past the source's end"));
                std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(written), n,
                            out.begin() + static_cast<std::ptrdiff_t>(written));
                break;
            case TargetRead: {
                const std::size_t from = reader.at();
                if (!reader.skip(n))
                    return damaged(tr("the BPS patch is damaged: stored bytes are cut short"));
                std::copy_n(patch.begin() + static_cast<std::ptrdiff_t>(from), n,
                            out.begin() + static_cast<std::ptrdiff_t>(written));
                break;
            }
            case SourceCopy:
            case TargetCopy: {
                const auto offset = reader.number();
                if (!offset || (*offset >> 1) > (std::uint64_t{1} << 40)) {
                    return damaged(tr("the BPS patch is damaged: a copy offset is broken"));
                }
                const auto delta = static_cast<std::int64_t>(*offset >> 1);
                std::int64_t& base = (*data & 3) == SourceCopy ? sourceOffset : targetOffset;
                base += (*offset & 1) ? -delta : delta;
                if ((*data & 3) == SourceCopy) {
                    if (base < 0 || static_cast<std::uint64_t>(base) + n > source.size()) {
                        return damaged(
                            tr("the BPS patch is damaged: a copy reads outside the source"));
                    }
                    std::copy_n(source.begin() + base, n,
                                out.begin() + static_cast<std::ptrdiff_t>(written));
                } else {
                    if (base < 0 || static_cast<std::uint64_t>(base) >= written) {
                        return damaged(
                            tr("the BPS patch is damaged: a copy reads outside the target written "
                               "so far"));
                    }
                    // Byte by byte: the copy may overlap the bytes it produces.
                    for (std::size_t i = 0; i < n; ++i) {
                        out[written + i] = out[static_cast<std::size_t>(base) + i];
                    }
                }
                base += static_cast<std::int64_t>(n);
                break;
            }
        }
        written += n;
    }
    if (written != out.size())
        return damaged(tr("the BPS patch is damaged: it ends before the whole target is written"));
    if (crc32Of(out) != targetCrc)
        return damaged(tr("the BPS patch is damaged: the result's checksum does not match"));
    return {PatchOutcome::Status::Applied, std::move(out), {}};
}

}  // namespace vesk::exchange
