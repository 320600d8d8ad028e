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

// The documented module's functions carry their signatures alone (and the
// compatibility functions one line); the package module's carry the
// docstrings of the stub, for help() and editors.
#ifdef OVPY_PACKAGE_MODULE
#include "module/api_docs.inc"
#define OVPY_DOC(name, signature, native_text) signature "\n--\n\n" OVPY_API_DOC_##name
#else
#define OVPY_DOC(name, signature, native_text) signature "\n--\n\n" native_text
#endif
#define OVPY_REG(name, signature) OVPY_DEF(name, OVPY_DOC(name, signature, ""))

// Three groups, in documented order; an empty entry ends each.
PyMethodDef kRegistryFunctions[] = {
    OVPY_REG(validator_ids, "validator_ids()"),
    OVPY_REG(validators, "validators()"),
    OVPY_REG(validator_metadata, "validator_metadata(id)"),
    OVPY_REG(validate, "validate(id, value)"),
    OVPY_REG(validate_many, "validate_many(id, values)"),
    OVPY_REG(compact, "compact(id, value)"),
    OVPY_REG(format, "format(id, value)"),
    OVPY_REG(generate, "generate(id)"),
    OVPY_REG(parse, "parse(id, value)"),
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
    OVPY_DEF(validate_id, OVPY_DOC(validate_id, "validate_id(validator, value, input=None)",
                                   "Compatibility entry point for the pre-registry boolean API.")),
    OVPY_DEF(validate_named_id, OVPY_DOC(validate_named_id, "validate_named_id(validator, value)",
                                         "Compatibility entry point for the pre-registry boolean API.")),
    {nullptr, nullptr, 0, nullptr},
};

#undef OVPY_REG
#undef OVPY_DOC
#undef OVPY_DEF

// The stand-alone check functions touch no registry: the package takes
// them from _native alone.
PyMethodDef* const kNativeGroups[] = {kRegistryFunctions, kStandaloneFunctions, kCompatFunctions, nullptr};
PyMethodDef* const kPackageGroups[] = {kRegistryFunctions, kCompatFunctions, nullptr};

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
    if (!add_classes(module, all, kVariant.class_owner)) return -1;
    PyObject* modname = PyModule_GetNameObject(module);
    if (!modname) return -1;
    bool ok = true;
    for (PyMethodDef* const* group = kVariant.package ? kPackageGroups : kNativeGroups; ok && *group; ++group)
        ok = add_functions(module, all, modname, *group);
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

PyMODINIT_FUNC OVPY_CAT(PyInit_, OVPY_MODULE_NAME)(void) {
    return PyModuleDef_Init(&ovpy::kModule);
}
