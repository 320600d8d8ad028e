#include "data/bank_module.h"

#include <algorithm>
#include <string>
#include <vector>
#include <string_view>

#include "bank/iban_bank.h"
#include "bank/national_checks.h"
#include "module/args.h"
#include "module/guard.h"
#include "registry/registry.h"
#include "validators/core/iban.h"

namespace ovd {

namespace {

std::shared_ptr<const ovb::Directory> g_dir;
// The str objects of g_dir's rows made so far: three per row.
std::vector<PyObject*> g_texts;
const ovb::Directory* g_texts_of = nullptr;
std::uint64_t g_generation = 0;

void drop_texts() {
    for (PyObject*& o : g_texts) Py_CLEAR(o);
    g_texts.clear();
    g_texts.shrink_to_fit();
    g_texts_of = nullptr;
}
std::string g_default_path;  // the package's table
std::string g_path;          // where the directory in use was read from

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._data", static_cast<F&&>(body));
}

// A str argument as UTF-8; false (no exception) for text with lone
// surrogates, which no identifier holds. TypeError for a non-str.
bool text(PyObject* obj, const char* fn, const char* param, std::string_view& out, bool& encodable) {
    encodable = false;
    if (!PyUnicode_Check(obj)) {
        PyErr_Format(PyExc_TypeError, "%s() argument '%s' must be str", fn, param);
        return false;
    }
    Py_ssize_t n = 0;
    const char* p = PyUnicode_AsUTF8AndSize(obj, &n);
    if (!p) {
        PyErr_Clear();
        return true;
    }
    out = std::string_view(p, static_cast<std::size_t>(n));
    encodable = true;
    return true;
}

std::shared_ptr<const ovb::Directory> read_directory(const std::string& path, std::string& error) {
    std::shared_ptr<const ovb::Directory> d;
    Py_BEGIN_ALLOW_THREADS
    try {
        d = ovb::Directory::read_file(path.c_str(), error);
    } catch (...) {
        error = "out of memory";
    }
    Py_END_ALLOW_THREADS
    return d;
}

PyObject* row_tuple(const ovb::Directory& d, const ovb::BankRow& r) {
    const std::string_view method = d.method(r);
    PyObject* m = method.empty() ? (Py_INCREF(Py_None), Py_None) : ovpy::to_py(method);
    if (!m) return nullptr;
    PyObject* t = Py_BuildValue("(s#s#s#s#s#ON)", r.country, Py_ssize_t{2}, d.code(r).data(),
                                static_cast<Py_ssize_t>(d.code(r).size()), d.bic(r).data(),
                                static_cast<Py_ssize_t>(d.bic(r).size()), d.name(r).data(),
                                static_cast<Py_ssize_t>(d.name(r).size()), d.short_name(r).data(),
                                static_cast<Py_ssize_t>(d.short_name(r).size()), r.primary ? Py_True : Py_False, m);
    return t;
}

PyObject* info_dict(const ovb::Directory& d) {
    return Py_BuildValue("{s:s#,s:s#,s:s#,s:n,s:n}", "path", g_path.data(), static_cast<Py_ssize_t>(g_path.size()),
                         "source", d.source().data(), static_cast<Py_ssize_t>(d.source().size()), "snapshot",
                         d.snapshot().data(), static_cast<Py_ssize_t>(d.snapshot().size()), "rows",
                         static_cast<Py_ssize_t>(d.size()), "memory", static_cast<Py_ssize_t>(d.memory()));
}

// load_bank_directory(path): reads a directory file and puts it in use;
// ValueError naming the line of a malformed one (the one in use is kept).
PyObject* fn_load_bank_directory(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"path"};
    static const ovpy::Signature kSig = {"load_bank_directory", kParams, 1, 1};
    PyObject* path = nullptr;
    if (!ovpy::bind(kSig, args, nargs, kwnames, &path)) return nullptr;
    if (!PyUnicode_Check(path)) return PyErr_Format(PyExc_TypeError, "load_bank_directory() argument 'path' must be str");
    return guarded([&]() -> PyObject* {
        PyObject* encoded = PyUnicode_EncodeFSDefault(path);
        if (!encoded) return nullptr;
        std::string file(PyBytes_AsString(encoded), static_cast<std::size_t>(PyBytes_Size(encoded)));
        Py_DECREF(encoded);
        if (file.find('\0') != std::string::npos) return PyErr_Format(PyExc_ValueError, "embedded null byte in path");
        std::string error;
        auto d = read_directory(file, error);
        if (!d) return PyErr_Format(PyExc_ValueError, "bank directory %R: %s", path, error.c_str());
        drop_texts();
        g_dir = std::move(d);
        ++g_generation;
        Py_ssize_t n = 0;
        const char* p = PyUnicode_AsUTF8AndSize(path, &n);
        if (p) {
            g_path.assign(p, static_cast<std::size_t>(n));
        } else {
            PyErr_Clear();
            g_path = file;
        }
        return info_dict(*g_dir);
    });
}

// bank_directory_info(): where the directory in use comes from, its
// snapshot date and size (reads it if not yet read).
PyObject* fn_bank_directory_info(PyObject*, PyObject*) {
    return guarded([&]() -> PyObject* {
        const auto* d = bank_directory();
        return d ? info_dict(**d) : nullptr;
    });
}

// bank_rows_by_bic(bic): rows (country, bank_code, bic, name, short_name,
// primary, de_check_method) whose BIC is `bic`, in file order.
PyObject* fn_bank_rows_by_bic(PyObject*, PyObject* arg) {
    return guarded([&]() -> PyObject* {
        std::string_view bic;
        bool ok = false;
        if (!text(arg, "bank_rows_by_bic", "bic", bic, ok)) return nullptr;
        const auto* d = bank_directory();
        if (!d) return nullptr;
        PyObject* list = PyList_New(0);
        if (!list || !ok) return list;
        for (const ovb::BankRow* r : (*d)->by_bic(bic)) {
            PyObject* t = row_tuple(**d, *r);
            if (!t || PyList_Append(list, t) < 0) {
                Py_XDECREF(t);
                Py_DECREF(list);
                return nullptr;
            }
            Py_DECREF(t);
        }
        return list;
    });
}

// bank_rows(country, bank_code): the rows of one bank code, file order.
PyObject* fn_bank_rows(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"country", "bank_code"};
    static const ovpy::Signature kSig = {"bank_rows", kParams, 2, 2};
    PyObject* slot[2] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, slot)) return nullptr;
    return guarded([&]() -> PyObject* {
        std::string_view country, code;
        bool ok1 = false, ok2 = false;
        if (!text(slot[0], "bank_rows", "country", country, ok1) || !text(slot[1], "bank_rows", "bank_code", code, ok2))
            return nullptr;
        const auto* d = bank_directory();
        if (!d) return nullptr;
        PyObject* list = PyList_New(0);
        if (!list || !ok1 || !ok2) return list;
        const ovb::Directory::Bank b = (*d)->find(country, code);
        std::vector<const ovb::BankRow*> rows;
        for (const ovb::BankRow& r : b.rows) rows.push_back(&r);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const ovb::BankRow* x, const ovb::BankRow* y) { return x->line < y->line; });
        for (const ovb::BankRow* r : rows) {
            PyObject* t = row_tuple(**d, *r);
            if (!t || PyList_Append(list, t) < 0) {
                Py_XDECREF(t);
                Py_DECREF(list);
                return nullptr;
            }
            Py_DECREF(t);
        }
        return list;
    });
}

PyObject* check_object(ovb::Check c) {
    switch (c) {
        case ovb::Check::Valid: Py_RETURN_TRUE;
        case ovb::Check::Invalid: Py_RETURN_FALSE;
        case ovb::Check::None: break;
    }
    Py_RETURN_NONE;
}

// validate_bban(value, country=None): the national check of an IBAN, or of
// a BBAN of `country`.
PyObject* fn_validate_bban(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"value", "country"};
    static const ovpy::Signature kSig = {"validate_bban", kParams, 2, 1};
    PyObject* slot[2] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, slot)) return nullptr;
    return guarded([&]() -> PyObject* {
        std::string_view value, country;
        bool ok = false, country_ok = true;
        if (!text(slot[0], "validate_bban", "value", value, ok)) return nullptr;
        const bool by_country = slot[1] && slot[1] != Py_None;
        if (by_country && !text(slot[1], "validate_bban", "country", country, country_ok)) return nullptr;
        std::string code;
        if (by_country) {
            for (char ch : country) code.push_back(ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch);
            if (!country_ok || code.size() != 2 || !ov::iban_country(code))
                return PyErr_Format(PyExc_ValueError, "validate_bban(): %R is not an IBAN country", slot[1]);
        }
        const auto* d = bank_directory();
        if (!d) return nullptr;
        if (!ok) {
            if (by_country) Py_RETURN_FALSE;
            Py_RETURN_NONE;
        }
        std::string iban;
        if (by_country) {
            // The BBAN as it would stand in an IBAN: compact, upper case.
            std::string bban;
            for (char ch : value) {
                if (ch == ' ' || ch == '-') continue;
                if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
                if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))) Py_RETURN_FALSE;
                bban.push_back(ch);
                if (bban.size() > 40) Py_RETURN_FALSE;
            }
            const unsigned check = ov::iban_check_digits(code, bban);
            iban = code;
            iban.push_back(static_cast<char>('0' + check / 10));
            iban.push_back(static_cast<char>('0' + check % 10));
            iban += bban;
            if (!ov::iban_judge_compact(iban).country) Py_RETURN_FALSE;
        } else {
            static const ov::ValidatorSpec& spec = *ov::find_validator("iban");
            const ov::ValidationOutcome o = spec.ops.validate(spec, value);
            if (!o.ok) Py_RETURN_NONE;
            iban.assign(o.text());
        }
        const ov::IbanCountry* c = ov::iban_country(std::string_view(iban).substr(0, 2));
        return check_object(ovb::iban_bank(d->get(), iban, *c).national);
    });
}

// iban_from_account(country, bank_code, account, branch_code=None, strict=True)
PyObject* fn_iban_from_account(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"country", "bank_code", "account", "branch_code", "strict"};
    static const ovpy::Signature kSig = {"iban_from_account", kParams, 5, 3};
    PyObject* slot[5] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, slot)) return nullptr;
    return guarded([&]() -> PyObject* {
        static const char* const names[] = {"country", "bank_code", "account", "branch_code"};
        std::string_view v[4];
        bool have_branch = slot[3] && slot[3] != Py_None;
        for (int k = 0; k < 4; ++k) {
            if (k == 3 && !have_branch) break;
            bool ok = false;
            if (!text(slot[k], "iban_from_account", names[k], v[k], ok)) return nullptr;
            if (!ok) return PyErr_Format(PyExc_ValueError, "iban_from_account(): %s %R is not text of letters and digits",
                                         names[k], slot[k]);
        }
        const int strict = slot[4] ? PyObject_IsTrue(slot[4]) : 1;
        if (strict < 0) return nullptr;
        const auto* d = bank_directory();
        if (!d) return nullptr;
        const ovb::Built b = ovb::iban_from_account(d->get(), v[0], v[1], have_branch ? &v[3] : nullptr, v[2], strict);
        if (b.iban.empty()) return PyErr_Format(PyExc_ValueError, "%s", b.error.c_str());
        return ovpy::to_py(b.iban);
    });
}

// de_check_methods(): the German check methods implemented.
PyObject* fn_de_check_methods(PyObject*, PyObject*) {
    const auto methods = ovb::de_methods();
    PyObject* t = PyTuple_New(static_cast<Py_ssize_t>(methods.size()));
    for (std::size_t i = 0; t && i < methods.size(); ++i) {
        PyObject* s = ovpy::to_py(methods[i]);
        if (!s) {
            Py_DECREF(t);
            return nullptr;
        }
        PyTuple_SetItem(t, static_cast<Py_ssize_t>(i), s);
    }
    return t;
}

}  // namespace

std::uint64_t bank_directory_generation() { return g_generation; }

PyObject* row_text(const ovb::Directory& d, const ovb::BankRow& r, int field) {
    if (g_texts_of != &d) {
        drop_texts();
        g_texts.assign(3 * d.size(), nullptr);
        g_texts_of = &d;
    }
    PyObject*& slot = g_texts[3 * static_cast<std::size_t>(&r - d.rows().data()) + static_cast<std::size_t>(field)];
    if (!slot) {
        const std::string_view t = field == 0 ? d.name(r) : field == 1 ? d.short_name(r) : d.bic(r);
        if (!(slot = ovpy::to_py(t))) return nullptr;
    }
    Py_INCREF(slot);
    return slot;
}

bool init_bank_directory(PyObject* module) {
    PyObject* file = PyModule_GetFilenameObject(module);
    if (!file) {
        PyErr_Clear();
        return true;  // no file (an embedded build): the directory must be loaded by path
    }
    Py_ssize_t n = 0;
    const char* p = PyUnicode_AsUTF8AndSize(file, &n);
    if (!p) {
        Py_DECREF(file);
        return false;
    }
    std::string path(p, static_cast<std::size_t>(n));
    Py_DECREF(file);
    const std::size_t slash = path.find_last_of("/\\");
    path.resize(slash == std::string::npos ? 0 : slash + 1);
    g_default_path = path + "_tables" + (path.find('\\') != std::string::npos && path.find('/') == std::string::npos
                                             ? "\\banks.tsv"
                                             : "/banks.tsv");
    return true;
}

const std::shared_ptr<const ovb::Directory>* bank_directory() {
    if (!g_dir) {
        std::string error;
        auto d = g_default_path.empty() ? nullptr : read_directory(g_default_path, error);
        if (!d) {
            PyErr_Format(PyExc_RuntimeError, "cannot read the package's bank directory %s: %s", g_default_path.c_str(),
                         g_default_path.empty() ? "the module has no file" : error.c_str());
            return nullptr;
        }
        g_dir = std::move(d);
        ++g_generation;
        g_path = g_default_path;
    }
    return &g_dir;
}

#define OVD_DEF(name, flags, doc) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), flags, doc}
PyMethodDef kBankFunctions[] = {
    OVD_DEF(load_bank_directory, METH_FASTCALL | METH_KEYWORDS,
            "load_bank_directory(path)\n--\n\nReads a bank directory file and puts it in use."),
    OVD_DEF(bank_directory_info, METH_NOARGS, "bank_directory_info()\n--\n\nThe bank directory in use."),
    OVD_DEF(bank_rows_by_bic, METH_O, "bank_rows_by_bic(bic)\n--\n\nThe directory rows of a BIC."),
    OVD_DEF(bank_rows, METH_FASTCALL | METH_KEYWORDS,
            "bank_rows(country, bank_code)\n--\n\nThe directory rows of a bank code."),
    OVD_DEF(validate_bban, METH_FASTCALL | METH_KEYWORDS,
            "validate_bban(value, country=None)\n--\n\nThe national check of an IBAN or BBAN."),
    OVD_DEF(iban_from_account, METH_FASTCALL | METH_KEYWORDS,
            "iban_from_account(country, bank_code, account, branch_code=None, strict=True)\n--\n\n"
            "An IBAN from domestic account data."),
    OVD_DEF(de_check_methods, METH_NOARGS, "de_check_methods()\n--\n\nThe German check methods implemented."),
    {nullptr, nullptr, 0, nullptr},
};
#undef OVD_DEF

}  // namespace ovd
