// orvane_vardik._columns: the columnar entry points and the Arrow-exportable
// result types. Argument handling and conversions run under the interpreter
// lock; the kernel runs without it.
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "columns/export.h"
#include "columns/import.h"
#include "columns/kernel.h"
#include "columns/pyapi.h"
#include "module/guard.h"
#include "registry/registry.h"

namespace ovc {

namespace {

PyTypeObject* g_column_type = nullptr;
PyTypeObject* g_table_type = nullptr;

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._columns", static_cast<F&&>(body));
}

PyObject* text(std::string_view s) { return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size())); }

// Capsules ------------------------------------------------------------------

void schema_capsule_free(PyObject* cap) {
    auto* s = static_cast<ArrowSchema*>(PyCapsule_GetPointer(cap, "arrow_schema"));
    if (!s) return PyErr_Clear();
    if (s->release) s->release(s);
    delete s;
}
void array_capsule_free(PyObject* cap) {
    auto* a = static_cast<ArrowArray*>(PyCapsule_GetPointer(cap, "arrow_array"));
    if (!a) return PyErr_Clear();
    if (a->release) a->release(a);
    delete a;
}
void stream_capsule_free(PyObject* cap) {
    auto* s = static_cast<ArrowArrayStream*>(PyCapsule_GetPointer(cap, "arrow_array_stream"));
    if (!s) return PyErr_Clear();
    if (s->release) s->release(s);
    delete s;
}

template <class Struct, class Data>
PyObject* capsule(const Data& data, void (*fill)(const Data&, Struct*), const char* name, PyCapsule_Destructor d) {
    auto* st = new Struct{};
    try {
        fill(data, st);
    } catch (...) {
        delete st;
        throw;
    }
    PyObject* cap = PyCapsule_New(st, name, d);
    if (!cap) {
        st->release(st);
        delete st;
    }
    return cap;
}

template <class Data>
PyObject* schema_capsule(const Data& d) {
    return capsule<ArrowSchema, Data>(d, export_schema, "arrow_schema", schema_capsule_free);
}
template <class Data>
PyObject* array_pair(const Data& d) {
    PyObject* s = schema_capsule(d);
    if (!s) return nullptr;
    PyObject* a = capsule<ArrowArray, Data>(d, export_array, "arrow_array", array_capsule_free);
    if (!a) {
        Py_DECREF(s);
        return nullptr;
    }
    PyObject* pair = PyTuple_Pack(2, s, a);
    Py_DECREF(s);
    Py_DECREF(a);
    return pair;
}
template <class Data>
PyObject* stream_capsule(const Data& d) {
    return capsule<ArrowArrayStream, Data>(d, export_stream, "arrow_array_stream", stream_capsule_free);
}

// The PyCapsule methods of a result type, which reaches its data through
// `data_of`. The requested schema is a hint a producer may ignore: the types
// are fixed.
template <auto data_of>
PyObject* c_schema(PyObject* self, PyObject*) {
    return guarded([&] { return schema_capsule(data_of(self)); });
}
template <auto data_of>
PyObject* c_array(PyObject* self, PyObject* const*, Py_ssize_t nargs) {
    if (nargs > 1) return PyErr_Format(PyExc_TypeError, "__arrow_c_array__ takes at most one argument");
    return guarded([&] { return array_pair(data_of(self)); });
}
template <auto data_of>
PyObject* c_stream(PyObject* self, PyObject* const*, Py_ssize_t nargs) {
    if (nargs > 1) return PyErr_Format(PyExc_TypeError, "__arrow_c_stream__ takes at most one argument");
    return guarded([&] { return stream_capsule(data_of(self)); });
}

// Column ----------------------------------------------------------------------

struct ColumnObject {
    PyObject base;
    SharedOutput* out;
};

SharedOutput& out_of(PyObject* self) { return *reinterpret_cast<ColumnObject*>(self)->out; }

void column_dealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    delete reinterpret_cast<ColumnObject*>(self)->out;
    PyObject_Free(self);
    Py_DECREF(type);
}

PyObject* new_column(Output&& out) {
    auto* holder = new SharedOutput(std::make_shared<const Output>(std::move(out)));
    PyObject* obj = PyType_GenericAlloc(g_column_type, 0);
    if (!obj) {
        delete holder;
        return nullptr;
    }
    reinterpret_cast<ColumnObject*>(obj)->out = holder;
    return obj;
}

// The Python value of one field at row i (None when null).
PyObject* field_value(const Field& f, std::int64_t i) {
    if (!bit(f.validity.data(), i)) Py_RETURN_NONE;
    switch (f.type) {
        case FieldType::Bool: return PyBool_FromLong(bit(f.values.data(), i));
        case FieldType::Int32: return PyLong_FromLong(f.values.as<std::int32_t>()[i]);
        case FieldType::Utf8: {
            const char* d = reinterpret_cast<const char*>(f.data.data());
            std::int64_t b, e;
            if (f.large) {
                b = f.values.as<std::int64_t>()[i];
                e = f.values.as<std::int64_t>()[i + 1];
            } else {
                b = f.values.as<std::int32_t>()[i];
                e = f.values.as<std::int32_t>()[i + 1];
            }
            return text(std::string_view(d + b, static_cast<std::size_t>(e - b)));
        }
    }
    Py_RETURN_NONE;
}

// The field names of a struct result as str objects, made once for all rows.
struct FieldKeys {
    std::vector<PyObject*> keys;
    FieldKeys() = default;
    FieldKeys(const FieldKeys&) = delete;
    FieldKeys& operator=(const FieldKeys&) = delete;
    ~FieldKeys() {
        for (PyObject* k : keys) Py_DECREF(k);
    }
    bool make(const Output& out) {
        keys.reserve(out.fields.size());
        for (const Field& f : out.fields) {
            PyObject* k = text(f.name);
            if (!k) return false;
            keys.push_back(k);
        }
        return true;
    }
};

PyObject* row_value(const Output& out, const FieldKeys& names, std::int64_t i) {
    if (!out.is_struct) return field_value(out.fields[0], i);
    if (!bit(out.validity.data(), i)) Py_RETURN_NONE;
    PyObject* d = PyDict_New();
    if (!d) return nullptr;
    for (std::size_t f = 0; f < out.fields.size(); ++f) {
        PyObject* v = field_value(out.fields[f], i);
        if (!v || PyDict_SetItem(d, names.keys[f], v) < 0) {
            Py_XDECREF(v);
            Py_DECREF(d);
            return nullptr;
        }
        Py_DECREF(v);
    }
    return d;
}

PyObject* column_to_pylist(PyObject* self, PyObject*) {
    return guarded([&]() -> PyObject* {
        const Output& out = *out_of(self);
        FieldKeys names;
        if (out.is_struct && !names.make(out)) return nullptr;
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(out.length));
        if (!list) return nullptr;
        for (std::int64_t i = 0; i < out.length; ++i) {
            PyObject* v = row_value(out, names, i);
            if (!v) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), v);
        }
        return list;
    });
}

Py_ssize_t column_len(PyObject* self) { return static_cast<Py_ssize_t>(out_of(self)->length); }

PyObject* column_null_count(PyObject* self, void*) { return PyLong_FromLongLong(out_of(self)->null_count); }

constexpr const char* kOpNames[] = {"is_valid", "validate", "compact", "format", "parse"};

PyObject* column_repr(PyObject* self) {
    const Output& out = *out_of(self);
    return PyUnicode_FromFormat("<orvane_vardik.columns.Column %s: %lld values, %lld null>",
                                kOpNames[static_cast<int>(out.op)], static_cast<long long>(out.length),
                                static_cast<long long>(out.null_count));
}

PyMethodDef kColumnMethods[] = {
    {"to_pylist", column_to_pylist, METH_NOARGS, "The values as a list of Python objects (None for null)."},
    {"__arrow_c_schema__", c_schema<out_of>, METH_NOARGS, "Arrow PyCapsule interface: the schema."},
    {"__arrow_c_array__", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(c_array<out_of>)),
     METH_FASTCALL, "Arrow PyCapsule interface: (schema, array) capsules sharing the buffers."},
    {"__arrow_c_stream__", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(c_stream<out_of>)),
     METH_FASTCALL, "Arrow PyCapsule interface: a stream of one array sharing the buffers."},
    {nullptr, nullptr, 0, nullptr},
};

PyGetSetDef kColumnGetSet[] = {
    {"null_count", column_null_count, nullptr, "Number of null values.", nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyType_Slot kColumnSlots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(column_dealloc)},
    {Py_tp_methods, kColumnMethods},
    {Py_tp_getset, kColumnGetSet},
    {Py_tp_repr, reinterpret_cast<void*>(column_repr)},
    {Py_sq_length, reinterpret_cast<void*>(column_len)},
    {Py_tp_doc, const_cast<char*>("A result column in Arrow layout; pass it to pyarrow, polars or DuckDB, "
                                  "or call to_pylist().")},
    {0, nullptr},
};

// Only the module creates results: a bare Column() would have no output.
constexpr unsigned kResultFlags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION | Py_TPFLAGS_IMMUTABLETYPE;

PyType_Spec kColumnSpec = {"orvane_vardik.columns.Column", sizeof(ColumnObject), 0, kResultFlags, kColumnSlots};

// Table -------------------------------------------------------------------------

struct TableObject {
    PyObject base;
    SharedTable* table;
};

SharedTable& table_of(PyObject* self) { return *reinterpret_cast<TableObject*>(self)->table; }

void table_dealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    delete reinterpret_cast<TableObject*>(self)->table;
    PyObject_Free(self);
    Py_DECREF(type);
}

Py_ssize_t table_len(PyObject* self) { return static_cast<Py_ssize_t>(table_of(self)->length); }

PyMethodDef kTableMethods[] = {
    {"__arrow_c_schema__", c_schema<table_of>, METH_NOARGS, "Arrow PyCapsule interface: the schema."},
    {"__arrow_c_array__", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(c_array<table_of>)), METH_FASTCALL,
     "Arrow PyCapsule interface: one record batch sharing the buffers."},
    {"__arrow_c_stream__", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(c_stream<table_of>)),
     METH_FASTCALL, "Arrow PyCapsule interface: a stream of one record batch sharing the buffers."},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot kTableSlots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(table_dealloc)},
    {Py_tp_methods, kTableMethods},
    {Py_sq_length, reinterpret_cast<void*>(table_len)},
    {Py_tp_doc, const_cast<char*>("Named result columns as one Arrow record batch (a table for DuckDB).")},
    {0, nullptr},
};

PyType_Spec kTableSpec = {"orvane_vardik.columns.Table", sizeof(TableObject), 0, kResultFlags, kTableSlots};

// Functions ------------------------------------------------------------------------

// fn(id, column, threads=None) for every operation.
PyObject* run_op(Op op, PyObject* args, PyObject* kwargs) {
    static const char* kParams[] = {"id", "column", "threads", nullptr};
    PyObject* id_obj;
    PyObject* column;
    PyObject* threads_obj = Py_None;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "UO|$O", const_cast<char**>(kParams), &id_obj, &column,
                                     &threads_obj))
        return nullptr;
    long threads = 1;
    if (threads_obj != Py_None) {
        if (!PyLong_Check(threads_obj)) return PyErr_Format(PyExc_TypeError, "threads must be an int or None");
        threads = PyLong_AsLong(threads_obj);
        if (threads == -1 && PyErr_Occurred()) return nullptr;
        if (threads < 1 || threads > 1024)
            return PyErr_Format(PyExc_ValueError, "threads must be between 1 and 1024, got %ld", threads);
    }
    Py_ssize_t id_len = 0;
    const char* id_p = PyUnicode_AsUTF8AndSize(id_obj, &id_len);
    if (!id_p) return nullptr;
    // The id is checked before the column is read, so an unknown id leaves
    // a one-shot stream unconsumed.
    const ov::ValidatorSpec* spec = ov::find_any_validator(std::string_view(id_p, static_cast<std::size_t>(id_len)));
    if (!spec) {
        PyObject* key = PyUnicode_FromFormat("unknown validator id: %U", id_obj);
        if (key) {
            PyErr_SetObject(PyExc_KeyError, key);
            Py_DECREF(key);
        }
        return nullptr;
    }
    return guarded([&]() -> PyObject* {
        Imported imp;
        if (!import_column(column, imp)) return nullptr;
        Output out;
        bool no_memory = false;
        Py_BEGIN_ALLOW_THREADS
        try {
            out = run(op, *spec, imp.input, static_cast<int>(threads));
        } catch (...) {
            no_memory = true;
        }
        Py_END_ALLOW_THREADS
        if (no_memory) return PyErr_NoMemory();
        return new_column(std::move(out));
    });
}

#define OVC_OP(name, op) \
    PyObject* fn_##name(PyObject*, PyObject* args, PyObject* kwargs) { return run_op(op, args, kwargs); }
OVC_OP(is_valid, Op::IsValid)
OVC_OP(validate, Op::Validate)
OVC_OP(compact, Op::Compact)
OVC_OP(format, Op::Format)
OVC_OP(parse, Op::Parse)
#undef OVC_OP

// table(names, columns): result columns of equal length as one record batch.
PyObject* fn_table(PyObject*, PyObject* args) {
    PyObject* names;
    PyObject* cols;
    if (!PyArg_ParseTuple(args, "OO", &names, &cols)) return nullptr;
    return guarded([&]() -> PyObject* {
        if (!PyList_Check(names) || !PyList_Check(cols) || PyList_Size(names) != PyList_Size(cols))
            return PyErr_Format(PyExc_TypeError, "table() takes a list of names and a list of columns");
        auto data = std::make_shared<TableData>();
        const Py_ssize_t n = PyList_Size(names);
        for (Py_ssize_t i = 0; i < n; ++i) {
            PyObject* name = PyList_GetItem(names, i);
            PyObject* col = PyList_GetItem(cols, i);
            Py_ssize_t len = 0;
            const char* p = PyUnicode_Check(name) ? PyUnicode_AsUTF8AndSize(name, &len) : nullptr;
            if (!p) {
                if (!PyErr_Occurred()) PyErr_SetString(PyExc_TypeError, "table column names must be str");
                return nullptr;
            }
            if (!PyObject_TypeCheck(col, g_column_type))
                return PyErr_Format(PyExc_TypeError, "table columns must be results of orvane_vardik.columns");
            const SharedOutput& out = out_of(col);
            if (i > 0 && out->length != data->length)
                return PyErr_Format(PyExc_ValueError, "table columns must have the same length");
            data->length = out->length;
            data->names.emplace_back(p, static_cast<std::size_t>(len));
            data->columns.push_back(out);
        }
        auto* holder = new SharedTable(std::move(data));
        PyObject* obj = PyType_GenericAlloc(g_table_type, 0);
        if (!obj) {
            delete holder;
            return nullptr;
        }
        reinterpret_cast<TableObject*>(obj)->table = holder;
        return obj;
    });
}

#define OVC_DEF(name, doc) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), METH_VARARGS | METH_KEYWORDS, doc}

PyMethodDef kFunctions[] = {
    OVC_DEF(is_valid, "is_valid(id, column, *, threads=None)\n--\n\n"),
    OVC_DEF(validate, "validate(id, column, *, threads=None)\n--\n\n"),
    OVC_DEF(compact, "compact(id, column, *, threads=None)\n--\n\n"),
    OVC_DEF(format, "format(id, column, *, threads=None)\n--\n\n"),
    OVC_DEF(parse, "parse(id, column, *, threads=None)\n--\n\n"),
    {"table", fn_table, METH_VARARGS, "table(names, columns)\n--\n\n"},
    {nullptr, nullptr, 0, nullptr},
};
#undef OVC_DEF

int exec_module(PyObject* module) {
    // The types are created once and shared by the process.
    if (PyInterpreterState_GetID(PyInterpreterState_Get()) != 0) {
        PyErr_SetString(PyExc_ImportError, "orvane_vardik._columns does not support sub-interpreters");
        return -1;
    }
    if (!g_column_type) {
        g_column_type = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&kColumnSpec));
        if (!g_column_type) return -1;
    }
    if (!g_table_type) {
        g_table_type = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&kTableSpec));
        if (!g_table_type) return -1;
    }
    Py_INCREF(g_column_type);
    if (PyModule_AddObject(module, "Column", reinterpret_cast<PyObject*>(g_column_type)) < 0) {
        Py_DECREF(g_column_type);
        return -1;
    }
    Py_INCREF(g_table_type);
    if (PyModule_AddObject(module, "Table", reinterpret_cast<PyObject*>(g_table_type)) < 0) {
        Py_DECREF(g_table_type);
        return -1;
    }
    return PyModule_AddFunctions(module, kFunctions);
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "_columns", "Columnar kernels over Arrow data.", 0, nullptr, kSlots, nullptr, nullptr,
    nullptr,
};

}  // namespace

}  // namespace ovc

extern "C" __attribute__((visibility("default"))) PyObject* PyInit__columns(void) {
    return PyModuleDef_Init(&ovc::kModule);
}
