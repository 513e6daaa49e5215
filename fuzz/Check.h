// What the fuzz targets do when an invariant does not hold: name it, show the input in ^ ] \
// notation, and abort, so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/mvdb/Notation.h"

namespace mvdb::fuzz {

inline void require(bool holds, const char* invariant, const std::string& input) {
    if (holds) return;
    std::fprintf(stderr, "Invariant violated: %s\nInput: %s\n", invariant,
                 toNotation(input).c_str());
    std::abort();
}

}  // namespace mvdb::fuzz
