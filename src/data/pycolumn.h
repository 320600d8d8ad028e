// The column type of orvane_vardik._data: a finished Arrow-layout output
// offered through the Arrow PyCapsule interface (the buffers are shared,
// never copied) and as Python values.
#pragma once

#include "columns/output.h"
#include "columns/pyapi.h"

namespace ovd {

// Creates the type once; false with an exception set.
bool add_column_type(PyObject* module);

// A new column owning `out`; nullptr with an exception set.
PyObject* new_column(ovc::Output&& out);

// The first `length` values of a plain utf8 column as a list of str.
PyObject* column_list(const ovc::Output& out);

}  // namespace ovd
