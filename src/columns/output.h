// The columns a kernel writes: Arrow-layout buffers owned by the module,
// exported later without a copy. One Field per output column; struct
// results (validate, parse) have several fields and a row validity of their
// own.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace ovc {

enum class Op : std::uint8_t { IsValid, Validate, Compact, Format, Parse };

enum class FieldType : std::uint8_t { Bool, Int32, Utf8 };

struct FreeDeleter {
    void operator()(void* p) const noexcept { std::free(p); }
};

// A 64-byte aligned heap buffer (Arrow's recommended alignment).
struct Buffer {
    std::unique_ptr<std::uint8_t, FreeDeleter> bytes;
    std::size_t size = 0;

    static Buffer zeroed(std::size_t n);         // throws std::bad_alloc
    static Buffer uninitialised(std::size_t n);  // only the padding is zeroed
    std::uint8_t* data() const noexcept { return bytes.get(); }
    template <class T>
    T* as() const noexcept { return reinterpret_cast<T*>(bytes.get()); }
};

inline void set_bit(std::uint8_t* bits, std::int64_t i) noexcept {
    bits[i >> 3] = static_cast<std::uint8_t>(bits[i >> 3] | (1u << (i & 7)));
}

struct Field {
    std::string_view name;
    FieldType type = FieldType::Bool;
    Buffer validity;          // one bit per row
    Buffer values;            // Bool: bits; Int32: values; Utf8: offsets
    Buffer data;              // Utf8: bytes
    bool large = false;       // Utf8 with int64 offsets
    std::int64_t null_count = 0;
};

struct Output {
    Op op = Op::IsValid;
    std::int64_t length = 0;
    bool is_struct = false;   // validate and parse; otherwise fields[0] is the column
    Buffer validity;          // struct rows
    std::int64_t null_count = 0;
    std::vector<Field> fields;
};

// Counts the clear bits among the first n.
std::int64_t count_unset(const std::uint8_t* bits, std::int64_t n) noexcept;

}  // namespace ovc
