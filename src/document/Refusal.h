#pragma once

#include <cstddef>
#include <string>

// Why a file cannot be taken as a system: a Spanish sentence for the user, and the line of
// the file it concerns (0 when it concerns the whole file).
struct Refusal
{
    std::string message; // UTF-8
    std::size_t line = 0;

    bool operator==(const Refusal&) const = default;
};
