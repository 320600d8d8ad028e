// Columns of tables written as text: Markdown and pipe tables, CSV and TSV
// pasted from a spreadsheet, HTML rows one to a line. The header row
// announces every cell of its column, however many rows down.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace ovf {

class Columns {
public:
    // Lines are read from `from` on (a line that starts before it is read
    // from there).
    Columns(std::string_view text, std::size_t from) : text_(text), next_(from) {}

    // The header cell [first, second) of the column that holds text[s], or
    // an empty range. Positions are asked for in increasing order: the
    // text is read once; an earlier position gets an empty range.
    std::pair<std::size_t, std::size_t> header_at(std::size_t s);

    // Header cells longer than this are prose, not a column's name.
    static constexpr std::size_t kLongestCell = 48;
    static constexpr std::size_t kMostCells = 64;
    static constexpr std::size_t kLongestHeader = 2048;

private:
    void next_line();
    char delimiter(std::size_t b, std::size_t e) const;
    bool is_delimiter(std::size_t i, char d, bool& quoted) const;

    std::string_view text_;
    std::size_t next_ = 0;                       // where the next line starts
    std::size_t line_ = 0, line_end_ = 0;        // the line being read
    bool started_ = false;
    char delim_ = 0;                             // the table's, 0: no table
    std::size_t header_line_ = SIZE_MAX;         // where its header row starts
    std::vector<std::pair<std::size_t, std::size_t>> cells_;  // the header's
    // Counting delimiters along the current line.
    std::size_t pos_ = 0, cell_ = 0;
    bool quoted_ = false;
};

}  // namespace ovf
