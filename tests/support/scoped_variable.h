#pragma once

#include <optional>
#include <string>

namespace vesk::test {

// Sets (or, given no value, removes) an environment variable of this process for the
// life of the object, then puts back what was there before. Values are UTF-8.
class ScopedVariable {
public:
    ScopedVariable(std::string name, const std::optional<std::string>& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace vesk::test
