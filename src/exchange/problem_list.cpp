#include "exchange/problem_list.h"

namespace vesk::exchange {

void ProblemList::add(std::string problem) {
    if (shown_.size() < kShown) shown_.push_back(std::move(problem));
    ++total_;
}

std::vector<std::string> ProblemList::lines() const {
    std::vector<std::string> result = shown_;
    if (omitted() > 0) result.push_back("and " + std::to_string(omitted()) + " more problem(s)");
    return result;
}

}  // namespace vesk::exchange
