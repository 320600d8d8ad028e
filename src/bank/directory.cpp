#include "bank/directory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace ovb {

namespace {

constexpr std::size_t kMaxFile = std::size_t{1} << 28;  // 256 MiB: far beyond any directory

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr bool is_upper(char c) noexcept { return c >= 'A' && c <= 'Z'; }
constexpr bool is_alnum(char c) noexcept { return is_digit(c) || is_upper(c); }

bool alnum(std::string_view s) noexcept {
    for (char c : s)
        if (!is_alnum(c)) return false;
    return true;
}

// A BIC: four letters or digits for the institution, the two letters of a
// country, two letters or digits for the location, and an optional branch.
bool bic_shape(std::string_view s) noexcept {
    if (s.size() != 8 && s.size() != 11) return false;
    return alnum(s) && is_upper(s[4]) && is_upper(s[5]);
}

// The offset of the first byte that breaks UTF-8, or npos.
std::size_t utf8_error(std::string_view s) noexcept {
    std::size_t i = 0;
    while (i < s.size()) {
        // Eight ASCII bytes at a time.
        if (i + 8 <= s.size()) {
            std::uint64_t w;
            std::memcpy(&w, s.data() + i, 8);
            if ((w & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) n = 1, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF) n = 2, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4) n = 3, cp = c & 0x07;
        else return i;
        if (i + n >= s.size()) return i;  // cut short
        for (std::size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return i;
            cp = cp << 6 | (d & 0x3F);
        }
        if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return i;
        i += n + 1;
    }
    return std::string_view::npos;
}

// Country and code packed into two words (codes have at most 12 bytes)
// and mixed with a few independent multiplications.
std::uint32_t hash_key(std::string_view country, std::string_view code) noexcept {
    unsigned char b[16] = {};
    std::memcpy(b, country.data(), country.size() < 2 ? country.size() : 2);
    std::memcpy(b + 2, code.data(), code.size() < 14 ? code.size() : 14);
    std::uint64_t x, y;
    std::memcpy(&x, b, 8);
    std::memcpy(&y, b + 8, 8);
    std::uint64_t h = (x * 0x9e3779b97f4a7c15ULL) ^ (y * 0xc2b2ae3d27d4eb4fULL) ^ (code.size() * 0x165667b19e3779f9ULL);
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ULL;
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

std::string at_line(std::size_t line, std::string_view why) {
    return "line " + std::to_string(line) + ": " + std::string(why);
}

}  // namespace

std::shared_ptr<const Directory> Directory::parse(std::string text, std::string& error) {
    if (text.size() > kMaxFile) {
        error = "line 1: the file is larger than 256 MiB";
        return nullptr;
    }
    auto d = std::shared_ptr<Directory>(new Directory());
    d->text_ = std::move(text);
    const std::string_view all = d->text_;
    if (const std::size_t bad = utf8_error(all); bad != std::string_view::npos) {
        error = at_line(static_cast<std::size_t>(std::count(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(bad), '\n')) + 1,
                        "the text is not UTF-8");
        return nullptr;
    }
    enum Col { Country, Code, Bic, Name, Short, Primary, Method, kCols };
    static constexpr std::string_view kNames[] = {"country", "bank_code", "bic", "name",
                                                  "short_name", "primary", "de_check_method"};
    d->rows_.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
    int col[kCols];
    std::fill(std::begin(col), std::end(col), -1);
    std::size_t header_fields = 0;
    bool have_header = false;
    std::size_t line = 0;
    for (std::size_t pos = 0; pos < all.size();) {
        std::size_t end = all.find('\n', pos);
        if (end == std::string_view::npos) end = all.size();
        std::string_view l = all.substr(pos, end - pos);
        const std::size_t start = pos;
        pos = end + 1;
        ++line;
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        if (l.empty()) continue;
        if (!have_header && l.front() == '#') {
            auto meta = [&](std::string_view tag, std::string& into) {
                if (l.substr(0, tag.size()) == tag) {
                    std::string_view v = l.substr(tag.size());
                    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
                    into.assign(v);
                }
            };
            meta("# source:", d->source_);
            meta("# snapshot:", d->snapshot_);
            continue;
        }
        // Split into fields.
        std::string_view f[16];
        std::size_t n = 0;
        std::size_t offset[16] = {};
        for (std::size_t b = 0;;) {
            const std::size_t t = l.find('\t', b);
            const std::size_t e = t == std::string_view::npos ? l.size() : t;
            if (n == 16) {
                error = at_line(line, "more than 16 fields");
                return nullptr;
            }
            offset[n] = start + b;
            f[n++] = l.substr(b, e - b);
            if (t == std::string_view::npos) break;
            b = t + 1;
        }
        if (!have_header) {
            for (std::size_t k = 0; k < n; ++k)
                for (int c = 0; c < kCols; ++c)
                    if (f[k] == kNames[c]) {
                        if (col[c] >= 0) {
                            error = at_line(line, "the header names column '" + std::string(kNames[c]) + "' twice");
                            return nullptr;
                        }
                        col[c] = static_cast<int>(k);
                    }
            for (int c = Country; c <= Name; ++c)
                if (col[c] < 0) {
                    error = at_line(line, "the header has no column '" + std::string(kNames[c]) + "'");
                    return nullptr;
                }
            header_fields = n;
            have_header = true;
            continue;
        }
        if (n != header_fields) {
            error = at_line(line, std::to_string(n) + " fields, the header has " + std::to_string(header_fields));
            return nullptr;
        }
        auto get = [&](int c) { return col[c] < 0 ? std::string_view() : f[col[c]]; };
        auto off = [&](int c) { return static_cast<std::uint32_t>(col[c] < 0 ? 0 : offset[col[c]]); };
        const std::string_view country = get(Country), code = get(Code), bic = get(Bic), name = get(Name),
                               shrt = get(Short), primary = get(Primary), method = get(Method);
        if (country.size() != 2 || !is_upper(country[0]) || !is_upper(country[1])) {
            error = at_line(line, "country '" + std::string(country) + "' is not two upper-case letters");
            return nullptr;
        }
        if (code.size() > 12 || !alnum(code)) {
            error = at_line(line, "bank code '" + std::string(code) + "' is not up to 12 digits or upper-case letters");
            return nullptr;
        }
        if (!bic.empty() && !bic_shape(bic)) {
            error = at_line(line, "'" + std::string(bic) + "' is not a BIC");
            return nullptr;
        }
        if (name.empty() || name.size() > 0xFFFF || shrt.size() > 0xFFFF) {
            error = at_line(line, name.empty() ? "the bank has no name" : "a name is longer than 65535 bytes");
            return nullptr;
        }
        if (!(primary.empty() || primary == "0" || primary == "1")) {
            error = at_line(line, "primary is '" + std::string(primary) + "', not 0 or 1");
            return nullptr;
        }
        if (!(method.empty() || (method.size() == 2 && alnum(method)))) {
            error = at_line(line, "check method '" + std::string(method) + "' is not two digits or upper-case letters");
            return nullptr;
        }
        BankRow r{};
        r.line = static_cast<std::uint32_t>(line);
        r.code = off(Code);
        r.code_len = static_cast<std::uint8_t>(code.size());
        r.bic = off(Bic);
        r.bic_len = static_cast<std::uint8_t>(bic.size());
        r.name = off(Name);
        r.name_len = static_cast<std::uint16_t>(name.size());
        if (!shrt.empty() && shrt != name) {
            r.short_name = off(Short);
            r.short_len = static_cast<std::uint16_t>(shrt.size());
        }
        r.country[0] = country[0];
        r.country[1] = country[1];
        if (!method.empty()) {
            r.method[0] = method[0];
            r.method[1] = method[1];
        }
        r.primary = primary == "1";
        d->rows_.push_back(r);
    }
    if (!have_header) {
        error = at_line(line == 0 ? 1 : line, "no header line naming the columns");
        return nullptr;
    }
    d->rows_.shrink_to_fit();
    Directory& dir = *d;
    auto key_less = [&dir](const BankRow& a, const BankRow& b) {
        const int c = std::memcmp(a.country, b.country, 2);
        if (c != 0) return c < 0;
        const std::string_view x = dir.code(a), y = dir.code(b);
        if (x != y) return x < y;
        return a.line < b.line;
    };
    if (!std::is_sorted(d->rows_.begin(), d->rows_.end(), key_less)) std::sort(d->rows_.begin(), d->rows_.end(), key_less);

    // Groups of one country and code, and the hash index over them.
    const auto& rows = d->rows_;
    for (std::uint32_t i = 0; i < rows.size();) {
        std::uint32_t j = i + 1;
        while (j < rows.size() && std::memcmp(rows[j].country, rows[i].country, 2) == 0 &&
               d->code(rows[j]) == d->code(rows[i]))
            ++j;
        // The bank's BIC is that of its head office where a primary row
        // has one (eight characters, or eleven ending XXX), else the first
        // primary BIC, else the first BIC at all; that row names the bank
        // (else the first primary row, else the first row).
        Group g{i, j - i, i, UINT32_MAX};
        auto head_office = [&](const BankRow& r) {
            return r.bic_len == 8 || (r.bic_len == 11 && d->bic(r).substr(8) == "XXX");
        };
        std::uint32_t first_primary = UINT32_MAX;
        for (std::uint32_t k = i; k < j && g.with_bic == UINT32_MAX; ++k)
            if (rows[k].primary && head_office(rows[k])) g.with_bic = k;
        for (std::uint32_t k = i; k < j; ++k)
            if (rows[k].primary) {
                if (first_primary == UINT32_MAX) first_primary = k;
                if (g.with_bic == UINT32_MAX && rows[k].bic_len) g.with_bic = k;
            }
        for (std::uint32_t k = i; k < j && g.with_bic == UINT32_MAX; ++k)
            if (rows[k].bic_len) g.with_bic = k;
        g.named = g.with_bic != UINT32_MAX ? g.with_bic : first_primary != UINT32_MAX ? first_primary : i;
        d->groups_.push_back(g);
        i = j;
    }
    {
        std::vector<std::uint32_t> counts(26 * 26 * 13);
        for (const Group& g : d->groups_) {
            const BankRow& r = rows[g.first];
            if (r.code_len) ++counts[static_cast<std::size_t>((r.country[0] - 'A') * 26 + (r.country[1] - 'A')) * 13 + r.code_len];
        }
        for (std::size_t c = 0; c < 26 * 26; ++c) {
            std::uint32_t best = 0;
            for (std::uint8_t len = 1; len <= 12; ++len)
                if (counts[c * 13 + len] > best) best = counts[c * 13 + len], d->code_length_[c] = len;
        }
    }
    std::size_t slots = 16;
    while (slots < 2 * d->groups_.size()) slots *= 2;
    d->slots_.assign(slots, 0);
    for (std::uint32_t g = 0; g < d->groups_.size(); ++g) {
        const BankRow& r = rows[d->groups_[g].first];
        std::size_t s = hash_key(d->country(r), d->code(r)) & (slots - 1);
        while (d->slots_[s]) s = (s + 1) & (slots - 1);
        d->slots_[s] = g + 1;
    }
    // Sorted by BIC, then line, on keys packed into integers (a BIC is at
    // most 11 bytes, compared as if padded with NULs).
    struct BicKey {
        std::uint64_t hi, lo;
        std::uint32_t row;
    };
    std::vector<BicKey> keys;
    keys.reserve(rows.size());
    for (std::uint32_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].bic_len) continue;
        unsigned char b[11] = {};
        std::memcpy(b, d->text_.data() + rows[i].bic, rows[i].bic_len);
        std::uint64_t hi = 0, lo = 0;
        for (int k = 0; k < 8; ++k) hi = hi << 8 | b[k];
        for (int k = 8; k < 11; ++k) lo = lo << 8 | b[k];
        keys.push_back({hi, lo << 32 | rows[i].line, i});
    }
    std::sort(keys.begin(), keys.end(),
              [](const BicKey& x, const BicKey& y) { return x.hi != y.hi ? x.hi < y.hi : x.lo < y.lo; });
    d->bics_.reserve(keys.size());
    for (const BicKey& k : keys) d->bics_.push_back(k.row);
    return d;
}

std::shared_ptr<const Directory> Directory::read_file(const char* path, std::string& error) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = "cannot open the file";
        return nullptr;
    }
    std::string text;
    char buf[65536];
    std::size_t n;
    bool too_large = false;
    try {
        // Sized at once where the size is known (a regular file), so the
        // text is allocated once.
        if (std::fseek(f, 0, SEEK_END) == 0) {
            const long size = std::ftell(f);
            if (size > 0 && static_cast<unsigned long>(size) <= kMaxFile) text.reserve(static_cast<std::size_t>(size));
            std::rewind(f);
        }
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
            if (text.size() + n > kMaxFile) {
                too_large = true;
                break;
            }
            text.append(buf, n);
        }
    } catch (...) {
        std::fclose(f);
        throw;
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "cannot read the file";
        return nullptr;
    }
    if (too_large) {
        error = "line 1: the file is larger than 256 MiB";
        return nullptr;
    }
    if (text.capacity() > text.size() + text.size() / 8) text.shrink_to_fit();
    return parse(std::move(text), error);
}

Directory::Bank Directory::find(std::string_view country, std::string_view code) const noexcept {
    if (slots_.empty() || country.size() != 2) return {};
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = hash_key(country, code) & mask;; s = (s + 1) & mask) {
        const std::uint32_t g = slots_[s];
        if (!g) return {};
        const Group& group = groups_[g - 1];
        const BankRow& r = rows_[group.first];
        if (r.country[0] == country[0] && r.country[1] == country[1] && this->code(r) == code)
            return {&rows_[group.named], group.with_bic == UINT32_MAX ? nullptr : &rows_[group.with_bic],
                    std::span<const BankRow>(rows_).subspan(group.first, group.count)};
    }
}

std::vector<const BankRow*> Directory::by_bic(std::string_view bic) const {
    std::vector<const BankRow*> out;
    if (bic.size() != 8 && bic.size() != 11) return out;
    // Both forms of a head-office BIC: eight characters, or eleven ending XXX.
    std::string forms[2] = {std::string(bic), {}};
    if (bic.size() == 8) forms[1] = std::string(bic) + "XXX";
    else if (bic.substr(8) == "XXX") forms[1] = std::string(bic.substr(0, 8));
    for (const std::string& form : forms) {
        if (form.empty()) continue;
        auto lo = std::lower_bound(bics_.begin(), bics_.end(), form,
                                   [this](std::uint32_t i, const std::string& b) { return this->bic(rows_[i]) < b; });
        for (; lo != bics_.end() && this->bic(rows_[*lo]) == form; ++lo) out.push_back(&rows_[*lo]);
    }
    std::sort(out.begin(), out.end(), [](const BankRow* a, const BankRow* b) { return a->line < b->line; });
    return out;
}

std::span<const BankRow> Directory::country_rows(std::string_view country) const noexcept {
    if (country.size() != 2) return {};
    auto less = [](const BankRow& r, std::string_view c) { return std::string_view(r.country, 2) < c; };
    auto lo = std::lower_bound(rows_.begin(), rows_.end(), country, less);
    auto hi = lo;
    while (hi != rows_.end() && std::string_view(hi->country, 2) == country) ++hi;
    return {rows_.data() + (lo - rows_.begin()), static_cast<std::size_t>(hi - lo)};
}

std::size_t Directory::code_length(std::string_view country) const noexcept {
    if (country.size() != 2 || !is_upper(country[0]) || !is_upper(country[1])) return 0;
    return code_length_[static_cast<std::size_t>((country[0] - 'A') * 26 + (country[1] - 'A'))];
}

std::size_t Directory::memory() const noexcept {
    return sizeof(Directory) + text_.capacity() + rows_.capacity() * sizeof(BankRow) +
           groups_.capacity() * sizeof(Group) + slots_.capacity() * 4 + bics_.capacity() * 4;
}

}  // namespace ovb
