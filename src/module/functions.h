// Module functions, grouped by file; module.cpp puts them in order.
#pragma once

#include "module/guard.h"
#include "module/py.h"
#include "module/target.h"

namespace ovpy {

// Runs a function body, turning C++ exceptions into Python ones so that
// none crosses into the interpreter.
template <class F>
PyObject* guarded(F&& body) noexcept {
    return guard_exceptions(kInternalError, static_cast<F&&>(body));
}

#define OVPY_FN(name) PyObject* name(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames)

// Registry API.
OVPY_FN(fn_validator_ids);
OVPY_FN(fn_validators);
OVPY_FN(fn_validator_metadata);
OVPY_FN(fn_validate);
OVPY_FN(fn_validate_many);
OVPY_FN(fn_compact);
OVPY_FN(fn_format);
OVPY_FN(fn_generate);
OVPY_FN(fn_parse);
// Stand-alone functions.
OVPY_FN(fn_credit_card_detect_network);
OVPY_FN(fn_eth_has_valid_eip55_checksum);
OVPY_FN(fn_btc_base58_decode);
OVPY_FN(fn_btc_bech32_polymod);
OVPY_FN(fn_btc_bech32_convert_bits);
OVPY_FN(fn_btc_bech32_validate);
OVPY_FN(fn_be_nn_checksum);
OVPY_FN(fn_es_vat_cif_checksum);
OVPY_FN(fn_ee_ik_two_pass_check);
OVPY_FN(fn_gb_nhs_calc_check_digit);
OVPY_FN(fn_gb_sedol_calc_check_digit);
OVPY_FN(fn_luhn_generate);
// Compatibility API.
OVPY_FN(fn_validate_id);
OVPY_FN(fn_validate_named_id);

}  // namespace ovpy
