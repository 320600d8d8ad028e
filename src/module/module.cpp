// Module initialisation: a multi-phase module whose single exec step adds
// the five classes and the twenty-three functions, in order, to the module
// and to its __all__. The package module adds the same classes (taken from
// _native) and the registry and compatibility functions.
#include "module/classes.h"
#include "module/functions.h"

namespace ovpy {

namespace {

#define OVPY_DEF(name, doc) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), METH_FASTCALL | METH_KEYWORDS, doc}

constexpr const char kCompatDoc[] = "Compatibility entry point for the pre-registry boolean API.";

// Three groups, in documented order; an empty entry ends each.
PyMethodDef kRegistryFunctions[] = {
    OVPY_DEF(validator_ids, "validator_ids()\n--\n\n"),
    OVPY_DEF(validators, "validators()\n--\n\n"),
    OVPY_DEF(validator_metadata, "validator_metadata(id)\n--\n\n"),
    OVPY_DEF(validate, "validate(id, value)\n--\n\n"),
    OVPY_DEF(validate_many, "validate_many(id, values)\n--\n\n"),
    OVPY_DEF(compact, "compact(id, value)\n--\n\n"),
    OVPY_DEF(format, "format(id, value)\n--\n\n"),
    OVPY_DEF(generate, "generate(id)\n--\n\n"),
    OVPY_DEF(parse, "parse(id, value)\n--\n\n"),
    {nullptr, nullptr, 0, nullptr},
};

PyMethodDef kStandaloneFunctions[] = {
    OVPY_DEF(credit_card_detect_network, "credit_card_detect_network(value)\n--\n\n"),
    OVPY_DEF(eth_has_valid_eip55_checksum, "eth_has_valid_eip55_checksum(value)\n--\n\n"),
    OVPY_DEF(btc_base58_decode, "btc_base58_decode(value)\n--\n\n"),
    OVPY_DEF(btc_bech32_polymod, "btc_bech32_polymod(values)\n--\n\n"),
    OVPY_DEF(btc_bech32_convert_bits, "btc_bech32_convert_bits(values, from_bits, to_bits)\n--\n\n"),
    OVPY_DEF(btc_bech32_validate, "btc_bech32_validate(value)\n--\n\n"),
    OVPY_DEF(be_nn_checksum, "be_nn_checksum(value)\n--\n\n"),
    OVPY_DEF(es_vat_cif_checksum, "es_vat_cif_checksum(value)\n--\n\n"),
    OVPY_DEF(ee_ik_two_pass_check, "ee_ik_two_pass_check(value)\n--\n\n"),
    OVPY_DEF(gb_nhs_calc_check_digit, "gb_nhs_calc_check_digit(value)\n--\n\n"),
    OVPY_DEF(gb_sedol_calc_check_digit, "gb_sedol_calc_check_digit(value)\n--\n\n"),
    OVPY_DEF(luhn_generate, "luhn_generate(length=16)\n--\n\n"),
    {nullptr, nullptr, 0, nullptr},
};

PyMethodDef kCompatFunctions[] = {
    OVPY_DEF(validate_id, "validate_id(validator, value, input=None)\n--\n\nCompatibility entry point for the pre-registry boolean API."),
    OVPY_DEF(validate_named_id, "validate_named_id(validator, value)\n--\n\nCompatibility entry point for the pre-registry boolean API."),
    {nullptr, nullptr, 0, nullptr},
};

#undef OVPY_DEF

// The stand-alone check functions touch no registry: the package takes
// them from _native alone.
PyMethodDef* const kNativeGroups[] = {kRegistryFunctions, kStandaloneFunctions, kCompatFunctions};
PyMethodDef* const kPackageGroups[] = {kRegistryFunctions, kCompatFunctions};

// Adds each function of `defs` under the name it reports as its __name__.
bool add_functions(PyObject* module, PyObject* all, PyObject* modname, PyMethodDef* defs) {
    for (PyMethodDef* def = defs; def->ml_name; ++def) {
        PyObject* fn = PyCFunction_NewEx(def, module, modname);
        if (!fn) return false;
        PyObject* name = PyObject_GetAttrString(fn, "__name__");
        const bool ok = name && PyObject_SetAttr(module, name, fn) == 0 && PyList_Append(all, name) == 0;
        Py_XDECREF(name);
        Py_DECREF(fn);
        if (!ok) return false;
    }
    return true;
}

int exec_module(PyObject* module) {
    // The classes and the cached Sequence class are shared by the whole
    // process, so the module refuses to load in a sub-interpreter.
    if (PyInterpreterState_GetID(PyInterpreterState_Get()) != 0) {
        PyErr_Format(PyExc_ImportError, "%s does not support sub-interpreters", kQualifiedName);
        return -1;
    }
    PyObject* all = PyList_New(0);
    if (!all) return -1;
    if (PyModule_AddObject(module, "__all__", all) < 0) {
        Py_DECREF(all);
        return -1;
    }
    // `all` is now borrowed from the module.
    if (!add_classes(module, all, kPackageModule ? kClassOwner : nullptr)) return -1;
    PyObject* modname = PyModule_GetNameObject(module);
    if (!modname) return -1;
    bool ok = true;
    if constexpr (kPackageModule) {
        for (PyMethodDef* defs : kPackageGroups) ok = ok && add_functions(module, all, modname, defs);
    } else {
        for (PyMethodDef* defs : kNativeGroups) ok = ok && add_functions(module, all, modname, defs);
    }
    Py_DECREF(modname);
    return ok ? 0 : -1;
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT,
    kModuleName,
    "",
    0,
    nullptr,
    kSlots,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

}  // namespace ovpy

extern "C" __attribute__((visibility("default"))) PyObject* OVPY_CAT(PyInit_, OVPY_MODULE_NAME)(void) {
    return PyModuleDef_Init(&ovpy::kModule);
}
