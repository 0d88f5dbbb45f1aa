#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 to UTF-16 and back, for files; no Qt below the window.
namespace Utf8 {

// The text of the bytes, or nothing where they are not UTF-8; `badOffset` then tells where.
std::optional<std::u16string> decode(std::string_view bytes, std::size_t* badOffset = nullptr);

std::string encode(std::u16string_view text);

} // namespace Utf8
