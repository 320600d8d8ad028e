// Pieces of the personal-number rules shared beyond one predicate: the
// Belgian century rule, the Czech/Slovak birth number, the Irish, Spanish,
// NHS and Estonian/Lithuanian check characters and the Swedish dash rule of
// compaction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/outcome.h"
#include "validators/birth_data.h"

namespace ov::legacy {

// The century (1900 or 2000) whose mod-97 rule the nine-digit body and the
// two check digits of a Belgian national or BIS number satisfy. Births from
// 2000 on put a 2 in front of the body; that reading is open only to birth
// years (`yy` the two-digit year) not after this year, and only then is the
// clock read.
std::optional<int> belgian_century(std::int64_t body, std::int64_t check, std::int64_t yy);

// Czech and Slovak birth numbers share one scheme: nine digits are the old
// numbers (up to 1953), ten carry a check digit; women add 50 to the month,
// and from 2004 on a spare series adds 20 more. `read_birth_number` reads
// the date of nine or ten digits and names the first field that is wrong.
struct BirthNumber {
    enum class Fault : std::uint8_t { None, Year, Month, Day, Date };
    std::int64_t year = 0, month = 0, day = 0;
    bool female = false;
    Fault fault = Fault::None;
};
BirthNumber read_birth_number(std::string_view digits) noexcept;

// The Irish check letter of PPS and VAT numbers: seven digits weighted 8 to
// 2, plus nine times the value of an optional ninth letter ('W' counts 0),
// modulo 23. True when `v` (seven digits, a letter, perhaps one more) holds
// its check letter eighth.
inline constexpr std::string_view kIrishCheckAlphabet = "WABCDEFGHIJKLMNOPQRSTUV";
static_assert(kIrishCheckAlphabet.size() == 23);
bool irish_check_letter_matches(std::string_view v) noexcept;

// The letter of a Spanish DNI (or NIE, its first letter read as a digit).
inline constexpr std::string_view kSpanishIdLetters = "TRWAGMYFPDXBNJZSQVHLCKE";
static_assert(kSpanishIdLetters.size() == 23);
constexpr char spanish_id_letter(std::int64_t n) noexcept { return kSpanishIdLetters[static_cast<std::size_t>(n % 23)]; }

// The NHS check digit of the first nine of `digits`: nothing for the
// remainder that would need a 10, as no such number is issued.
std::optional<int> nhs_check_digit(std::string_view digits) noexcept;

// The two-pass weighted check digit shared by Estonian and Lithuanian
// personal codes, over the first ten digits of `digits`.
int baltic_check_digit(std::string_view digits) noexcept;

// Swedish personal numbers: ten or twelve characters get a '-' before the
// last four; other lengths keep only the sign in front of the last four.
std::string swedish_dash_rule(std::string s);

}  // namespace ov::legacy
