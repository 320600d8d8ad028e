// The KeyError for an id that no record has; the package module adds the
// closest ids (suggest.cpp).
#include "module/args.h"
#include "module/target.h"

namespace ovpy {

PyObject* unknown_id(PyObject* id_obj) {
    PyObject* msg = PyUnicode_FromFormat("unknown validator id: %U", id_obj);
    if (!msg) return nullptr;
    // The id was converted before the lookup, so its UTF-8 form is cached.
    Py_ssize_t n = 0;
    const char* text = kVariant.package ? PyUnicode_AsUTF8AndSize(id_obj, &n) : nullptr;
    PyErr_SetObject(PyExc_KeyError, msg);
    Py_DECREF(msg);
    if (text) note_closest_ids(std::string_view(text, static_cast<std::size_t>(n)));
    return nullptr;
}

}  // namespace ovpy
