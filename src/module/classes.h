// The five result and metadata classes: immutable holders of native data
// that build a fresh Python object on every attribute read.
#pragma once

#include <string>

#include "module/py.h"
#include "registry/outcome.h"
#include "registry/spec.h"
#include "validators/crypto/crypto.h"

namespace ovpy {

// Creates the five classes once per process (idempotent), or takes them
// from the module named `owner` when given, and adds them to the module in
// their documented order, appending each name to __all__.
bool add_classes(PyObject* module, PyObject* all, const char* owner = nullptr);

// Constructors used by the module functions; each returns a new reference
// or nullptr with an exception set.
PyObject* make_result(ov::ValidationOutcome&& outcome);
PyObject* make_valid_result(std::string_view compact);
PyObject* make_invalid_result(ov::ErrorCode code, std::string_view message);
PyObject* make_parsed(const ov::ParsedData& data);
PyObject* make_bech32(ov::Bech32Status status);
PyObject* make_metadata(const ov::ValidatorSpec& spec);

}  // namespace ovpy
