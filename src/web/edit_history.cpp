#include "web/edit_history.h"

#include <algorithm>
#include <optional>

namespace vesk::web {
namespace {

constexpr std::uint8_t kMagic[] = {'V', 'H', 'S', '1'};

void putWord(exchange::Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putBytes(exchange::Bytes& out, const exchange::Bytes& bytes) {
    putWord(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// Reads what putWord() and putBytes() wrote; every read fails once one ran past the end.
class Reader {
public:
    explicit Reader(exchange::ByteView bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> word() {
        if (bytes_.size() - at_ < 4) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{bytes_[at_++]} << (8 * i);
        return value;
    }
    std::optional<std::uint8_t> byte() {
        if (at_ == bytes_.size()) return std::nullopt;
        return bytes_[at_++];
    }
    std::optional<exchange::Bytes> bytes() {
        const auto size = word();
        if (!size || bytes_.size() - at_ < *size) return std::nullopt;
        exchange::Bytes out(bytes_.begin() + at_, bytes_.begin() + at_ + *size);
        at_ += *size;
        return out;
    }
    bool done() const { return at_ == bytes_.size(); }

private:
    exchange::ByteView bytes_;
    std::size_t at_ = 0;
};

std::optional<EditStep> readStep(Reader& in) {
    EditStep step;
    const auto id = in.word();
    const auto changes = in.word();
    if (!id || !changes || *changes > EnemyBlock::kSize) return std::nullopt;
    for (std::uint32_t i = 0; i < *changes; ++i) {
        const auto offset = in.word();
        const auto before = in.byte();
        const auto after = in.byte();
        if (!offset || !before || !after || *offset >= EnemyBlock::kSize) return std::nullopt;
        step.block.push_back({*offset, *before, *after});
    }
    auto imageBefore = in.bytes();
    auto imageAfter = in.bytes();
    if (!imageBefore || !imageAfter || imageBefore->empty() != imageAfter->empty())
        return std::nullopt;
    if (!imageAfter->empty() &&
        !(EnemyBlock::fitsIn(imageBefore->size()) && EnemyBlock::fitsIn(imageAfter->size()))) {
        return std::nullopt;
    }
    step.id = *id;
    step.imageBefore = std::move(*imageBefore);
    step.imageAfter = std::move(*imageAfter);
    return step;
}

}  // namespace

std::size_t EditStep::size() const {
    return sizeof(EditStep) + block.size() * sizeof(ByteChange) + imageBefore.size() +
           imageAfter.size();
}

EditStep EditStep::between(const EnemyBlock& before, const EnemyBlock& after) {
    EditStep step;
    for (std::size_t i = 0; i < EnemyBlock::kSize; ++i) {
        if (before.bytes()[i] != after.bytes()[i]) {
            step.block.push_back(
                {static_cast<std::uint32_t>(i), before.bytes()[i], after.bytes()[i]});
        }
    }
    return step;
}

void EditHistory::clear() { *this = EditHistory(); }

void EditHistory::record(EditStep step) {
    if (step.empty()) return;
    while (steps_.size() > applied_) {
        bytes_ -= steps_.back().size();
        steps_.pop_back();
    }
    step.id = ++lastId_;
    bytes_ += step.size();
    steps_.push_back(std::move(step));
    applied_ = steps_.size();
    trim();
}

void EditHistory::trim() {
    while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
        baseState_ = steps_.front().id;
        bytes_ -= steps_.front().size();
        steps_.pop_front();
        --applied_;
    }
}

const EditStep* EditHistory::undo() { return canUndo() ? &steps_[--applied_] : nullptr; }

const EditStep* EditHistory::redo() { return canRedo() ? &steps_[applied_++] : nullptr; }

std::uint32_t EditHistory::state() const {
    return applied_ == 0 ? baseState_ : steps_[applied_ - 1].id;
}

exchange::Bytes EditHistory::save() const {
    exchange::Bytes out(std::begin(kMagic), std::end(kMagic));
    putWord(out, lastId_);
    putWord(out, baseState_);
    putWord(out, static_cast<std::uint32_t>(applied_));
    putWord(out, static_cast<std::uint32_t>(steps_.size()));
    for (const EditStep& step : steps_) {
        putWord(out, step.id);
        putWord(out, static_cast<std::uint32_t>(step.block.size()));
        for (const EditStep::ByteChange& change : step.block) {
            putWord(out, change.offset);
            out.push_back(change.before);
            out.push_back(change.after);
        }
        putBytes(out, step.imageBefore);
        putBytes(out, step.imageAfter);
    }
    return out;
}

bool EditHistory::load(exchange::ByteView bytes) {
    if (bytes.size() < sizeof kMagic ||
        !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) {
        return false;
    }
    Reader in(bytes.subspan(sizeof kMagic));
    EditHistory loaded;
    const auto lastId = in.word();
    const auto baseState = in.word();
    const auto applied = in.word();
    const auto count = in.word();
    if (!lastId || !baseState || !applied || !count || *applied > *count || *count > kMaxSteps) {
        return false;
    }
    for (std::uint32_t i = 0; i < *count; ++i) {
        std::optional<EditStep> step = readStep(in);
        if (!step) return false;
        loaded.bytes_ += step->size();
        loaded.steps_.push_back(std::move(*step));
    }
    if (!in.done()) return false;
    loaded.lastId_ = *lastId;
    loaded.baseState_ = *baseState;
    loaded.applied_ = *applied;
    *this = std::move(loaded);
    return true;
}

}  // namespace vesk::web
