// Hands kernel outputs to Arrow consumers through the C data interface,
// without copying: every exported array keeps the output alive until the
// consumer releases it, whatever happens to the Python object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "columns/arrow_abi.h"
#include "columns/output.h"

namespace ovc {

// A finished output shared between its Python object and every export.
using SharedOutput = std::shared_ptr<const Output>;

// Named outputs of equal length, exported as the columns of one record batch.
struct TableData {
    std::vector<std::string> names;
    std::vector<SharedOutput> columns;
    std::int64_t length = 0;
};
using SharedTable = std::shared_ptr<const TableData>;

// Each function fills a caller-provided struct (whose release is null on
// entry) and throws std::bad_alloc on failure, leaving it released.
void export_schema(const SharedOutput& out, ArrowSchema* schema);
void export_array(const SharedOutput& out, ArrowArray* array);
void export_stream(const SharedOutput& out, ArrowArrayStream* stream);

void export_schema(const SharedTable& table, ArrowSchema* schema);
void export_array(const SharedTable& table, ArrowArray* array);
void export_stream(const SharedTable& table, ArrowArrayStream* stream);

}  // namespace ovc
