// Reads a Python column argument into a ColumnInput: an object with
// __arrow_c_array__ or __arrow_c_stream__, or an iterable of str and None.
// Every offset, view and dictionary index is checked here, before a kernel
// reads a byte of the values.
#pragma once

#include <string_view>
#include <vector>

#include "columns/arrow_abi.h"
#include "columns/input.h"
#include "columns/pyapi.h"

namespace ovc {

// Owns everything the ColumnInput borrows. Destroy with the GIL held.
struct Imported {
    ColumnInput input;
    std::vector<ArrowArray> arrays;     // moved out of their capsules
    std::vector<ArrowSchema> schemas;   // read from streams
    std::vector<PyObject*> refs;        // str items and schema capsules
    std::vector<std::string_view> texts;

    Imported() = default;
    Imported(const Imported&) = delete;
    Imported& operator=(const Imported&) = delete;
    ~Imported();
};

// False with a Python exception set: TypeError for what is not a column of
// strings (naming the Arrow type), ValueError for malformed or released
// Arrow data.
bool import_column(PyObject* column, Imported& imp);

}  // namespace ovc
