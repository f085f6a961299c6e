#pragma once
// A small deterministic mutation fuzzer: inputs are seeds from a corpus and
// their mutations, drawn from a seeded generator and bounded by a number of
// iterations and of seconds. A target runs one input and checks properties
// on the results; crashes and traps end the run through the unhandled-
// exception filter, which saves the input first.

#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::string;

struct Target {
    const char* name;
    // Empty when every property held, else what failed.
    std::string (*run)(const Bytes& input);
    // Tokens worth splicing into inputs of this target.
    std::vector<Bytes> dictionary;
};

const std::vector<Target>& targets();

// Bytes as UTF-16 units, one unit per byte, except that 0xFF and the two
// bytes after it give one unit of any value (high byte first).
std::wstring widen(const Bytes& input);

} // namespace fuzz
