// The page's view of the core: WebDocument and the labels, bound with embind. Bytes go
// in and out as Uint8Array; nothing here reaches a file or the network.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

#include "data/name_tables.h"
#include "data/value_tables.h"
#include "exchange/cell_value.h"
#include "exchange/enemy_field.h"
#include "exchange/enemy_table.h"
#include "exchange/field_labels.h"
#include "text/catalog.h"
#include "web/row_values.h"
#include "web/web_document.h"

namespace vesk::web {
namespace {

using emscripten::val;

exchange::Bytes bytesFrom(const val& array) {
    return emscripten::convertJSArrayToNumberVector<std::uint8_t>(array);
}

template <typename T>
val typedArray(const std::vector<T>& values) {
    return val(emscripten::typed_memory_view(values.size(), values.data())).call<val>("slice");
}

val bytesOfText(const std::string& text) {
    return typedArray(std::vector<std::uint8_t>(text.begin(), text.end()));
}

val stringArray(const std::vector<std::string>& texts) {
    val array = val::array();
    for (const std::string& text : texts) array.call<void>("push", text);
    return array;
}

template <typename Label>
val labelArray(int count, Label label) {
    val array = val::array();
    for (int i = 0; i < count; ++i) array.call<void>("push", std::string(label(i)));
    return array;
}

// The fields a bulk edit can assign, but the ability slots: their keys in the assignment
// and their labels. hp and kero go by the values their lists show, hp_index and kero_index
// by the stored number.
val bulkFields() {
    val fields = val::array();
    for (const exchange::EnemyField& each : exchange::enemyFields()) {
        if (each.kind == exchange::EnemyField::Kind::Ability) continue;
        val field = val::object();
        field.set("label", each.label() + " (" + each.key() + ")");
        field.set("name", each.key());
        fields.call<void>("push", field);
    }
    return fields;
}

// Every text the page shows for the enemy data, as the window shows it.
val labels() {
    val result = val::object();
    result.set("enemies", labelArray(EnemyBlock::kEnemyCount, enemyLabel));
    result.set("enemyNames", labelArray(EnemyBlock::kEnemyCount, enemyName));
    result.set("hp", labelArray(kHpLabelCount, hpLabel));
    result.set("kero", labelArray(kKeroLabelCount, keroLabel));
    result.set("abilities", labelArray(kAbilityIdCount, abilityLabel));
    result.set("hpField", std::string(exchange::hpFieldLabel()));
    result.set("keroField", std::string(exchange::keroFieldLabel()));
    result.set("statFields", labelArray(EnemyBlock::kStatCount,
                                        [](int k) { return exchange::statFieldLabel(k); }));
    result.set("maxAbilities", EnemyBlock::kMaxAbilities);
    result.set("bulkFields", bulkFields());
    result.set("rowValues", kRowValues);
    val layout = val::object();
    layout.set("hp", row::kHpIndex);
    layout.set("hpPosition", row::kHpPosition);
    layout.set("kero", row::kKeroIndex);
    layout.set("stats", row::kStats);
    layout.set("count", row::kAbilityCount);
    layout.set("abilities", row::kAbilities);
    result.set("rowLayout", layout);
    return result;
}

val rows(const WebDocument& document) { return typedArray(rowValues(document.block())); }
val originalRows(const WebDocument& document) {
    return typedArray(rowValues(document.originalBlock()));
}

val statFieldText(const std::string& text) {
    const StatFieldText shown = WebDocument::statFieldText(text);
    val result = val::object();
    result.set("text", shown.text);
    result.set("selectAll", shown.selectAll);
    return result;
}
int setStatText(WebDocument& document, int enemy, int stat, const std::string& text) {
    return document.setStatText(enemy, stat, text);
}

std::string openImage(WebDocument& document, const val& bytes) {
    return document.openImage(bytesFrom(bytes));
}
std::string openOriginal(WebDocument& document, const val& bytes) {
    return document.openOriginal(bytesFrom(bytes));
}

// An ability typed or chosen as a number or a label; "" when stored, else the problem.
std::string setAbilityText(WebDocument& document, int enemy, int slot, const std::string& text) {
    const exchange::CellValue id = exchange::readLabelledCell(
        text, 0, kAbilityIdCount - 1, [](int v) { return std::string(abilityName(v)); });
    if (id.problem.empty()) document.setAbility(enemy, slot, id.value);
    return id.problem;
}

// The field diff as `vesk diff` prints it, one change a line, and how many changes there
// are: one text rather than a string per line, which would cost a crossing each.
val changes(const WebDocument& document) {
    const auto changes = document.changes();
    std::string text;
    for (const auto& change : changes) text += exchange::describeChange(change) + '\n';
    val result = val::object();
    result.set("text", text);
    result.set("count", static_cast<int>(changes.size()));
    return result;
}

val imageWarnings(const WebDocument& document) { return stringArray(document.imageWarnings()); }

double otherDifferences(const WebDocument& document) {
    return static_cast<double>(document.otherDifferences());
}

val image(const WebDocument& document) { return typedArray(document.image()); }
val bpsPatch(const WebDocument& document) { return typedArray(document.bpsPatch()); }
val ipsPatch(const WebDocument& document) {
    const exchange::IpsPatchResult result = document.ipsPatch();
    val out = val::object();
    out.set("patch", typedArray(result.patch));
    out.set("problem", result.problem);
    return out;
}
val csv(const WebDocument& document) { return bytesOfText(exchange::exportCsv(document.block())); }
val json(const WebDocument& document) {
    return bytesOfText(exchange::exportJson(document.block()));
}

val importTable(WebDocument& document, const val& bytes) {
    const exchange::Bytes data = bytesFrom(bytes);
    const std::string text(data.begin(), data.end());
    return stringArray(document.importTable(text));
}

// {problem, notes}: why nothing changed, or the clamping notes as `vesk set` prints them.
val bulkEdit(WebDocument& document, const val& enemies, const std::string& assignment) {
    const exchange::BulkEdit edit =
        document.bulkEdit(emscripten::convertJSArrayToNumberVector<int>(enemies), assignment);
    val result = val::object();
    result.set("problem", edit.problem);
    result.set("notes", stringArray(edit.noteLines));
    return result;
}

std::string applyPatch(WebDocument& document, const val& bytes) {
    return document.applyPatch(bytesFrom(bytes));
}

// The page's texts: the pattern of a catalog entry in the chosen language, placeholders
// left for the page to fill.
std::string pageText(const std::string& msgid) {
    return std::string(text::lookUp(msgid, text::language()));
}
void setLanguage(const std::string& code) {
    text::setLanguage(code == "en" ? text::Language::English : text::Language::Japanese);
}

val originalImage(const WebDocument& document) { return typedArray(document.originalImage()); }
val history(const WebDocument& document) { return typedArray(document.history()); }
double state(const WebDocument& document) { return document.state(); }

std::string restore(WebDocument& document, const val& image, const val& original, bool ownOriginal,
                    const val& history) {
    return document.restore(bytesFrom(image), bytesFrom(original), ownOriginal, bytesFrom(history));
}

}  // namespace

EMSCRIPTEN_BINDINGS(vesk_web) {
    using emscripten::class_;
    using emscripten::function;
    function("labels", &labels);
    function("statFieldText", &statFieldText);
    function("text", &pageText);
    function("setLanguage", &setLanguage);
    class_<WebDocument>("WebDocument")
        .constructor<>()
        .function("openImage", &openImage)
        .function("openOriginal", &openOriginal)
        .function("hasImage", &WebDocument::hasImage)
        .function("rows", &rows)
        .function("originalRows", &originalRows)
        .function("setHpPosition", &WebDocument::setHpPosition)
        .function("setKeroIndex", &WebDocument::setKeroIndex)
        .function("setStatText", &setStatText)
        .function("setAbilityText", &setAbilityText)
        .function("bulkEdit", &bulkEdit)
        .function("changes", &changes)
        .function("imageWarnings", &imageWarnings)
        .function("otherDifferences", &otherDifferences)
        .function("image", &image)
        .function("bpsPatch", &bpsPatch)
        .function("ipsPatch", &ipsPatch)
        .function("csv", &csv)
        .function("json", &json)
        .function("importTable", &importTable)
        .function("applyPatch", &applyPatch)
        .function("beginStep", &WebDocument::beginStep)
        .function("endStep", &WebDocument::endStep)
        .function("undo", &WebDocument::undo)
        .function("redo", &WebDocument::redo)
        .function("canUndo", &WebDocument::canUndo)
        .function("canRedo", &WebDocument::canRedo)
        .function("state", &state)
        .function("history", &history)
        .function("originalImage", &originalImage)
        .function("restore", &restore);
}

}  // namespace vesk::web
