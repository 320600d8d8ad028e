#include "data/pycolumn.h"

#include <memory>
#include <new>
#include <string_view>

#include "columns/export.h"
#include "columns/input.h"
#include "module/guard.h"

namespace ovd {

namespace {

using ovc::Field;
using ovc::Output;
using ovc::SharedOutput;

PyTypeObject* g_column_type = nullptr;

struct ColumnObject {
    PyObject base;
    SharedOutput* out;
};

const SharedOutput& out_of(PyObject* self) { return *reinterpret_cast<ColumnObject*>(self)->out; }

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._data", static_cast<F&&>(body));
}

// Capsules own their struct; a consumer that took it over left it released.
template <class Struct>
void free_capsule(PyObject* cap, const char* name) {
    auto* s = static_cast<Struct*>(PyCapsule_GetPointer(cap, name));
    if (!s) return PyErr_Clear();
    if (s->release) s->release(s);
    delete s;
}
void free_schema(PyObject* cap) { free_capsule<ArrowSchema>(cap, "arrow_schema"); }
void free_array(PyObject* cap) { free_capsule<ArrowArray>(cap, "arrow_array"); }
void free_stream(PyObject* cap) { free_capsule<ArrowArrayStream>(cap, "arrow_array_stream"); }

template <class Struct>
PyObject* capsule(const SharedOutput& out, void (*fill)(const SharedOutput&, Struct*), const char* name,
                  PyCapsule_Destructor destructor) {
    auto st = std::make_unique<Struct>();
    fill(out, st.get());
    PyObject* cap = PyCapsule_New(st.get(), name, destructor);
    if (!cap) {
        st->release(st.get());
        return nullptr;
    }
    st.release();
    return cap;
}

PyObject* c_schema(PyObject* self, PyObject*) {
    return guarded([&] { return capsule<ArrowSchema>(out_of(self), ovc::export_schema, "arrow_schema", free_schema); });
}

// The requested schema is a hint a producer may ignore: the types are fixed.
PyObject* c_array(PyObject* self, PyObject* const*, Py_ssize_t nargs) {
    if (nargs > 1) return PyErr_Format(PyExc_TypeError, "__arrow_c_array__ takes at most one argument");
    return guarded([&]() -> PyObject* {
        PyObject* s = capsule<ArrowSchema>(out_of(self), ovc::export_schema, "arrow_schema", free_schema);
        if (!s) return nullptr;
        PyObject* a = capsule<ArrowArray>(out_of(self), ovc::export_array, "arrow_array", free_array);
        if (!a) {
            Py_DECREF(s);
            return nullptr;
        }
        PyObject* pair = PyTuple_Pack(2, s, a);
        Py_DECREF(s);
        Py_DECREF(a);
        return pair;
    });
}

PyObject* c_stream(PyObject* self, PyObject* const*, Py_ssize_t nargs) {
    if (nargs > 1) return PyErr_Format(PyExc_TypeError, "__arrow_c_stream__ takes at most one argument");
    return guarded([&] {
        return capsule<ArrowArrayStream>(out_of(self), ovc::export_stream, "arrow_array_stream", free_stream);
    });
}

std::string_view text_at(const Field& f, std::int64_t i) {
    const char* d = reinterpret_cast<const char*>(f.data.data());
    if (f.large) {
        const auto* o = f.values.as<std::int64_t>();
        return {d + o[i], static_cast<std::size_t>(o[i + 1] - o[i])};
    }
    const auto* o = f.values.as<std::int32_t>();
    return {d + o[i], static_cast<std::size_t>(o[i + 1] - o[i])};
}

PyObject* field_value(const Field& f, std::int64_t i) {
    if (!ovc::bit(f.validity.data(), i)) Py_RETURN_NONE;
    if (f.type == ovc::FieldType::Bool) return PyBool_FromLong(ovc::bit(f.values.data(), i));
    const std::string_view s = text_at(f, i);
    return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
}

// A struct row as a dict of its fields (None for a null row).
PyObject* row_value(const Output& out, std::int64_t i) {
    if (!out.is_struct) return field_value(out.fields[0], i);
    if (!ovc::bit(out.validity.data(), i)) Py_RETURN_NONE;
    PyObject* d = PyDict_New();
    for (std::size_t f = 0; d && f < out.fields.size(); ++f) {
        PyObject* v = field_value(out.fields[f], i);
        const std::string name(out.fields[f].name);
        if (!v || PyDict_SetItemString(d, name.c_str(), v) < 0) Py_CLEAR(d);
        Py_XDECREF(v);
    }
    return d;
}

PyObject* to_list(const Output& out) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(out.length));
    for (std::int64_t i = 0; list && i < out.length; ++i) {
        PyObject* v = row_value(out, i);
        if (!v) {
            Py_CLEAR(list);
            break;
        }
        PyList_SetItem(list, static_cast<Py_ssize_t>(i), v);
    }
    return list;
}

PyObject* column_to_pylist(PyObject* self, PyObject*) {
    return guarded([&] { return to_list(*out_of(self)); });
}

Py_ssize_t column_len(PyObject* self) { return static_cast<Py_ssize_t>(out_of(self)->length); }

PyObject* column_null_count(PyObject* self, void*) {
    const Output& out = *out_of(self);
    return PyLong_FromLongLong(out.is_struct ? out.null_count : out.fields[0].null_count);
}

PyObject* column_repr(PyObject* self) {
    const Output& out = *out_of(self);
    return PyUnicode_FromFormat("<orvane_vardik.data.DataColumn %s: %lld values>", out.is_struct ? "struct" : "utf8",
                                static_cast<long long>(out.length));
}

void column_dealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    delete reinterpret_cast<ColumnObject*>(self)->out;
    PyObject_Free(self);
    Py_DECREF(type);
}

#define OVD_FASTCALL(f) reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(f))
PyMethodDef kMethods[] = {
    {"to_pylist", column_to_pylist, METH_NOARGS, "The values as a list of Python objects (None for null)."},
    {"__arrow_c_schema__", c_schema, METH_NOARGS, "Arrow PyCapsule interface: the schema."},
    {"__arrow_c_array__", OVD_FASTCALL(c_array), METH_FASTCALL,
     "Arrow PyCapsule interface: (schema, array) capsules sharing the buffers."},
    {"__arrow_c_stream__", OVD_FASTCALL(c_stream), METH_FASTCALL,
     "Arrow PyCapsule interface: a stream of one array sharing the buffers."},
    {nullptr, nullptr, 0, nullptr},
};
#undef OVD_FASTCALL

PyGetSetDef kGetSet[] = {
    {"null_count", column_null_count, nullptr, "Number of null values.", nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyType_Slot kSlots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(column_dealloc)},
    {Py_tp_methods, kMethods},
    {Py_tp_getset, kGetSet},
    {Py_tp_repr, reinterpret_cast<void*>(column_repr)},
    {Py_sq_length, reinterpret_cast<void*>(column_len)},
    {Py_tp_doc, const_cast<char*>("A data column in Arrow layout; pass it to pyarrow, polars or DuckDB, "
                                  "or call to_pylist().")},
    {0, nullptr},
};

PyType_Spec kSpec = {"orvane_vardik.data.DataColumn", sizeof(ColumnObject), 0,
                     Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION | Py_TPFLAGS_IMMUTABLETYPE, kSlots};

}  // namespace

bool add_column_type(PyObject* module) {
    if (!g_column_type) {
        g_column_type = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&kSpec));
        if (!g_column_type) return false;
    }
    Py_INCREF(g_column_type);
    if (PyModule_AddObject(module, "DataColumn", reinterpret_cast<PyObject*>(g_column_type)) < 0) {
        Py_DECREF(g_column_type);
        return false;
    }
    return true;
}

PyObject* new_column(Output&& out) {
    auto holder = std::make_unique<SharedOutput>(std::make_shared<const Output>(std::move(out)));
    PyObject* obj = PyType_GenericAlloc(g_column_type, 0);
    if (!obj) return nullptr;
    reinterpret_cast<ColumnObject*>(obj)->out = holder.release();
    return obj;
}

PyObject* column_list(const Output& out) { return to_list(out); }

}  // namespace ovd
