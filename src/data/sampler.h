// Draws many distinct valid values of one id, reproducibly from a seed.
//
// Most ids are drawn by one generic sampler that learns their structure
// from their examples: which characters each position admits and which
// positions carry a check value. A value is drawn position by position
// from the admitted characters and then repaired at a check position with
// the id's own validate operation. The few ids that cannot be learned this
// way have rows of their own (data/sample_rows.h). Plain C++.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bank/directory.h"
#include "data/sample_rows.h"
#include "registry/spec.h"

namespace ovd {

// One example turned into a pattern: the compact example, the characters
// each position admits (empty: the example's character stays), the
// positions that can repair a check value, the likeliest first, and a group
// of trailing positions for check values of two or three characters.
struct Pattern {
    std::string text;
    std::vector<std::string> admits;
    std::vector<std::uint8_t> repairs;
    std::vector<std::uint8_t> group;  // trailing positions mended together, or none
    std::vector<std::string> group_values;  // what the group holds in valid texts
    bool mend_group = true;                  // false: the group is drawn from its values only
    bool mend_pair = false;                  // the first two repair positions are mended together
    bool dated = false;        // the example tells a birth year: keep draws from 1800 to today
    std::uint32_t weight = 1;  // share of draws: more variable positions, more draws
};

struct Model {
    std::vector<Pattern> patterns;
    std::uint32_t total_weight = 0;
};

enum class PlanStatus : std::uint8_t { Ok, UnknownId, NoWay, NoCountry };

// Everything a run of draws needs. Plans are cheap to copy; the model they
// point to is built once per id and kept for the process.
struct BankDraw;

struct Plan {
    const ov::ValidatorSpec* spec = nullptr;
    const ov::SampleRow* row = nullptr;  // per-kind drawing, or nullptr
    const Model* model = nullptr;        // the generic sampler's, or nullptr
    std::string country;                 // empty: every country
    std::size_t max_length = 0;          // bytes of the longest value drawn
    std::vector<Plan> routes;            // a routing row's plans, one per prefix
    std::vector<std::string_view> prefixes;
    std::shared_ptr<const BankDraw> bank;  // draws from the bank directory first, or nullptr
};

// The plan for `id` (any registered id, documented or extended) and an
// optional country code (empty: none). IBANs and BICs are drawn from the
// bank directory `banks` when one is given. May throw std::bad_alloc.
PlanStatus make_plan(std::string_view id, std::string_view country, Plan& plan,
                     std::shared_ptr<const ovb::Directory> banks = nullptr);

// Appends one valid value to `out`.
void draw(const Plan& plan, ov::SampleRng& rng, std::string& out);

// The learned model of one record, built on first use (thread-safe).
const Model& model_of(const ov::ValidatorSpec& spec);

}  // namespace ovd
