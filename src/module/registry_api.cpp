// validator_ids, validators, validator_metadata, validate, compact, format,
// generate and parse: convert, look up, call one operation, convert back.
#include "module/args.h"
#include "module/classes.h"
#include "module/functions.h"
#include "module/target.h"

namespace ovpy {

namespace {

constexpr const char* kIdParam[] = {"id"};
constexpr const char* kIdValueParams[] = {"id", "value"};

// Binds (id, value), converts both, then looks the id up.
bool id_value_args(const char* fname, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
                   const ov::ValidatorSpec*& spec, std::string_view& value) {
    PyObject* slots[2];
    if (kwnames == nullptr && nargs == 2) {
        slots[0] = args[0];
        slots[1] = args[1];
    } else {
        const Signature sig{fname, kIdValueParams, 2, 2};
        if (!bind(sig, args, nargs, kwnames, slots)) return false;
    }
    std::string_view id;
    if (!text_arg(slots[0], "id", id) || !text_arg(slots[1], "value", value)) return false;
    spec = lookup(id);
    if (!spec) {
        unknown_id(slots[0]);
        return false;
    }
    return true;
}

bool id_arg(const char* fname, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
            const ov::ValidatorSpec*& spec) {
    PyObject* slot;
    const Signature sig{fname, kIdParam, 1, 1};
    if (!bind(sig, args, nargs, kwnames, &slot)) return false;
    std::string_view id;
    if (!text_arg(slot, "id", id)) return false;
    spec = lookup(id);
    if (!spec) {
        unknown_id(slot);
        return false;
    }
    return true;
}

bool no_args(const char* fname, Py_ssize_t nargs, PyObject* kwnames) {
    if (nargs == 0 && kwnames == nullptr) return true;
    const Signature sig{fname, nullptr, 0, 0};
    return bind(sig, nullptr, nargs, kwnames, nullptr);
}

}  // namespace

OVPY_FN(fn_validator_ids) {
    (void)module;
    (void)args;
    return guarded([&]() -> PyObject* {
        if (!no_args("validator_ids", nargs, kwnames)) return nullptr;
        auto all = records();
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(all.size()));
        if (!list) return nullptr;
        for (std::size_t i = 0; i < all.size(); ++i) {
            PyObject* s = to_py(all[i]->id);
            if (!s) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), s);
        }
        return list;
    });
}

OVPY_FN(fn_validators) {
    (void)module;
    (void)args;
    return guarded([&]() -> PyObject* {
        if (!no_args("validators", nargs, kwnames)) return nullptr;
        auto all = records();
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(all.size()));
        if (!list) return nullptr;
        for (std::size_t i = 0; i < all.size(); ++i) {
            PyObject* m = make_metadata(*all[i]);
            if (!m) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), m);
        }
        return list;
    });
}

OVPY_FN(fn_validator_metadata) {
    (void)module;
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec* spec;
        if (!id_arg("validator_metadata", args, nargs, kwnames, spec)) return nullptr;
        return make_metadata(*spec);
    });
}

OVPY_FN(fn_validate) {
    (void)module;
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec* spec;
        std::string_view value;
        if (!id_value_args("validate", args, nargs, kwnames, spec, value)) return nullptr;
        return make_result(spec->ops.validate(*spec, value));
    });
}

OVPY_FN(fn_compact) {
    (void)module;
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec* spec;
        std::string_view value;
        if (!id_value_args("compact", args, nargs, kwnames, spec, value)) return nullptr;
        return to_py(spec->ops.compact(*spec, value));
    });
}

OVPY_FN(fn_format) {
    (void)module;
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec* spec;
        std::string_view value;
        if (!id_value_args("format", args, nargs, kwnames, spec, value)) return nullptr;
        return to_py(spec->ops.format(*spec, value));
    });
}

OVPY_FN(fn_generate) {
    (void)module;
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec* spec;
        if (!id_arg("generate", args, nargs, kwnames, spec)) return nullptr;
        if (!spec->ops.generate) Py_RETURN_NONE;
        auto generated = spec->ops.generate(*spec);
        if (!generated) Py_RETURN_NONE;
        return to_py(*generated);
    });
}

OVPY_FN(fn_parse) {
    (void)module;
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec* spec;
        std::string_view value;
        if (!id_value_args("parse", args, nargs, kwnames, spec, value)) return nullptr;
        if (!spec->ops.parse) Py_RETURN_NONE;
        auto parsed = spec->ops.parse(*spec, value);
        if (!parsed) Py_RETURN_NONE;
        return make_parsed(*parsed);
    });
}

}  // namespace ovpy
