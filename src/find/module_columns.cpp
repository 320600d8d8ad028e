// orvane_vardik._find column entry points: find and redact over a column
// of strings, read through the Arrow importer of the columns module and
// written as Arrow arrays; the scan runs without the interpreter lock.
#include <algorithm>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <thread>

#include "columns/import.h"
#include "find/arrow_out.h"
#include "find/engine.h"
#include "find/module_common.h"
#include "find/redact.h"
#include "module/args.h"
#include "module/guard.h"
#include "primitives/text.h"

namespace ovf {

namespace {

PyTypeObject* g_result_type = nullptr;

struct ResultObject {
    PyObject_HEAD
    SharedHolder* holder;
};

constexpr std::int64_t kMinRowsPerThread = 256;

// Every row of an imported column as (bytes, present).
struct Rows {
    std::vector<std::string_view> values;
    std::vector<std::uint8_t> present;
    bool trusted = false;
};

std::string_view value_of(const ovc::StringSource& s, std::int64_t i) {
    switch (s.kind) {
        case ovc::StrKind::Utf8: return s.value_as<ovc::StrKind::Utf8>(i);
        case ovc::StrKind::LargeUtf8: return s.value_as<ovc::StrKind::LargeUtf8>(i);
        case ovc::StrKind::View: return s.value_as<ovc::StrKind::View>(i);
        case ovc::StrKind::Texts: return s.value_as<ovc::StrKind::Texts>(i);
        case ovc::StrKind::Null: break;
    }
    return {};
}

Rows flatten(const ovc::ColumnInput& in) {
    Rows r;
    r.trusted = in.trusted_utf8;
    r.values.reserve(static_cast<std::size_t>(in.rows));
    r.present.reserve(static_cast<std::size_t>(in.rows));
    for (const ovc::Chunk& ch : in.chunks) {
        for (std::int64_t i = 0; i < ch.length; ++i) {
            const ovc::StringSource* src = &ch.values;
            std::int64_t k = i;
            if (ch.dictionary >= 0) {
                if (ch.indices.is_null(i)) {
                    r.values.emplace_back();
                    r.present.push_back(0);
                    continue;
                }
                src = &in.dictionaries[static_cast<std::size_t>(ch.dictionary)];
                k = ch.indices.at(i);
            }
            const bool null = src->is_null(k);
            r.values.push_back(null ? std::string_view() : value_of(*src, k));
            r.present.push_back(null ? 0 : 1);
        }
    }
    return r;
}

// Runs body(row) for every row, over up to `threads` threads.
template <class F>
void for_rows(std::size_t n, int threads, F&& body) {
    const std::size_t t = std::clamp<std::size_t>(n / kMinRowsPerThread, 1, static_cast<std::size_t>(std::max(threads, 1)));
    if (t == 1) {
        for (std::size_t i = 0; i < n; ++i) body(i);
        return;
    }
    std::vector<std::thread> pool;
    std::exception_ptr failure;
    std::mutex m;
    for (std::size_t w = 0; w < t; ++w) {
        pool.emplace_back([&, w] {
            try {
                for (std::size_t i = n * w / t; i < n * (w + 1) / t; ++i) body(i);
            } catch (...) {
                std::lock_guard<std::mutex> lock(m);
                failure = std::current_exception();
            }
        });
    }
    for (std::thread& th : pool) th.join();
    if (failure) std::rethrow_exception(failure);
}

bool usable(const Rows& r, std::size_t i) {
    return r.present[i] && (r.trusted || ov::valid_utf8(r.values[i]));
}

void set_bit(std::vector<std::uint8_t>& bits, std::size_t i) { bits[i >> 3] |= static_cast<std::uint8_t>(1u << (i & 7)); }

Node utf8_node(Holder& h, const char* name, const std::vector<std::string_view>& items) {
    auto& off = h.i32.emplace_back(items.size() + 1, 0);
    std::string& data = h.text.emplace_back();
    for (std::size_t i = 0; i < items.size(); ++i) {
        data.append(items[i]);
        if (data.size() > INT32_MAX) throw std::bad_alloc();
        off[i + 1] = static_cast<std::int32_t>(data.size());
    }
    Node n{"u", name, static_cast<std::int64_t>(items.size()), 0, {nullptr, off.data(), data.data()}, {}};
    return n;
}

SharedHolder find_result(const Engine& e, const Rows& rows, const std::vector<std::vector<Hit>>& per_row,
                         const std::vector<std::vector<std::size_t>>& cps) {
    auto h = std::make_shared<Holder>();
    const std::size_t n = rows.values.size();
    auto& validity = h->bytes.emplace_back((n + 7) / 8 + 1, 0);
    auto& offsets = h->i32.emplace_back(n + 1, 0);
    std::vector<std::string_view> ids, compacts, confs;
    auto& starts = h->i64.emplace_back();
    auto& ends = h->i64.emplace_back();
    std::size_t total = 0;
    for (const auto& v : per_row) total += v.size();
    auto& valid = h->bytes.emplace_back((total + 7) / 8 + 1, 0);
    std::int64_t nulls = 0;
    std::size_t m = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (usable(rows, i)) set_bit(validity, i);
        else ++nulls;
        for (std::size_t j = 0; j < per_row[i].size(); ++j, ++m) {
            const Hit& hit = per_row[i][j];
            ids.push_back(e.kinds[static_cast<std::size_t>(hit.kind)].spec->id);
            compacts.push_back(hit.compact);
            confs.push_back(confidence_name(hit.confidence));
            starts.push_back(static_cast<std::int64_t>(cps[i][2 * j]));
            ends.push_back(static_cast<std::int64_t>(cps[i][2 * j + 1]));
            if (hit.valid) set_bit(valid, m);
        }
        if (m > INT32_MAX) throw std::bad_alloc();
        offsets[i + 1] = static_cast<std::int32_t>(m);
    }
    const auto len = static_cast<std::int64_t>(total);
    Node st{"+s", "item", len, 0, {nullptr}, {}};
    st.children.push_back(utf8_node(*h, "id", ids));
    st.children.push_back(Node{"l", "start", len, 0, {nullptr, starts.data()}, {}});
    st.children.push_back(Node{"l", "end", len, 0, {nullptr, ends.data()}, {}});
    st.children.push_back(utf8_node(*h, "compact", compacts));
    st.children.push_back(Node{"b", "valid", len, 0, {nullptr, valid.data()}, {}});
    st.children.push_back(utf8_node(*h, "confidence", confs));
    h->root = Node{"+l", "", static_cast<std::int64_t>(n), nulls, {nulls ? validity.data() : nullptr, offsets.data()}, {}};
    h->root.children.push_back(std::move(st));
    return h;
}

SharedHolder redact_result(const Rows& rows, const std::vector<std::string>& out) {
    auto h = std::make_shared<Holder>();
    const std::size_t n = rows.values.size();
    auto& validity = h->bytes.emplace_back((n + 7) / 8 + 1, 0);
    auto& off = h->i64.emplace_back(n + 1, 0);
    std::string& data = h->text.emplace_back();
    std::int64_t nulls = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (usable(rows, i)) set_bit(validity, i);
        else ++nulls;
        data.append(out[i]);
        off[i + 1] = static_cast<std::int64_t>(data.size());
    }
    h->root = Node{"U", "", static_cast<std::int64_t>(n), nulls, {nulls ? validity.data() : nullptr, off.data(), data.data()}, {}};
    return h;
}

PyObject* new_result(SharedHolder h) {
    auto* holder = new SharedHolder(std::move(h));
    PyObject* obj = PyType_GenericAlloc(g_result_type, 0);
    if (!obj) {
        delete holder;
        return nullptr;
    }
    reinterpret_cast<ResultObject*>(obj)->holder = holder;
    return obj;
}

bool threads_arg(PyObject* obj, int& out) {
    out = 1;
    if (!obj || obj == Py_None) return true;
    if (!PyLong_Check(obj)) {
        PyErr_SetString(PyExc_TypeError, "threads must be an int or None");
        return false;
    }
    const long t = PyLong_AsLong(obj);
    if (t == -1 && PyErr_Occurred()) return false;
    if (t < 1 || t > 1024) {
        PyErr_Format(PyExc_ValueError, "threads must be between 1 and 1024, got %ld", t);
        return false;
    }
    out = static_cast<int>(t);
    return true;
}

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._find", static_cast<F&&>(body));
}

// Imports the column and runs `work` on its rows without the lock.
template <class Work>
PyObject* over_column(PyObject* column, int threads, Work&& work) {
    return guarded([&]() -> PyObject* {
        ovc::Imported imp;
        if (!ovc::import_column(column, imp)) return nullptr;
        SharedHolder result;
        bool failed = false;
        Py_BEGIN_ALLOW_THREADS
        try {
            const Rows rows = flatten(imp.input);
            result = work(rows, threads);
        } catch (...) {
            failed = true;
        }
        Py_END_ALLOW_THREADS
        if (failed) return PyErr_NoMemory();
        return new_result(std::move(result));
    });
}

// Result type ------------------------------------------------------------------

void result_dealloc(PyObject* self) {
    delete reinterpret_cast<ResultObject*>(self)->holder;
    PyTypeObject* tp = Py_TYPE(self);
    auto free_fn = reinterpret_cast<freefunc>(PyType_GetSlot(tp, Py_tp_free));
    free_fn(self);
    Py_DECREF(tp);
}

Py_ssize_t result_len(PyObject* self) {
    return static_cast<Py_ssize_t>((*reinterpret_cast<ResultObject*>(self)->holder)->root.length);
}

void schema_free(PyObject* cap) {
    auto* s = static_cast<ArrowSchema*>(PyCapsule_GetPointer(cap, "arrow_schema"));
    if (!s) return PyErr_Clear();
    if (s->release) s->release(s);
    delete s;
}
void array_free(PyObject* cap) {
    auto* a = static_cast<ArrowArray*>(PyCapsule_GetPointer(cap, "arrow_array"));
    if (!a) return PyErr_Clear();
    if (a->release) a->release(a);
    delete a;
}

PyObject* schema_capsule(const SharedHolder& h) {
    auto* s = new ArrowSchema{};
    try {
        export_schema(h, s);
    } catch (...) {
        delete s;
        throw;
    }
    PyObject* cap = PyCapsule_New(s, "arrow_schema", schema_free);
    if (!cap) {
        s->release(s);
        delete s;
    }
    return cap;
}

PyObject* c_schema(PyObject* self, PyObject*) {
    return guarded([&] { return schema_capsule(*reinterpret_cast<ResultObject*>(self)->holder); });
}

PyObject* c_array(PyObject* self, PyObject* const*, Py_ssize_t) {
    return guarded([&]() -> PyObject* {
        const SharedHolder& h = *reinterpret_cast<ResultObject*>(self)->holder;
        PyObject* s = schema_capsule(h);
        if (!s) return nullptr;
        auto* a = new ArrowArray{};
        try {
            export_array(h, a);
        } catch (...) {
            delete a;
            Py_DECREF(s);
            throw;
        }
        PyObject* cap = PyCapsule_New(a, "arrow_array", array_free);
        if (!cap) {
            a->release(a);
            delete a;
            Py_DECREF(s);
            return nullptr;
        }
        return Py_BuildValue("(NN)", s, cap);
    });
}

PyMethodDef kResultMethods[] = {
    {"__arrow_c_schema__", c_schema, METH_NOARGS, "Arrow PyCapsule interface: the schema."},
    {"__arrow_c_array__", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(c_array)), METH_FASTCALL,
     "Arrow PyCapsule interface: the array, sharing the buffers."},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot kResultSlots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(result_dealloc)},
    {Py_tp_methods, kResultMethods},
    {Py_sq_length, reinterpret_cast<void*>(result_len)},
    {Py_tp_doc, const_cast<char*>("A result column of the text finder (Arrow PyCapsule interface).")},
    {0, nullptr},
};

PyType_Spec kResultSpec = {"orvane_vardik._find.FindColumn", sizeof(ResultObject), 0, Py_TPFLAGS_DEFAULT,
                           kResultSlots};

}  // namespace

// find_column(column, ids, countries, include_invalid, min_confidence, threads)
PyObject* fn_find_column(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"column", "ids", "countries", "include_invalid", "min_confidence", "threads"};
    static const ovpy::Signature kSig{"find_column", kParams, 6, 6};
    PyObject* a[6] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, a)) return nullptr;
    const Engine* e = nullptr;
    try {
        e = &engine();
    } catch (...) {
        return PyErr_NoMemory();
    }
    Selection sel;
    int threads = 1;
    if (!read_selection(*e, a[1], a[2], a[3], a[4], sel) || !threads_arg(a[5], threads)) return nullptr;
    return over_column(a[0], threads, [&](const Rows& rows, int t) {
        const std::size_t n = rows.values.size();
        std::vector<std::vector<Hit>> hits(n);
        std::vector<std::vector<std::size_t>> cps(n);
        for_rows(n, t, [&](std::size_t i) {
            if (!usable(rows, i)) return;
            const std::string_view v = rows.values[i];
            scan(*e, sel, v, hits[i]);
            CodePoints cp(v, false);
            for (const Hit& h : hits[i]) {
                cps[i].push_back(cp.index(h.start));
                cps[i].push_back(cps[i].back() + CodePoints(v.substr(h.start), false).index(h.end - h.start));
            }
        });
        return find_result(*e, rows, hits, cps);
    });
}

// redact_column(column, ids, countries, min_confidence, threads)
PyObject* fn_redact_column(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"column", "ids", "countries", "min_confidence", "threads"};
    static const ovpy::Signature kSig{"redact_column", kParams, 5, 5};
    PyObject* a[5] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, a)) return nullptr;
    const Engine* e = nullptr;
    try {
        e = &engine();
    } catch (...) {
        return PyErr_NoMemory();
    }
    Selection sel;
    int threads = 1;
    if (!read_selection(*e, a[1], a[2], Py_False, a[3], sel) || !threads_arg(a[4], threads)) return nullptr;
    return over_column(a[0], threads, [&](const Rows& rows, int t) {
        const std::size_t n = rows.values.size();
        std::vector<std::string> out(n);
        for_rows(n, t, [&](std::size_t i) {
            if (!usable(rows, i)) return;
            std::vector<Hit> hits;
            scan(*e, sel, rows.values[i], hits);
            out[i] = masked(rows.values[i], hits);
        });
        return redact_result(rows, out);
    });
}

int add_column_types(PyObject* module) {
    if (!g_result_type) {
        g_result_type = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&kResultSpec));
        if (!g_result_type) return -1;
    }
    Py_INCREF(g_result_type);
    if (PyModule_AddObject(module, "FindColumn", reinterpret_cast<PyObject*>(g_result_type)) < 0) {
        Py_DECREF(g_result_type);
        return -1;
    }
    return 0;
}

}  // namespace ovf
