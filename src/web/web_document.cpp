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
    history_.clear();
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
    Step step(*this);
    block_.setHpIndex(enemy, hpStored(block_.hpIndex(enemy), position));
}

void WebDocument::setKeroIndex(int enemy, int index) {
    Step step(*this);
    block_.setKeroIndex(enemy, index);
}

int WebDocument::setStatText(int enemy, int stat, std::string_view text) {
    Step step(*this);
    const int value = clampedStatValue(text.substr(0, kStatFieldLength));
    block_.setStat(enemy, stat, value);
    return value;
}

void WebDocument::setAbility(int enemy, int slot, int id) {
    Step step(*this);
    block_.setAbilityAt(enemy, slot, id);
}

exchange::BulkEdit WebDocument::bulkEdit(const std::vector<int>& enemies,
                                         const std::string& assignment) {
    Step step(*this);
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
    Step step(*this);
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
    Step step(*this);
    replaceImage(std::move(outcome.image));
    return {};
}

void WebDocument::replaceImage(exchange::Bytes image) {
    if (openSteps_ > 0 && stepImage_.empty()) stepImage_ = image_;
    image_ = std::move(image);
    block_ = EnemyBlock::readFrom(image_);
}

void WebDocument::beginStep() {
    if (openSteps_++ > 0) return;
    stepBlock_ = block_;
    stepImage_.clear();
}

void WebDocument::endStep() {
    if (openSteps_ == 0 || --openSteps_ > 0) return;
    EditStep step;
    if (stepImage_.empty()) {
        step = EditStep::between(stepBlock_, block_);
    } else {
        stepBlock_.writeInto(stepImage_);
        step.imageBefore = std::move(stepImage_);
        step.imageAfter = image();
        // A patch that changed nothing is no step.
        if (step.imageBefore == step.imageAfter) step = EditStep();
    }
    stepImage_.clear();
    history_.record(std::move(step));
}

// Puts the image as it was before the step (`forward` false) or after it.
void WebDocument::show(const EditStep& step, bool forward) {
    if (step.replacesImage()) {
        image_ = forward ? step.imageAfter : step.imageBefore;
        block_ = EnemyBlock::readFrom(image_);
        return;
    }
    for (const EditStep::ByteChange& change : step.block)
        block_.bytes()[change.offset] = forward ? change.after : change.before;
}

// Undo and redo while a step is open would leave the step's start behind them.
bool WebDocument::undo() {
    const EditStep* step = openSteps_ == 0 ? history_.undo() : nullptr;
    if (step) show(*step, false);
    return step != nullptr;
}

bool WebDocument::redo() {
    const EditStep* step = openSteps_ == 0 ? history_.redo() : nullptr;
    if (step) show(*step, true);
    return step != nullptr;
}

bool WebDocument::canUndo() const { return history_.canUndo(); }
bool WebDocument::canRedo() const { return history_.canRedo(); }
std::uint32_t WebDocument::state() const { return history_.state(); }
exchange::Bytes WebDocument::history() const { return history_.save(); }

std::string WebDocument::restore(exchange::ByteView image, exchange::ByteView original,
                                 bool ownOriginal, exchange::ByteView history) {
    if (!EnemyBlock::fitsIn(image.size()) || !EnemyBlock::fitsIn(original.size())) {
        return messages::tooShort();
    }
    EditHistory steps;
    if (!steps.load(history)) return messages::historyUnreadable();
    openOriginal(original);
    ownOriginal_ = ownOriginal;
    image_.assign(image.begin(), image.end());
    block_ = EnemyBlock::readFrom(image);
    history_ = std::move(steps);
    return {};
}

StatFieldText WebDocument::statFieldText(std::string_view text) {
    return statFieldAfterEdit(text.substr(0, kStatFieldLength));
}

}  // namespace vesk::web
