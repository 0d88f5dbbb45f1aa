#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// Reports a property that does not hold and aborts, so that libFuzzer keeps the input.
[[noreturn]] inline void finding(const std::string& what)
{
    std::fprintf(stderr, "finding: %s\n", what.c_str());
    std::abort();
}
