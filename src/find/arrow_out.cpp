#include "find/arrow_out.h"

#include <new>

namespace ovf {

namespace {

void release_schema(ArrowSchema* s) {
    if (!s || !s->release) return;
    for (std::int64_t i = 0; i < s->n_children; ++i) {
        if (s->children[i] && s->children[i]->release) s->children[i]->release(s->children[i]);
        delete s->children[i];
    }
    delete[] s->children;
    delete static_cast<SharedHolder*>(s->private_data);
    s->release = nullptr;
}

void release_array(ArrowArray* a) {
    if (!a || !a->release) return;
    for (std::int64_t i = 0; i < a->n_children; ++i) {
        if (a->children[i] && a->children[i]->release) a->children[i]->release(a->children[i]);
        delete a->children[i];
    }
    delete[] a->children;
    delete[] a->buffers;
    delete static_cast<SharedHolder*>(a->private_data);
    a->release = nullptr;
}

void fill_schema(const SharedHolder& h, const Node& n, ArrowSchema* s) {
    *s = ArrowSchema{};
    s->format = n.format.c_str();
    s->name = n.name.c_str();
    s->flags = 2;  // nullable
    s->private_data = new SharedHolder(h);
    s->release = release_schema;
    s->n_children = static_cast<std::int64_t>(n.children.size());
    if (n.children.empty()) return;
    s->children = new ArrowSchema*[n.children.size()]();
    for (std::size_t i = 0; i < n.children.size(); ++i) {
        s->children[i] = new ArrowSchema{};
        fill_schema(h, n.children[i], s->children[i]);
    }
}

void fill_array(const SharedHolder& h, const Node& n, ArrowArray* a) {
    *a = ArrowArray{};
    a->length = n.length;
    a->null_count = n.null_count;
    a->private_data = new SharedHolder(h);
    a->release = release_array;
    a->n_buffers = static_cast<std::int64_t>(n.buffers.size());
    a->buffers = new const void*[n.buffers.size()];
    for (std::size_t i = 0; i < n.buffers.size(); ++i) a->buffers[i] = n.buffers[i];
    a->n_children = static_cast<std::int64_t>(n.children.size());
    if (n.children.empty()) return;
    a->children = new ArrowArray*[n.children.size()]();
    for (std::size_t i = 0; i < n.children.size(); ++i) {
        a->children[i] = new ArrowArray{};
        fill_array(h, n.children[i], a->children[i]);
    }
}

}  // namespace

void export_schema(const SharedHolder& h, ArrowSchema* out) {
    try {
        fill_schema(h, h->root, out);
    } catch (...) {
        release_schema(out);
        throw std::bad_alloc();
    }
}

void export_array(const SharedHolder& h, ArrowArray* out) {
    try {
        fill_array(h, h->root, out);
    } catch (...) {
        release_array(out);
        throw std::bad_alloc();
    }
}

}  // namespace ovf
