// Stand-alone check functions: card network, Luhn generation, the Bitcoin
// and Ethereum address routines, and the national check-digit helpers.
#include "module/args.h"
#include "module/classes.h"
#include "module/functions.h"
#include "validators/core/cards.h"
#include "validators/crypto/crypto.h"
#include "validators/legacy_specs/standalone_checks.h"

namespace ovpy {

namespace {

constexpr const char* kValueParam[] = {"value"};
constexpr const char* kValuesParam[] = {"values"};
constexpr const char* kConvertParams[] = {"values", "from_bits", "to_bits"};
constexpr const char* kLengthParam[] = {"length"};

bool value_arg(const char* fname, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
               std::string_view& value) {
    PyObject* slot;
    if (kwnames == nullptr && nargs == 1) {
        slot = args[0];
    } else {
        const Signature sig{fname, kValueParam, 1, 1};
        if (!bind(sig, args, nargs, kwnames, &slot)) return false;
    }
    return text_arg(slot, "value", value);
}

bool u32_values(PyObject* obj, std::vector<std::uint32_t>& out) {
    ItemRefs refs;
    if (!sequence_items(obj, "values", refs.items)) return false;
    out.resize(refs.items.size());
    for (std::size_t i = 0; i < refs.items.size(); ++i)
        if (!u32_arg(refs.items[i], "values", out[i])) return false;
    return true;
}

// One str in, an int or None out.
PyObject* digit_check(const char* fname, std::optional<int> (*check)(std::string_view), PyObject* const* args,
                      Py_ssize_t nargs, PyObject* kwnames) {
    std::string_view value;
    if (!value_arg(fname, args, nargs, kwnames, value)) return nullptr;
    const std::optional<int> result = check(value);
    if (!result) Py_RETURN_NONE;
    return PyLong_FromLong(*result);
}

}  // namespace

OVPY_FN(fn_credit_card_detect_network) {
    (void)module;
    return guarded([&]() -> PyObject* {
        std::string_view value;
        if (!value_arg("credit_card_detect_network", args, nargs, kwnames, value)) return nullptr;
        auto network = ov::credit_card_detect_network(value);
        if (!network) Py_RETURN_NONE;
        return to_py(*network);
    });
}

OVPY_FN(fn_luhn_generate) {
    (void)module;
    return guarded([&]() -> PyObject* {
        PyObject* slot;
        const Signature sig{"luhn_generate", kLengthParam, 1, 0};
        if (!bind(sig, args, nargs, kwnames, &slot)) return nullptr;
        unsigned long long length = 16;
        if (slot) {
            PyObject* index = PyNumber_Index(slot);
            if (!index) {
                add_note("length");
                return nullptr;
            }
            length = PyLong_AsUnsignedLongLong(index);
            Py_DECREF(index);
            if (length == static_cast<unsigned long long>(-1) && PyErr_Occurred()) {
                add_note("length");
                return nullptr;
            }
        }
        // A length that no allocation can hold is a memory error, never a
        // wrapped size or an abort.
        if (length > static_cast<unsigned long long>(PY_SSIZE_T_MAX)) return PyErr_NoMemory();
        return to_py(ov::luhn_generate(length));
    });
}

OVPY_FN(fn_eth_has_valid_eip55_checksum) {
    (void)module;
    return guarded([&]() -> PyObject* {
        std::string_view value;
        if (!value_arg("eth_has_valid_eip55_checksum", args, nargs, kwnames, value)) return nullptr;
        if (ov::eth_has_valid_eip55_checksum(value)) Py_RETURN_TRUE;
        Py_RETURN_FALSE;
    });
}

OVPY_FN(fn_btc_base58_decode) {
    (void)module;
    return guarded([&]() -> PyObject* {
        std::string_view value;
        if (!value_arg("btc_base58_decode", args, nargs, kwnames, value)) return nullptr;
        auto bytes = ov::base58_decode(value);
        if (!bytes) Py_RETURN_NONE;
        return PyBytes_FromStringAndSize(reinterpret_cast<const char*>(bytes->data()),
                                         static_cast<Py_ssize_t>(bytes->size()));
    });
}

OVPY_FN(fn_btc_bech32_polymod) {
    (void)module;
    return guarded([&]() -> PyObject* {
        PyObject* slot;
        const Signature sig{"btc_bech32_polymod", kValuesParam, 1, 1};
        if (!bind(sig, args, nargs, kwnames, &slot)) return nullptr;
        std::vector<std::uint32_t> values;
        if (!u32_values(slot, values)) return nullptr;
        return PyLong_FromUnsignedLong(ov::bech32_polymod(values));
    });
}

OVPY_FN(fn_btc_bech32_convert_bits) {
    (void)module;
    return guarded([&]() -> PyObject* {
        PyObject* slots[3];
        const Signature sig{"btc_bech32_convert_bits", kConvertParams, 3, 3};
        if (!bind(sig, args, nargs, kwnames, slots)) return nullptr;
        std::vector<std::uint32_t> values;
        std::uint32_t from_bits = 0, to_bits = 0;
        if (!u32_values(slots[0], values) || !u32_arg(slots[1], "from_bits", from_bits) ||
            !u32_arg(slots[2], "to_bits", to_bits))
            return nullptr;
        auto groups = ov::bech32_convert_bits(values, from_bits, to_bits);
        if (!groups) Py_RETURN_NONE;
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(groups->size()));
        if (!list) return nullptr;
        for (std::size_t i = 0; i < groups->size(); ++i) {
            PyObject* n = PyLong_FromUnsignedLong((*groups)[i]);
            if (!n) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), n);
        }
        return list;
    });
}

OVPY_FN(fn_btc_bech32_validate) {
    (void)module;
    return guarded([&]() -> PyObject* {
        std::string_view value;
        if (!value_arg("btc_bech32_validate", args, nargs, kwnames, value)) return nullptr;
        return make_bech32(ov::bech32_check(value));
    });
}

OVPY_FN(fn_be_nn_checksum) {
    (void)module;
    return guarded([&] {
        return digit_check("be_nn_checksum", ov::legacy::be_nn_checksum, args, nargs, kwnames);
    });
}

OVPY_FN(fn_es_vat_cif_checksum) {
    (void)module;
    return guarded([&] {
        return digit_check("es_vat_cif_checksum", ov::legacy::es_vat_cif_checksum, args, nargs, kwnames);
    });
}

OVPY_FN(fn_ee_ik_two_pass_check) {
    (void)module;
    return guarded([&] {
        return digit_check("ee_ik_two_pass_check", ov::legacy::ee_ik_two_pass_check, args, nargs, kwnames);
    });
}

OVPY_FN(fn_gb_nhs_calc_check_digit) {
    (void)module;
    return guarded([&] {
        return digit_check("gb_nhs_calc_check_digit", ov::legacy::gb_nhs_calc_check_digit, args, nargs, kwnames);
    });
}

OVPY_FN(fn_gb_sedol_calc_check_digit) {
    (void)module;
    return guarded([&] {
        return digit_check("gb_sedol_calc_check_digit", ov::legacy::gb_sedol_calc_check_digit, args, nargs, kwnames);
    });
}

}  // namespace ovpy
