// The generic sampler's learning: patterns, admitted characters, repair
// positions and groups, learned from a record's examples and its validate
// operation; and the drawing of one value from a pattern.
#include "data/learn.h"

#include <algorithm>
#include <tuple>

#include "primitives/normalize.h"
#include "primitives/text.h"

namespace ovd {

namespace {

using ov::SampleRng;
using ov::SampleRow;
using ov::ValidatorSpec;

constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kLowerAlnum = "0123456789abcdefghijklmnopqrstuvwxyz";

// Texts longer than this are kept as they are: the learning below costs the
// square of the length in validations.
constexpr std::size_t kMaxLearnedLength = 48;
constexpr std::size_t kMaxRepairs = 3;
constexpr std::size_t kMaxGroup = 3;  // trailing check characters mended together
constexpr std::size_t kMaxGroupCombinations = 36 * 36;  // three digits, or two letters or digits
constexpr int kExtraBases = 10;  // valid texts, besides the example, that admitted characters are learned on
constexpr int kFullAttempts = 40;  // of which every variable position changes

// What a position may be changed to while learning: its own class.
std::string_view trial_alphabet(char ch) {
    if (ov::is_digit(ch)) return ov::kSampleDigits;
    if (ch >= 'A' && ch <= 'Z') return ov::kSampleUpper;
    if (ch >= 'a' && ch <= 'z') return kLower;
    return {};
}

// What a check position may take: digits and letters of the example's case
// (check characters such as X, K or a letter of a table).
std::string_view repair_alphabet(char ch) {
    if (ch >= 'a' && ch <= 'z') return kLowerAlnum;
    if (ov::is_digit(ch) || (ch >= 'A' && ch <= 'Z')) return ov::kSampleUpperAlnum;
    return {};
}


// The values a position of a trailing check group runs through.
std::string_view group_alphabet(char ch) { return ov::is_digit(ch) ? ov::kSampleDigits : repair_alphabet(ch); }

// Where a repair starts in an alphabet: at a random place while drawing,
// so that the first value that mends a text is not always the smallest
// (which would favour, say, even digits where a digit also tells the sex).
std::size_t start_in(std::string_view alphabet, SampleRng* rng) {
    return rng ? rng->below(static_cast<std::uint32_t>(alphabet.size())) : 0;
}

// Tries every combination of values at the group's positions (but `skip`),
// as an odometer; leaves the text as it was when none validates.
bool repair_group(const ValidatorSpec& spec, std::string& s, std::string_view pattern_text,
                  const std::vector<std::uint8_t>& group, std::size_t skip, SampleRng* rng) {
    std::uint8_t positions[kMaxGroup];
    std::string_view alphabets[kMaxGroup];
    std::size_t start[kMaxGroup] = {}, step[kMaxGroup] = {};
    std::size_t count = 0;
    for (const std::uint8_t k : group) {
        const std::string_view alphabet = group_alphabet(pattern_text[k]);
        if (k == skip || alphabet.empty()) continue;
        positions[count] = k;
        alphabets[count] = alphabet;
        start[count] = start_in(alphabet, rng);
        s[k] = alphabet[start[count]];
        ++count;
    }
    if (count == 0) return false;
    while (true) {
        if (valid(spec, s)) return true;
        std::size_t j = 0;
        for (; j < count; ++j) {
            const std::size_t size = alphabets[j].size();
            const bool carry = ++step[j] == size;
            if (carry) step[j] = 0;
            s[positions[j]] = alphabets[j][(start[j] + step[j]) % size];
            if (!carry) break;
        }
        if (j == count) break;
    }
    return false;
}

// Tries every value at each repair position in turn (but `skip`) until the
// text validates; false when none does (the text is then as it was).
bool repair_singles(const ValidatorSpec& spec, std::string& s, const Pattern& p, std::size_t skip,
                    SampleRng* rng) {
    for (const std::uint8_t k : p.repairs) {
        if (k == skip) continue;
        const char saved = s[k];
        const std::string_view alphabet = repair_alphabet(p.text[k]);
        const std::size_t start = start_in(alphabet, rng);
        for (std::size_t j = 0; j < alphabet.size(); ++j) {
            const char c = alphabet[(start + j) % alphabet.size()];
            if (c == saved) continue;
            s[k] = c;
            if (valid(spec, s)) return true;
        }
        s[k] = saved;
    }
    return false;
}

// The single repairs, then the first two repair positions together (two
// segments with a check each), then the trailing group; false when none
// mends the text (which may then have changed at those positions).
bool repair(const ValidatorSpec& spec, std::string& s, const Pattern& p, std::size_t skip,
            SampleRng* rng = nullptr) {
    if (repair_singles(spec, s, p, skip, rng)) return true;
    if (p.mend_pair && p.repairs.size() >= 2) {
        const std::vector<std::uint8_t> pair = {p.repairs[0], p.repairs[1]};
        if (repair_group(spec, s, p.text, pair, skip, rng)) return true;
    }
    return p.mend_group && !p.group.empty() && repair_group(spec, s, p.text, p.group, skip, rng);
}

// The positions that restore validity after one other position changed,
// most often first (the later first among equals: check characters trail);
// and, where those mend too few texts, the smallest group of trailing
// positions that mends them together (two or three check digits).
void find_repairs(const ValidatorSpec& spec, Pattern& p) {
    const std::string& t = p.text;
    std::vector<unsigned> counts(t.size(), 0);
    std::vector<std::pair<std::string, std::size_t>> broken;  // texts one change made invalid
    std::vector<std::vector<std::uint8_t>> fixers;             // the positions that mend each
    for (std::size_t q = 0; q < t.size(); ++q) {
        const std::string_view alphabet = trial_alphabet(t[q]);
        if (alphabet.empty()) continue;
        std::string s = t;
        s[q] = alphabet[(alphabet.find(t[q]) + 1) % alphabet.size()];
        if (valid(spec, s)) continue;
        broken.emplace_back(s, q);
        fixers.emplace_back();
        for (std::size_t k = 0; k < t.size(); ++k) {
            if (k == q) continue;
            const char saved = s[k];
            for (const char c : repair_alphabet(t[k])) {
                if (c == saved) continue;
                s[k] = c;
                if (valid(spec, s)) {
                    ++counts[k];
                    fixers.back().push_back(static_cast<std::uint8_t>(k));
                    break;
                }
            }
            s[k] = saved;
        }
    }
    // The most frequent mender first, then those that mend what the chosen
    // ones cannot (the check of another segment), then by frequency.
    std::vector<std::uint8_t>& order = p.repairs;
    std::vector<bool> covered(broken.size(), false);
    while (order.size() < kMaxRepairs) {
        std::size_t best_k = t.size(), best_new = 0;
        for (std::size_t k = 0; k < t.size(); ++k) {
            if (counts[k] == 0 || std::find(order.begin(), order.end(), k) != order.end()) continue;
            std::size_t fresh = 0;
            for (std::size_t b = 0; b < broken.size(); ++b)
                fresh += !covered[b] && std::find(fixers[b].begin(), fixers[b].end(), k) != fixers[b].end();
            const auto key = [&](std::size_t x, std::size_t f) { return std::tuple(f, counts[x], x); };
            if (best_k == t.size() || key(k, fresh) > key(best_k, best_new)) best_k = k, best_new = fresh;
        }
        if (best_k == t.size()) break;
        order.push_back(static_cast<std::uint8_t>(best_k));
        for (std::size_t b = 0; b < broken.size(); ++b)
            if (std::find(fixers[b].begin(), fixers[b].end(), best_k) != fixers[b].end()) covered[b] = true;
    }

    auto mended = [&] {
        std::size_t count = 0;
        for (const auto& [text, q] : broken) {
            std::string s = text;
            count += repair(spec, s, p, q);
        }
        return count;
    };
    std::size_t best = mended();
    std::vector<std::uint8_t> trailing;
    std::size_t combinations = 1;
    for (std::size_t k = t.size(); k-- > 0 && trailing.size() < kMaxGroup;) {
        const std::size_t size = group_alphabet(t[k]).size();
        if (size == 0) continue;
        combinations *= size;
        if (combinations > kMaxGroupCombinations) break;
        trailing.push_back(static_cast<std::uint8_t>(k));
        if (trailing.size() < 2 || 5 * best >= 4 * broken.size()) continue;
        std::vector<std::uint8_t> kept = std::move(p.group);
        p.group = trailing;
        const std::size_t count = mended();
        if (count > best) best = count;
        else p.group = std::move(kept);
    }
}

// Births from 1800 up to today, for ids whose example tells a birth year:
// an id whose year has four digits of its own would otherwise be born in
// the year 3 or 9981, and one with a two-digit year in the coming decades.
// A month or day the number does not tell (0) counts as the earliest.
bool plausible(const ValidatorSpec& spec, const Pattern& p, std::string_view s) {
    if (!p.dated) return true;
    const auto parsed = spec.ops.parse(spec, s);
    if (!parsed || parsed->birth_year < 1800) return false;
    const ov::Date now = ov::today();
    const auto key = [](std::int32_t y, unsigned m, unsigned d) {
        return static_cast<std::int64_t>(y) * 10000 + static_cast<std::int64_t>(m) * 100 + d;
    };
    return key(parsed->birth_year, parsed->birth_month, parsed->birth_day) <= key(now.year, now.month, now.day);
}

// Adds to `p.admits` every character of its class that a position of `base`
// can take while the text still validates, possibly after a repair.
void learn_admits(const ValidatorSpec& spec, Pattern& p, const std::string& base) {
    for (std::size_t i = 0; i < base.size(); ++i) {
        std::string& admits = p.admits[i];
        for (const char c : trial_alphabet(p.text[i])) {
            if (admits.find(c) != std::string::npos) continue;
            std::string s = base;
            s[i] = c;
            if (c == base[i] || ((valid(spec, s) || repair(spec, s, p, i)) && plausible(spec, p, s)))
                admits.push_back(c);
        }
    }
}

// A digit that fails next to the base's neighbouring digit may hold next to
// another one (a month's tens digit 1 needs units 0-2, a day's 3 needs 0
// or 1): each digit not admitted yet is tried with every value of each
// neighbouring digit, and admitted with the neighbour's value that holds.
void learn_neighbours(const ValidatorSpec& spec, Pattern& p, const std::string& base) {
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (!ov::is_digit(p.text[i])) continue;
        for (const char c : ov::kSampleDigits) {
            if (p.admits[i].find(c) != std::string::npos) continue;
            for (const std::size_t j : {i - 1, i + 1}) {
                if (j >= base.size() || !ov::is_digit(p.text[j])) continue;
                std::string s = base;
                s[i] = c;
                const auto held = [&](char d) {
                    s[j] = d;
                    return (valid(spec, s) || repair(spec, s, p, i)) && plausible(spec, p, s);
                };
                const auto d = std::find_if(ov::kSampleDigits.begin(), ov::kSampleDigits.end(), held);
                if (d == ov::kSampleDigits.end()) continue;
                p.admits[i].push_back(c);
                if (p.admits[j].find(*d) == std::string::npos) p.admits[j].push_back(*d);
                break;
            }
        }
    }
}

// The values the trailing group takes together in valid texts next to
// `base` (a bank code from a list, say): drawn as a whole, they hold where
// digits drawn one by one would rarely.
void learn_group_values(const ValidatorSpec& spec, Pattern& p, const std::string& base) {
    if (p.group.empty()) return;
    std::string s = base;
    std::vector<std::size_t> step(p.group.size(), 0);
    for (std::size_t j = 0; j < p.group.size(); ++j) s[p.group[j]] = group_alphabet(p.text[p.group[j]])[0];
    std::string values;
    while (true) {
        std::string t = s;
        if ((valid(spec, t) || repair_singles(spec, t, p, t.size(), nullptr)) && plausible(spec, p, t)) {
            std::string tuple;
            for (const std::uint8_t k : p.group) tuple.push_back(s[k]);
            if (std::find(p.group_values.begin(), p.group_values.end(), tuple) == p.group_values.end())
                p.group_values.push_back(std::move(tuple));
        }
        std::size_t j = 0;
        for (; j < p.group.size(); ++j) {
            const std::string_view alphabet = group_alphabet(p.text[p.group[j]]);
            const bool carry = ++step[j] == alphabet.size();
            if (carry) step[j] = 0;
            s[p.group[j]] = alphabet[step[j]];
            if (!carry) break;
        }
        if (j == p.group.size()) break;
    }
}

}  // namespace

bool draw_pattern(const ValidatorSpec& spec, const Pattern& p, SampleRng& rng, std::string& s,
                  int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        s = p.text;
        const bool every = attempt < kFullAttempts;  // then fewer changes, likelier to hold
        for (std::size_t i = 0; i < s.size(); ++i) {
            const std::string& admits = p.admits[i];
            if (admits.size() > 1 && (every || rng.below(2))) s[i] = rng.pick(admits);
        }
        if (!p.group_values.empty()) {
            const std::string& tuple = p.group_values[rng.below(static_cast<std::uint32_t>(p.group_values.size()))];
            for (std::size_t j = 0; j < p.group.size(); ++j) s[p.group[j]] = tuple[j];
        }
        if (!valid(spec, s) && !repair(spec, s, p, s.size(), &rng)) continue;
        if (plausible(spec, p, s)) return true;
    }
    s = p.text;
    return false;
}

namespace {

// The learned pattern of one example, or nothing when the example is not
// valid in its compact form.
bool learn_pattern(const ValidatorSpec& spec, std::string_view example, Pattern& p) {
    const ov::ValidationOutcome o = spec.ops.validate(spec, example);
    if (!o.ok) return false;
    p.text = std::string(o.text());
    if (!valid(spec, p.text)) p.text = std::string(example);
    if (!valid(spec, p.text)) return false;
    p.admits.assign(p.text.size(), std::string());
    if (spec.ops.parse) {
        const auto parsed = spec.ops.parse(spec, p.text);
        p.dated = parsed && parsed->birth_year != 0;
    }
    if (p.text.size() > kMaxLearnedLength) return true;
    find_repairs(spec, p);
    learn_admits(spec, p, p.text);
    learn_neighbours(spec, p, p.text);
    learn_group_values(spec, p, p.text);
    // More bases, drawn from what was learned so far: a month's tens digit
    // that the example's units ruled out is admitted next to other units,
    // and then the units that need that tens digit.
    SampleRng rng(0x5eed0f5a3b1e5ULL);
    for (int extra = 0; extra < kExtraBases; ++extra) {
        std::string s;
        if (!draw_pattern(spec, p, rng, s)) continue;
        learn_admits(spec, p, s);
        if (extra < 2) learn_group_values(spec, p, s);
    }
    // Where the group's values are a list (bank codes) rather than a check,
    // drawing from the list does all a group repair would, at a thousandth
    // of the cost: mending the group is dropped when it adds nothing.
    // The same for the pair of repair positions, tried where two segments
    // each carry a check of their own.
    const auto drawn = [&](bool Pattern::*flag, bool mend) {
        p.*flag = mend;
        SampleRng trial(0x7e57ab1e5ULL);
        int count = 0;
        std::string s;
        for (int k = 0; k < 200; ++k) count += draw_pattern(spec, p, trial, s, 1);
        return count;
    };
    if (!p.group_values.empty()) {
        const int with_group = drawn(&Pattern::mend_group, true);
        p.mend_group = 5 * drawn(&Pattern::mend_group, false) < 4 * with_group;
    }
    if (p.repairs.size() >= 2 && p.text.size() <= kMaxLearnedLength) {
        const int without_pair = drawn(&Pattern::mend_pair, false);
        p.mend_pair = 4 * drawn(&Pattern::mend_pair, true) > 5 * without_pair + 4;
    }
    for (const std::string& admits : p.admits) p.weight += admits.size() > 1;
    return true;
}

}  // namespace

std::unique_ptr<Model> learn(const ValidatorSpec& spec) {
    auto model = std::make_unique<Model>();
    for (const std::string_view example : spec.examples) {
        Pattern p;
        if (!learn_pattern(spec, example, p)) continue;
        model->total_weight += p.weight;
        model->patterns.push_back(std::move(p));
    }
    return model;
}

}  // namespace ovd
