// The column a kernel reads: runs of string values borrowed from Arrow
// buffers (or from Python str objects), and dictionary-encoded runs that
// point into a shared list of dictionaries. Plain data; the importer checks
// every offset before a kernel reads a byte.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace ovc {

enum class StrKind : std::uint8_t {
    Utf8,       // int32 offsets + data
    LargeUtf8,  // int64 offsets + data
    View,       // 16-byte views + variadic data buffers
    Texts,      // string_views of Python str objects; data() == nullptr is null
    Null,       // every value is null (the Arrow null type)
};

inline bool bit(const std::uint8_t* bits, std::int64_t i) noexcept {
    return (bits[i >> 3] >> (i & 7)) & 1;
}

// One run of string values. Row i of the run is element `offset + i` of the
// Arrow buffers.
struct StringSource {
    StrKind kind = StrKind::Null;
    std::int64_t length = 0;
    std::int64_t offset = 0;
    const std::uint8_t* validity = nullptr;  // nullptr: no nulls
    const void* offsets = nullptr;
    const char* data = nullptr;
    const std::uint8_t* views = nullptr;
    const char* const* var_data = nullptr;
    const std::string_view* texts = nullptr;

    template <StrKind K>
    bool is_null_as(std::int64_t i) const noexcept {
        if constexpr (K == StrKind::Null) return true;
        else if constexpr (K == StrKind::Texts) return texts[i].data() == nullptr;
        else return validity != nullptr && !bit(validity, offset + i);
    }

    // Bytes of a non-null row.
    template <StrKind K>
    std::string_view value_as(std::int64_t i) const noexcept {
        const std::int64_t k = offset + i;
        if constexpr (K == StrKind::Utf8) {
            const auto* o = static_cast<const std::int32_t*>(offsets);
            return {data + o[k], static_cast<std::size_t>(o[k + 1] - o[k])};
        } else if constexpr (K == StrKind::LargeUtf8) {
            const auto* o = static_cast<const std::int64_t*>(offsets);
            return {data + o[k], static_cast<std::size_t>(o[k + 1] - o[k])};
        } else if constexpr (K == StrKind::View) {
            const std::uint8_t* v = views + 16 * k;
            std::int32_t len;
            std::memcpy(&len, v, 4);
            if (len <= 12) return {reinterpret_cast<const char*>(v + 4), static_cast<std::size_t>(len)};
            std::int32_t buf, off;
            std::memcpy(&buf, v + 8, 4);
            std::memcpy(&off, v + 12, 4);
            return {var_data[buf] + off, static_cast<std::size_t>(len)};
        } else if constexpr (K == StrKind::Texts) {
            return texts[i];
        } else {
            return {};
        }
    }

    bool is_null(std::int64_t i) const noexcept {
        switch (kind) {
            case StrKind::Utf8: return is_null_as<StrKind::Utf8>(i);
            case StrKind::LargeUtf8: return is_null_as<StrKind::LargeUtf8>(i);
            case StrKind::View: return is_null_as<StrKind::View>(i);
            case StrKind::Texts: return is_null_as<StrKind::Texts>(i);
            case StrKind::Null: break;
        }
        return true;
    }
};

// Dictionary indices of one run: integers of `width` bytes.
struct IndexSource {
    int width = 4;
    bool is_signed = true;
    const void* data = nullptr;
    const std::uint8_t* validity = nullptr;
    std::int64_t offset = 0;

    bool is_null(std::int64_t i) const noexcept { return validity != nullptr && !bit(validity, offset + i); }
    std::int64_t at(std::int64_t i) const noexcept {
        const std::int64_t k = offset + i;
        switch (width) {
            case 1: return is_signed ? std::int64_t{static_cast<const std::int8_t*>(data)[k]}
                                     : std::int64_t{static_cast<const std::uint8_t*>(data)[k]};
            case 2: return is_signed ? std::int64_t{static_cast<const std::int16_t*>(data)[k]}
                                     : std::int64_t{static_cast<const std::uint16_t*>(data)[k]};
            case 4: return is_signed ? std::int64_t{static_cast<const std::int32_t*>(data)[k]}
                                     : std::int64_t{static_cast<const std::uint32_t*>(data)[k]};
            default: return static_cast<const std::int64_t*>(data)[k];  // uint64 indices are checked < 2^63
        }
    }
};

// A run of rows: plain values, or indices into dictionaries[dictionary].
struct Chunk {
    std::int64_t length = 0;
    int dictionary = -1;  // -1: plain values
    StringSource values;
    IndexSource indices;
};

struct ColumnInput {
    std::vector<StringSource> dictionaries;
    std::vector<Chunk> chunks;
    std::int64_t rows = 0;
    bool trusted_utf8 = false;  // texts of Python str objects are well-formed already
};

}  // namespace ovc
