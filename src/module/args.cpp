#include "module/args.h"

#include <iterator>
#include <string>

#include "module/target.h"

namespace ovpy {

namespace {

// "'a'", "'a' and 'b'", "'a', 'b', and 'c'" as the interpreter lists names.
std::string name_list(const std::vector<const char*>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            if (names.size() == 2)
                out += " and ";
            else if (i + 1 == names.size())
                out += ", and ";
            else
                out += ", ";
        }
        out += "'";
        out += names[i];
        out += "'";
    }
    return out;
}

// Raises TypeError "'<qualified type name>' object is not an instance of
// '<what>'"; a None passed for a str parameter reads "'None' is not ...".
void not_instance(PyObject* obj, const char* what, bool none_as_value) {
    if (obj == Py_None && none_as_value) {
        PyErr_Format(PyExc_TypeError, "'None' is not an instance of '%s'", what);
        return;
    }
    PyObject* type = reinterpret_cast<PyObject*>(Py_TYPE(obj));
    PyObject* qn = PyObject_GetAttrString(type, "__qualname__");
    if (qn && PyUnicode_Check(qn)) {
        PyErr_Format(PyExc_TypeError, "'%U' object is not an instance of '%s'", qn, what);
    } else {
        PyErr_Clear();
        PyErr_Format(PyExc_TypeError, "'object' object is not an instance of '%s'", what);
    }
    Py_XDECREF(qn);
}

PyObject* sequence_abc() {
    // Looked up once under the interpreter lock; a racing thread that also
    // imports (the import may release the lock) just drops its duplicate.
    static PyObject* cached = nullptr;
    if (cached) return cached;
    PyObject* mod = PyImport_ImportModule("collections.abc");
    if (!mod) return nullptr;
    PyObject* seq = PyObject_GetAttrString(mod, "Sequence");
    Py_DECREF(mod);
    if (!seq) return nullptr;
    if (cached) {
        Py_DECREF(seq);
    } else {
        cached = seq;  // kept for the life of the process
    }
    return cached;
}

// The interned str of a parameter name, keyed by the address of the name
// (names are string literals in static parameter tables). Keyword names in
// a call are interned by the compiler, so a match is usually found by
// comparing pointers. Only touched while holding the interpreter lock.
PyObject* interned_name(const char* name) {
    struct Entry {
        const char* name;
        PyObject* str;
    };
    static Entry cache[32];
    static int used = 0;
    for (int i = 0; i < used; ++i)
        if (cache[i].name == name) return cache[i].str;
    PyObject* str = PyUnicode_InternFromString(name);
    if (!str) {
        PyErr_Clear();  // the slow comparison still works
        return nullptr;
    }
    if (used == static_cast<int>(std::size(cache))) {
        Py_DECREF(str);  // no room: this name is compared the slow way
        return nullptr;
    }
    cache[used++] = {name, str};  // kept for the life of the process
    return str;
}

// Index of the parameter named `key`, or -1: identity with the interned
// names first, then a full comparison.
int param_index(const Signature& sig, PyObject* key) {
    for (int i = 0; i < sig.count; ++i)
        if (key == interned_name(sig.params[i])) return i;
    for (int i = 0; i < sig.count; ++i)
        if (PyUnicode_CompareWithASCIIString(key, sig.params[i]) == 0) return i;
    return -1;
}

}  // namespace

bool bind(const Signature& sig, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject** out) {
    for (int i = 0; i < sig.count; ++i) out[i] = nullptr;
    const Py_ssize_t npos = nargs < sig.count ? nargs : sig.count;
    for (Py_ssize_t i = 0; i < npos; ++i) out[i] = args[i];

    if (kwnames) {
        const Py_ssize_t nkw = PyTuple_Size(kwnames);
        for (Py_ssize_t k = 0; k < nkw; ++k) {
            PyObject* key = PyTuple_GetItem(kwnames, k);  // borrowed
            if (!key) return false;
            const int index = param_index(sig, key);
            if (index < 0) {
                PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", sig.name, key);
                return false;
            }
            if (out[index]) {
                PyErr_Format(PyExc_TypeError, "%s() got multiple values for argument '%s'", sig.name,
                             sig.params[index]);
                return false;
            }
            out[index] = args[nargs + k];
        }
    }

    if (nargs > sig.count) {
        const bool has_defaults = sig.required < sig.count;
        std::string takes = has_defaults ? "from " + std::to_string(sig.required) + " to " + std::to_string(sig.count)
                                         : std::to_string(sig.count);
        const bool plural = has_defaults || sig.count != 1;
        PyErr_Format(PyExc_TypeError, "%s() takes %s positional argument%s but %zd %s given", sig.name,
                     takes.c_str(), plural ? "s" : "", nargs, nargs == 1 ? "was" : "were");
        return false;
    }

    std::vector<const char*> missing;
    for (int i = 0; i < sig.required; ++i)
        if (!out[i]) missing.push_back(sig.params[i]);
    if (!missing.empty()) {
        std::string names = name_list(missing);
        PyErr_Format(PyExc_TypeError, "%s() missing %zu required positional argument%s: %s", sig.name,
                     missing.size(), missing.size() == 1 ? "" : "s", names.c_str());
        return false;
    }
    return true;
}

void attach_note(const char* format, const char* arg, bool fallback) {
    PyObject *type = nullptr, *value = nullptr, *tb = nullptr;
    PyErr_Fetch(&type, &value, &tb);
    if (!type) return;
    PyErr_NormalizeException(&type, &value, &tb);
    const bool has_add_note = value && PyObject_HasAttrString(value, "add_note");
    if (has_add_note || (value && fallback)) {
        PyObject* note = PyUnicode_FromFormat(format, arg);
        if (note && has_add_note) {
            PyObject* r = PyObject_CallMethod(value, "add_note", "O", note);
            Py_XDECREF(r);
        } else if (note) {
            // Before 3.11: __notes__ as add_note would keep it, for programs
            // that read it (the traceback does not show it there).
            PyObject* notes = PyList_New(0);
            if (notes && PyList_Append(notes, note) == 0) PyObject_SetAttrString(value, "__notes__", notes);
            Py_XDECREF(notes);
        }
        Py_XDECREF(note);
        PyErr_Clear();
    }
    if (tb && value) PyException_SetTraceback(value, tb);
    PyErr_Restore(type, value, tb);
}

void add_note(const char* param) { attach_note("while processing '%s'", param); }

bool text_arg(PyObject* obj, const char* param, std::string_view& out, bool element) {
    // An exact str (the usual case) is recognised by its type pointer alone.
    if (Py_TYPE(obj) != &PyUnicode_Type && !PyUnicode_Check(obj)) {
        not_instance(obj, "str", !element);
        add_note(param);
        return false;
    }
    Py_ssize_t n = 0;
    const char* s = PyUnicode_AsUTF8AndSize(obj, &n);
    if (!s) {
        add_note(param);
        return false;
    }
    out = std::string_view(s, static_cast<std::size_t>(n));
    return true;
}

bool u32_arg(PyObject* obj, const char* param, std::uint32_t& out) {
    PyObject* index = PyNumber_Index(obj);
    if (!index) {
        add_note(param);
        return false;
    }
    int overflow = 0;
    long long v = PyLong_AsLongLongAndOverflow(index, &overflow);
    Py_DECREF(index);
    if (v == -1 && PyErr_Occurred()) {
        add_note(param);
        return false;
    }
    if (overflow != 0 || v < 0 || v > 0xFFFFFFFFLL) {
        PyErr_SetString(PyExc_OverflowError, "out of range integral type conversion attempted");
        add_note(param);
        return false;
    }
    out = static_cast<std::uint32_t>(v);
    return true;
}

bool sequence_items(PyObject* obj, const char* param, std::vector<PyObject*>& items) {
    if (PyUnicode_Check(obj)) {
        PyErr_SetString(PyExc_TypeError, "Can't extract `str` to `Vec`");
        add_note(param);
        return false;
    }
    if (!PyList_Check(obj) && !PyTuple_Check(obj)) {
        PyObject* seq = sequence_abc();
        if (!seq) return false;
        int is = PyObject_IsInstance(obj, seq);
        if (is < 0) {
            add_note(param);
            return false;
        }
        if (!is) {
            not_instance(obj, "Sequence", false);
            add_note(param);
            return false;
        }
    }
    // The length is only a capacity hint: a failing or absurd __len__ must
    // neither abort the call nor reach the allocator unchecked.
    Py_ssize_t hint = PyObject_Size(obj);
    if (hint < 0) {
        PyErr_Clear();
        hint = 0;
    }
    constexpr Py_ssize_t kMaxHint = Py_ssize_t{1} << 20;
    items.reserve(static_cast<std::size_t>(hint < kMaxHint ? hint : kMaxHint));

    PyObject* it = PyObject_GetIter(obj);
    if (!it) {
        add_note(param);
        return false;
    }
    while (PyObject* item = PyIter_Next(it)) items.push_back(item);
    Py_DECREF(it);
    if (PyErr_Occurred()) {
        add_note(param);
        return false;
    }
    return true;
}

PyObject* unknown_id(PyObject* id_obj) {
    PyObject* msg = PyUnicode_FromFormat("unknown validator id: %U", id_obj);
    if (!msg) return nullptr;
#ifdef OVPY_PACKAGE_MODULE
    // The id was converted before the lookup, so its UTF-8 form is cached.
    Py_ssize_t n = 0;
    const char* text = PyUnicode_AsUTF8AndSize(id_obj, &n);
#endif
    PyErr_SetObject(PyExc_KeyError, msg);
    Py_DECREF(msg);
#ifdef OVPY_PACKAGE_MODULE
    if (text) note_closest_ids(std::string_view(text, static_cast<std::size_t>(n)));
#endif
    return nullptr;
}

}  // namespace ovpy
