// What the plans need from the generic sampler's learning (src/data only).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "data/sampler.h"

namespace ovd {

inline constexpr int kAttempts = 64;  // draws of one value before giving up on it

inline bool valid(const ov::ValidatorSpec& spec, std::string_view s) { return spec.ops.validate(spec, s).ok; }

// One valid value of pattern `p` in `s`, in at most `attempts` draws; false
// (and the example in `s`) when none holds.
bool draw_pattern(const ov::ValidatorSpec& spec, const Pattern& p, ov::SampleRng& rng, std::string& s,
                  int attempts = kAttempts);

// The model of one record, learned from its examples and validate operation.
std::unique_ptr<Model> learn(const ov::ValidatorSpec& spec);

}  // namespace ovd
