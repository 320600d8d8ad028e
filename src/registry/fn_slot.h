// An optional function slot of a constexpr row that knows at compile time
// whether it was filled.
//
// Rows check their own shape in static_asserts ("every row has a check").
// Testing a named function's address against null is not a constant
// expression for GCC once null-pointer checks are kept
// (-fno-delete-null-pointer-checks, implied by -fsanitize=null), so the slot
// records that it was given a function when it is built, and compile-time
// checks read that flag instead of the address.
#pragma once

#include <cstddef>
#include <type_traits>

namespace ov {

template <class Ptr>
class FnSlot {
    static_assert(std::is_pointer_v<Ptr> && std::is_function_v<std::remove_pointer_t<Ptr>>,
                  "a slot holds a pointer to a function");

public:
    constexpr FnSlot() noexcept = default;
    // Implicit, so a row still reads `.check = be_nn_check`.
    constexpr FnSlot(Ptr fn) noexcept : fn_(fn), set_(true) {}
    // An empty slot is written by leaving the field out.
    FnSlot(std::nullptr_t) = delete;

    // Whether a function was given: usable in constant expressions.
    [[nodiscard]] constexpr bool set() const noexcept { return set_; }
    // The function itself (null when not set): calls and run-time tests go
    // through it, so `row.check(c)` and `if (row.parse)` read as before.
    constexpr operator Ptr() const noexcept { return fn_; }

private:
    Ptr fn_ = nullptr;
    bool set_ = false;
};

}  // namespace ov
