#include "columns/import.h"

#include <cstring>
#include <string>

namespace ovc {

Imported::~Imported() {
    // Release callbacks and finalizers may run Python code: never with an
    // exception pending.
    PyObject *type, *value, *trace;
    PyErr_Fetch(&type, &value, &trace);
    for (ArrowArray& a : arrays)
        if (a.release) a.release(&a);
    for (ArrowSchema& s : schemas)
        if (s.release) s.release(&s);
    for (PyObject* o : refs) Py_DECREF(o);
    PyErr_Restore(type, value, trace);
}

namespace {

bool value_error(const char* what) {
    PyErr_SetString(PyExc_ValueError, what);
    return false;
}

// Readable names of the Arrow formats a caller is likely to pass by mistake.
struct FormatName {
    const char* format;
    const char* name;
};
constexpr FormatName kFormatNames[] = {
    {"n", "null"},       {"b", "bool"},        {"c", "int8"},         {"C", "uint8"},
    {"s", "int16"},      {"S", "uint16"},      {"i", "int32"},        {"I", "uint32"},
    {"l", "int64"},      {"L", "uint64"},      {"e", "float16"},      {"f", "float32"},
    {"g", "float64"},    {"z", "binary"},      {"Z", "large_binary"}, {"vz", "binary_view"},
    {"u", "utf8"},       {"U", "large_utf8"},  {"vu", "utf8_view"},   {"tdD", "date32"},
    {"tdm", "date64"},   {"+l", "list"},       {"+L", "large_list"},  {"+s", "struct"},
    {"+m", "map"},       {"+vl", "list_view"}, {"+w", "fixed_size_list"},
};

std::string type_of(const ArrowSchema* s) {
    const char* f = s->format ? s->format : "";
    std::string name;
    for (const FormatName& n : kFormatNames)
        if (std::strcmp(n.format, f) == 0) name = n.name;
    if (name.empty()) {
        // Parameterised types: timestamps, decimals, fixed-size binary...
        name = "Arrow type '";
        for (std::size_t i = 0; f[i] && i < 32; ++i) name += f[i];
        name += "'";
    }
    if (s->dictionary) name = "dictionary<values=" + type_of(s->dictionary) + ", indices=" + name + ">";
    return name;
}

bool type_error(const ArrowSchema* s) {
    const std::string t = type_of(s);
    PyErr_Format(PyExc_TypeError, "expected a column of strings (utf8, large_utf8 or utf8_view), got %s", t.c_str());
    return false;
}

// Common sanity of an array struct: sizes that cannot be negative or
// overflow, a buffer list where buffers are declared.
bool check_struct(const ArrowArray* a, std::int64_t min_buffers) {
    if (!a->release) return value_error("the Arrow array was already released or consumed");
    if (a->length < 0 || a->offset < 0 || a->null_count < -1 || a->n_buffers < 0 || a->n_children < 0)
        return value_error("malformed Arrow array: negative length, offset or count");
    if (a->length > INT64_MAX - a->offset - 1) return value_error("malformed Arrow array: length and offset overflow");
    if (a->n_buffers < min_buffers || (a->n_buffers > 0 && !a->buffers))
        return value_error("malformed Arrow array: missing buffers");
    if (a->null_count > 0 && a->n_buffers > 0 && !a->buffers[0] && a->length > 0)
        return value_error("malformed Arrow array: nulls without a validity bitmap");
    return true;
}

template <class Offset>
bool check_offsets(const Offset* o, const char* data, std::int64_t offset, std::int64_t length) {
    if (length == 0) return true;
    if (!o) return value_error("malformed Arrow array: missing offsets buffer");
    Offset prev = o[offset];
    if (prev < 0) return value_error("Arrow string offsets point outside the data buffer (negative offset)");
    for (std::int64_t k = offset + 1; k <= offset + length; ++k) {
        const Offset cur = o[k];
        if (cur < prev) return value_error("Arrow string offsets point outside the data buffer (decreasing offsets)");
        prev = cur;
    }
    if (!data && prev > o[offset]) return value_error("malformed Arrow array: missing data buffer");
    return true;
}

bool check_views(const StringSource& src, std::int64_t n_var, const std::int64_t* sizes) {
    if (src.length == 0) return true;
    if (!src.views) return value_error("malformed Arrow array: missing views buffer");
    for (std::int64_t i = 0; i < src.length; ++i) {
        if (src.is_null(i)) continue;
        const std::uint8_t* v = src.views + 16 * (src.offset + i);
        std::int32_t len, buf, off;
        std::memcpy(&len, v, 4);
        std::memcpy(&buf, v + 8, 4);
        std::memcpy(&off, v + 12, 4);
        if (len < 0) return value_error("malformed Arrow string view: negative length");
        if (len <= 12) continue;
        if (buf < 0 || buf >= n_var || !src.var_data[buf] || !sizes)
            return value_error("Arrow string view points outside the data buffers (no such buffer)");
        if (off < 0 || std::int64_t{off} + len > sizes[buf])
            return value_error("Arrow string view points outside the data buffer");
    }
    return true;
}

// A plain (non-dictionary) array of strings, or of nulls.
bool string_source(const ArrowSchema* s, const ArrowArray* a, StringSource& src) {
    const char* f = s->format;
    StrKind kind;
    if (std::strcmp(f, "u") == 0) kind = StrKind::Utf8;
    else if (std::strcmp(f, "U") == 0) kind = StrKind::LargeUtf8;
    else if (std::strcmp(f, "vu") == 0) kind = StrKind::View;
    else if (std::strcmp(f, "n") == 0) kind = StrKind::Null;
    else return type_error(s);

    const std::int64_t min_buffers = kind == StrKind::Null ? 0 : 3;
    if (!check_struct(a, min_buffers)) return false;
    src.kind = kind;
    src.length = a->length;
    src.offset = a->offset;
    if (kind == StrKind::Null) return true;
    src.validity = a->null_count == 0 ? nullptr : static_cast<const std::uint8_t*>(a->buffers[0]);
    if (kind == StrKind::View) {
        src.views = static_cast<const std::uint8_t*>(a->buffers[1]);
        src.var_data = reinterpret_cast<const char* const*>(a->buffers + 2);
        const std::int64_t n_var = a->n_buffers - 3;
        return check_views(src, n_var, static_cast<const std::int64_t*>(a->buffers[a->n_buffers - 1]));
    }
    if (a->n_buffers != 3) return value_error("malformed Arrow array: a string array has three buffers");
    src.offsets = a->buffers[1];
    src.data = static_cast<const char*>(a->buffers[2]);
    const bool ok = kind == StrKind::Utf8
                        ? check_offsets(static_cast<const std::int32_t*>(src.offsets), src.data, a->offset, a->length)
                        : check_offsets(static_cast<const std::int64_t*>(src.offsets), src.data, a->offset, a->length);
    if (!src.data) src.data = "";  // every value is empty
    return ok;
}

bool index_type(const char* f, IndexSource& idx) {
    constexpr struct {
        const char* format;
        int width;
        bool is_signed;
    } kIndexTypes[] = {{"c", 1, true}, {"C", 1, false}, {"s", 2, true}, {"S", 2, false},
                       {"i", 4, true}, {"I", 4, false}, {"l", 8, true}, {"L", 8, false}};
    for (const auto& t : kIndexTypes)
        if (std::strcmp(t.format, f) == 0) {
            idx.width = t.width;
            idx.is_signed = t.is_signed;
            return true;
        }
    return false;
}

// The same dictionary is usually shared by every chunk: evaluate it once.
int dictionary_slot(Imported& imp, const StringSource& d) {
    auto& dicts = imp.input.dictionaries;
    for (std::size_t i = 0; i < dicts.size(); ++i) {
        const StringSource& o = dicts[i];
        if (o.kind == d.kind && o.offset == d.offset && o.length == d.length && o.offsets == d.offsets &&
            o.data == d.data && o.views == d.views && o.validity == d.validity &&
            (d.kind != StrKind::View || o.var_data == d.var_data))
            return static_cast<int>(i);
    }
    dicts.push_back(d);
    return static_cast<int>(dicts.size() - 1);
}

// Checks one array of the column and appends it as a chunk. The array
// struct must stay alive (and unreleased) while the chunk is in use.
bool add_array(const ArrowSchema* s, const ArrowArray* a, Imported& imp) {
    if (!s->format) return value_error("malformed Arrow schema: no format");
    Chunk ch;
    if (!s->dictionary) {
        if (!string_source(s, a, ch.values)) return false;
        ch.length = a->length;
    } else {
        if (!s->dictionary->format) return value_error("malformed Arrow schema: no format");
        if (!index_type(s->format, ch.indices) || s->dictionary->dictionary) return type_error(s);
        if (!check_struct(a, 2)) return false;
        if (!a->dictionary) return value_error("malformed Arrow array: dictionary type without a dictionary");
        StringSource dict;
        if (!string_source(s->dictionary, a->dictionary, dict)) {
            if (PyErr_ExceptionMatches(PyExc_TypeError)) {
                PyErr_Clear();
                return type_error(s);
            }
            return false;
        }
        ch.length = a->length;
        ch.indices.data = a->buffers[1];
        ch.indices.offset = a->offset;
        ch.indices.validity = a->null_count == 0 ? nullptr : static_cast<const std::uint8_t*>(a->buffers[0]);
        if (a->length > 0 && !ch.indices.data) return value_error("malformed Arrow array: missing indices buffer");
        for (std::int64_t i = 0; i < a->length; ++i) {
            if (ch.indices.is_null(i)) continue;
            const std::int64_t k = ch.indices.at(i);
            if (k < 0 || k >= dict.length) return value_error("Arrow dictionary index out of range");
        }
        ch.dictionary = dictionary_slot(imp, dict);
    }
    if (ch.length > INT64_MAX - imp.input.rows) return value_error("column too long");
    imp.input.rows += ch.length;
    imp.input.chunks.push_back(ch);
    return true;
}

template <class T>
T* capsule_struct(PyObject* capsule, const char* name) {
    if (!PyCapsule_CheckExact(capsule)) {
        PyErr_Format(PyExc_ValueError, "expected a PyCapsule named '%s'", name);
        return nullptr;
    }
    void* p = PyCapsule_GetPointer(capsule, name);  // sets ValueError on a wrong name
    if (!p) {
        if (!PyErr_Occurred()) PyErr_Format(PyExc_ValueError, "empty '%s' capsule", name);
        return nullptr;
    }
    return static_cast<T*>(p);
}

bool import_array_capsules(PyObject* pair, Imported& imp) {
    if (!PyTuple_Check(pair) || PyTuple_Size(pair) != 2)
        return value_error("__arrow_c_array__ must return a (schema, array) pair of capsules");
    PyObject* schema_cap = PyTuple_GetItem(pair, 0);
    PyObject* array_cap = PyTuple_GetItem(pair, 1);
    auto* schema = capsule_struct<ArrowSchema>(schema_cap, "arrow_schema");
    if (!schema) return false;
    auto* array = capsule_struct<ArrowArray>(array_cap, "arrow_array");
    if (!array) return false;
    if (!schema->release) return value_error("the Arrow schema was already released or consumed");
    if (!array->release) return value_error("the Arrow array was already released or consumed");
    // Take the array over: the capsule no longer releases it.
    imp.arrays.push_back(*array);
    array->release = nullptr;
    return add_array(schema, &imp.arrays.back(), imp);
}

bool stream_error(ArrowArrayStream* st, int code) {
    const char* msg = st->get_last_error ? st->get_last_error(st) : nullptr;
    PyErr_Format(PyExc_ValueError, "the Arrow stream failed (error %d): %s", code, msg ? msg : "no message");
    return false;
}

bool import_stream_capsule(PyObject* capsule, Imported& imp) {
    auto* src = capsule_struct<ArrowArrayStream>(capsule, "arrow_array_stream");
    if (!src) return false;
    if (!src->release) return value_error("the Arrow stream was already released or consumed");
    if (!src->get_schema || !src->get_next) return value_error("malformed Arrow stream: missing callbacks");
    ArrowArrayStream st = *src;
    src->release = nullptr;
    struct Closer {
        ArrowArrayStream& s;
        ~Closer() { s.release(&s); }
    } closer{st};

    imp.schemas.reserve(imp.schemas.size() + 1);
    imp.schemas.push_back(ArrowSchema{});
    const std::size_t schema_at = imp.schemas.size() - 1;
    if (int rc = st.get_schema(&st, &imp.schemas[schema_at])) return stream_error(&st, rc);
    if (!imp.schemas[schema_at].release) return value_error("malformed Arrow stream: released schema");
    // Arrays are checked as they arrive, so a bad batch stops the stream.
    for (;;) {
        ArrowArray a{};
        if (int rc = st.get_next(&st, &a)) return stream_error(&st, rc);
        if (!a.release) break;
        try {
            imp.arrays.push_back(a);
        } catch (...) {
            a.release(&a);
            throw;
        }
        if (!add_array(&imp.schemas[schema_at], &imp.arrays.back(), imp)) return false;
    }
    return true;
}

// Hands a new reference over to `imp`; it is released even when the
// hand-over fails for want of memory.
void keep(Imported& imp, PyObject* obj) {
    try {
        imp.refs.push_back(obj);
    } catch (...) {
        Py_DECREF(obj);
        throw;
    }
}

PyObject* type_name_of(PyObject* obj) {
    return PyObject_GetAttrString(reinterpret_cast<PyObject*>(Py_TYPE(obj)), "__name__");
}

bool import_texts(PyObject* column, Imported& imp) {
    if (PyUnicode_Check(column) || PyBytes_Check(column) || PyByteArray_Check(column)) {
        PyObject* t = type_name_of(column);
        PyErr_Format(PyExc_TypeError, "expected a column of strings, not a single %S value", t ? t : Py_None);
        Py_XDECREF(t);
        return false;
    }
    PyObject* it = PyObject_GetIter(column);
    if (!it) {
        PyObject* t = type_name_of(column);
        PyErr_Clear();
        PyErr_Format(PyExc_TypeError,
                     "expected an Arrow array or stream (__arrow_c_array__, __arrow_c_stream__) or an iterable of "
                     "str, got %S",
                     t ? t : Py_None);
        Py_XDECREF(t);
        return false;
    }
    struct Owned {
        PyObject* obj;
        ~Owned() { Py_DECREF(obj); }
    } iterator{it};  // released on every way out, a failed allocation included
    while (PyObject* item = PyIter_Next(it)) {
        keep(imp, item);
        if (item == Py_None) {
            imp.texts.emplace_back();
            continue;
        }
        if (!PyUnicode_Check(item)) {
            PyObject* t = type_name_of(item);
            PyErr_Format(PyExc_TypeError, "column values must be str or None, not %S", t ? t : Py_None);
            Py_XDECREF(t);
            return false;
        }
        Py_ssize_t n = 0;
        const char* p = PyUnicode_AsUTF8AndSize(item, &n);
        if (!p) return false;
        imp.texts.emplace_back(p, static_cast<std::size_t>(n));
    }
    if (PyErr_Occurred()) return false;
    Chunk ch;
    ch.length = static_cast<std::int64_t>(imp.texts.size());
    ch.values.kind = StrKind::Texts;
    ch.values.length = ch.length;
    ch.values.texts = imp.texts.data();
    imp.input.rows = ch.length;
    imp.input.trusted_utf8 = true;
    imp.input.chunks.push_back(ch);
    return true;
}

}  // namespace

bool import_column(PyObject* column, Imported& imp) {
    // An array when the object offers one (a single contiguous chunk),
    // otherwise a stream (chunked arrays, series, readers).
    for (const char* method : {"__arrow_c_array__", "__arrow_c_stream__"}) {
        PyObject* fn = PyObject_GetAttrString(column, method);
        if (!fn) {
            if (!PyErr_ExceptionMatches(PyExc_AttributeError)) return false;
            PyErr_Clear();
            continue;
        }
        PyObject* res = PyObject_CallNoArgs(fn);
        Py_DECREF(fn);
        if (!res) return false;
        keep(imp, res);  // keeps the capsules alive until the run ends
        return method[10] == 'a' ? import_array_capsules(res, imp) : import_stream_capsule(res, imp);
    }
    return import_texts(column, imp);
}

}  // namespace ovc
