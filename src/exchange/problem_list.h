#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::exchange {

// Where a problem of a table is, in the chosen language: a place is built from these noun
// phrases ("line 3 (enemy 005), hp_index") and put before its problem by `placed`.
std::string linePlace(int line);                                            // "line 3"
std::string entryPlace(std::size_t entry);                                  // "entry 3"
std::string withEnemy(const std::string& place, int enemy);                 // "line 3 (enemy 005)"
std::string withColumn(const std::string& place, std::string_view column);  // "line 3, hp"
std::string placed(const std::string& place, const std::string& problem);   // "line 3: ..."
std::string enemyNumber(int enemy);                                         // "005"

// The problems found in a table: every one is counted, but only the first screenful is
// kept, so that a large file of junk costs neither memory nor a flooded terminal.
class ProblemList {
public:
    static constexpr std::size_t kShown = 20;

    void add(std::string problem);
    bool empty() const { return total_ == 0; }
    std::size_t total() const { return total_; }  // found, shown or not
    const std::vector<std::string>& shown() const { return shown_; }
    std::size_t omitted() const { return total_ - shown_.size(); }
    // The shown problems, then "and N more problem(s)" when some were left out.
    std::vector<std::string> lines() const;

private:
    std::vector<std::string> shown_;
    std::size_t total_ = 0;
};

}  // namespace vesk::exchange
