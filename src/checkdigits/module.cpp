// orvane_vardik._checkdigits: the check-digit algorithms the validators use,
// as functions. Each algorithm has a `<name>_calculate(payload)`, giving the
// check character(s) to append, and a `<name>_validate(value)`, true when
// the value ends in the check character(s) of the rest. The package module
// `orvane_vardik.checkdigits` wraps these with their documentation.
//
// Arguments: a non-str raises TypeError; a payload character the algorithm
// does not accept raises ValueError naming it and its position; validate
// answers False for any text that is not valid (wrong characters, too
// short, text that cannot be UTF-8) and raises only for bad options.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "module/args.h"
#include "module/guard.h"
#include "primitives/checkdigits.h"
#include "primitives/text.h"

namespace ovk {

namespace {

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._checkdigits", static_cast<F&&>(body));
}

bool digit_char(char c) noexcept { return ov::is_digit(c); }
bool alnum_char(char c) noexcept { return ov::is_digit(c) || ov::is_upper(c); }

// ValueError "'x' at position N of the payload is not <what>", where `byte`
// is the offset of the character in the UTF-8 text of `obj`.
void bad_character(PyObject* obj, std::string_view text, std::size_t byte, const char* what) {
    Py_ssize_t index = 0;  // code points before the byte
    for (std::size_t i = 0; i < byte; ++i)
        index += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    PyObject* ch = PyUnicode_Substring(obj, index, index + 1);
    if (!ch) return;
    PyErr_Format(PyExc_ValueError, "%R at position %zd of the payload is not %s", ch, index, what);
    Py_DECREF(ch);
}

// The first byte of `text` that `ok` refuses, or npos.
template <class Ok>
std::size_t first_bad(std::string_view text, Ok&& ok) noexcept {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!ok(text[i])) return i;
    return std::string_view::npos;
}

// Binds a one-or-more parameter call; `slots` receive the arguments.
bool bind_args(const char* name, const char* const* params, int count, int required, PyObject* const* args,
               Py_ssize_t nargs, PyObject* kwnames, PyObject** slots) {
    if (!kwnames && nargs >= required && nargs <= count) {
        for (Py_ssize_t i = 0; i < nargs; ++i) slots[i] = args[i];
        return true;
    }
    const ovpy::Signature sig = {name, params, count, required};
    return ovpy::bind(sig, args, nargs, kwnames, slots);
}

// A value to validate as UTF-8: false with TypeError for a non-str; a text
// that cannot be UTF-8 (lone surrogates) is reported through `unreadable`.
bool value_arg(PyObject* obj, std::string_view& out, bool& unreadable) {
    unreadable = false;
    if (Py_TYPE(obj) != &PyUnicode_Type && !PyUnicode_Check(obj)) return ovpy::text_arg(obj, "value", out);
    Py_ssize_t n = 0;
    const char* s = PyUnicode_AsUTF8AndSize(obj, &n);
    if (!s) {
        PyErr_Clear();
        unreadable = true;
        return true;
    }
    out = std::string_view(s, static_cast<std::size_t>(n));
    return true;
}

// ---- the algorithms without options --------------------------------------------

struct Fixed {
    bool (*accepts)(char);
    const char* what;  // the accepted characters, for the error message
    std::size_t check_size;
    // The check character(s) of a payload of accepted characters.
    std::string (*check)(std::string_view payload);
};

std::string one(char c) { return std::string(1, c); }

const Fixed kVerhoeff = {digit_char, "a digit", 1,
                         [](std::string_view p) { return one(static_cast<char>('0' + ov::verhoeff_check_digit(p))); }};
const Fixed kDamm = {digit_char, "a digit", 1,
                     [](std::string_view p) { return one(static_cast<char>('0' + ov::damm_interim(p))); }};
const Fixed kMod11_10 = {digit_char, "a digit", 1,
                         [](std::string_view p) { return one(static_cast<char>('0' + ov::mod11_10_check(p))); }};
const Fixed kMod11_2 = {digit_char, "a digit", 1, [](std::string_view p) { return one(ov::mod11_2_check_char(p)); }};
const Fixed kMod37_2 = {alnum_char, "a digit or an upper-case letter", 1,
                        [](std::string_view p) { return one(ov::mod37_2_check_char(p)); }};
const Fixed kMod37_36 = {alnum_char, "a digit or an upper-case letter", 1,
                         [](std::string_view p) { return one(ov::mod37_36_check_char(p)); }};
const Fixed kMod97_10 = {alnum_char, "a digit or an upper-case letter", 2,
                         [](std::string_view p) { return ov::mod97_10_check_digits(p).value_or(std::string()); }};
const Fixed kGs1 = {digit_char, "a digit", 1, [](std::string_view p) { return one(ov::gs1_check_digit(p)); }};

PyObject* fixed_calculate(const Fixed& a, const char* name, PyObject* const* args, Py_ssize_t nargs,
                          PyObject* kwnames) {
    static const char* const kParams[] = {"payload"};
    PyObject* obj = nullptr;
    if (!bind_args(name, kParams, 1, 1, args, nargs, kwnames, &obj)) return nullptr;
    std::string_view payload;
    if (!ovpy::text_arg(obj, "payload", payload)) return nullptr;
    const std::size_t bad = first_bad(payload, a.accepts);
    if (bad != std::string_view::npos) {
        bad_character(obj, payload, bad, a.what);
        return nullptr;
    }
    return guarded([&]() -> PyObject* { return ovpy::to_py(a.check(payload)); });
}

PyObject* fixed_validate(const Fixed& a, const char* name, PyObject* const* args, Py_ssize_t nargs,
                         PyObject* kwnames) {
    static const char* const kParams[] = {"value"};
    PyObject* obj = nullptr;
    if (!bind_args(name, kParams, 1, 1, args, nargs, kwnames, &obj)) return nullptr;
    std::string_view value;
    bool unreadable = false;
    if (!value_arg(obj, value, unreadable)) return nullptr;
    if (unreadable || value.size() < a.check_size) Py_RETURN_FALSE;
    const std::string_view payload = value.substr(0, value.size() - a.check_size);
    if (first_bad(payload, a.accepts) != std::string_view::npos) Py_RETURN_FALSE;
    return guarded([&]() -> PyObject* {
        return PyBool_FromLong(a.check(payload) == value.substr(payload.size()));
    });
}

#define OVK_FIXED(name, algo)                                                                          \
    PyObject* fn_##name##_calculate(PyObject*, PyObject* const* a, Py_ssize_t n, PyObject* k) {       \
        return fixed_calculate(algo, #name "_calculate", a, n, k);                                    \
    }                                                                                                  \
    PyObject* fn_##name##_validate(PyObject*, PyObject* const* a, Py_ssize_t n, PyObject* k) {        \
        return fixed_validate(algo, #name "_validate", a, n, k);                                      \
    }
OVK_FIXED(verhoeff, kVerhoeff)
OVK_FIXED(damm, kDamm)
OVK_FIXED(mod11_10, kMod11_10)
OVK_FIXED(mod11_2, kMod11_2)
OVK_FIXED(mod37_2, kMod37_2)
OVK_FIXED(mod37_36, kMod37_36)
OVK_FIXED(mod97_10, kMod97_10)
OVK_FIXED(gs1, kGs1)
#undef OVK_FIXED

// ---- Luhn and Luhn mod N ---------------------------------------------------------

constexpr std::string_view kDecimal = "0123456789";

// The alphabet argument (None: the decimal digits); false with ValueError
// or TypeError set.
bool alphabet_arg(PyObject* obj, ov::LuhnAlphabet& out) {
    std::string_view chars = kDecimal;
    if (obj && obj != Py_None) {
        if (!ovpy::text_arg(obj, "alphabet", chars)) return false;
        for (char c : chars)
            if (static_cast<unsigned char>(c) > 0x7F) {
                PyErr_SetString(PyExc_ValueError, "alphabet must be ASCII characters");
                return false;
            }
    }
    if (!ov::make_luhn_alphabet(chars, out)) {
        PyErr_SetString(PyExc_ValueError, "alphabet must have at least two characters, none repeated");
        return false;
    }
    return true;
}

PyObject* fn_luhn_calculate(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"payload", "alphabet"};
    PyObject* slot[2] = {};
    if (!bind_args("luhn_calculate", kParams, 2, 1, args, nargs, kwnames, slot)) return nullptr;
    std::string_view payload;
    if (!ovpy::text_arg(slot[0], "payload", payload)) return nullptr;
    if (!slot[1] || slot[1] == Py_None) {  // decimal: the validators' own routine
        const std::size_t bad = first_bad(payload, digit_char);
        if (bad != std::string_view::npos) {
            bad_character(slot[0], payload, bad, "a digit");
            return nullptr;
        }
        const char c = ov::luhn_check_digit(payload);
        return PyUnicode_FromStringAndSize(&c, 1);
    }
    ov::LuhnAlphabet alphabet;
    if (!alphabet_arg(slot[1], alphabet)) return nullptr;
    const std::size_t bad = first_bad(payload, [&](char c) { return alphabet.value[static_cast<unsigned char>(c)] >= 0; });
    if (bad != std::string_view::npos) {
        bad_character(slot[0], payload, bad, "in the alphabet");
        return nullptr;
    }
    const char c = ov::luhn_mod_n_check(payload, alphabet);
    return PyUnicode_FromStringAndSize(&c, 1);
}

PyObject* fn_luhn_validate(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"value", "alphabet"};
    PyObject* slot[2] = {};
    if (!bind_args("luhn_validate", kParams, 2, 1, args, nargs, kwnames, slot)) return nullptr;
    std::string_view value;
    bool unreadable = false;
    if (!value_arg(slot[0], value, unreadable)) return nullptr;
    if (!slot[1] || slot[1] == Py_None) {
        if (unreadable || value.empty()) Py_RETURN_FALSE;
        return PyBool_FromLong(ov::luhn_digits_mod10(value) == 0);
    }
    ov::LuhnAlphabet alphabet;
    if (!alphabet_arg(slot[1], alphabet)) return nullptr;
    if (unreadable || value.empty()) Py_RETURN_FALSE;
    return PyBool_FromLong(ov::luhn_mod_n_sum(value, alphabet, false) == 0);
}

// ---- the weighted-sum family -----------------------------------------------------

enum class Named { Remainder, Complement, ComplementMod10, RemainderMod10, Table };

struct Weighted {
    std::vector<std::int64_t> weights;
    std::int64_t modulus = 11;
    bool from_right = false;
    Named mapping = Named::Complement;
    // With a table: the check character of each remainder, '\0' for none.
    std::string table;
};

bool weights_arg(PyObject* obj, std::vector<std::int64_t>& out) {
    ovpy::ItemRefs refs;
    if (!ovpy::sequence_items(obj, "weights", refs.items)) return false;
    if (refs.items.empty()) {
        PyErr_SetString(PyExc_ValueError, "weights must not be empty");
        return false;
    }
    out.reserve(refs.items.size());
    for (PyObject* item : refs.items) {
        if (!PyLong_Check(item) || PyBool_Check(item)) {
            PyErr_Format(PyExc_TypeError, "weights must be ints, not %R", item);
            return false;
        }
        int overflow = 0;
        const long long w = PyLong_AsLongLongAndOverflow(item, &overflow);
        if (w == -1 && PyErr_Occurred()) return false;
        if (overflow) {
            PyErr_Format(PyExc_ValueError, "weight %R is out of range (at most 64 bits)", item);
            return false;
        }
        out.push_back(w);
    }
    return true;
}

bool mapping_arg(PyObject* obj, Weighted& w) {
    if (!obj) return true;
    if (PyUnicode_Check(obj)) {
        std::string_view s;
        if (!ovpy::text_arg(obj, "mapping", s)) return false;
        if (s == "remainder") w.mapping = Named::Remainder;
        else if (s == "complement") w.mapping = Named::Complement;
        else if (s == "complement_mod10") w.mapping = Named::ComplementMod10;
        else if (s == "remainder_mod10") w.mapping = Named::RemainderMod10;
        else if (PyUnicode_GetLength(obj) == w.modulus) {
            for (char c : s)
                if (static_cast<unsigned char>(c) > 0x7F || static_cast<unsigned char>(c) < 0x21) {
                    PyErr_SetString(PyExc_ValueError, "a mapping table holds printable ASCII characters");
                    return false;
                }
            w.mapping = Named::Table;
            w.table = std::string(s);
        } else {
            PyErr_Format(PyExc_ValueError,
                         "mapping must be 'remainder', 'complement', 'complement_mod10', 'remainder_mod10' or a "
                         "table of one check character per remainder (%lld), not %R",
                         static_cast<long long>(w.modulus), obj);
            return false;
        }
        return true;
    }
    ovpy::ItemRefs refs;
    if (!ovpy::sequence_items(obj, "mapping", refs.items)) return false;
    if (static_cast<std::int64_t>(refs.items.size()) != w.modulus) {
        PyErr_Format(PyExc_ValueError, "a mapping table needs one entry per remainder (%lld), not %zd",
                     static_cast<long long>(w.modulus), static_cast<Py_ssize_t>(refs.items.size()));
        return false;
    }
    w.mapping = Named::Table;
    w.table.reserve(refs.items.size());
    for (PyObject* item : refs.items) {
        if (item == Py_None) {
            w.table.push_back('\0');
            continue;
        }
        std::string_view s;
        if (!PyUnicode_Check(item) || !ovpy::text_arg(item, "mapping", s) || s.size() != 1 ||
            static_cast<unsigned char>(s[0]) < 0x21 || static_cast<unsigned char>(s[0]) > 0x7E) {
            if (!PyErr_Occurred())
                PyErr_Format(PyExc_ValueError,
                             "a mapping table entry is one printable ASCII character or None, not %R", item);
            return false;
        }
        w.table.push_back(s[0]);
    }
    return true;
}

// Binds (text, weights, modulus=11, mapping="complement", from_right=False).
const char* const kWeightedPayload[] = {"payload", "weights", "modulus", "mapping", "from_right"};
const char* const kWeightedValue[] = {"value", "weights", "modulus", "mapping", "from_right"};

bool weighted_args(const char* name, const char* const* names, PyObject* const* args, Py_ssize_t nargs,
                   PyObject* kwnames, PyObject*& text, Weighted& w) {
    PyObject* slot[5] = {};
    if (!bind_args(name, names, 5, 2, args, nargs, kwnames, slot)) return false;
    text = slot[0];
    if (!weights_arg(slot[1], w.weights)) return false;
    if (slot[2]) {
        if (!PyLong_Check(slot[2]) || PyBool_Check(slot[2])) {
            PyErr_SetString(PyExc_TypeError, "modulus must be an int");
            return false;
        }
        int overflow = 0;
        const long long m = PyLong_AsLongLongAndOverflow(slot[2], &overflow);
        if (m == -1 && PyErr_Occurred()) return false;
        if (overflow || m < 2 || m > INT32_MAX) {
            PyErr_Format(PyExc_ValueError, "modulus must be from 2 to 2147483647, not %R", slot[2]);
            return false;
        }
        w.modulus = m;
    }
    if (!mapping_arg(slot[3], w)) return false;
    if (slot[4]) {
        const int r = PyObject_IsTrue(slot[4]);
        if (r < 0) return false;
        w.from_right = r == 1;
    }
    return true;
}

// The check character of a remainder, '\0' where the mapping has none.
char map_remainder(const Weighted& w, std::int64_t r) noexcept {
    std::int64_t v = 0;
    switch (w.mapping) {
        case Named::Remainder: v = r; break;
        case Named::Complement: v = (w.modulus - r) % w.modulus; break;
        case Named::ComplementMod10: v = (w.modulus - r) % 10; break;
        case Named::RemainderMod10: v = r % 10; break;
        case Named::Table: return w.table[static_cast<std::size_t>(r)];
    }
    return v <= 9 ? static_cast<char>('0' + v) : '\0';
}

PyObject* fn_weighted_calculate(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return guarded([&]() -> PyObject* {
        PyObject* obj = nullptr;
        Weighted w;
        if (!weighted_args("weighted_calculate", kWeightedPayload, args, nargs, kwnames, obj, w)) return nullptr;
        std::string_view payload;
        if (!ovpy::text_arg(obj, "payload", payload)) return nullptr;
        const std::size_t bad = first_bad(payload, digit_char);
        if (bad != std::string_view::npos) {
            bad_character(obj, payload, bad, "a digit");
            return nullptr;
        }
        // The check character sits to the right of the payload: weights
        // counted from the right start at the payload's last digit.
        const std::int64_t r = ov::weighted_remainder(payload, w.weights, w.modulus, w.from_right);
        const char c = map_remainder(w, r);
        if (c == '\0')
            return PyErr_Format(PyExc_ValueError, "no check character: the mapping gives none for remainder %lld",
                                static_cast<long long>(r));
        return PyUnicode_FromStringAndSize(&c, 1);
    });
}

PyObject* fn_weighted_validate(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return guarded([&]() -> PyObject* {
        PyObject* obj = nullptr;
        Weighted w;
        if (!weighted_args("weighted_validate", kWeightedValue, args, nargs, kwnames, obj, w)) return nullptr;
        std::string_view value;
        bool unreadable = false;
        if (!value_arg(obj, value, unreadable)) return nullptr;
        if (unreadable || value.empty()) Py_RETURN_FALSE;
        const std::string_view payload = value.substr(0, value.size() - 1);
        const std::int64_t r = ov::weighted_remainder(payload, w.weights, w.modulus, w.from_right);
        if (r < 0) Py_RETURN_FALSE;
        const char c = map_remainder(w, r);
        return PyBool_FromLong(c != '\0' && c == value.back());
    });
}

#define OVK_DEF(name, sig) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), METH_FASTCALL | METH_KEYWORDS, sig}
#define OVK_PAIR(name)                                                           \
    OVK_DEF(name##_calculate, #name "_calculate(payload)\n--\n\nThe check character(s) of a payload."), \
        OVK_DEF(name##_validate, #name "_validate(value)\n--\n\nTrue when value ends in its check character(s).")
PyMethodDef kFunctions[] = {
    OVK_DEF(luhn_calculate, "luhn_calculate(payload, alphabet=None)\n--\n\nThe Luhn (mod N) check character."),
    OVK_DEF(luhn_validate, "luhn_validate(value, alphabet=None)\n--\n\nTrue when value passes Luhn (mod N)."),
    OVK_PAIR(verhoeff),
    OVK_PAIR(damm),
    OVK_PAIR(mod11_10),
    OVK_PAIR(mod11_2),
    OVK_PAIR(mod37_2),
    OVK_PAIR(mod37_36),
    OVK_PAIR(mod97_10),
    OVK_PAIR(gs1),
    OVK_DEF(weighted_calculate,
            "weighted_calculate(payload, weights, modulus=11, mapping='complement', from_right=False)\n--\n\n"
            "The check character of a weighted sum."),
    OVK_DEF(weighted_validate,
            "weighted_validate(value, weights, modulus=11, mapping='complement', from_right=False)\n--\n\n"
            "True when value ends in the check character of its weighted sum."),
    {nullptr, nullptr, 0, nullptr},
};
#undef OVK_PAIR
#undef OVK_DEF

int exec_module(PyObject* module) { return PyModule_AddFunctions(module, kFunctions); }

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "_checkdigits", "Check-digit algorithms: calculate and validate.", 0, nullptr, kSlots,
    nullptr, nullptr, nullptr,
};

}  // namespace

}  // namespace ovk

extern "C" __attribute__((visibility("default"))) PyObject* PyInit__checkdigits(void) {
    return PyModuleDef_Init(&ovk::kModule);
}
