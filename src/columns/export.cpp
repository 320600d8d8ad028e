#include "columns/export.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace ovc {

namespace {

// What one exported array (and its schema) looks like, independent of
// where its buffers live.
struct Node {
    std::string name;
    std::string format;
    std::int64_t length = 0;
    std::int64_t null_count = 0;
    std::vector<const void*> buffers;
    std::vector<Node> children;
};

const char* format_of(const Field& f) {
    switch (f.type) {
        case FieldType::Bool: return "b";
        case FieldType::Int32: return "i";
        case FieldType::Utf8: return f.large ? "U" : "u";
    }
    return "b";
}

Node field_node(const Field& f, std::int64_t length) {
    Node n;
    n.name = std::string(f.name);
    n.format = format_of(f);
    n.length = length;
    n.null_count = f.null_count;
    n.buffers = {f.null_count ? f.validity.data() : nullptr, f.values.data()};
    if (f.type == FieldType::Utf8) n.buffers.push_back(f.data.data());
    return n;
}

Node output_node(const Output& out) {
    if (!out.is_struct) return field_node(out.fields[0], out.length);
    Node n;
    n.format = "+s";
    n.length = out.length;
    n.null_count = out.null_count;
    n.buffers = {out.null_count ? out.validity.data() : nullptr};
    for (const Field& f : out.fields) n.children.push_back(field_node(f, out.length));
    return n;
}

Node table_node(const TableData& t) {
    Node n;
    n.format = "+s";
    n.length = t.length;
    n.buffers = {nullptr};
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        n.children.push_back(output_node(*t.columns[i]));
        n.children.back().name = t.names[i];
    }
    return n;
}

// Schemas -----------------------------------------------------------------

struct SchemaHolder {
    std::string name;
    std::string format;
    std::vector<ArrowSchema*> children;
};

void release_schema(ArrowSchema* s) {
    if (!s || !s->release) return;
    auto* h = static_cast<SchemaHolder*>(s->private_data);
    for (ArrowSchema* c : h->children) {
        if (c->release) c->release(c);
        delete c;
    }
    delete h;
    s->release = nullptr;
}

void fill_schema(const Node& n, ArrowSchema* s) {
    auto* h = new SchemaHolder{n.name, n.format, {}};
    *s = ArrowSchema{h->format.c_str(), h->name.c_str(), nullptr, ARROW_FLAG_NULLABLE, 0, nullptr, nullptr,
                     release_schema, h};
    try {
        h->children.reserve(n.children.size());  // so that no push_back below throws and leaks
        for (const Node& c : n.children) {
            auto* cs = new ArrowSchema{};
            h->children.push_back(cs);
            fill_schema(c, cs);
        }
    } catch (...) {
        release_schema(s);
        throw;
    }
    s->n_children = static_cast<std::int64_t>(h->children.size());
    s->children = h->children.empty() ? nullptr : h->children.data();
}

// Arrays ------------------------------------------------------------------

struct ArrayHolder {
    std::shared_ptr<const void> keep;  // the output(s) owning the buffers
    std::vector<const void*> buffers;
    std::vector<ArrowArray*> children;
};

void release_array(ArrowArray* a) {
    if (!a || !a->release) return;
    auto* h = static_cast<ArrayHolder*>(a->private_data);
    for (ArrowArray* c : h->children) {
        if (c->release) c->release(c);
        delete c;
    }
    delete h;
    a->release = nullptr;
}

void fill_array(const Node& n, const std::shared_ptr<const void>& keep, ArrowArray* a) {
    auto* h = new ArrayHolder{keep, n.buffers, {}};
    *a = ArrowArray{n.length, n.null_count, 0, static_cast<std::int64_t>(h->buffers.size()), 0,
                    h->buffers.data(), nullptr, nullptr, release_array, h};
    try {
        h->children.reserve(n.children.size());  // so that no push_back below throws and leaks
        for (const Node& c : n.children) {
            auto* ca = new ArrowArray{};
            h->children.push_back(ca);
            fill_array(c, keep, ca);
        }
    } catch (...) {
        release_array(a);
        throw;
    }
    a->n_children = static_cast<std::int64_t>(h->children.size());
    a->children = h->children.empty() ? nullptr : h->children.data();
}

// Streams of one batch ------------------------------------------------------

struct StreamHolder {
    Node node;
    std::shared_ptr<const void> keep;
    bool done = false;
    std::string error;
};

int stream_schema(ArrowArrayStream* st, ArrowSchema* out) {
    auto* h = static_cast<StreamHolder*>(st->private_data);
    try {
        fill_schema(h->node, out);
    } catch (...) {
        h->error = "out of memory";
        return ENOMEM;
    }
    return 0;
}

int stream_next(ArrowArrayStream* st, ArrowArray* out) {
    auto* h = static_cast<StreamHolder*>(st->private_data);
    if (h->done) {
        std::memset(out, 0, sizeof *out);  // end of stream: a released array
        return 0;
    }
    try {
        fill_array(h->node, h->keep, out);
    } catch (...) {
        h->error = "out of memory";
        return ENOMEM;
    }
    h->done = true;
    return 0;
}

const char* stream_error(ArrowArrayStream* st) {
    auto* h = static_cast<StreamHolder*>(st->private_data);
    return h->error.empty() ? nullptr : h->error.c_str();
}

void release_stream(ArrowArrayStream* st) {
    if (!st || !st->release) return;
    delete static_cast<StreamHolder*>(st->private_data);
    st->release = nullptr;
}

void fill_stream(Node node, std::shared_ptr<const void> keep, ArrowArrayStream* st) {
    auto* h = new StreamHolder{std::move(node), std::move(keep), false, {}};
    *st = ArrowArrayStream{stream_schema, stream_next, stream_error, release_stream, h};
}

}  // namespace

void export_schema(const SharedOutput& out, ArrowSchema* schema) { fill_schema(output_node(*out), schema); }
void export_array(const SharedOutput& out, ArrowArray* array) { fill_array(output_node(*out), out, array); }
void export_stream(const SharedOutput& out, ArrowArrayStream* stream) {
    fill_stream(output_node(*out), out, stream);
}

void export_schema(const SharedTable& t, ArrowSchema* schema) { fill_schema(table_node(*t), schema); }
void export_array(const SharedTable& t, ArrowArray* array) { fill_array(table_node(*t), t, array); }
void export_stream(const SharedTable& t, ArrowArrayStream* stream) { fill_stream(table_node(*t), t, stream); }

}  // namespace ovc
