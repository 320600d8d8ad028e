// `fr.rcs`: the French trade and companies register number, the SIREN of a
// business with the register's name and the town of its court registry.
// Two ways of writing it are in use: the older "RCS Paris B 552 120 222"
// (A for a trader, B for a company, C for an economic interest grouping, D
// for a civil company) and the one commercial documents must carry today,
// "552 120 222 RCS Paris". Compact gives both as RCS, the town in
// capitals, the letter when written and the nine digits of the SIREN
// ("RCS PARIS B 552120222"), which carry a Luhn check digit.
#include <vector>

#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "registry/random.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

constexpr std::size_t kLongestTown = 64;  // bytes

bool digits_token(std::string_view t) noexcept { return !t.empty() && all_digits(t); }

// The words of the text, upper-cased, "R.C.S." read as RCS.
std::vector<std::string> rcs_words(std::string_view value) {
    std::vector<std::string> words;
    std::string word;
    const std::string text = upper(value);
    const auto flush = [&] {
        if (word == "R.C.S." || word == "R.C.S") word = "RCS";
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const std::size_t n = decode_utf8(text, i, cp);
        if (is_white_space(cp) || cp == ',' || cp == 0x200B) {
            flush();
        } else {
            word.append(text, i, n);
        }
        i += n;
    }
    flush();
    return words;
}

// The compact text: RCS, town, letter (if any) and SIREN, one space apart;
// text that is not of either form is given back with its white space
// collapsed (and then fails the check).
std::string rcs_compact(const ValidatorSpec&, std::string_view value) {
    const std::vector<std::string> w = rcs_words(value);
    std::string siren, letter, town;
    std::size_t begin = 0, end = w.size();
    const auto take_siren_from_end = [&] {
        std::size_t k = end;
        std::string digits;
        while (k > begin && digits_token(w[k - 1]) && digits.size() + w[k - 1].size() <= 9) {
            digits.insert(0, w[k - 1]);
            --k;
        }
        if (digits.size() != 9) return false;
        siren = digits;
        end = k;
        return true;
    };
    bool parsed = false;
    if (!w.empty() && w[0] == "RCS") {
        begin = 1;
        if (take_siren_from_end()) {
            if (end > begin + 1 && w[end - 1].size() == 1 && w[end - 1][0] >= 'A' && w[end - 1][0] <= 'D')
                letter = w[--end];
            parsed = end > begin;
        }
    } else {
        std::size_t k = 0;
        std::string digits;
        while (k < w.size() && digits_token(w[k]) && digits.size() + w[k].size() <= 9) digits += w[k++];
        if (digits.size() == 9 && k < w.size() && w[k] == "RCS" && k + 1 < w.size()) {
            siren = digits;
            begin = k + 1;
            parsed = true;
        }
    }
    std::string out;
    if (!parsed) {
        for (const std::string& x : w) out += (out.empty() ? "" : " ") + x;
        return out;
    }
    for (std::size_t i = begin; i < end; ++i) town += (town.empty() ? "" : " ") + w[i];
    out = "RCS " + town;
    if (!letter.empty()) out += " " + letter;
    return out + " " + siren;
}

// A town's name: letters (any script), hyphens, apostrophes and single
// spaces, starting and ending with a letter.
bool town_name(std::string_view t) noexcept {
    if (t.empty() || t.size() > kLongestTown) return false;
    const auto letter = [](char c) { return is_upper(c) || !is_ascii(c); };
    if (!letter(t.front()) || !letter(t.back())) return false;
    for (char c : t)
        if (!letter(c) && c != '-' && c != '\'' && c != ' ') return false;
    return true;
}

ValidationOutcome rcs_check(std::string_view s) {
    if (s.size() < 17 || s.size() > 4 + kLongestTown + 12)
        return fail(ErrorCode::InvalidLength, "RCS number must be RCS, a town and a nine-digit SIREN");
    const std::string_view siren = s.substr(s.size() - 9);
    if (!s.starts_with("RCS ") || !all_digits(siren) || s[s.size() - 10] != ' ')
        return fail(ErrorCode::InvalidFormat, "RCS number must be RCS, a town and a nine-digit SIREN");
    std::string_view town = s.substr(4, s.size() - 14);
    if (town.size() > 2 && town[town.size() - 2] == ' ' && town.back() >= 'A' && town.back() <= 'D')
        town.remove_suffix(2);
    if (!valid_utf8(town) || !town_name(town))
        return fail(ErrorCode::InvalidFormat, "RCS number must name the town of its court registry");
    if (!luhn_valid(siren)) return fail(ErrorCode::InvalidChecksum, "SIREN check digit does not match");
    return ValidationOutcome::success_input(s);
}

// Plain ASCII text with single spaces that passes the check is its own
// compact form (capitals, RCS first, the SIREN unbroken at the end): it is
// checked where it lies.
bool already_compact(std::string_view s) noexcept {
    if (!all_ascii(s) || s.find("  ") != std::string_view::npos) return false;
    for (char c : s)
        if (is_lower(c)) return false;
    return true;
}

ValidationOutcome rcs_validate(const ValidatorSpec& self, std::string_view value) {
    if (already_compact(value)) {
        ValidationOutcome o = rcs_check(value);
        if (o.ok) return o;
    }
    std::string s = rcs_compact(self, value);
    ValidationOutcome o = rcs_check(s);
    return o.ok ? ValidationOutcome::success(std::move(s)) : o;
}

// The SIREN in groups of three, as it is printed.
std::string rcs_format(const ValidatorSpec& self, std::string_view value) {
    std::string s = rcs_compact(self, value);
    if (!rcs_check(s).ok) return s;
    const std::string_view v = s;
    return std::string(v.substr(0, v.size() - 9)) + join_at(v.substr(v.size() - 9), {3, 6}, ' ');
}

std::optional<std::string> rcs_generate(const ValidatorSpec&) {
    constexpr std::string_view kTowns[] = {
        "PARIS", "NANTERRE", "LYON", "MARSEILLE", "BOBIGNY", "VERSAILLES", "BORDEAUX", "TOULOUSE",
        "AIX-EN-PROVENCE", "NANTES", "STRASBOURG", "RENNES", "SAINT-DENIS DE LA REUNION", "GRENOBLE", "ROUEN",
    };
    std::string siren = random_digits(8);
    siren.push_back(luhn_check_digit(siren));
    std::string s = "RCS " + std::string(kTowns[random_below(std::size(kTowns))]);
    if (random_below(2) == 0) s += random_below(4) == 0 ? " A" : " B";
    return s + " " + siren;
}

constexpr std::string_view kRcsAliases[] = {
    "RCS", "R.C.S.", "registre du commerce et des sociétés", "registre du commerce", "immatriculation RCS",
    "trade and companies register", "French trade register number",
};
constexpr std::string_view kRcsExamples[] = {"RCS PARIS B 552 120 222", "542 051 180 RCS NANTERRE"};

}  // namespace

const ValidatorSpec kFrRcsSpec = {
    .source_url = "https://www.infogreffe.fr/",
    .id = "fr.rcs",
    .name = "French Trade and Companies Register Number",
    .local_name = "Numéro RCS",
    .abbreviation = "RCS",
    .aliases = kRcsAliases,
    .candidate_pattern = "RCS [A-Za-z][A-Za-z' -]{0,40}[A-Za-z](?: [A-D])? \\d{3} ?\\d{3} ?\\d{3}|"
                         "\\d{3} ?\\d{3} ?\\d{3} RCS [A-Za-z][A-Za-z' -]{0,40}[A-Za-z]",
    .lengths = {},  // the town's name sets the length
    .examples = kRcsExamples,
    .ops = {.precheck = nullptr,
            .generate = rcs_generate,
            .parse = nullptr,
            .compact = rcs_compact,
            .format = rcs_format,
            .validate = rcs_validate},
    .country = country("FR"),
    .entity = EntityType::Company,
};

}  // namespace ov::europe
