// orvane_vardik._find: the text finder's entry points. The public,
// documented face is orvane_vardik.finder; these functions take its
// already-normalised arguments.
#include <algorithm>
#include <new>

#include "find/engine.h"
#include "find/module_common.h"
#include "find/redact.h"
#include "module/args.h"
#include "module/guard.h"

namespace ovf {

namespace {

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._find", static_cast<F&&>(body));
}

PyObject* text_of(std::string_view s) { return ovpy::to_py(s); }

bool str_items(PyObject* obj, const char* what, std::vector<std::string_view>& out) {
    if (!PyTuple_Check(obj)) {
        PyErr_Format(PyExc_TypeError, "%s must be a tuple of str or None", what);
        return false;
    }
    const Py_ssize_t n = PyTuple_Size(obj);
    for (Py_ssize_t i = 0; i < n; ++i) {
        PyObject* item = PyTuple_GetItem(obj, i);
        if (!PyUnicode_Check(item)) {
            PyErr_Format(PyExc_TypeError, "%s must hold str, not %s", what, Py_TYPE(item) == nullptr ? "?" : "another type");
            return false;
        }
        Py_ssize_t len = 0;
        const char* p = PyUnicode_AsUTF8AndSize(item, &len);
        if (!p) return false;
        out.emplace_back(p, static_cast<std::size_t>(len));
    }
    return true;
}

PyObject* joined(const std::vector<std::string>& names) {
    std::string s;
    for (const std::string& n : names) {
        if (!s.empty()) s += ", ";
        s += n;
    }
    return text_of(s);
}

// The thread-safe, lazily built engine; MemoryError if it cannot be built.
const Engine* engine_or_error() {
    try {
        return &engine();
    } catch (...) {
        PyErr_NoMemory();
        return nullptr;
    }
}

// Text of a str argument; the encoding error of a lone surrogate propagates.
bool utf8_of(PyObject* obj, std::string_view& out, bool& ascii) {
    if (!PyUnicode_Check(obj)) {
        PyErr_SetString(PyExc_TypeError, "text must be a str");
        return false;
    }
    Py_ssize_t len = 0;
    const char* p = PyUnicode_AsUTF8AndSize(obj, &len);
    if (!p) return false;
    out = std::string_view(p, static_cast<std::size_t>(len));
    ascii = PyUnicode_GetLength(obj) == len;
    return true;
}

bool index_arg(PyObject* obj, std::size_t fallback, std::size_t& out) {
    if (obj == nullptr || obj == Py_None) {
        out = fallback;
        return true;
    }
    const Py_ssize_t v = PyLong_AsSsize_t(obj);
    if (v == -1 && PyErr_Occurred()) return false;
    out = v < 0 ? 0 : static_cast<std::size_t>(v);
    return true;
}

// The str of kind k's id, one per kind for the life of the process (the
// module is never unloaded); a new reference, or nullptr with an error.
PyObject* id_of(const Engine& e, int k) {
    static std::vector<PyObject*> ids;  // guarded by the interpreter lock
    if (ids.empty()) ids.assign(e.kinds.size(), nullptr);
    PyObject*& slot = ids[static_cast<std::size_t>(k)];
    if (!slot) slot = text_of(e.kinds[static_cast<std::size_t>(k)].spec->id);
    Py_XINCREF(slot);
    return slot;
}

// scan(text, ids, countries, include_invalid, min_confidence, start=None, stop=None)
// -> [(id, start, end, compact, valid, confidence)] for the matches starting
// in text[start:stop]; the rest of the text is context.
PyObject* fn_scan(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"text", "ids", "countries", "include_invalid", "min_confidence",
                                          "start", "stop"};
    static const ovpy::Signature kSig{"scan", kParams, 7, 5};
    PyObject* a[7] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, a)) return nullptr;
    return guarded([&]() -> PyObject* {
        const Engine* e = engine_or_error();
        if (!e) return nullptr;
        Selection sel;
        if (!read_selection(*e, a[1], a[2], a[3], a[4], sel)) return nullptr;
        std::string_view text;
        bool ascii = false;
        if (!utf8_of(a[0], text, ascii)) return nullptr;
        CodePoints cps(text, ascii);
        std::size_t start = 0, stop = 0;
        if (!index_arg(a[5], 0, start) || !index_arg(a[6], SIZE_MAX, stop)) return nullptr;
        const std::size_t from = cps.byte(start);
        const std::size_t to = stop == SIZE_MAX ? text.size() : cps.byte(stop, from, std::min(start, stop));
        std::vector<Hit> hits;
        Py_BEGIN_ALLOW_THREADS
        // The text stays alive and unchanged: the caller holds a reference
        // to the immutable str whose UTF-8 form this is.
        try {
            scan(*e, sel, text, from, to, hits);
        } catch (...) {
            hits.clear();
            hits.shrink_to_fit();
            hits.push_back(Hit{});  // marks the failure
            hits.back().kind = -2;
        }
        Py_END_ALLOW_THREADS
        if (!hits.empty() && hits.back().kind == -2) return PyErr_NoMemory();
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(hits.size()));
        if (!list) return nullptr;
        for (std::size_t i = 0; i < hits.size(); ++i) {
            const Hit& h = hits[i];
            const std::size_t s = cps.index(h.start);
            const std::size_t n = ascii ? h.end - h.start : CodePoints(text.substr(h.start), false).index(h.end - h.start);
            PyObject* item = Py_BuildValue("(NnnNOs)", id_of(*e, h.kind),
                                           static_cast<Py_ssize_t>(s), static_cast<Py_ssize_t>(s + n),
                                           text_of(h.compact), h.valid ? Py_True : Py_False,
                                           confidence_name(h.confidence));
            if (!item) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), item);
        }
        return list;
    });
}

// redact(text, ids, countries, min_confidence, start, stop) -> (masked, end):
// text[start:end] with every letter and digit of the matches starting in
// text[start:stop] masked; end is stop, or the end of a match that runs
// past it. The rest of the text is context.
PyObject* fn_redact(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"text", "ids", "countries", "min_confidence", "start", "stop"};
    static const ovpy::Signature kSig{"redact", kParams, 6, 4};
    PyObject* a[6] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, a)) return nullptr;
    return guarded([&]() -> PyObject* {
        const Engine* e = engine_or_error();
        if (!e) return nullptr;
        Selection sel;
        if (!read_selection(*e, a[1], a[2], Py_False, a[3], sel)) return nullptr;
        std::string_view text;
        bool ascii = false;
        if (!utf8_of(a[0], text, ascii)) return nullptr;
        CodePoints cps(text, ascii);
        std::size_t start = 0, stop = 0;
        if (!index_arg(a[4], 0, start) || !index_arg(a[5], SIZE_MAX, stop)) return nullptr;
        const std::size_t from = cps.byte(start);
        const std::size_t to = stop == SIZE_MAX ? text.size() : std::max(from, cps.byte(stop, from, std::min(start, stop)));
        std::string out;
        std::size_t end = to;
        bool failed = false;
        Py_BEGIN_ALLOW_THREADS
        try {
            std::vector<Hit> hits;
            scan(*e, sel, text, from, to, hits);
            for (const Hit& h : hits) end = std::max(end, h.end);
            out.reserve(end - from);
            std::size_t done = from;
            for (const Hit& h : hits) {
                if (h.end <= done) continue;
                const std::size_t s = std::max(h.start, done);
                out.append(text.substr(done, s - done));
                mask_into(text, s, h.end, out);
                done = h.end;
            }
            out.append(text.substr(done, end - done));
        } catch (...) {
            failed = true;
        }
        Py_END_ALLOW_THREADS
        if (failed) return PyErr_NoMemory();
        const std::size_t end_cp = start + (ascii ? end - from : CodePoints(text.substr(from), false).index(end - from));
        return Py_BuildValue("(Nn)", text_of(out), static_cast<Py_ssize_t>(end_cp));
    });
}

// identify(value, countries) -> [id], strongest evidence first.
PyObject* fn_identify(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"value", "countries"};
    static const ovpy::Signature kSig{"identify", kParams, 2, 2};
    PyObject* a[2] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, a)) return nullptr;
    return guarded([&]() -> PyObject* {
        const Engine* e = engine_or_error();
        if (!e) return nullptr;
        // Every kind, the usual call, is selected once.
        static const Selection every = [&] {
            std::vector<std::string> none_a, none_b;
            return select(*e, nullptr, nullptr, none_a, none_b);
        }();
        Selection chosen;
        if (a[1] != Py_None && !read_selection(*e, Py_None, a[1], Py_False, nullptr, chosen)) return nullptr;
        const Selection& sel = a[1] == Py_None ? every : chosen;
        std::string_view value;
        bool ascii = false;
        if (!utf8_of(a[0], value, ascii)) return nullptr;
        const std::vector<int> found = identify(*e, sel, value);
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(found.size()));
        if (!list) return nullptr;
        for (std::size_t i = 0; i < found.size(); ++i) {
            PyObject* id = id_of(*e, found[i]);
            if (!id) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), id);
        }
        return list;
    });
}

// kinds() -> [(id, confidence, scanning pattern)] in registry order.
PyObject* fn_kinds(PyObject*, PyObject*) {
    return guarded([&]() -> PyObject* {
        const Engine* e = engine_or_error();
        if (!e) return nullptr;
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(e->kinds.size()));
        if (!list) return nullptr;
        for (std::size_t i = 0; i < e->kinds.size(); ++i) {
            const Kind& k = e->kinds[i];
            PyObject* item = Py_BuildValue("(NsN)", text_of(k.spec->id), confidence_name(k.evidence), text_of(k.pattern));
            if (!item) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), item);
        }
        return list;
    });
}

PyObject* fn_context(PyObject*, PyObject*) {
    return guarded([&]() -> PyObject* {
        const Engine* e = engine_or_error();
        if (!e) return nullptr;
        return PyLong_FromSize_t(window_context(*e));
    });
}

}  // namespace

PyObject* fn_find_column(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* fn_redact_column(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
int add_column_types(PyObject* module);

namespace {

#define OVF_DEF(name, doc) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), METH_FASTCALL | METH_KEYWORDS, doc}

PyMethodDef kFunctions[] = {
    OVF_DEF(scan, "scan(text, ids, countries, include_invalid, min_confidence, start=None, stop=None)\n--\n\n"),
    OVF_DEF(identify, "identify(value, countries)\n--\n\n"),
    OVF_DEF(redact, "redact(text, ids, countries, min_confidence, start=None, stop=None)\n--\n\n"),
    OVF_DEF(find_column, "find_column(column, ids, countries, include_invalid, min_confidence, threads)\n--\n\n"),
    OVF_DEF(redact_column, "redact_column(column, ids, countries, min_confidence, threads)\n--\n\n"),
    {"kinds", fn_kinds, METH_NOARGS, "kinds()\n--\n\n"},
    {"context", fn_context, METH_NOARGS, "context()\n--\n\n"},
    {nullptr, nullptr, 0, nullptr},
};
#undef OVF_DEF

int exec_module(PyObject* module) {
    if (add_column_types(module) < 0) return -1;
    return PyModule_AddFunctions(module, kFunctions);
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "_find", "Finds identifiers in text.", 0, nullptr, kSlots, nullptr, nullptr, nullptr,
};

}  // namespace

bool read_selection(const Engine& e, PyObject* ids, PyObject* countries, PyObject* include_invalid,
                    PyObject* min_confidence, Selection& sel) {
    std::vector<std::string_view> id_list, country_list;
    if (ids != Py_None && !str_items(ids, "ids", id_list)) return false;
    if (countries != Py_None && !str_items(countries, "countries", country_list)) return false;
    // An unknown id or country is reported before a wrong min_confidence.
    Evidence min = Evidence::Checksum;
    bool bad_min = false;
    if (min_confidence && min_confidence != Py_None) {
        Py_ssize_t len = 0;
        const char* p = PyUnicode_Check(min_confidence) ? PyUnicode_AsUTF8AndSize(min_confidence, &len) : nullptr;
        PyErr_Clear();
        const std::string_view c = p ? std::string_view(p, static_cast<std::size_t>(len)) : std::string_view();
        if (c == "checksum") min = Evidence::Checksum;
        else if (c == "component") min = Evidence::Component;
        else if (c == "shape") min = Evidence::Shape;
        else bad_min = true;
    }
    std::vector<std::string> bad_ids, bad_countries;
    sel = select(e, ids == Py_None ? nullptr : &id_list, countries == Py_None ? nullptr : &country_list, bad_ids,
                 bad_countries, min);
    if (!bad_ids.empty()) {
        PyObject* names = joined(bad_ids);
        PyObject* msg = names ? PyUnicode_FromFormat("unknown validator id: %U", names) : nullptr;
        Py_XDECREF(names);
        if (msg) {
            PyErr_SetObject(PyExc_KeyError, msg);
            Py_DECREF(msg);
        }
        return false;
    }
    if (!bad_countries.empty()) {
        PyObject* names = joined(bad_countries);
        if (names) {
            PyErr_Format(PyExc_ValueError, "unknown country code: %U", names);
            Py_DECREF(names);
        }
        return false;
    }
    const int inv = PyObject_IsTrue(include_invalid);
    if (inv < 0) return false;
    sel.include_invalid = inv == 1;
    if (bad_min) {
        PyErr_Format(PyExc_ValueError, "min_confidence must be 'checksum', 'component' or 'shape', got %R",
                     min_confidence);
        return false;
    }
    return true;
}

}  // namespace ovf

extern "C" __attribute__((visibility("default"))) PyObject* PyInit__find(void) {
    return PyModuleDef_Init(&ovf::kModule);
}
