// The bank directory as orvane_vardik._data holds it: the one in use
// (read from the package's table on first use, or the caller's newer file)
// and the functions over it. Only with the interpreter lock held.
#pragma once

#include <cstdint>
#include <memory>

#include "bank/directory.h"
#include "module/py.h"

namespace ovd {

// Remembers where the package's table is (next to the module's file);
// false with an exception set.
bool init_bank_directory(PyObject* module);

// The directory in use, read on first use; nullptr with an exception set
// when the package's table cannot be read.
const std::shared_ptr<const ovb::Directory>* bank_directory();

// Counts the directories put in use: a lookup cached under one number
// belongs to that directory only.
std::uint64_t bank_directory_generation();

// A new reference to the str of a row's name (0), short name (1) or BIC
// (2) in the directory in use, made once per row while it is in use;
// nullptr with an exception set.
PyObject* row_text(const ovb::Directory& d, const ovb::BankRow& r, int field);

// The bank functions of the module (a null-terminated table).
extern PyMethodDef kBankFunctions[];

}  // namespace ovd
