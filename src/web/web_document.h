#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/enemy_block.h"
#include "data/stat_text.h"
#include "exchange/bulk_edit.h"
#include "exchange/bytes.h"
#include "exchange/field_diff.h"
#include "exchange/ips_patch.h"
#include "web/edit_history.h"

namespace vesk::web {

// What the browser page edits: an opened image, the untouched original it is compared
// with, and the enemy block of each. Bytes in, bytes out: the page reads and saves the
// files itself, so nothing here touches a file.
class WebDocument {
public:
    // Takes an image; "" when it was taken, otherwise the message for the user, and then
    // everything stays as it was. The image also becomes the original unless one was
    // given with openOriginal().
    std::string openImage(exchange::ByteView image);
    // Takes an untouched image to compare with and make patches from; "" or a message.
    std::string openOriginal(exchange::ByteView image);

    bool hasImage() const;
    const EnemyBlock& block() const;
    const EnemyBlock& originalBlock() const;

    void setHpPosition(int enemy, int position);
    void setKeroIndex(int enemy, int index);
    // Stores the stat a field's text stands for and gives the value stored.
    int setStatText(int enemy, int stat, std::string_view text);
    void setAbility(int enemy, int slot, int id);
    // One assignment such as "attack*=1.5" applied to every enemy listed, with the rules
    // of `vesk set`; nothing changes when it has a problem.
    exchange::BulkEdit bulkEdit(const std::vector<int>& enemies, const std::string& assignment);

    // One sentence per check of the cartridge header the opened image fails; the image is
    // opened all the same.
    std::vector<std::string> imageWarnings() const;

    // The whole image with the edited block in place.
    exchange::Bytes image() const;
    const exchange::Bytes& originalImage() const;

    std::vector<exchange::FieldChange> changes() const;
    std::size_t otherDifferences() const;

    exchange::Bytes bpsPatch() const;
    exchange::IpsPatchResult ipsPatch() const;

    // Reads a CSV or JSON table and takes it only when every row passes; otherwise the
    // problems, and nothing changes.
    std::vector<std::string> importTable(std::string_view text);
    // Applies a BPS or IPS patch to the opened image; "" or why it was refused.
    std::string applyPatch(exchange::ByteView patch);

    // What a stat field shows after the user's edit left `text` in it: the window's rule,
    // the field holding at most its three characters.
    static StatFieldText statFieldText(std::string_view text);

    // Undo and redo. Every change above is one step; the changes between beginStep() and
    // the endStep() that matches it are one step together (a paste of many cells).
    void beginStep();
    void endStep();
    bool undo();
    bool redo();
    bool canUndo() const;
    bool canRedo() const;
    // Which state the edits have reached; see EditHistory::state().
    std::uint32_t state() const;
    exchange::Bytes history() const;

    // Takes back what a page kept: the image as it was, the original, whether that was
    // opened on its own, and history(). All or nothing: "" or the message, and then
    // everything stays as it was.
    std::string restore(exchange::ByteView image, exchange::ByteView original, bool ownOriginal,
                        exchange::ByteView history);

private:
    // Begins a step on construction and ends it on destruction, around each change.
    class Step {
    public:
        explicit Step(WebDocument& document) : document_(document) { document_.beginStep(); }
        ~Step() { document_.endStep(); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        WebDocument& document_;
    };
    void replaceImage(exchange::Bytes image);
    void show(const EditStep& step, bool forward);

    EditHistory history_;
    int openSteps_ = 0;
    EnemyBlock stepBlock_;       // the block as the open step found it
    exchange::Bytes stepImage_;  // the image as the open step found it, once it replaces it

    exchange::Bytes image_;
    exchange::Bytes original_;
    EnemyBlock block_;
    EnemyBlock originalBlock_;
    bool ownOriginal_ = false;  // the original came from openOriginal(), not openImage()
};

}  // namespace vesk::web
