#pragma once

#include <exception>
#include <string>

namespace solver {

// The run-time errors that arithmetic, indexing and conversions raise. The window shows
// the description to the user, so it is Spanish.
class RuntimeError : public std::exception
{
public:
    static constexpr int Overflow = 6;
    static constexpr int SubscriptOutOfRange = 9;
    static constexpr int DivisionByZero = 11;
    static constexpr int TypeMismatch = 13;
    // Never raised here: the window names failures of its own with their descriptions.
    static constexpr int OutOfMemory = 7;
    static constexpr int InternalError = 51;

    explicit RuntimeError(int number);

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

    static std::string descriptionOf(int number);

private:
    int number_;
    std::string description_;
};

// Throws RuntimeError(number); kept out of line so that the loops that check every
// element stay small.
[[noreturn]] void raise(int number);

} // namespace solver
