// The checks every writer makes on a text before it becomes a field.
#pragma once

#include <cstddef>
#include <string>

#include "files/field_text.h"

namespace kelvane::builder {

// Empty when the text can be a field of at most maxUnits units as it
// stands; else what is wrong with it, after "what".
inline std::string FieldProblem(const std::string &what, const Text &text, std::size_t maxUnits = kFieldUnits) {
    if (text.empty()) return what + " is empty";
    if (text.size() > maxUnits) return what + " is over " + std::to_string(maxUnits) + " units";
    if (CleanText(text) != text) return what + " has control characters or stray spaces";
    if (CutText(text, text.size()) != text) return what + " ends inside a character";
    return std::string();
}

}  // namespace kelvane::builder
