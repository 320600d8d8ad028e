// What differs between `_native` and the package module, as data, in the
// last of the module sources and out of sight of the code that reads it:
// every module source then compiles to the same code in both modules, which
// lies at the same offsets in both and runs at the same speed.
#include "module/target.h"

namespace ovpy {

const ModuleVariant kVariant{kPackageModule ? kClassOwner : nullptr, kPackageModule};

}  // namespace ovpy
