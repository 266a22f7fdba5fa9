#include "web/web_document.h"

#include <algorithm>

#include "data/cartridge_header.h"
#include "data/stat_text.h"
#include "data/value_tables.h"
#include "exchange/bps_patch.h"
#include "exchange/table_import.h"
#include "exchange/table_input.h"
#include "web/page_messages.h"

namespace vesk::web {

std::string WebDocument::openImage(exchange::ByteView image) {
    if (!EnemyBlock::fitsIn(image.size())) return messages::tooShort();
    image_.assign(image.begin(), image.end());
    block_ = EnemyBlock::readFrom(image);
    if (!ownOriginal_) {
        original_ = image_;
        originalBlock_ = block_;
    }
    return {};
}

std::string WebDocument::openOriginal(exchange::ByteView image) {
    if (!EnemyBlock::fitsIn(image.size())) return messages::tooShort();
    original_.assign(image.begin(), image.end());
    originalBlock_ = EnemyBlock::readFrom(image);
    ownOriginal_ = true;
    return {};
}

std::vector<std::string> WebDocument::imageWarnings() const {
    std::vector<std::string> warnings;
    for (const HeaderProblem& problem : cartridgeHeaderProblems(image_)) {
        warnings.push_back(messages::headerProblem(problem));
    }
    return warnings;
}

bool WebDocument::hasImage() const { return !image_.empty(); }
const EnemyBlock& WebDocument::block() const { return block_; }
const EnemyBlock& WebDocument::originalBlock() const { return originalBlock_; }

void WebDocument::setHpPosition(int enemy, int position) {
    block_.setHpIndex(enemy, hpStored(block_.hpIndex(enemy), position));
}

void WebDocument::setKeroIndex(int enemy, int index) { block_.setKeroIndex(enemy, index); }

int WebDocument::setStatText(int enemy, int stat, std::string_view text) {
    const int value = clampedStatValue(text.substr(0, kStatFieldLength));
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
    if (EnemyBlock::fitsIn(bytes.size())) block_.writeInto(bytes);
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
        return messages::notAPatch();
    }
    if (outcome.status != exchange::PatchOutcome::Status::Applied) return outcome.message;
    if (!EnemyBlock::fitsIn(outcome.image.size())) return messages::patchTooShort();
    image_ = std::move(outcome.image);
    block_ = EnemyBlock::readFrom(image_);
    return {};
}

StatFieldText WebDocument::statFieldText(std::string_view text) {
    return statFieldAfterEdit(text.substr(0, kStatFieldLength));
}

}  // namespace vesk::web
