// Argument binding and conversion shared by every module function.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "module/py.h"

namespace ovpy {

// A function's parameter list as a Python function with that signature
// would have it: `required` leading parameters, the rest optional.
struct Signature {
    const char* name;
    const char* const* params;
    int count;
    int required;
};

// Binds positional and keyword arguments to parameter slots (nullptr for an
// absent optional one), raising TypeError with the interpreter's standard
// wording for missing, surplus, duplicate and unexpected arguments.
bool bind(const Signature& sig, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject** out);

// Attaches "while processing '<param>'" to the exception being raised
// (skipped silently where exceptions have no add_note).
void add_note(const char* param);

// Attaches the note PyUnicode_FromFormat(format, arg) to the exception
// being raised through its add_note; where exceptions have none, the note
// is skipped, or stored as __notes__ when `fallback` is set. Does nothing
// without an exception.
void attach_note(const char* format, const char* arg, bool fallback = false);

// A str argument as UTF-8 (borrowed from the str object); raises TypeError
// or the encoding error, with the note, on failure. `element` marks an item
// of a sequence argument rather than a parameter of its own.
bool text_arg(PyObject* obj, const char* param, std::string_view& out, bool element = false);

// An unsigned 32-bit integer argument; raises OverflowError "out of range
// integral type conversion attempted" (or the index TypeError), with the note.
bool u32_arg(PyObject* obj, const char* param, std::uint32_t& out);

// A sequence argument that is not a str: rejects str with "Can't extract
// `str` to `Vec`" and non-sequences; collects new references to the items.
bool sequence_items(PyObject* obj, const char* param, std::vector<PyObject*>& items);

// Releases the references collected by sequence_items.
struct ItemRefs {
    std::vector<PyObject*> items;
    ~ItemRefs() {
        for (PyObject* o : items) Py_DECREF(o);
    }
};

// New str from UTF-8 bytes.
inline PyObject* to_py(std::string_view s) {
    return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
}

}  // namespace ovpy
