// `crypto.wallet`: accepts any address that the Ethereum, Bech32 or
// Base58Check validator accepts, tried in that order.
#include "primitives/normalize.h"
#include "validators/crypto/crypto.h"

namespace ov {

namespace {

constexpr std::string_view kAliases[] = {"crypto address", "wallet address", "cryptocurrency wallet"};
constexpr std::string_view kExamples[] = {"0xde709f2102306220921060314715629080e2fb77",
                                          "1BoatSLRHtKNngkdXEeobR76b53LETtpyT",
                                          "bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4"};

// The first success of the three address validators, or a failure.
ValidationOutcome validate(const ValidatorSpec&, std::string_view value) {
    for (const ValidatorSpec* spec : {&kEthSpec, &kBtcBech32Spec, &kBtcBase58Spec}) {
        ValidationOutcome o = spec->ops.validate(*spec, value);
        if (o.ok) return o;
    }
    return ValidationOutcome::failure(ErrorCode::InvalidFormat, "Unsupported cryptocurrency wallet address");
}

std::string compact(const ValidatorSpec& self, std::string_view value) {
    ValidationOutcome o = validate(self, value);
    if (o.ok) return std::string(o.text());
    return std::string(trim(value));
}

}  // namespace

const ValidatorSpec kWalletSpec = {
    .source_url = nullptr,
    .id = "crypto.wallet",
    .name = "Cryptocurrency Wallet Address",
    .local_name = "Cryptocurrency Wallet Address",
    .abbreviation = "crypto",
    .aliases = kAliases,
    .candidate_pattern =
        "(?:0x[0-9A-Fa-f]{40}|[13][1-9A-HJ-NP-Za-km-z]{25,34}|bc1[ac-hj-np-z02-9]{11,71}|BC1[AC-HJ-NP-Z02-9]{11,71})",
    .lengths = {},
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = nullptr, .parse = nullptr,
            .compact = compact, .format = compact, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov
