// Results of the column entry points as Arrow arrays: a tree of nodes over
// buffers owned by one shared holder, exported through the C data interface
// without a copy (every exported struct keeps the holder alive).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "columns/arrow_abi.h"

namespace ovf {

struct Node {
    std::string format, name;
    std::int64_t length = 0, null_count = 0;
    std::vector<const void*> buffers;
    std::vector<Node> children;
};

// Buffers of any shape, kept until the last export is released. Deques:
// adding a buffer moves none of the others (nodes point into them).
struct Holder {
    std::deque<std::vector<std::uint8_t>> bytes;
    std::deque<std::vector<std::int32_t>> i32;
    std::deque<std::vector<std::int64_t>> i64;
    std::deque<std::string> text;
    Node root;
};
using SharedHolder = std::shared_ptr<const Holder>;

// Fill caller-provided structs; throw std::bad_alloc leaving them released.
void export_schema(const SharedHolder& h, ArrowSchema* out);
void export_array(const SharedHolder& h, ArrowArray* out);

}  // namespace ovf
