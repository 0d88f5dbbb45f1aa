#include "document/Utf8.h"

namespace Utf8 {

std::optional<std::u16string> decode(std::string_view bytes, std::size_t* badOffset)
{
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    const auto fail = [&] {
        if (badOffset)
            *badOffset = i;
        return std::nullopt;
    };
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (b < 0x80) {
            code = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, code = b & 0x1F, least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, code = b & 0x0F, least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, code = b & 0x07, least = 0x10000;
        } else {
            return fail();
        }
        if (bytes.size() - i <= std::size_t(extra))
            return fail();
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + std::size_t(k)]);
            if ((c & 0xC0) != 0x80)
                return fail();
            code = (code << 6) | (c & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return fail();
        if (code >= 0x10000) {
            code -= 0x10000;
            text += char16_t(0xD800 + (code >> 10));
            text += char16_t(0xDC00 + (code & 0x3FF));
        } else {
            text += char16_t(code);
        }
        i += std::size_t(extra) + 1;
    }
    return text;
}

std::string encode(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (code < 0x80) {
            bytes += char(code);
        } else if (code < 0x800) {
            bytes += char(0xC0 | (code >> 6));
            bytes += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes += char(0xE0 | (code >> 12));
            bytes += char(0x80 | ((code >> 6) & 0x3F));
            bytes += char(0x80 | (code & 0x3F));
        } else {
            bytes += char(0xF0 | (code >> 18));
            bytes += char(0x80 | ((code >> 12) & 0x3F));
            bytes += char(0x80 | ((code >> 6) & 0x3F));
            bytes += char(0x80 | (code & 0x3F));
        }
    }
    return bytes;
}

} // namespace Utf8
