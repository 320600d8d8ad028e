// Fuzz target: every record of ov::all_validators() and every operation of
// it (precheck, compact, format, validate, parse, generate) on each input.
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz.h"
#include "inputs.h"
#include "primitives/text.h"
#include "registry/registry.h"

namespace ovfuzz {

namespace {

constexpr std::string_view kName = "registry";

// pa.ruc reports a valid number in a rewritten form that its compaction
// does not reproduce; its success text is held to its own validate instead.
constexpr std::string_view kRewrites = "pa.ruc";

bool same(const ov::ValidationOutcome& a, const ov::ValidationOutcome& b) {
    if (a.ok != b.ok) return false;
    return a.ok ? a.text() == b.text() : a.code == b.code && a.message == b.message;
}

// Control characters and Unicode white space.
bool space_or_control(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0xA0) || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) ||
           cp == 0x2028 || cp == 0x2029 || cp == 0x202F || cp == 0x205F || cp == 0x3000;
}

// A compact text holds no white space or control character, except the
// single inner spaces that de.handelsreg and pa.ruc write by design.
bool clean_compact_text(std::string_view id, std::string_view text) {
    const bool spaced = id == "de.handelsreg" || id == kRewrites;
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp;
        const std::size_t len = ov::decode_utf8(text, i, cp);
        if (space_or_control(cp)) {
            const bool designed = spaced && cp == U' ' && i > 0 && i + 1 < text.size() && text[i - 1] != ' ' &&
                                  text[i + 1] != ' ';
            if (!designed) return false;
        }
        i += len;
    }
    return true;
}

struct Checker {
    const ov::ValidatorSpec& spec;
    const Options& options;
    Failures& failures;
    std::string_view input;

    void expect(bool holds, std::string_view invariant, std::string_view detail = {}) const {
        if (!holds) failures.report(kName, spec.id, invariant, input, detail);
    }
    // Operations are total: an exception escaping one is a fault too.
    template <class F>
    auto call(std::string_view operation, std::string_view text, F&& f) const -> decltype(f()) {
        note_current(kName, spec.id, operation, text);
        try {
            return f();
        } catch (const std::exception& e) {
            std::string what(operation);
            failures.report(kName, spec.id, "an operation throws", text, what.append(": ").append(e.what()));
            return decltype(f()){};
        }
    }

    void run() const {
        const ov::ValidatorOps& ops = spec.ops;
        const bool utf8 = ov::valid_utf8(input);
        const ov::ValidationOutcome v = call("validate", input, [&] { return ops.validate(spec, input); });
        const ov::ValidationOutcome again = call("validate", input, [&] { return ops.validate(spec, input); });
        expect(same(v, again), "validate gives the same outcome twice");
        if (!v.ok) {
            expect(!v.message.empty() && static_cast<unsigned>(v.code) <= 3, "a failure has a code and a message");
        }
        if (ops.precheck) check_precheck(v);
        const std::string c = call("compact", input, [&] { return ops.compact(spec, input); });
        const std::string f = call("format", input, [&] { return ops.format(spec, input); });
        if (utf8) {
            expect(ov::valid_utf8(c), "compact of UTF-8 text is UTF-8", c);
            expect(ov::valid_utf8(f), "format of UTF-8 text is UTF-8", f);
        }
        if (ops.parse) {
            const auto p = call("parse", input, [&] { return ops.parse(spec, input); });
            expect(!p || v.ok, "parse reads only values that validate");
        }
        if (v.ok) check_success(v, utf8);
    }

    // validate_many and is_valid take the precheck's verdict when it has
    // one: it must be validate's (a failure may name another cause: the
    // Czech account's fast path has a message of its own for a misplaced
    // separator).
    void check_precheck(const ov::ValidationOutcome& v) const {
        const ov::PrecheckOutcome pre = call("precheck", input, [&] { return spec.ops.precheck(spec, input); });
        if (pre.kind == ov::PrecheckKind::AcceptAsIs)
            expect(v.ok && v.text() == input, "a precheck acceptance agrees with validate");
        if (pre.kind == ov::PrecheckKind::Failure)
            expect(!v.ok && !pre.message.empty(), "a precheck failure agrees with validate");
    }

    void check_success(const ov::ValidationOutcome& v, bool utf8) const {
        const std::string text(v.text());
        expect(!text.empty(), "a success has a non-empty compact text");
        if (utf8) expect(ov::valid_utf8(text), "the compact text of UTF-8 input is UTF-8", text);
        const ov::ValidationOutcome re = call("validate", text, [&] { return spec.ops.validate(spec, text); });
        expect(re.ok, "the compact text of a success validates", text);
        // Being mended: white space shielded from trimming, and separators
        // counted by the Swedish dash rule, leave texts that compact again.
        // Held on well-formed text, the only kind a str can carry.
        if (!options.pending || !utf8) return;
        if (spec.id == kRewrites) {
            expect(re.ok && re.text() == text, "[pending] the success text validates to itself", text);
        } else {
            const std::string again = call("compact", text, [&] { return spec.ops.compact(spec, text); });
            expect(again == text, "[pending] the compact text compacts to itself", text);
        }
        expect(clean_compact_text(spec.id, text), "[pending] the compact text holds no white space or control",
               text);
    }
};

std::vector<std::string> registry_seeds() {
    std::vector<std::string> seeds;
    for (const ov::ValidatorSpec* spec : ov::all_validators())
        for (std::string_view example : spec->examples) seeds.emplace_back(example);
    return seeds;
}

// A mutation of one of the record's own examples, so that every id meets
// near-valid input of its own shape on every case.
std::string own_input(const ov::ValidatorSpec& spec, std::uint64_t case_seed, std::size_t position) {
    Rng rng(case_seed ^ (0x9E3779B97F4A7C15ULL * (position + 1)));
    if (spec.examples.empty() || rng.one_in(8)) return random_tokens(rng, 24);
    return mutate(rng, std::string(spec.examples[rng.below(spec.examples.size())]));
}

void run_registry(const Case& c, const Options& options, Failures& failures) {
    std::size_t position = 0;
    for (const ov::ValidatorSpec* spec : ov::all_validators()) {
        ++position;
        if (!options.only_id.empty() && spec->id != options.only_id) continue;
        Checker{*spec, options, failures, c.input}.run();
        if (c.generated) {
            const std::string own = own_input(*spec, c.case_seed, position);
            Checker{*spec, options, failures, own}.run();
        }
    }
}

// Generated values are valid, whatever the generator's random draws.
void generate_all(const Options& options, Failures& failures) {
    for (const ov::ValidatorSpec* spec : ov::all_validators()) {
        if (!spec->ops.generate || (!options.only_id.empty() && spec->id != options.only_id)) continue;
        for (int i = 0; i < 25; ++i) {
            note_current(kName, spec->id, "generate", {});
            const std::optional<std::string> g = spec->ops.generate(*spec);
            if (!g) continue;
            const Checker check{*spec, options, failures, *g};
            note_current(kName, spec->id, "validate", *g);
            check.expect(spec->ops.validate(*spec, *g).ok, "a generated value validates");
            check.run();
        }
    }
}

}  // namespace

extern const Target kRegistryTarget = {
    .name = kName,
    .about = "every id of all_validators(), every operation",
    .seeds = registry_seeds,
    .run = run_registry,
    .once = generate_all,
};

}  // namespace ovfuzz
