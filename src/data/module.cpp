// orvane_vardik._data: data about identifiers. The parts of an IBAN (one
// value, or a whole column) and valid sample values of any registered id.
// Drawing runs without the interpreter lock.
#include <cstdint>
#include <new>
#include <string>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "bank/iban_bank.h"
#include "columns/import.h"
#include "data/bank_module.h"
#include "data/kernels.h"
#include "data/pycolumn.h"
#include "module/args.h"
#include "module/guard.h"
#include "module/target.h"
#include "registry/random.h"
#include "registry/registry.h"

namespace ovd {

namespace {

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._data", static_cast<F&&>(body));
}

// IbanParts -------------------------------------------------------------------
// Holds the compact IBAN and where its pieces are; each attribute is cut
// from it when read, so that making one costs a single allocation.

PyTypeObject* g_parts_type = nullptr;

struct PartsObject {
    PyObject base;
    PyObject* iban;  // exact str, compact
    IbanSplit split;
    // The bank, looked up when first read, for the directory in use then.
    std::uint64_t bank_generation;  // 0: not looked up
    const ovb::BankRow* named;
    const ovb::BankRow* with_bic;
};

enum class Piece : std::uint8_t { Country, CheckDigits, Bban, Bank, Branch, Account, Iban, BankName, BankShort, Bic, National };

// What the bank directory says of the IBAN, looked up when read.
PyObject* bank_piece(PartsObject* p, Piece which) {
    const auto* dir = bank_directory();
    if (!dir) return nullptr;
    Py_ssize_t n = 0;
    const char* text = PyUnicode_AsUTF8AndSize(p->iban, &n);
    if (!text) return nullptr;
    const std::string_view iban(text, static_cast<std::size_t>(n));
    const ov::IbanCountry* c = ov::iban_country(iban.substr(0, 2));
    if (!c) Py_RETURN_NONE;
    const ovb::Directory& d = **dir;
    if (p->bank_generation != bank_directory_generation()) {
        const ovb::Directory::Bank b = d.find(c->code, ovb::bank_key(d, iban, *c));
        p->named = b.named;
        p->with_bic = b.with_bic;
        p->bank_generation = bank_directory_generation();
    }
    if (which == Piece::National) {
        const std::string_view method = c->code == "DE" && p->named ? d.method(*p->named) : std::string_view();
        switch (ovb::national_check(c->code, iban.substr(4), method)) {
            case ovb::Check::Valid: Py_RETURN_TRUE;
            case ovb::Check::Invalid: Py_RETURN_FALSE;
            case ovb::Check::None: break;
        }
        Py_RETURN_NONE;
    }
    if (!p->named) Py_RETURN_NONE;
    switch (which) {
        case Piece::BankName: return row_text(d, *p->named, 0);
        case Piece::BankShort: return row_text(d, *p->named, 1);
        default: break;
    }
    if (!p->with_bic) Py_RETURN_NONE;
    return row_text(d, *p->with_bic, 2);
}

PyObject* piece(PyObject* self, void* closure) {
    auto* p = reinterpret_cast<PartsObject*>(self);
    const IbanSplit& s = p->split;
    switch (static_cast<Piece>(reinterpret_cast<std::uintptr_t>(closure))) {
        case Piece::Country: return PyUnicode_Substring(p->iban, 0, 2);
        case Piece::CheckDigits: return PyUnicode_Substring(p->iban, 2, 4);
        case Piece::Bban: return PyUnicode_Substring(p->iban, 4, s.size);
        case Piece::Bank: return PyUnicode_Substring(p->iban, s.bank_begin, s.bank_end);
        case Piece::Branch:
            if (s.branch_begin == s.branch_end) Py_RETURN_NONE;
            return PyUnicode_Substring(p->iban, s.branch_begin, s.branch_end);
        case Piece::Account: return PyUnicode_Substring(p->iban, s.account_begin, s.size);
        case Piece::Iban: break;
        case Piece::BankName:
        case Piece::BankShort:
        case Piece::Bic:
        case Piece::National: return bank_piece(p, static_cast<Piece>(reinterpret_cast<std::uintptr_t>(closure)));
    }
    Py_INCREF(p->iban);
    return p->iban;
}

#define OVD_PIECE(name, which, doc) \
    {name, piece, nullptr, doc, reinterpret_cast<void*>(static_cast<std::uintptr_t>(Piece::which))}
PyGetSetDef kPartsGetSet[] = {
    OVD_PIECE("country", Country, "The ISO 3166 country code: the first two letters."),
    OVD_PIECE("check_digits", CheckDigits, "The two check digits."),
    OVD_PIECE("bban", Bban, "The basic bank account number: everything after the check digits."),
    OVD_PIECE("bank_code", Bank, "The bank identifier, at the position the IBAN registry gives for the country."),
    OVD_PIECE("branch_code", Branch, "The branch identifier, or None where the country has none."),
    OVD_PIECE("account", Account, "The rest of the BBAN after the bank and branch identifiers."),
    OVD_PIECE("iban", Iban, "The whole IBAN in compact form."),
    OVD_PIECE("bank_name", BankName, "The bank's name from the bank directory, or None where it has none."),
    OVD_PIECE("bank_short_name", BankShort, "The bank's short name from the bank directory, or None."),
    OVD_PIECE("bic", Bic, "The primary BIC of the bank code, or None where the directory has none."),
    OVD_PIECE("national_check", National,
              "Whether the national check digits inside the BBAN hold; None where the country has none."),
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};
#undef OVD_PIECE

PyObject* parts_repr(PyObject* self) {
    PyObject* values[6] = {};
    for (int k = 0; k < 6; ++k)
        if (!(values[k] = piece(self, reinterpret_cast<void*>(static_cast<std::uintptr_t>(k))))) {
            for (PyObject* v : values) Py_XDECREF(v);
            return nullptr;
        }
    PyObject* r = PyUnicode_FromFormat(
        "IbanParts(country=%R, check_digits=%R, bban=%R, bank_code=%R, branch_code=%R, account=%R)", values[0],
        values[1], values[2], values[3], values[4], values[5]);
    for (PyObject* v : values) Py_DECREF(v);
    return r;
}

PyObject* parts_richcompare(PyObject* a, PyObject* b, int op) {
    if ((op != Py_EQ && op != Py_NE) || !PyObject_TypeCheck(b, g_parts_type)) Py_RETURN_NOTIMPLEMENTED;
    return PyObject_RichCompare(reinterpret_cast<PartsObject*>(a)->iban, reinterpret_cast<PartsObject*>(b)->iban, op);
}

Py_hash_t parts_hash(PyObject* self) { return PyObject_Hash(reinterpret_cast<PartsObject*>(self)->iban); }

void parts_dealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    Py_XDECREF(reinterpret_cast<PartsObject*>(self)->iban);
    PyObject_Free(self);
    Py_DECREF(type);
}

PyType_Slot kPartsSlots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(parts_dealloc)},
    {Py_tp_getset, kPartsGetSet},
    {Py_tp_repr, reinterpret_cast<void*>(parts_repr)},
    {Py_tp_richcompare, reinterpret_cast<void*>(parts_richcompare)},
    {Py_tp_hash, reinterpret_cast<void*>(parts_hash)},
    {Py_tp_doc, const_cast<char*>("The parts of a valid IBAN (immutable; equal when the IBANs are).")},
    {0, nullptr},
};

PyType_Spec kPartsSpec = {"orvane_vardik.data.IbanParts", sizeof(PartsObject), 0,
                          Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION | Py_TPFLAGS_IMMUTABLETYPE,
                          kPartsSlots};

const ov::ValidatorSpec& iban_spec() {
    static const ov::ValidatorSpec& spec = *ov::find_validator("iban");
    return spec;
}

// A parts object taking over the reference to `iban`.
PyObject* new_parts(PyObject* iban, const IbanSplit& split) {
    // Nothing to zero and no garbage collector to tell: the fields are all set here.
    auto* parts = static_cast<PartsObject*>(PyObject_Malloc(sizeof(PartsObject)));
    if (!parts) {
        Py_DECREF(iban);
        return PyErr_NoMemory();
    }
    PyObject* obj = PyObject_Init(reinterpret_cast<PyObject*>(parts), g_parts_type);
    parts->iban = iban;
    parts->split = split;
    parts->bank_generation = 0;
    parts->named = parts->with_bic = nullptr;
    return obj;
}

// iban_parts(value): the parts, or None for anything that is not a valid
// IBAN (text that cannot be UTF-8 included); TypeError for a non-str.
PyObject* fn_iban_parts(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"value"};
    static const ovpy::Signature kSig = {"iban_parts", kParams, 1, 1};
    PyObject* value = nargs == 1 && !kwnames ? args[0] : nullptr;
    if (!value && !ovpy::bind(kSig, args, nargs, kwnames, &value)) return nullptr;
    if (Py_TYPE(value) != &PyUnicode_Type && !PyUnicode_Check(value))
        return PyErr_Format(PyExc_TypeError, "iban_parts() argument 'value' must be str");
    Py_ssize_t size = 0;
    const char* p = PyUnicode_AsUTF8AndSize(value, &size);
    if (!p) {  // lone surrogates: no IBAN
        PyErr_Clear();
        Py_RETURN_NONE;
    }
    const std::string_view input(p, static_cast<std::size_t>(size));
    // Already compact (the usual case): judged in place and shared, not copied.
    if (Py_TYPE(value) == &PyUnicode_Type) {
        const ov::IbanCompactVerdict v = ov::iban_judge_compact(input);
        if (v.country) {
            Py_INCREF(value);
            return new_parts(value, split_iban(*v.country, input.size()));
        }
        if (v.compact) Py_RETURN_NONE;
    }
    return guarded([&]() -> PyObject* {
        const ov::ValidatorSpec& spec = iban_spec();
        const ov::ValidationOutcome o = spec.ops.validate(spec, input);
        if (!o.ok) Py_RETURN_NONE;
        const std::string_view text = o.text();
        PyObject* iban;
        if (o.borrowed && Py_TYPE(value) == &PyUnicode_Type) {
            Py_INCREF(value);  // already compact: shared, not copied
            iban = value;
        } else if (!(iban = ovpy::to_py(text))) {
            return nullptr;
        }
        return new_parts(iban, split_iban(text));
    });
}

// Sampling ----------------------------------------------------------------------

std::uint64_t physical_memory() noexcept {
#if defined(_WIN32)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : UINT64_MAX;
#else
    const long pages = sysconf(_SC_PHYS_PAGES), page = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page <= 0) return UINT64_MAX;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page);
#endif
}

// The arguments of sample and sample_column, checked in the order a caller
// reads them; false with an exception set.
struct SampleArgs {
    Plan plan;
    std::int64_t n = 0;
    std::uint64_t seed = 0;
};

bool sample_args(const char* name, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, bool as_list,
                 SampleArgs& a) {
    static const char* const kParams[] = {"id", "n", "seed", "country"};
    const ovpy::Signature sig = {name, kParams, 4, 2};
    PyObject* slot[4] = {};
    if (!ovpy::bind(sig, args, nargs, kwnames, slot)) return false;
    std::string_view id, country;
    if (!ovpy::text_arg(slot[0], "id", id)) return false;
    if (!PyLong_Check(slot[1])) {
        PyErr_SetString(PyExc_TypeError, "n must be an int");
        return false;
    }
    int overflow = 0;
    const long long n = PyLong_AsLongLongAndOverflow(slot[1], &overflow);
    if (n == -1 && PyErr_Occurred()) return false;
    if (overflow < 0 || (overflow == 0 && n < 0)) {
        PyErr_Format(PyExc_ValueError, "n must be at least 0, got %S", slot[1]);
        return false;
    }
    if (slot[2] && slot[2] != Py_None) {
        if (!PyLong_Check(slot[2])) {
            PyErr_SetString(PyExc_TypeError, "seed must be an int or None");
            return false;
        }
        a.seed = PyLong_AsUnsignedLongLongMask(slot[2]);  // any int: its low 64 bits
        if (PyErr_Occurred()) return false;
    } else {
        a.seed = ov::draw();
    }
    if (slot[3] && slot[3] != Py_None && !ovpy::text_arg(slot[3], "country", country)) return false;
    // IBANs and BICs are drawn from the bank directory.
    std::shared_ptr<const ovb::Directory> banks;
    if (id == "iban" || id == "bic") {
        const auto* d = bank_directory();
        if (!d) return false;
        banks = *d;
    }
    const PlanStatus status = slot[3] && slot[3] != Py_None && country.empty()
                                  ? PlanStatus::NoCountry
                                  : make_plan(id, country, a.plan, std::move(banks));
    switch (status) {
        case PlanStatus::Ok: break;
        case PlanStatus::UnknownId: ovpy::unknown_id(slot[0]); return false;
        case PlanStatus::NoWay:
            PyErr_Format(PyExc_ValueError, "cannot sample %R: it has no generator and no valid example", slot[0]);
            return false;
        case PlanStatus::NoCountry:
            PyErr_Format(PyExc_ValueError, "cannot sample %R for country %R", slot[0], slot[3]);
            return false;
    }
    // Refused before anything is allocated: more than the machine holds.
    const std::uint64_t per_list_item = sizeof(void*) + 64;  // a list slot and a small str object
    const auto bytes = sample_column_bytes(a.plan, static_cast<std::uint64_t>(n));
    const std::uint64_t list_bytes = static_cast<std::uint64_t>(n) * per_list_item;
    if (overflow > 0 || !bytes || static_cast<std::uint64_t>(n) > UINT64_MAX / per_list_item ||
        *bytes + (as_list ? list_bytes : 0) > physical_memory()) {
        PyErr_Format(PyExc_MemoryError, "cannot sample %S values: more memory than the machine has", slot[1]);
        return false;
    }
    a.n = n;
    return true;
}

// Draws without the interpreter lock.
bool draw_column(const SampleArgs& a, ovc::Output& out) {
    bool no_memory = false;
    Py_BEGIN_ALLOW_THREADS
    try {
        out = sample_column(a.plan, a.seed, a.n);
    } catch (...) {
        no_memory = true;
    }
    Py_END_ALLOW_THREADS
    if (no_memory) PyErr_NoMemory();
    return !no_memory;
}

PyObject* fn_sample(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return guarded([&]() -> PyObject* {
        SampleArgs a;
        ovc::Output out;
        if (!sample_args("sample", args, nargs, kwnames, true, a) || !draw_column(a, out)) return nullptr;
        return column_list(out);
    });
}

PyObject* fn_sample_column(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return guarded([&]() -> PyObject* {
        SampleArgs a;
        ovc::Output out;
        if (!sample_args("sample_column", args, nargs, kwnames, false, a) || !draw_column(a, out)) return nullptr;
        return new_column(std::move(out));
    });
}

PyObject* fn_iban_parts_column(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"column"};
    static const ovpy::Signature kSig = {"iban_parts_column", kParams, 1, 1};
    PyObject* column = nullptr;
    if (!ovpy::bind(kSig, args, nargs, kwnames, &column)) return nullptr;
    return guarded([&]() -> PyObject* {
        const auto* dir = bank_directory();
        if (!dir) return nullptr;
        const std::shared_ptr<const ovb::Directory> banks = *dir;  // kept while the lock is released
        ovc::Imported imp;
        if (!ovc::import_column(column, imp)) return nullptr;
        ovc::Output out;
        bool no_memory = false;
        Py_BEGIN_ALLOW_THREADS
        try {
            out = iban_parts_column(imp.input, banks.get());
        } catch (...) {
            no_memory = true;
        }
        Py_END_ALLOW_THREADS
        if (no_memory) return PyErr_NoMemory();
        return new_column(std::move(out));
    });
}

#define OVD_DEF(name, doc) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), METH_FASTCALL | METH_KEYWORDS, doc}
PyMethodDef kFunctions[] = {
    OVD_DEF(iban_parts, "iban_parts(value)\n--\n\nThe parts of a valid IBAN, or None."),
    OVD_DEF(sample, "sample(id, n, seed=None, country=None)\n--\n\nn valid values of validator id."),
    OVD_DEF(sample_column, "sample_column(id, n, seed=None, country=None)\n--\n\nThe same as a utf8 column."),
    OVD_DEF(iban_parts_column, "iban_parts_column(column)\n--\n\nThe parts of each IBAN as a struct column."),
    {nullptr, nullptr, 0, nullptr},
};
#undef OVD_DEF

int exec_module(PyObject* module) {
    // The types are created once and shared by the process.
    if (PyInterpreterState_GetID(PyInterpreterState_Get()) != 0) {
        PyErr_SetString(PyExc_ImportError, "orvane_vardik._data does not support sub-interpreters");
        return -1;
    }
    if (!g_parts_type && !(g_parts_type = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&kPartsSpec)))) return -1;
    Py_INCREF(g_parts_type);
    if (PyModule_AddObject(module, "IbanParts", reinterpret_cast<PyObject*>(g_parts_type)) < 0) {
        Py_DECREF(g_parts_type);
        return -1;
    }
    if (!add_column_type(module) || !init_bank_directory(module)) return -1;
    if (PyModule_AddFunctions(module, kBankFunctions) < 0) return -1;
    return PyModule_AddFunctions(module, kFunctions);
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "_data", "Data about identifiers: IBAN parts and sample values.", 0, nullptr, kSlots,
    nullptr, nullptr, nullptr,
};

}  // namespace

}  // namespace ovd

extern "C" __attribute__((visibility("default"))) PyObject* PyInit__data(void) {
    return PyModuleDef_Init(&ovd::kModule);
}
