// What a module built from these sources is. The same sources make two
// modules: `_native`, the documented module over the documented registry,
// and the package module `_api` (compiled with OVPY_PACKAGE_MODULE), which
// serves every record, documented and extended, and names the closest ids
// when an id is unknown. Nothing else tells the two apart.
#pragma once

#include <span>
#include <string_view>

#include "module/py.h"
#include "registry/registry.h"

#define OVPY_STR2(x) #x
#define OVPY_STR(x) OVPY_STR2(x)
#define OVPY_CAT2(a, b) a##b
#define OVPY_CAT(a, b) OVPY_CAT2(a, b)

#ifdef OVPY_PACKAGE_MODULE
#define OVPY_MODULE_NAME _api
#else
#define OVPY_MODULE_NAME _native
#endif

namespace ovpy {

inline constexpr bool kPackageModule =
#ifdef OVPY_PACKAGE_MODULE
    true;
#else
    false;
#endif

inline constexpr const char* kModuleName = OVPY_STR(OVPY_MODULE_NAME);
inline constexpr const char kQualifiedName[] = "orvane_vardik." OVPY_STR(OVPY_MODULE_NAME);
inline constexpr const char kInternalError[] = "unexpected internal error in orvane_vardik." OVPY_STR(OVPY_MODULE_NAME);
// The module whose five classes the package module reuses, so that results
// of both modules are instances of the same classes.
inline constexpr const char* kClassOwner = "orvane_vardik._native";

// The record of `id`, or nullptr: exact, case-sensitive, constant time.
inline const ov::ValidatorSpec* lookup(std::string_view id) noexcept {
    if constexpr (kPackageModule) return ov::find_any_validator(id);
    else return ov::find_validator(id);
}

// The records the module lists, sorted by id.
inline std::span<const ov::ValidatorSpec* const> records() {
    if constexpr (kPackageModule) return ov::all_validators();
    else return ov::registry();
}

// Raises KeyError "unknown validator id: <id>" and returns nullptr; the
// package module adds a note naming the closest ids.
PyObject* unknown_id(PyObject* id_obj);

// Adds "did you mean ...?" to the exception being raised when some ids are
// close to `id` (package module only; defined in src/api).
void note_closest_ids(std::string_view id);

}  // namespace ovpy
