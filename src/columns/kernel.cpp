#include "columns/kernel.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <climits>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <thread>

#include "primitives/text.h"
#include "registry/outcome.h"

namespace ovc {

Buffer Buffer::uninitialised(std::size_t n) {
    // Rounded up to whole cache lines; the padding is zeroed, so reading a
    // bitmap's last word never sees indeterminate bytes.
    const std::size_t size = (std::max<std::size_t>(n, 1) + 63) / 64 * 64;
    void* p = std::aligned_alloc(64, size);
    if (!p) throw std::bad_alloc();
    std::memset(static_cast<std::uint8_t*>(p) + size - 64, 0, 64);
    Buffer b;
    b.bytes.reset(static_cast<std::uint8_t*>(p));
    b.size = n;
    return b;
}

Buffer Buffer::zeroed(std::size_t n) {
    Buffer b = uninitialised(n);
    std::memset(b.data(), 0, n);
    return b;
}

std::int64_t count_unset(const std::uint8_t* bits, std::int64_t n) noexcept {
    std::int64_t set = 0, i = 0;
    for (; i + 64 <= n; i += 64) {
        std::uint64_t w;
        std::memcpy(&w, bits + i / 8, 8);
        set += std::popcount(w);
    }
    for (; i < n; ++i) set += bit(bits, i);
    return n - set;
}

namespace {

struct FieldDef {
    std::string_view name;
    FieldType type;
};

constexpr FieldDef kIsValidFields[] = {{"", FieldType::Bool}};
constexpr FieldDef kTextFields[] = {{"", FieldType::Utf8}};
constexpr FieldDef kValidateFields[] = {
    {"valid", FieldType::Bool}, {"compact", FieldType::Utf8}, {"code", FieldType::Utf8}, {"message", FieldType::Utf8}};
constexpr FieldDef kParseFields[] = {{"birth_year", FieldType::Int32},
                                     {"birth_month", FieldType::Int32},
                                     {"birth_day", FieldType::Int32},
                                     {"gender", FieldType::Utf8}};
constexpr std::size_t kMaxFields = 4;

std::span<const FieldDef> field_defs(Op op) {
    switch (op) {
        case Op::IsValid: return kIsValidFields;
        case Op::Validate: return kValidateFields;
        case Op::Parse: return kParseFields;
        case Op::Compact:
        case Op::Format: break;
    }
    return kTextFields;
}

Output allocate(Op op, std::int64_t n) {
    Output out;
    out.op = op;
    out.length = n;
    out.is_struct = op == Op::Validate || op == Op::Parse;
    const auto rows = static_cast<std::size_t>(n);
    const std::size_t bitmap = (rows + 7) / 8;
    if (out.is_struct) out.validity = Buffer::zeroed(bitmap);
    for (const FieldDef& d : field_defs(op)) {
        Field f;
        f.name = d.name;
        f.type = d.type;
        f.validity = Buffer::zeroed(bitmap);
        switch (d.type) {
            case FieldType::Bool: f.values = Buffer::zeroed(bitmap); break;
            case FieldType::Int32: f.values = Buffer::zeroed(rows * 4); break;
            // Lengths at [i + 1] while rows are written; offsets afterwards.
            case FieldType::Utf8: f.values = Buffer::zeroed((rows + 1) * 4); break;
        }
        out.fields.push_back(std::move(f));
    }
    return out;
}

// Writes the rows of one segment. Segments start at multiples of eight rows,
// so no two threads share a byte of a bitmap.
struct Writer {
    Output& out;
    std::string text[kMaxFields];

    void row(std::int64_t i) noexcept { set_bit(out.validity.data(), i); }
    void flag(std::size_t f, std::int64_t i, bool v) noexcept {
        Field& fl = out.fields[f];
        set_bit(fl.validity.data(), i);
        if (v) set_bit(fl.values.data(), i);
    }
    void i32(std::size_t f, std::int64_t i, std::int32_t v) noexcept {
        Field& fl = out.fields[f];
        set_bit(fl.validity.data(), i);
        fl.values.as<std::int32_t>()[i] = v;
    }
    void str(std::size_t f, std::int64_t i, std::string_view s) {
        Field& fl = out.fields[f];
        // No single value comes near 4 GiB: Arrow values are at most 2 GiB and
        // an operation's text is at most a few times its input.
        if (s.size() > UINT32_MAX) throw std::bad_alloc();
        set_bit(fl.validity.data(), i);
        fl.values.as<std::uint32_t>()[i + 1] = static_cast<std::uint32_t>(s.size());
        text[f].append(s);
    }
};

std::string_view gender_name(ov::Gender g) {
    return g == ov::Gender::Male ? std::string_view("male") : std::string_view("female");
}

// One non-null value.
template <Op op>
void eval(const ov::ValidatorSpec& spec, Writer& w, std::int64_t i, std::string_view v, bool utf8) {
    if constexpr (op == Op::IsValid) {
        w.flag(0, i, utf8 && ov::passes(spec, v));
    } else if constexpr (op == Op::Validate) {
        w.row(i);
        if (!utf8) {
            w.flag(0, i, false);
            w.str(2, i, ov::error_code_name(ov::ErrorCode::InvalidFormat));
            w.str(3, i, kNotUtf8);
            return;
        }
        // The validate operation alone, as a single validate call runs it,
        // so codes and messages are the same value for value.
        const ov::ValidationOutcome o = spec.ops.validate(spec, v);
        w.flag(0, i, o.ok);
        if (o.ok) {
            w.str(1, i, o.text());
        } else {
            w.str(2, i, ov::error_code_name(o.code));
            w.str(3, i, o.message);
        }
    } else if constexpr (op == Op::Compact || op == Op::Format) {
        if (!utf8) return;  // no text can stand for bytes that are not text
        w.str(0, i, op == Op::Compact ? spec.ops.compact(spec, v) : spec.ops.format(spec, v));
    } else {
        if (!utf8 || !spec.ops.parse) return;
        const auto p = spec.ops.parse(spec, v);
        if (!p) return;
        w.row(i);
        w.i32(0, i, p->birth_year);
        w.i32(1, i, p->birth_month);
        w.i32(2, i, p->birth_day);
        if (p->gender != ov::Gender::Unknown) w.str(3, i, gender_name(p->gender));
    }
}

std::string_view text_at(const Field& f, std::int64_t k) noexcept {
    const char* d = reinterpret_cast<const char*>(f.data.data());
    if (f.large) {
        const auto* o = f.values.as<std::int64_t>();
        return {d + o[k], static_cast<std::size_t>(o[k + 1] - o[k])};
    }
    const auto* o = f.values.as<std::int32_t>();
    return {d + o[k], static_cast<std::size_t>(o[k + 1] - o[k])};
}

// Row i takes the finished result of dictionary entry k.
void copy_row(Writer& w, std::int64_t i, const Output& dict, std::int64_t k) {
    if (dict.is_struct) {
        if (!bit(dict.validity.data(), k)) return;
        w.row(i);
    }
    for (std::size_t f = 0; f < dict.fields.size(); ++f) {
        const Field& d = dict.fields[f];
        if (!bit(d.validity.data(), k)) continue;
        switch (d.type) {
            case FieldType::Bool: w.flag(f, i, bit(d.values.data(), k)); break;
            case FieldType::Int32: w.i32(f, i, d.values.as<std::int32_t>()[k]); break;
            case FieldType::Utf8: w.str(f, i, text_at(d, k)); break;
        }
    }
}

// The loop is instantiated per storage kind, so reading a value costs no
// dispatch; a run without a validity bitmap skips the null test.
template <Op op, StrKind kind>
void plain_rows_of(const ov::ValidatorSpec& spec, Writer& w, const StringSource& src, bool trusted,
                   std::int64_t lo, std::int64_t hi, std::int64_t out_base) {
    const bool may_be_null = kind == StrKind::Texts || src.validity != nullptr;
    for (std::int64_t r = lo; r < hi; ++r) {
        if (may_be_null && src.is_null_as<kind>(r)) continue;
        const std::string_view v = src.value_as<kind>(r);
        eval<op>(spec, w, out_base + r, v, trusted || ov::valid_utf8(v));
    }
}

template <Op op>
void plain_rows(const ov::ValidatorSpec& spec, Writer& w, const StringSource& src, bool trusted, std::int64_t lo,
                std::int64_t hi, std::int64_t out_base) {
    switch (src.kind) {
        case StrKind::Utf8: return plain_rows_of<op, StrKind::Utf8>(spec, w, src, trusted, lo, hi, out_base);
        case StrKind::LargeUtf8:
            return plain_rows_of<op, StrKind::LargeUtf8>(spec, w, src, trusted, lo, hi, out_base);
        case StrKind::View: return plain_rows_of<op, StrKind::View>(spec, w, src, trusted, lo, hi, out_base);
        case StrKind::Texts: return plain_rows_of<op, StrKind::Texts>(spec, w, src, true, lo, hi, out_base);
        case StrKind::Null: return;
    }
}

struct Plan {
    const ov::ValidatorSpec& spec;
    const ColumnInput& input;
    const std::vector<Output>& dict_out;
    std::vector<std::int64_t> chunk_start;  // output row of each chunk's first row
};

// Bytes of the plain offset-based input in output rows [begin, end).
std::size_t input_bytes(const Plan& plan, std::int64_t begin, std::int64_t end) {
    std::int64_t total = 0;
    for (std::size_t c = 0; c < plan.input.chunks.size(); ++c) {
        const Chunk& ch = plan.input.chunks[c];
        const std::int64_t base = plan.chunk_start[c];
        const std::int64_t lo = std::max(begin, base) - base, hi = std::min(end, base + ch.length) - base;
        if (lo >= hi || ch.dictionary >= 0) continue;
        const StringSource& v = ch.values;
        if (v.kind == StrKind::Utf8) {
            const auto* o = static_cast<const std::int32_t*>(v.offsets);
            total += o[v.offset + hi] - o[v.offset + lo];
        } else if (v.kind == StrKind::LargeUtf8) {
            const auto* o = static_cast<const std::int64_t*>(v.offsets);
            total += o[v.offset + hi] - o[v.offset + lo];
        }
    }
    return static_cast<std::size_t>(total);
}

template <Op op>
void run_segment(const Plan& plan, Writer& w, std::int64_t begin, std::int64_t end) {
    const auto& chunks = plan.input.chunks;
    // First chunk that ends after `begin`.
    auto it = std::upper_bound(plan.chunk_start.begin(), plan.chunk_start.end(), begin);
    std::size_t c = static_cast<std::size_t>(it - plan.chunk_start.begin()) - 1;
    for (; c < chunks.size() && plan.chunk_start[c] < end; ++c) {
        const Chunk& ch = chunks[c];
        const std::int64_t base = plan.chunk_start[c];
        const std::int64_t lo = std::max(begin, base) - base;
        const std::int64_t hi = std::min(end, base + ch.length) - base;
        if (ch.dictionary < 0) {
            plain_rows<op>(plan.spec, w, ch.values, plan.input.trusted_utf8, lo, hi, base);
            continue;
        }
        const Output& dict = plan.dict_out[static_cast<std::size_t>(ch.dictionary)];
        for (std::int64_t r = lo; r < hi; ++r)
            if (!ch.indices.is_null(r)) copy_row(w, base + r, dict, ch.indices.at(r));
    }
}

void run_segment_op(Op op, const Plan& plan, Writer& w, std::int64_t begin, std::int64_t end) {
    switch (op) {
        case Op::IsValid: return run_segment<Op::IsValid>(plan, w, begin, end);
        case Op::Validate: return run_segment<Op::Validate>(plan, w, begin, end);
        case Op::Compact: return run_segment<Op::Compact>(plan, w, begin, end);
        case Op::Format: return run_segment<Op::Format>(plan, w, begin, end);
        case Op::Parse: return run_segment<Op::Parse>(plan, w, begin, end);
    }
}

// Turns the per-row lengths of a text field into offsets and joins the
// segments' bytes; int32 offsets unless the total needs int64.
void finish_text(Field& f, std::int64_t n, const std::vector<std::int64_t>& seg_begin,
                 const std::vector<Writer>& writers, std::size_t index) {
    auto* len = f.values.as<std::uint32_t>();
    std::int64_t total = 0;
    for (std::int64_t i = 1; i <= n; ++i) total += len[i];
    std::vector<std::int64_t> seg_at(writers.size());  // byte offset of each segment's text
    if (total <= INT32_MAX) {
        auto* off = f.values.as<std::int32_t>();
        for (std::int64_t i = 0; i < n; ++i) off[i + 1] = off[i] + static_cast<std::int32_t>(len[i + 1]);
        for (std::size_t s = 0; s < writers.size(); ++s) seg_at[s] = off[seg_begin[s]];
    } else {
        Buffer wide = Buffer::zeroed(static_cast<std::size_t>(n + 1) * 8);
        auto* off = wide.as<std::int64_t>();
        for (std::int64_t i = 0; i < n; ++i) off[i + 1] = off[i] + len[i + 1];
        for (std::size_t s = 0; s < writers.size(); ++s) seg_at[s] = off[seg_begin[s]];
        f.values = std::move(wide);
        f.large = true;
    }
    f.data = Buffer::uninitialised(static_cast<std::size_t>(total));
    for (std::size_t s = 0; s < writers.size(); ++s) {
        const std::string& t = writers[s].text[index];
        if (!t.empty()) std::memcpy(f.data.data() + seg_at[s], t.data(), t.size());
    }
}

// Rows per thread below which another thread costs more than it saves.
constexpr std::int64_t kMinRowsPerThread = 16384;

}  // namespace

Output run(Op op, const ov::ValidatorSpec& spec, const ColumnInput& input, int threads) {
    // Every dictionary is evaluated once, as a column of its own.
    std::vector<Output> dict_out;
    dict_out.reserve(input.dictionaries.size());
    for (const StringSource& d : input.dictionaries) {
        ColumnInput one;
        one.rows = d.length;
        one.trusted_utf8 = input.trusted_utf8;
        Chunk ch;
        ch.length = d.length;
        ch.values = d;
        one.chunks.push_back(ch);
        dict_out.push_back(run(op, spec, one, threads));
    }

    const std::int64_t n = input.rows;
    Output out = allocate(op, n);
    Plan plan{spec, input, dict_out, {}};
    std::int64_t at = 0;
    for (const Chunk& ch : input.chunks) {
        plan.chunk_start.push_back(at);
        at += ch.length;
    }

    std::int64_t t = std::clamp<std::int64_t>(n / kMinRowsPerThread, 1, std::max(threads, 1));
    std::vector<std::int64_t> seg_begin(static_cast<std::size_t>(t) + 1);
    for (std::int64_t s = 0; s < t; ++s) seg_begin[static_cast<std::size_t>(s)] = (n / t * s) & ~std::int64_t{7};
    seg_begin[static_cast<std::size_t>(t)] = n;

    std::vector<Writer> writers;
    writers.reserve(static_cast<std::size_t>(t));
    for (std::int64_t s = 0; s < t; ++s) {
        writers.push_back(Writer{out, {}});
        // Compact texts are about as long as their input: reserving that
        // much spares the growth copies of a long column.
        if (op == Op::Compact || op == Op::Format || op == Op::Validate)
            writers.back().text[op == Op::Validate ? 1 : 0].reserve(
                input_bytes(plan, seg_begin[static_cast<std::size_t>(s)], seg_begin[static_cast<std::size_t>(s) + 1]));
    }

    std::atomic<bool> failed{false};
    auto work = [&](std::size_t s) noexcept {
        try {
            run_segment_op(op, plan, writers[s], seg_begin[s], seg_begin[s + 1]);
        } catch (...) {
            failed = true;
        }
    };
    if (t == 1) {
        work(0);
    } else {
        std::vector<std::thread> pool;
        pool.reserve(static_cast<std::size_t>(t) - 1);
        try {
            for (std::size_t s = 1; s < static_cast<std::size_t>(t); ++s) pool.emplace_back(work, s);
        } catch (...) {
            failed = true;
        }
        if (!failed) work(0);
        for (std::thread& th : pool) th.join();
    }
    // Validators allocate only owned texts, so the only failure is memory.
    if (failed) throw std::bad_alloc();

    for (std::size_t f = 0; f < out.fields.size(); ++f) {
        Field& fl = out.fields[f];
        if (fl.type == FieldType::Utf8) finish_text(fl, n, seg_begin, writers, f);
        fl.null_count = count_unset(fl.validity.data(), n);
    }
    if (out.is_struct) out.null_count = count_unset(out.validity.data(), n);
    else out.null_count = out.fields[0].null_count;
    return out;
}

}  // namespace ovc
