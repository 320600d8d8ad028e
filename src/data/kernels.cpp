#include "data/kernels.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "bank/iban_bank.h"
#include "primitives/text.h"
#include "registry/registry.h"
#include "validators/core/iban.h"

namespace ovd {

using ovc::Buffer;
using ovc::Field;
using ovc::FieldType;
using ovc::Output;

IbanSplit split_iban(const ov::IbanCountry& c, std::size_t size) noexcept {
    IbanSplit s{};
    s.size = static_cast<std::uint8_t>(size);
    s.bank_begin = static_cast<std::uint8_t>(4 + c.bank_begin);
    s.bank_end = static_cast<std::uint8_t>(4 + c.bank_end);
    s.branch_begin = static_cast<std::uint8_t>(4 + c.branch_begin);
    s.branch_end = static_cast<std::uint8_t>(4 + c.branch_end);
    // The account follows the last identifier (Italy's and San Marino's
    // national check letter before the bank code is not part of it).
    s.account_begin = std::max(s.bank_end, s.branch_end);
    return s;
}

IbanSplit split_iban(std::string_view compact) noexcept {
    const ov::IbanCountry* c = ov::iban_country(compact);
    return c ? split_iban(*c, compact.size()) : IbanSplit{0, 0, 0, 0, 0, static_cast<std::uint8_t>(compact.size())};
}

namespace {

// A utf8 field written row after row into buffers sized for `bound` bytes
// per row; int64 offsets when the total could pass 2 GiB.
struct TextField {
    Field& f;
    std::uint64_t at = 0;

    // `total`: bytes of all rows when known exactly, else rows x bound.
    TextField(Field& field, std::string_view name, std::int64_t rows, std::size_t bound,
              std::uint64_t total = UINT64_MAX)
        : f(field) {
        f.name = name;
        f.type = FieldType::Utf8;
        const auto n = static_cast<std::uint64_t>(rows);
        if (total == UINT64_MAX) total = n * bound;
        f.large = total > static_cast<std::uint64_t>(INT32_MAX);
        f.validity = Buffer::zeroed((n + 7) / 8);
        f.values = Buffer::zeroed((n + 1) * (f.large ? 8 : 4));
        f.data = Buffer::uninitialised(std::max<std::uint64_t>(total, 1));
    }
    void end_row(std::int64_t i) noexcept {
        if (f.large) f.values.as<std::int64_t>()[i + 1] = static_cast<std::int64_t>(at);
        else f.values.as<std::int32_t>()[i + 1] = static_cast<std::int32_t>(at);
    }
    void put(std::int64_t i, std::string_view s) noexcept {
        std::memcpy(f.data.data() + at, s.data(), s.size());
        at += s.size();
        ovc::set_bit(f.validity.data(), i);
        end_row(i);
    }
    void null(std::int64_t i) noexcept {
        ++f.null_count;
        end_row(i);
    }
};

std::string_view value_at(const ovc::StringSource& src, std::int64_t i) noexcept {
    using ovc::StrKind;
    switch (src.kind) {
        case StrKind::Utf8: return src.value_as<StrKind::Utf8>(i);
        case StrKind::LargeUtf8: return src.value_as<StrKind::LargeUtf8>(i);
        case StrKind::View: return src.value_as<StrKind::View>(i);
        case StrKind::Texts: return src.value_as<StrKind::Texts>(i);
        case StrKind::Null: break;
    }
    return {};
}

// Rows drawn from one seed stream each: a column is the same whatever the
// order its blocks are drawn in.
constexpr std::int64_t kBlock = 65536;

std::uint64_t block_seed(std::uint64_t seed, std::uint64_t block) noexcept {
    return seed ^ (block * 0xd1b54a32d192ed03ULL);
}

}  // namespace

std::optional<std::uint64_t> sample_column_bytes(const Plan& plan, std::uint64_t n) noexcept {
    const std::uint64_t per_row = plan.max_length + 8 + 1;  // bytes, an offset, validity
    if (n > UINT64_MAX / per_row) return std::nullopt;
    return n * per_row;
}

Output sample_column(const Plan& plan, std::uint64_t seed, std::int64_t n) {
    Output out;
    out.op = ovc::Op::Compact;
    out.length = n;
    out.fields.emplace_back();
    TextField text(out.fields.back(), "", n, plan.max_length);
    std::memset(text.f.validity.data(), 0xFF, static_cast<std::size_t>((n + 7) / 8));
    std::string value;
    value.reserve(2 * plan.max_length + 16);
    for (std::int64_t begin = 0; begin < n; begin += kBlock) {
        ov::SampleRng rng(block_seed(seed, static_cast<std::uint64_t>(begin / kBlock)));
        const std::int64_t end = std::min(n, begin + kBlock);
        for (std::int64_t i = begin; i < end; ++i) {
            value.clear();
            draw(plan, rng, value);
            if (value.size() > plan.max_length) throw std::logic_error("a sampled value is longer than its bound");
            std::memcpy(text.f.data.data() + text.at, value.data(), value.size());
            text.at += value.size();
            text.end_row(i);
        }
    }
    return out;
}

Output iban_parts_column(const ovc::ColumnInput& input, const ovb::Directory* banks) {
    static const ov::ValidatorSpec& iban = *ov::find_validator("iban");
    constexpr std::size_t kBound = 34;  // the longest IBAN
    static constexpr std::string_view kNames[] = {"country", "check_digits", "bban",
                                                  "bank_code", "branch_code", "account"};
    const std::int64_t n = input.rows;
    Output out;
    out.op = ovc::Op::Validate;
    out.length = n;
    out.is_struct = true;
    out.validity = Buffer::zeroed(static_cast<std::size_t>((n + 7) / 8));
    out.fields.resize(std::size(kNames) + 4);
    std::vector<TextField> fields;
    fields.reserve(std::size(kNames) + 3);
    for (std::size_t f = 0; f < std::size(kNames); ++f) fields.emplace_back(out.fields[f], kNames[f], n, kBound);
    // The bank of each row, for the fields written once their size is known.
    struct RowBank {
        const ovb::BankRow* named = nullptr;
        const ovb::BankRow* with_bic = nullptr;
    };
    std::vector<RowBank> row_banks(static_cast<std::size_t>(n));
    std::uint64_t name_bytes = 0, short_bytes = 0;
    Field& national = out.fields[std::size(kNames) + 3];
    national.name = "national_check";
    national.type = FieldType::Bool;
    national.validity = Buffer::zeroed(static_cast<std::size_t>((n + 7) / 8));
    national.values = Buffer::zeroed(static_cast<std::size_t>((n + 7) / 8));

    auto row = [&](std::int64_t i, std::string_view v, bool present) {
        ov::ValidationOutcome o;
        if (present && (input.trusted_utf8 || ov::valid_utf8(v))) o = iban.ops.validate(iban, v);
        if (!o.ok) {
            ++out.null_count;
            ++national.null_count;
            for (TextField& f : fields) f.null(i);
            return;
        }
        ovc::set_bit(out.validity.data(), i);
        const std::string_view s = o.text();
        const IbanSplit p = split_iban(s);
        fields[0].put(i, s.substr(0, 2));
        fields[1].put(i, s.substr(2, 2));
        fields[2].put(i, s.substr(4));
        fields[3].put(i, s.substr(p.bank_begin, p.bank_end - p.bank_begin));
        if (p.branch_begin == p.branch_end) fields[4].null(i);
        else fields[4].put(i, s.substr(p.branch_begin, p.branch_end - p.branch_begin));
        fields[5].put(i, s.substr(p.account_begin));
        const ov::IbanCountry* c = ov::iban_country(s.substr(0, 2));
        const ovb::IbanBank b = ovb::iban_bank(banks, s, *c);
        if (b.bank.named) {
            row_banks[static_cast<std::size_t>(i)] = {b.bank.named, b.bank.with_bic};
            name_bytes += banks->name(*b.bank.named).size();
            short_bytes += banks->short_name(*b.bank.named).size();
        }
        if (b.national == ovb::Check::None) {
            ++national.null_count;
        } else {
            ovc::set_bit(national.validity.data(), i);
            if (b.national == ovb::Check::Valid) ovc::set_bit(national.values.data(), i);
        }
    };

    std::int64_t i = 0;
    for (const ovc::Chunk& ch : input.chunks) {
        for (std::int64_t r = 0; r < ch.length; ++r, ++i) {
            if (ch.dictionary < 0) {
                const bool present = !ch.values.is_null(r);
                row(i, present ? value_at(ch.values, r) : std::string_view{}, present);
                continue;
            }
            const ovc::StringSource& dict = input.dictionaries[static_cast<std::size_t>(ch.dictionary)];
            const bool present = !ch.indices.is_null(r) && !dict.is_null(ch.indices.at(r));
            row(i, present ? value_at(dict, ch.indices.at(r)) : std::string_view{}, present);
        }
    }
    TextField name(out.fields[std::size(kNames)], "bank_name", n, 0, name_bytes);
    TextField short_name(out.fields[std::size(kNames) + 1], "bank_short_name", n, 0, short_bytes);
    TextField bic(out.fields[std::size(kNames) + 2], "bic", n, 11);
    for (std::int64_t k = 0; k < n; ++k) {
        const RowBank& rb = row_banks[static_cast<std::size_t>(k)];
        if (!rb.named) {
            name.null(k);
            short_name.null(k);
            bic.null(k);
            continue;
        }
        name.put(k, banks->name(*rb.named));
        short_name.put(k, banks->short_name(*rb.named));
        if (rb.with_bic) bic.put(k, banks->bic(*rb.with_bic));
        else bic.null(k);
    }
    return out;
}

}  // namespace ovd
