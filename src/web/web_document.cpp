#include "web/web_document.h"

#include <algorithm>

#include "data/value_tables.h"
#include "exchange/bps_patch.h"
#include "exchange/table_import.h"
#include "exchange/table_input.h"
#include "web/page_messages.h"

namespace vesk::web {
namespace {

constexpr std::size_t kImageMinimum = EnemyBlock::kImageOffset + EnemyBlock::kSize;

EnemyBlock blockOf(exchange::ByteView image) {
    EnemyBlock block;
    std::copy_n(image.begin() + EnemyBlock::kImageOffset, EnemyBlock::kSize, block.bytes().begin());
    return block;
}

}  // namespace

std::string WebDocument::openImage(exchange::ByteView image) {
    if (image.size() < kImageMinimum) return std::string(messages::kTooShort);
    image_.assign(image.begin(), image.end());
    block_ = blockOf(image);
    if (!ownOriginal_) {
        original_ = image_;
        originalBlock_ = block_;
    }
    return {};
}

std::string WebDocument::openOriginal(exchange::ByteView image) {
    if (image.size() < kImageMinimum) return std::string(messages::kTooShort);
    original_.assign(image.begin(), image.end());
    originalBlock_ = blockOf(image);
    ownOriginal_ = true;
    return {};
}

bool WebDocument::hasImage() const { return !image_.empty(); }
const EnemyBlock& WebDocument::block() const { return block_; }
const EnemyBlock& WebDocument::originalBlock() const { return originalBlock_; }

void WebDocument::setHpPosition(int enemy, int position) {
    block_.setHpIndex(enemy, hpStored(block_.hpIndex(enemy), position));
}

void WebDocument::setKeroIndex(int enemy, int index) { block_.setKeroIndex(enemy, index); }

int WebDocument::setStatText(int enemy, int stat, std::string_view text) {
    const std::string shown = statFieldText(text);
    const int value = shown.empty() ? 0 : std::stoi(shown);
    block_.setStat(enemy, stat, value);
    return value;
}

void WebDocument::setAbility(int enemy, int slot, int id) { block_.setAbilityAt(enemy, slot, id); }

exchange::BulkEdit WebDocument::bulkEdit(const std::vector<int>& enemies,
                                         const std::string& assignment) {
    exchange::BulkEdit edit = exchange::applyAssignmentTexts(block_, enemies, {assignment});
    if (edit.problem.empty()) block_ = edit.block;
    return edit;
}

exchange::Bytes WebDocument::image() const {
    exchange::Bytes bytes = image_;
    if (bytes.size() >= kImageMinimum) {
        std::copy(block_.bytes().begin(), block_.bytes().end(),
                  bytes.begin() + EnemyBlock::kImageOffset);
    }
    return bytes;
}

const exchange::Bytes& WebDocument::originalImage() const { return original_; }

std::vector<exchange::FieldChange> WebDocument::changes() const {
    return exchange::diffFields(originalBlock_, block_);
}

std::size_t WebDocument::otherDifferences() const {
    return exchange::otherDifferences(original_, image());
}

exchange::Bytes WebDocument::bpsPatch() const { return exchange::makeBpsPatch(original_, image()); }

exchange::IpsPatchResult WebDocument::ipsPatch() const {
    return exchange::makeIpsPatch(original_, image());
}

std::vector<std::string> WebDocument::importTable(std::string_view text) {
    exchange::ImportPlan plan = exchange::planImport(block_, exchange::readTable(text));
    if (plan.problems.empty()) block_ = plan.block;
    return plan.problems.lines();
}

std::string WebDocument::applyPatch(exchange::ByteView patch) {
    const exchange::Bytes current = image();
    exchange::PatchOutcome outcome;
    if (exchange::looksLikeBps(patch)) {
        outcome = exchange::applyBpsPatch(current, patch);
    } else if (exchange::looksLikeIps(patch)) {
        outcome = exchange::applyIpsPatch(current, patch);
    } else {
        return std::string(messages::kNotAPatch);
    }
    if (outcome.status != exchange::PatchOutcome::Status::Applied) return outcome.message;
    if (outcome.image.size() < kImageMinimum) return std::string(messages::kPatchTooShort);
    image_ = std::move(outcome.image);
    block_ = blockOf(image_);
    return {};
}

std::string WebDocument::statFieldText(std::string_view typed) {
    const bool allDigits =
        std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (allDigits) {
        // Typing: the digits as typed, at most three, and never more than 255.
        const std::string digits(typed.substr(0, 3));
        return digits.empty() || std::stoi(digits) <= 255 ? digits : std::string("255");
    }
    // Pasted text is read like the C library's atoi reads it, then kept within 0-255.
    std::size_t at = 0;
    while (at < typed.size() && (typed[at] == ' ' || typed[at] == '\t')) ++at;
    bool negative = false;
    if (at < typed.size() && (typed[at] == '-' || typed[at] == '+')) negative = typed[at++] == '-';
    int value = 0;
    while (at < typed.size() && typed[at] >= '0' && typed[at] <= '9' && value <= 255) {
        value = value * 10 + (typed[at++] - '0');
    }
    return std::to_string(negative ? 0 : std::min(value, 255));
}

}  // namespace vesk::web
