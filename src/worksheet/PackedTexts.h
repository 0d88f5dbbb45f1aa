#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The texts of a block of cells in one buffer, in order. A history of whole worksheets
// holds a few bytes a cell this way, where a string per cell costs an object and a heap
// block each: 10,100 random values take about 100 KB instead of 700 KB.
class PackedTexts
{
public:
    void append(QStringView text)
    {
        chars_.append(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
        ends_.push_back(std::uint32_t(chars_.size()));
    }
    // Gives back the room reserved while appending.
    void shrink()
    {
        chars_.shrink_to_fit();
        ends_.shrink_to_fit();
    }

    std::size_t size() const { return ends_.size(); }
    QStringView at(std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return QStringView(chars_.data() + begin, qsizetype(ends_[i] - begin));
    }
    std::size_t bytes() const
    {
        return sizeof(*this) + chars_.capacity() * sizeof(char16_t) +
               ends_.capacity() * sizeof(std::uint32_t);
    }

    bool operator==(const PackedTexts&) const = default;

private:
    std::u16string chars_;
    std::vector<std::uint32_t> ends_;
};
