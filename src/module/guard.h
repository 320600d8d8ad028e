// The exception barrier of the extension modules: C++ exceptions never
// cross into the interpreter.
#pragma once

#include <new>
#include <stdexcept>

#include "module/py.h"

namespace ovpy {

// Runs a function body; a failed allocation becomes MemoryError and any other
// exception a SystemError with `internal_error` as its message.
template <class F>
PyObject* guard_exceptions(const char* internal_error, F&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return PyErr_NoMemory();
    } catch (const std::length_error&) {
        return PyErr_NoMemory();
    } catch (...) {
        PyErr_SetString(PyExc_SystemError, internal_error);
        return nullptr;
    }
}

}  // namespace ovpy
