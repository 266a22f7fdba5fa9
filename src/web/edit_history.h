#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/bytes.h"

namespace vesk::web {

// One step of undo and redo: the bytes of the enemy block it changed, before and after.
// A patch may change any byte of the image, so a step that took one holds the whole
// image before and after instead.
struct EditStep {
    struct ByteChange {
        std::uint32_t offset;
        std::uint8_t before, after;
    };
    std::uint32_t id = 0;
    std::vector<ByteChange> block;
    exchange::Bytes imageBefore, imageAfter;  // both empty unless the image was replaced

    bool replacesImage() const { return !imageAfter.empty(); }
    bool empty() const { return block.empty() && !replacesImage(); }
    std::size_t size() const;

    static EditStep between(const EnemyBlock& before, const EnemyBlock& after);
};

// The document's steps, oldest first, and how many of them are applied. Bounded in
// memory: the oldest steps go once there are more than kMaxSteps or they hold more than
// kMaxBytes, though the newest step is always kept.
class EditHistory {
public:
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = 32u << 20;

    void clear();
    // Takes a step just made; the steps undone before it can no longer be redone. An
    // empty step is no step.
    void record(EditStep step);
    // The step to revert or to make again, nullptr when there is none; moves past it.
    const EditStep* undo();
    const EditStep* redo();
    bool canUndo() const { return applied_ > 0; }
    bool canRedo() const { return applied_ < steps_.size(); }
    // Names the state the steps have reached: 0 as opened, another number after each step,
    // the same number again when undo or redo comes back to that state.
    std::uint32_t state() const;

    // The steps as bytes, to be kept by the page and read back with load(), which refuses
    // (returning false and keeping what it had) anything save() did not make.
    exchange::Bytes save() const;
    bool load(exchange::ByteView bytes);

private:
    void trim();

    std::deque<EditStep> steps_;
    std::size_t applied_ = 0;
    std::size_t bytes_ = 0;
    std::uint32_t lastId_ = 0;
    std::uint32_t baseState_ = 0;  // the state before the oldest step kept
};

}  // namespace vesk::web
