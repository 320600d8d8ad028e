#include "data/sampler.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "primitives/text.h"
#include "registry/registry.h"

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
constexpr int kAttempts = 64;     // draws of one value before falling back to the example
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

bool valid(const ValidatorSpec& spec, std::string_view s) { return spec.ops.validate(spec, s).ok; }

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

// Tries every value at each repair position in turn (but `skip`), then the
// trailing group, until the text validates; false when none does (the text
// may then have changed at the repair positions).
bool repair(const ValidatorSpec& spec, std::string& s, const Pattern& p, std::size_t skip,
            SampleRng* rng = nullptr) {
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
    return !p.group.empty() && repair_group(spec, s, p.text, p.group, skip, rng);
}

// The positions that restore validity after one other position changed,
// most often first (the later first among equals: check characters trail);
// and, where those mend too few texts, the smallest group of trailing
// positions that mends them together (two or three check digits).
void find_repairs(const ValidatorSpec& spec, Pattern& p) {
    const std::string& t = p.text;
    std::vector<unsigned> counts(t.size(), 0);
    std::vector<std::pair<std::string, std::size_t>> broken;  // texts one change made invalid
    for (std::size_t q = 0; q < t.size(); ++q) {
        const std::string_view alphabet = trial_alphabet(t[q]);
        if (alphabet.empty()) continue;
        std::string s = t;
        s[q] = alphabet[(alphabet.find(t[q]) + 1) % alphabet.size()];
        if (valid(spec, s)) continue;
        broken.emplace_back(s, q);
        for (std::size_t k = 0; k < t.size(); ++k) {
            if (k == q) continue;
            const char saved = s[k];
            for (const char c : repair_alphabet(t[k])) {
                if (c == saved) continue;
                s[k] = c;
                if (valid(spec, s)) {
                    ++counts[k];
                    break;
                }
            }
            s[k] = saved;
        }
    }
    std::vector<std::uint8_t>& order = p.repairs;
    for (std::size_t k = 0; k < t.size(); ++k)
        if (counts[k] > 0) order.push_back(static_cast<std::uint8_t>(k));
    std::stable_sort(order.begin(), order.end(), [&](std::uint8_t a, std::uint8_t b) {
        return counts[a] != counts[b] ? counts[a] > counts[b] : a > b;
    });
    if (order.size() > kMaxRepairs) order.resize(kMaxRepairs);

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

// Births from 1800 to 2099, for ids whose example tells a birth year: an id
// whose year has four digits of its own would otherwise be born in the
// year 3 or 9981.
bool plausible(const ValidatorSpec& spec, const Pattern& p, std::string_view s) {
    if (!p.dated) return true;
    const auto parsed = spec.ops.parse(spec, s);
    return parsed && parsed->birth_year >= 1800 && parsed->birth_year < 2100;
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

bool draw_pattern(const ValidatorSpec& spec, const Pattern& p, SampleRng& rng, std::string& s) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        s = p.text;
        const bool every = attempt < kFullAttempts;  // then fewer changes, likelier to hold
        for (std::size_t i = 0; i < s.size(); ++i) {
            const std::string& admits = p.admits[i];
            if (admits.size() > 1 && (every || rng.below(2))) s[i] = rng.pick(admits);
        }
        if (!valid(spec, s) && !repair(spec, s, p, s.size(), &rng)) continue;
        if (plausible(spec, p, s)) return true;
    }
    s = p.text;
    return false;
}

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
    // A few more bases, drawn from what was learned: a month digit that the
    // example's day ruled out, say, is admitted next to another day.
    SampleRng rng(0x5eed0f5a3b1e5ULL);
    for (int extra = 0; extra < 2; ++extra) {
        std::string s;
        if (draw_pattern(spec, p, rng, s)) learn_admits(spec, p, s);
    }
    for (const std::string& admits : p.admits) p.weight += admits.size() > 1;
    return true;
}

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

const SampleRow* find_row(std::string_view id) {
    for (auto rows : {ov::core_sample_rows(), ov::crypto_sample_rows()})
        for (const SampleRow& row : rows)
            if (row.id == id) return &row;
    return nullptr;
}

}  // namespace

const Model& model_of(const ValidatorSpec& spec) {
    static std::mutex lock;
    static std::map<const ValidatorSpec*, std::unique_ptr<Model>> models;
    const std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<Model>& slot = models[&spec];
    if (!slot) slot = learn(spec);
    return *slot;
}

PlanStatus make_plan(std::string_view id, std::string_view country, Plan& plan) {
    plan = Plan{};
    plan.spec = ov::find_any_validator(id);
    if (!plan.spec) return PlanStatus::UnknownId;
    plan.row = find_row(id);
    std::string code(country);
    for (char& c : code) c = ov::to_upper_ascii(c);
    if (!code.empty()) {
        // A row may draw from one country; any other id only from its own.
        if (plan.row && plan.row->has_country) {
            if (!plan.row->has_country(code)) return PlanStatus::NoCountry;
            plan.country = code;
        } else if (plan.spec->country == ov::kGlobal || ov::kCountryTable[plan.spec->country] != code) {
            return PlanStatus::NoCountry;
        }
    }
    if (plan.row) {
        plan.max_length = plan.row->max_length;
        return PlanStatus::Ok;
    }
    plan.model = &model_of(*plan.spec);
    if (plan.model->patterns.empty()) return PlanStatus::NoWay;
    for (const Pattern& p : plan.model->patterns) plan.max_length = std::max(plan.max_length, p.text.size());
    return PlanStatus::Ok;
}

void draw(const Plan& plan, SampleRng& rng, std::string& out) {
    const ValidatorSpec& spec = *plan.spec;
    if (plan.row) {
        const std::size_t start = out.size();
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            plan.row->draw(rng, plan.country, out);
            if (valid(spec, std::string_view(out).substr(start))) return;
            out.resize(start);
        }
        throw std::logic_error("a sampling row drew no valid value");
    }
    const Model& m = *plan.model;
    std::uint32_t pick = rng.below(m.total_weight);
    const Pattern* p = &m.patterns.front();
    for (const Pattern& q : m.patterns) {
        if (pick < q.weight) {
            p = &q;
            break;
        }
        pick -= q.weight;
    }
    thread_local std::string s;
    draw_pattern(spec, *p, rng, s);
    out.append(s);
}

}  // namespace ovd
