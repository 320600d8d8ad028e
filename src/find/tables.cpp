#include "find/tables.h"

#include <cstring>

namespace ovf {

namespace {

bool digit(unsigned char c) { return c >= '0' && c <= '9'; }
bool letter(unsigned char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c >= 0x80; }

// Whether a "<td" or "<th" (any case) starts at t[i].
bool cell_tag(std::string_view t, std::size_t i) {
    return i + 3 < t.size() && t[i] == '<' && (t[i + 1] | 0x20) == 't' &&
           ((t[i + 2] | 0x20) == 'd' || (t[i + 2] | 0x20) == 'h') && (t[i + 3] == '>' || t[i + 3] == ' ');
}

}  // namespace

// The delimiter of the line [b, e): a tab, '|', ';' or ',' (in that order
// of preference), '<' in an HTML row; 0 for none.
char Columns::delimiter(std::size_t b, std::size_t e) const {
    const char* p = text_.data() + b;
    const std::size_t n = e - b;
    const auto has = [&](char c) { return std::memchr(p, c, n) != nullptr; };
    for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '<', n - static_cast<std::size_t>(q - p)))); ++q)
        if (cell_tag(text_, static_cast<std::size_t>(q - text_.data()))) return '<';
    return has('\t') ? '\t' : has('|') ? '|' : has(';') ? ';' : has(',') ? ',' : 0;
}

// Whether text[i] ends a cell of a line delimited by `d` (commas and
// semicolons inside double quotes do not).
bool Columns::is_delimiter(std::size_t i, char d, bool& quoted) const {
    const char c = text_[i];
    if (d == '<') return cell_tag(text_, i);  // a cell's tag, not any tag
    if ((d == ',' || d == ';') && c == '"') quoted = !quoted;
    return c == d && !quoted;
}

void Columns::next_line() {
    line_ = next_;
    const void* nl = line_ < text_.size() ? std::memchr(text_.data() + line_, '\n', text_.size() - line_) : nullptr;
    line_end_ = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text_.data()) : text_.size();
    next_ = line_end_ + 1;
    pos_ = line_;
    cell_ = 0;
    quoted_ = false;
    const char d = delimiter(line_, line_end_);
    // Lines of tags alone ("<tbody>", "</tr>") go on with an HTML table.
    if (d == 0 && delim_ == '<') {
        std::size_t i = line_;
        while (i < line_end_ && (text_[i] == ' ' || text_[i] == '\t' || text_[i] == '\r')) ++i;
        if (i == line_end_ || text_[i] == '<') return;
    }
    if (d == 0) {  // a line without cells ends the table
        delim_ = 0;
        header_line_ = SIZE_MAX;
        cells_.clear();
        return;
    }
    if (d == delim_) return;  // the table goes on
    // A new table; its first row is its header when it reads as names.
    delim_ = d;
    header_line_ = SIZE_MAX;
    cells_.clear();
    if (line_end_ - line_ > kLongestHeader) return;
    std::size_t letters = 0, digits = 0;
    for (std::size_t i = line_; i < line_end_; ++i) {
        letters += letter(static_cast<unsigned char>(text_[i]));
        digits += digit(static_cast<unsigned char>(text_[i]));
    }
    if (line_end_ - line_ > kLongestHeader || letters <= digits) return;
    header_line_ = line_;
    bool quoted = false;
    std::size_t b = line_;
    for (std::size_t i = line_; i <= line_end_ && cells_.size() < kMostCells; ++i)
        if (i == line_end_ || is_delimiter(i, d, quoted)) {
            cells_.emplace_back(b, i);
            b = i + 1;
        }
}

std::pair<std::size_t, std::size_t> Columns::header_at(std::size_t s) {
    if (!started_) {
        started_ = true;
        next_line();
    }
    if (s < line_) return {0, 0};
    while (s > line_end_ && next_ <= text_.size()) next_line();
    if (s < line_ || s > line_end_ || delim_ == 0 || header_line_ == SIZE_MAX || header_line_ == line_) return {0, 0};
    for (; pos_ < s; ++pos_)
        if (is_delimiter(pos_, delim_, quoted_)) ++cell_;
    if (cell_ >= cells_.size()) return {0, 0};
    const auto [b, e] = cells_[cell_];
    if (e - b > kLongestCell) return {0, 0};
    return {b, e};
}

}  // namespace ovf
