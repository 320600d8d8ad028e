#include "find/widen.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace ovf {

namespace {

struct Item;
using Seq = std::vector<Item>;

struct Item {
    std::string atom;               // a single atom, when `alts` is empty
    std::vector<Seq> alts;          // a group's alternatives
    bool group = false;
    bool separator = false;         // matches separators only: replaced by the general class
    int min = 1, max = 1;           // max < 0: unbounded
};

// An escape or bracket expression that matches nothing but the given
// separators (`\s` standing for the space).
bool separator_atom(std::string_view a, std::string_view seps) {
    const auto separator_char = [seps](char c) { return seps.find(c) != std::string_view::npos; };
    if (a.size() == 1) return separator_char(a[0]);
    if (a.size() == 2 && a[0] == '\\') return separator_char(a[1] == 's' ? ' ' : a[1]);
    if (a.size() < 3 || a.front() != '[' || a[1] == '^') return false;
    for (std::size_t i = 1; i + 1 < a.size(); ++i) {
        if (a[i] == '\\' && i + 2 < a.size()) {
            const char e = a[++i];
            if (!separator_char(e == 's' ? ' ' : e)) return false;
        } else if (!separator_char(a[i])) {
            return false;
        }
    }
    return true;
}

class Parser {
public:
    Parser(std::string_view p, std::string_view seps) : p_(p), seps_(seps) {}

    std::vector<Seq> alternatives() {
        std::vector<Seq> alts(1);
        while (i_ < p_.size() && p_[i_] != ')') {
            if (p_[i_] == '|') {
                ++i_;
                alts.emplace_back();
                continue;
            }
            alts.back().push_back(item());
        }
        return alts;
    }

private:
    Item item() {
        Item it;
        const char c = p_[i_];
        if (c == '(') {
            ++i_;
            if (p_.substr(i_, 2) == "?:") i_ += 2;
            it.group = true;
            it.alts = alternatives();
            if (i_ < p_.size()) ++i_;  // ')'
        } else if (c == '[') {
            const std::size_t start = i_++;
            if (i_ < p_.size() && p_[i_] == '^') ++i_;
            if (i_ < p_.size() && p_[i_] == ']') ++i_;
            while (i_ < p_.size() && p_[i_] != ']') i_ += (p_[i_] == '\\') ? 2 : 1;
            i_ = std::min(i_ + 1, p_.size());
            it.atom = std::string(p_.substr(start, i_ - start));
        } else if (c == '\\') {
            it.atom = std::string(p_.substr(i_, 2));
            i_ = std::min(i_ + 2, p_.size());
        } else {
            // One character, all of its UTF-8 bytes.
            std::size_t n = 1;
            const auto b = static_cast<unsigned char>(c);
            if (b >= 0xF0) n = 4;
            else if (b >= 0xE0) n = 3;
            else if (b >= 0xC0) n = 2;
            it.atom = std::string(p_.substr(i_, n));
            i_ = std::min(i_ + n, p_.size());
        }
        it.separator = !it.group && !seps_.empty() && separator_atom(it.atom, seps_);
        quantifier(it);
        return it;
    }

    int number() {
        int v = 0;
        while (i_ < p_.size() && p_[i_] >= '0' && p_[i_] <= '9') v = v * 10 + (p_[i_++] - '0');
        return v;
    }

    void quantifier(Item& it) {
        if (i_ >= p_.size()) return;
        const char q = p_[i_];
        if (q == '?') it.min = 0, it.max = 1, ++i_;
        else if (q == '*') it.min = 0, it.max = -1, ++i_;
        else if (q == '+') it.min = 1, it.max = -1, ++i_;
        else if (q == '{' && i_ + 1 < p_.size() && p_[i_ + 1] >= '0' && p_[i_ + 1] <= '9') {
            ++i_;
            it.min = it.max = number();
            if (i_ < p_.size() && p_[i_] == ',') {
                ++i_;
                it.max = (i_ < p_.size() && p_[i_] == '}') ? -1 : number();
            }
            if (i_ < p_.size()) ++i_;  // '}'
        } else {
            return;
        }
        if (i_ < p_.size() && p_[i_] == '?') ++i_;  // lazy: all matches are longest anyway
    }

    std::string_view p_;
    std::string_view seps_;
    std::size_t i_ = 0;
};

class Renderer {
public:
    explicit Renderer(std::string_view seps) {
        if (seps.empty()) return;
        sep_ = "[";
        for (const char c : seps) {
            if (c == '-' || c == '\\' || c == ']' || c == '^') sep_ += '\\';
            sep_ += c;
        }
        sep_ += "]?";
    }

    std::string alternatives(const std::vector<Seq>& alts, bool first) const {
        std::string out;
        for (std::size_t k = 0; k < alts.size(); ++k) {
            if (k) out += '|';
            out += seq(alts[k], first);
        }
        return out;
    }

private:
    std::string seq(const Seq& items, bool first) const {
        std::string out;
        for (const Item& it : items) {
            if (it.separator) continue;
            out += item(it, first);
            if (it.min > 0) first = false;
        }
        return out;
    }

    std::string body(const Item& it, bool first) const {
        if (it.group) return "(?:" + alternatives(it.alts, first) + ")";
        return (first ? std::string() : sep_) + it.atom;
    }

    static std::string repeat(int min, int max) {
        if (max < 0) max = kMaxRepeat;
        if (min == 0 && max == 1) return "?";
        std::string out("{");
        out += std::to_string(min);
        if (min != max) out.append(",").append(std::to_string(max));
        return out.append("}");
    }

    std::string item(const Item& it, bool first) const {
        if (it.min == 1 && it.max == 1) return body(it, first);
        if (!first || it.min == 0) return "(?:" + body(it, first) + ")" + repeat(it.min, it.max);
        // The first repetition of a leading atom takes no separator before it.
        std::string out = "(?:" + body(it, true) + ")";
        const int max = it.max < 0 ? kMaxRepeat : it.max;
        if (max > 1) out += "(?:" + body(it, false) + ")" + repeat(it.min - 1, max - 1);
        return out;
    }

    std::string sep_;
};

constexpr std::string_view kAllSeparators = " -./";

// The classes of byte an atom matches (multi-byte literals count as
// "other" at each of their bytes).
std::uint64_t atom_classes(std::string_view a) {
    constexpr std::uint64_t word = kAllClasses;  // letters, digits and '_'
    if (a.empty() || a == ".") return kAllClasses;
    if (a[0] == '\\') {
        if (a.size() < 2) return class_bit(0x80);
        switch (a[1]) {
            case 'd': return kDigit;
            case 'w': return word;
            case 'D': case 'W': case 'S': case 's': return kAllClasses;
            default: return class_bit(static_cast<unsigned char>(a[1]));
        }
    }
    if (a[0] != '[') return class_bit(static_cast<unsigned char>(a[0]));
    if (a.size() > 1 && a[1] == '^') return kAllClasses;
    std::uint64_t out = 0;
    for (std::size_t i = 1; i + 1 < a.size(); ++i) {
        unsigned char lo = static_cast<unsigned char>(a[i]);
        if (lo == '\\' && i + 2 < a.size()) {
            const char e = a[++i];
            if (e == 'd') out |= kDigit;
            else if (e == 'w') out |= word;
            else if (e == 's' || e == 'S' || e == 'D' || e == 'W') out |= kAllClasses;
            else out |= class_bit(static_cast<unsigned char>(e));
            continue;
        }
        unsigned char hi = lo;
        if (i + 3 < a.size() && a[i + 1] == '-') {
            hi = static_cast<unsigned char>(a[i + 2]);
            i += 2;
        }
        for (unsigned c = lo; c <= hi && c < 256; ++c) out |= class_bit(static_cast<unsigned char>(c));
    }
    return out;
}

// Whether an atom may match a separator: in the key it may then stand
// for nothing.
bool atom_may_separate(std::string_view a) {
    if (a.empty() || a == ".") return true;
    if (a[0] == '\\') return a.size() >= 2 && (a[1] == 's' || a[1] == 'S' || a[1] == 'D' || a[1] == 'W' ||
                                                kAllSeparators.find(a[1]) != std::string_view::npos);
    if (a[0] != '[') return kAllSeparators.find(a[0]) != std::string_view::npos;
    if (a.size() > 1 && a[1] == '^') return true;
    for (std::size_t i = 1; i + 1 < a.size(); ++i) {
        const char c = a[i];
        if (c == '\\' && i + 2 < a.size()) {
            const char e = a[++i];
            if (e == 's' || e == 'S' || e == 'D' || e == 'W' || kAllSeparators.find(e) != std::string_view::npos)
                return true;
            continue;
        }
        if (i + 3 < a.size() && a[i + 1] == '-') {
            for (const char sep : kAllSeparators)
                if (sep >= c && sep <= a[i + 2]) return true;
            i += 2;
            continue;
        }
        if (kAllSeparators.find(c) != std::string_view::npos) return true;
    }
    return false;
}

using Offsets = std::bitset<kMaxKey + 1>;

// Walks a sequence from the key offsets `at`, marking the classes each
// atom may put at each offset; returns the offsets after the sequence.
class ShapeWalker {
public:
    explicit ShapeWalker(Shape& s) : s_(s) {}

    Offsets seq(const Seq& items, Offsets at) {
        for (const Item& it : items) {
            if (it.separator) continue;
            at = item(it, at);
            if (at.none()) break;
        }
        return at;
    }

private:
    Offsets once(const Item& it, const Offsets& at) {
        if (it.group) {
            Offsets out;
            for (const Seq& alt : it.alts) out |= seq(alt, at);
            return out;
        }
        const std::uint64_t cls = atom_classes(it.atom);
        const std::size_t width = it.atom.size() > 1 && static_cast<unsigned char>(it.atom[0]) >= 0x80 ? it.atom.size() : 1;
        Offsets cur = at;
        for (std::size_t b = 0; b < width; ++b) {
            for (std::size_t k = 0; k < kMaxKey; ++k)
                if (cur[k]) s_.classes[k] |= (width > 1 ? class_bit(0x80) : cls);
            cur <<= 1;
        }
        // A separator is no byte of the key.
        if (width == 1 && atom_may_separate(it.atom)) cur |= at;
        return cur;
    }

    Offsets item(const Item& it, Offsets at) {
        const int max = it.max < 0 ? kMaxRepeat : it.max;
        Offsets out = it.min == 0 ? at : Offsets();
        for (int k = 1; k <= max && at.any(); ++k) {
            at = once(it, at);
            if (k >= it.min) out |= at;
        }
        return out;
    }

    Shape& s_;
};

}  // namespace

namespace {

std::uint8_t required(const Seq& items);

// The separator bits an item demands in every match.
std::uint8_t required(const Item& it) {
    if (it.min == 0) return 0;
    if (it.group) {
        std::uint8_t all = 0xF;
        for (const Seq& alt : it.alts) all &= required(alt);
        return it.alts.empty() ? 0 : all;
    }
    if (!it.separator) return 0;
    const std::string_view a = it.atom;
    const char c = a.size() == 1 ? a[0] : (a.size() == 2 && a[0] == '\\' && a[1] != 's') ? a[1] : 0;
    const std::size_t i = c ? kAllSeparators.find(c) : std::string_view::npos;
    return i == std::string_view::npos ? 0 : static_cast<std::uint8_t>(1u << i);
}

std::uint8_t required(const Seq& items) {
    std::uint8_t out = 0;
    for (const Item& it : items) out |= required(it);
    return out;
}

}  // namespace

Shape shape_of(std::string_view pattern) {
    Parser parser(pattern, kAllSeparators);
    Shape s;
    {
        Parser again(pattern, kAllSeparators);
        std::uint8_t all = 0xF;
        const std::vector<Seq> alts = again.alternatives();
        for (const Seq& alt : alts) all &= required(alt);
        s.required_separators = alts.empty() ? 0 : all;
    }
    Offsets start;
    start[0] = true;
    ShapeWalker walker(s);
    Offsets end;
    for (const Seq& alt : parser.alternatives()) end |= walker.seq(alt, start);
    s.lengths = end;
    return s;
}

std::string widen(std::string_view pattern, std::string_view separators) {
    Parser parser(pattern, separators);
    return Renderer(separators).alternatives(parser.alternatives(), true);
}

}  // namespace ovf
