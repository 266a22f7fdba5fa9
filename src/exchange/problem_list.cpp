#include "exchange/problem_list.h"

#include <cstdio>

#include "text/catalog.h"

namespace vesk::exchange {

using text::tr;

std::string linePlace(int line) { return tr("line {line}", {{"line", line}}); }

std::string entryPlace(std::size_t entry) { return tr("entry {entry}", {{"entry", entry}}); }

std::string enemyNumber(int enemy) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", enemy);
    return number;
}

std::string withEnemy(const std::string& place, int enemy) {
    return tr("{place} (enemy {enemy})", {{"place", place}, {"enemy", enemyNumber(enemy)}});
}

std::string withColumn(const std::string& place, std::string_view column) {
    return tr("{place}, {column}", {{"place", place}, {"column", column}});
}

std::string placed(const std::string& place, const std::string& problem) {
    return tr("{place}: {problem}", {{"place", place}, {"problem", problem}});
}

void ProblemList::add(std::string problem) {
    if (shown_.size() < kShown) shown_.push_back(std::move(problem));
    ++total_;
}

std::vector<std::string> ProblemList::lines() const {
    std::vector<std::string> result = shown_;
    if (omitted() > 0) result.push_back(tr("and {count} more problem(s)", {{"count", omitted()}}));
    return result;
}

}  // namespace vesk::exchange
