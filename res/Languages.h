#pragma once

#include <span>

namespace res {

// A language the suggestions can be asked in: its code for the service and its name in
// itself.
struct Language {
    const char* code;    // "de", "zh-CN"
    const char* ownName; // UTF-8: "Deutsch", "中文"
};

// The languages the Language and Region dialog offers, in the order it shows them.
std::span<const Language> Languages();

} // namespace res
