// validate_many and the boolean compatibility entry points.
#include "module/args.h"
#include "module/classes.h"
#include "module/functions.h"
#include "module/input_modes.h"
#include "module/target.h"

namespace ovpy {

namespace {

constexpr const char* kManyParams[] = {"id", "values"};
constexpr const char* kValidateIdParams[] = {"validator", "value", "input"};

// The precheck fast path, then the validate operation.
PyObject* validate_one(const ov::ValidatorSpec& spec, std::string_view value) {
    if (spec.ops.precheck) {
        const ov::PrecheckOutcome pre = spec.ops.precheck(spec, value);
        if (pre.kind == ov::PrecheckKind::AcceptAsIs) return make_valid_result(value);
        if (pre.kind == ov::PrecheckKind::Failure) return make_invalid_result(pre.code, pre.message);
    }
    return make_result(spec.ops.validate(spec, value));
}

PyObject* validate_id_impl(const char* fname, int count, PyObject* const* args, Py_ssize_t nargs,
                           PyObject* kwnames) {
    PyObject* slots[3];
    const Signature sig{fname, kValidateIdParams, count, 2};
    if (!bind(sig, args, nargs, kwnames, slots)) return nullptr;
    std::string_view validator, value, input;
    if (!text_arg(slots[0], "validator", validator) || !text_arg(slots[1], "value", value)) return nullptr;
    InputMode mode = InputMode::None;
    if (count == 3 && slots[2] && slots[2] != Py_None) {
        if (!text_arg(slots[2], "input", input)) return nullptr;
        mode = input_mode(input);
    }
    const ov::ValidatorSpec* spec = lookup(validator);
    if (!spec) Py_RETURN_FALSE;
    bool ok = mode == InputMode::None ? ov::passes(*spec, value) : ov::passes(*spec, apply_input_mode(value, mode));
    if (ok) Py_RETURN_TRUE;
    Py_RETURN_FALSE;
}

}  // namespace

namespace {

// Fills `out` (a new list of the same length) with one result per text.
// Releases `out` and returns nullptr on failure.
template <class TextAt>
PyObject* fill_results(PyObject* out, const ov::ValidatorSpec& spec, Py_ssize_t n, TextAt&& text_at) {
    try {
        for (Py_ssize_t i = 0; i < n; ++i) {
            std::string_view value;
            if (!text_at(i, value)) {
                Py_DECREF(out);
                return nullptr;
            }
            PyObject* r = validate_one(spec, value);
            if (!r) {
                Py_DECREF(out);
                return nullptr;
            }
            PyList_SetItem(out, i, r);
        }
    } catch (...) {
        Py_DECREF(out);
        throw;
    }
    return out;
}

// Exact lists and tuples are read in place, without copying references:
// the result list is allocated before the conversion pass, and from then on
// nothing allocates a garbage-collected object or calls into Python code,
// so no finalizer can run and change the items between the passes.
PyObject* validate_many_in_place(PyObject* id_obj, std::string_view id, PyObject* seq) {
    const bool is_list = PyList_CheckExact(seq);
    const Py_ssize_t n = is_list ? PyList_Size(seq) : PyTuple_Size(seq);
    if (n < 0) return nullptr;
    auto item = [&](Py_ssize_t i) { return is_list ? PyList_GetItem(seq, i) : PyTuple_GetItem(seq, i); };
    PyObject* out = PyList_New(n);
    if (!out) return nullptr;

    // Every value is converted before the id is looked up.
    for (Py_ssize_t i = 0; i < n; ++i) {
        std::string_view value;
        PyObject* obj = item(i);
        if (!obj || !text_arg(obj, "values", value, true)) {
            Py_DECREF(out);
            return nullptr;
        }
    }
    const ov::ValidatorSpec* spec = lookup(id);
    if (!spec) {
        Py_DECREF(out);
        return unknown_id(id_obj);
    }
    return fill_results(out, *spec, n, [&](Py_ssize_t i, std::string_view& value) {
        PyObject* obj = item(i);  // the UTF-8 form is cached by the first pass
        return obj != nullptr && text_arg(obj, "values", value, true);
    });
}

}  // namespace

OVPY_FN(fn_validate_many) {
    (void)module;
    return guarded([&]() -> PyObject* {
        PyObject* slots[2];
        const Signature sig{"validate_many", kManyParams, 2, 2};
        if (!bind(sig, args, nargs, kwnames, slots)) return nullptr;
        std::string_view id;
        if (!text_arg(slots[0], "id", id)) return nullptr;
        if (PyList_CheckExact(slots[1]) || PyTuple_CheckExact(slots[1]))
            return validate_many_in_place(slots[0], id, slots[1]);

        // Any other sequence: collect its items first, converting every
        // value before the id is looked up.
        ItemRefs refs;
        if (!sequence_items(slots[1], "values", refs.items)) return nullptr;
        std::vector<std::string_view> values(refs.items.size());
        for (std::size_t i = 0; i < refs.items.size(); ++i)
            if (!text_arg(refs.items[i], "values", values[i], true)) return nullptr;

        const ov::ValidatorSpec* spec = lookup(id);
        if (!spec) return unknown_id(slots[0]);

        PyObject* out = PyList_New(static_cast<Py_ssize_t>(values.size()));
        if (!out) return nullptr;
        return fill_results(out, *spec, static_cast<Py_ssize_t>(values.size()),
                            [&](Py_ssize_t i, std::string_view& value) {
                                value = values[static_cast<std::size_t>(i)];
                                return true;
                            });
    });
}

OVPY_FN(fn_validate_id) {
    (void)module;
    return guarded([&]() -> PyObject* { return validate_id_impl("validate_id", 3, args, nargs, kwnames); });
}

OVPY_FN(fn_validate_named_id) {
    (void)module;
    return guarded([&]() -> PyObject* { return validate_id_impl("validate_named_id", 2, args, nargs, kwnames); });
}

}  // namespace ovpy
