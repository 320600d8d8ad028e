#include "module/classes.h"

#include <cstddef>
#include <cstring>
#include <iterator>
#include <new>

#include "module/args.h"
#include "registry/registry.h"

namespace ovpy {

namespace {

PyTypeObject* g_error_type = nullptr;
PyTypeObject* g_result_type = nullptr;
PyTypeObject* g_parsed_type = nullptr;
PyTypeObject* g_bech32_type = nullptr;
PyTypeObject* g_metadata_type = nullptr;

// Allocates an instance and constructs its native part in place.
template <class T, class... Args>
PyObject* alloc_instance(PyTypeObject* type, Args&&... args) {
    PyObject* obj = PyType_GenericAlloc(type, 0);
    if (!obj) return nullptr;
    try {
        new (reinterpret_cast<T*>(obj)) T{PyObject{*obj}, std::forward<Args>(args)...};
    } catch (...) {
        // Nothing native was built: release the bare object.
        PyObject_Free(obj);
        Py_DECREF(type);
        PyErr_NoMemory();
        return nullptr;
    }
    return obj;
}

template <class T>
void dealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    reinterpret_cast<T*>(self)->~T();
    PyObject_Free(self);
    Py_DECREF(type);
}

PyObject* bool_obj(bool v) {
    PyObject* r = v ? Py_True : Py_False;
    Py_INCREF(r);
    return r;
}

PyObject* none() {
    Py_INCREF(Py_None);
    return Py_None;
}

// ValidationError ----------------------------------------------------------

struct ErrorObject {
    PyObject base;
    ov::ErrorCode code;
    std::string_view message;  // static text
};

PyObject* error_code(PyObject* self, void*) {
    return to_py(ov::error_code_name(reinterpret_cast<ErrorObject*>(self)->code));
}
PyObject* error_message(PyObject* self, void*) { return to_py(reinterpret_cast<ErrorObject*>(self)->message); }

PyGetSetDef kErrorGetSet[] = {
    {"code", error_code, nullptr, nullptr, nullptr},
    {"message", error_message, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// ValidationResult ---------------------------------------------------------

// One allocation per result, as small as possible (batches keep millions of
// them alive): a valid result stores its compact text inline after the
// fixed fields; an invalid one stores its static message (a string_view)
// in the same place.
struct ResultObject {
    PyVarObject base;  // ob_size: bytes used in `data`
    ov::ErrorCode code;
    bool valid;
    char data[1];      // compact text when valid, message view when invalid
};

constexpr Py_ssize_t kResultFixedSize = static_cast<Py_ssize_t>(offsetof(ResultObject, data));

PyObject* new_result(bool valid, std::string_view compact, ov::ErrorCode code, std::string_view message) {
    const auto n = static_cast<Py_ssize_t>(valid ? compact.size() : sizeof(std::string_view));
    // Every field is written below, so the memory is not zeroed first (the
    // type is not tracked by the garbage collector and holds no references).
    auto* r = static_cast<ResultObject*>(PyObject_Malloc(static_cast<std::size_t>(kResultFixedSize + n + 1)));
    if (!r) return PyErr_NoMemory();
    PyObject* obj = reinterpret_cast<PyObject*>(PyObject_InitVar(&r->base, g_result_type, n));
    r->code = code;
    r->valid = valid;
    if (valid) {
        if (n) std::memcpy(r->data, compact.data(), compact.size());
    } else {
        std::memcpy(r->data, &message, sizeof message);
    }
    return obj;
}

std::string_view result_message(const ResultObject* r) {
    std::string_view message;
    std::memcpy(&message, r->data, sizeof message);
    return message;
}

PyObject* result_valid(PyObject* self, void*) { return bool_obj(reinterpret_cast<ResultObject*>(self)->valid); }
PyObject* result_compact(PyObject* self, void*) {
    auto* r = reinterpret_cast<ResultObject*>(self);
    return r->valid ? to_py(std::string_view(r->data, static_cast<std::size_t>(r->base.ob_size))) : none();
}
PyObject* result_error(PyObject* self, void*) {
    auto* r = reinterpret_cast<ResultObject*>(self);
    if (r->valid) return none();
    return alloc_instance<ErrorObject>(g_error_type, r->code, result_message(r));
}

void result_dealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    PyObject_Free(self);
    Py_DECREF(type);
}

PyGetSetDef kResultGetSet[] = {
    {"valid", result_valid, nullptr, nullptr, nullptr},
    {"compact", result_compact, nullptr, nullptr, nullptr},
    {"error", result_error, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// ParsedIdentifier ---------------------------------------------------------

struct ParsedObject {
    PyObject base;
    ov::ParsedData data;
};

PyObject* parsed_year(PyObject* self, void*) {
    return PyLong_FromLong(reinterpret_cast<ParsedObject*>(self)->data.birth_year);
}
PyObject* parsed_month(PyObject* self, void*) {
    return PyLong_FromLong(reinterpret_cast<ParsedObject*>(self)->data.birth_month);
}
PyObject* parsed_day(PyObject* self, void*) {
    return PyLong_FromLong(reinterpret_cast<ParsedObject*>(self)->data.birth_day);
}
PyObject* parsed_gender(PyObject* self, void*) {
    switch (reinterpret_cast<ParsedObject*>(self)->data.gender) {
        case ov::Gender::Male: return to_py("male");
        case ov::Gender::Female: return to_py("female");
        default: return none();
    }
}

PyGetSetDef kParsedGetSet[] = {
    {"birth_year", parsed_year, nullptr, nullptr, nullptr},
    {"birth_month", parsed_month, nullptr, nullptr, nullptr},
    {"birth_day", parsed_day, nullptr, nullptr, nullptr},
    {"gender", parsed_gender, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// Bech32Validation ---------------------------------------------------------

struct Bech32Object {
    PyObject base;
    ov::Bech32Status status;
};

PyObject* bech32_valid(PyObject* self, void*) {
    return bool_obj(reinterpret_cast<Bech32Object*>(self)->status == ov::Bech32Status::Valid);
}
PyObject* bech32_code(PyObject* self, void*) {
    switch (reinterpret_cast<Bech32Object*>(self)->status) {
        case ov::Bech32Status::Format: return to_py("format");
        case ov::Bech32Status::Checksum: return to_py("checksum");
        case ov::Bech32Status::Component: return to_py("component");
        default: return none();
    }
}

PyGetSetDef kBech32GetSet[] = {
    {"valid", bech32_valid, nullptr, nullptr, nullptr},
    {"code", bech32_code, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// ValidatorMetadata --------------------------------------------------------
// Records are static and immutable, so an instance refers to its record;
// every read still builds new objects, and list reads return new lists.

struct MetadataObject {
    PyObject base;
    const ov::ValidatorSpec* spec;
};

const ov::ValidatorSpec& spec_of(PyObject* self) { return *reinterpret_cast<MetadataObject*>(self)->spec; }

PyObject* text_list(std::span<const std::string_view> items) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(items.size()));
    if (!list) return nullptr;
    for (std::size_t i = 0; i < items.size(); ++i) {
        PyObject* s = to_py(items[i]);
        if (!s) {
            Py_DECREF(list);
            return nullptr;
        }
        PyList_SetItem(list, static_cast<Py_ssize_t>(i), s);
    }
    return list;
}

PyObject* meta_id(PyObject* self, void*) { return to_py(spec_of(self).id); }
PyObject* meta_name(PyObject* self, void*) { return to_py(spec_of(self).name); }
PyObject* meta_local_name(PyObject* self, void*) { return to_py(spec_of(self).local_name); }
PyObject* meta_abbreviation(PyObject* self, void*) { return to_py(spec_of(self).abbreviation); }
PyObject* meta_description(PyObject* self, void*) {
    auto d = ov::description_of(spec_of(self).id);
    return d ? to_py(*d) : none();
}
PyObject* meta_aliases(PyObject* self, void*) { return text_list(spec_of(self).aliases); }
PyObject* meta_pattern(PyObject* self, void*) { return to_py(spec_of(self).candidate_pattern); }
PyObject* meta_scope(PyObject* self, void*) {
    return to_py(spec_of(self).country >= ov::kGlobal ? "global" : "country");
}
PyObject* meta_country(PyObject* self, void*) {
    auto c = spec_of(self).country;
    return c >= ov::kGlobal ? none() : to_py(ov::kCountryTable[c]);
}
PyObject* meta_entity(PyObject* self, void*) {
    switch (spec_of(self).entity) {
        case ov::EntityType::Person: return to_py("person");
        case ov::EntityType::Company: return to_py("company");
        default: return to_py("any");
    }
}
PyObject* meta_url(PyObject* self, void*) {
    const char* url = spec_of(self).source_url;
    return url ? to_py(url) : none();
}
PyObject* meta_lengths(PyObject* self, void*) {
    auto lengths = spec_of(self).lengths;
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(lengths.size()));
    if (!list) return nullptr;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        PyObject* n = PyLong_FromUnsignedLongLong(lengths[i]);
        if (!n) {
            Py_DECREF(list);
            return nullptr;
        }
        PyList_SetItem(list, static_cast<Py_ssize_t>(i), n);
    }
    return list;
}
PyObject* meta_examples(PyObject* self, void*) { return text_list(spec_of(self).examples); }
PyObject* meta_can_generate(PyObject* self, void*) { return bool_obj(spec_of(self).ops.generate != nullptr); }
PyObject* meta_can_parse(PyObject* self, void*) { return bool_obj(spec_of(self).ops.parse != nullptr); }

PyGetSetDef kMetadataGetSet[] = {
    {"id", meta_id, nullptr, nullptr, nullptr},
    {"name", meta_name, nullptr, nullptr, nullptr},
    {"local_name", meta_local_name, nullptr, nullptr, nullptr},
    {"abbreviation", meta_abbreviation, nullptr, nullptr, nullptr},
    {"description", meta_description, nullptr, nullptr, nullptr},
    {"aliases", meta_aliases, nullptr, nullptr, nullptr},
    {"candidate_pattern", meta_pattern, nullptr, nullptr, nullptr},
    {"scope", meta_scope, nullptr, nullptr, nullptr},
    {"country", meta_country, nullptr, nullptr, nullptr},
    {"entity_type", meta_entity, nullptr, nullptr, nullptr},
    {"source_url", meta_url, nullptr, nullptr, nullptr},
    {"lengths", meta_lengths, nullptr, nullptr, nullptr},
    {"examples", meta_examples, nullptr, nullptr, nullptr},
    {"can_generate", meta_can_generate, nullptr, nullptr, nullptr},
    {"can_parse", meta_can_parse, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// Type creation ------------------------------------------------------------

// One class: its name, docstring, properties and native layout.
struct ClassDef {
    const char* name;
    const char* qualified;  // static: older interpreters keep the pointer as the type's name
    const char* doc;
    PyGetSetDef* getset;
    destructor dealloc_fn;
    int basic_size;
    int item_size;
    PyTypeObject** slot;
};

template <class T>
constexpr ClassDef class_def(const char* name, const char* qualified, const char* doc, PyGetSetDef* getset,
                             PyTypeObject** slot) {
    return {name, qualified, doc, getset, dealloc<T>, static_cast<int>(sizeof(T)), 0, slot};
}

#define OVPY_CLASS_NAMES(name) #name, "orvane_vardik._native." #name

// In documented order.
const ClassDef kClasses[] = {
    class_def<ErrorObject>(OVPY_CLASS_NAMES(ValidationError), "A validation error returned as structured Python data.",
                           kErrorGetSet, &g_error_type),
    {OVPY_CLASS_NAMES(ValidationResult), "A stable result object that carries either compact output or an error.",
     kResultGetSet, result_dealloc, static_cast<int>(kResultFixedSize), 1, &g_result_type},
    class_def<ParsedObject>(OVPY_CLASS_NAMES(ParsedIdentifier), "Structured data encoded by a personal identifier.", kParsedGetSet,
                            &g_parsed_type),
    class_def<Bech32Object>(OVPY_CLASS_NAMES(Bech32Validation), "Result from the lower-level Bitcoin Bech32 parser.",
                            kBech32GetSet, &g_bech32_type),
    class_def<MetadataObject>(OVPY_CLASS_NAMES(ValidatorMetadata), "Metadata for a validator in the Rust registry.",
                              kMetadataGetSet, &g_metadata_type),
};
#undef OVPY_CLASS_NAMES
constexpr std::size_t kClassCount = std::size(kClasses);

PyTypeObject* make_type(const ClassDef& c) {
    PyType_Slot slots[] = {
        {Py_tp_doc, const_cast<char*>(c.doc)},
        {Py_tp_getset, c.getset},
        {Py_tp_dealloc, reinterpret_cast<void*>(c.dealloc_fn)},
        {0, nullptr},
    };
    PyType_Spec spec = {
        c.qualified,
        c.basic_size,
        c.item_size,
        // No constructor for Python code, no subclasses, no attribute changes.
        Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION | Py_TPFLAGS_IMMUTABLETYPE,
        slots,
    };
    return reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&spec));
}

// Sets every slot at once, so that a failure part-way leaves none set and
// a later attempt starts again.
void set_all(PyTypeObject* const (&types)[kClassCount]) {
    for (std::size_t i = 0; i < kClassCount; ++i) *kClasses[i].slot = types[i];
}

bool create_classes() {
    PyTypeObject* types[kClassCount] = {};
    for (std::size_t i = 0; i < kClassCount; ++i) {
        types[i] = make_type(kClasses[i]);
        if (!types[i]) {
            for (std::size_t j = 0; j < i; ++j) Py_DECREF(types[j]);
            return false;
        }
    }
    set_all(types);
    return true;
}

// An attribute of type object `type` as a C integer, or -1.
long type_size(PyObject* type, const char* attr) {
    PyObject* v = PyObject_GetAttrString(type, attr);
    if (!v) return -1;
    const long n = PyLong_Check(v) ? PyLong_AsLong(v) : -1;
    Py_DECREF(v);
    return n;
}

// Takes the classes of module `owner`, built from these same sources: the
// instance layouts must be the ones this module writes.
bool adopt_classes(const char* owner) {
    PyObject* mod = PyImport_ImportModule(owner);
    if (!mod) return false;
    PyTypeObject* types[kClassCount] = {};
    std::size_t got = 0;
    for (; got < kClassCount; ++got) {
        const ClassDef& c = kClasses[got];
        PyObject* t = PyObject_GetAttrString(mod, c.name);
        if (!t) break;
        types[got] = reinterpret_cast<PyTypeObject*>(t);
        if (!PyType_Check(t) || type_size(t, "__basicsize__") != c.basic_size ||
            type_size(t, "__itemsize__") != c.item_size) {
            ++got;
            PyErr_Clear();
            PyErr_Format(PyExc_ImportError, "%s.%s is not the class this module was built with", owner, c.name);
            break;
        }
    }
    Py_DECREF(mod);
    if (got < kClassCount || PyErr_Occurred()) {
        for (std::size_t j = 0; j < got; ++j) Py_DECREF(types[j]);
        return false;
    }
    set_all(types);  // references kept for the life of the process
    return true;
}

}  // namespace

bool add_classes(PyObject* module, PyObject* all, const char* owner) {
    // The classes are created (or taken from `owner`) once per process and
    // kept alive for its whole life; a second import reuses them.
    if (!g_error_type && !(owner ? adopt_classes(owner) : create_classes())) return false;
    for (const ClassDef& c : kClasses) {
        PyObject* type = reinterpret_cast<PyObject*>(*c.slot);
        Py_INCREF(type);
        if (PyModule_AddObject(module, c.name, type) < 0) {
            Py_DECREF(type);
            return false;
        }
        PyObject* name = PyUnicode_FromString(c.name);
        if (!name || PyList_Append(all, name) < 0) {
            Py_XDECREF(name);
            return false;
        }
        Py_DECREF(name);
    }
    return true;
}

PyObject* make_result(ov::ValidationOutcome&& o) {
    if (o.ok) return new_result(true, o.text(), ov::ErrorCode::InvalidFormat, {});
    return new_result(false, {}, o.code, o.message);
}

PyObject* make_valid_result(std::string_view compact) {
    return new_result(true, compact, ov::ErrorCode::InvalidFormat, {});
}

PyObject* make_invalid_result(ov::ErrorCode code, std::string_view message) {
    return new_result(false, {}, code, message);
}

PyObject* make_parsed(const ov::ParsedData& data) { return alloc_instance<ParsedObject>(g_parsed_type, data); }

PyObject* make_bech32(ov::Bech32Status status) { return alloc_instance<Bech32Object>(g_bech32_type, status); }

PyObject* make_metadata(const ov::ValidatorSpec& spec) {
    return alloc_instance<MetadataObject>(g_metadata_type, &spec);
}

}  // namespace ovpy
