// orvane_vardik._describe: what a value means. describe(id, value) validates
// the value through the package's registry (documented and extended ids)
// and returns a dict of the facts registries give about it: the ISBN's
// elements and hyphenated form, an IMSI's network, a MAC address's vendor,
// an ISIL's agency, birth data where the kind parses it, the issuing
// country. The tables are loaded by the package module
// (orvane_vardik.facts), which passes each file's text to load().
#include <algorithm>
#include <string>
#include <unordered_map>

#include "describe/tables.h"
#include "module/args.h"
#include "module/guard.h"
#include "module/target.h"
#include "primitives/text.h"
#include "registry/registry.h"
#include "validators/crosscut/gs1_ai.h"

namespace ovf {

namespace {

template <class F>
PyObject* guarded(F&& body) noexcept {
    return ovpy::guard_exceptions("unexpected internal error in orvane_vardik._describe", static_cast<F&&>(body));
}

// The tables; replaced whole by load(). Read and written only under the
// interpreter lock.
struct Loaded {
    IsbnRanges isbn;
    bool has_isbn = false;
    bool has_networks = false, has_mac = false, has_isil = false;
    std::unordered_map<std::string, Network> networks;
    MacBlocks mac;
    std::unordered_map<std::string, Isil> isil;
};
Loaded& loaded() {
    static Loaded* tables = new Loaded;  // kept for the life of the process
    return *tables;
}

// Keys of the result dicts, interned once.
enum Key {
    kId, kCompact, kCountry, kPrefix, kGroup, kAgency, kRegistrant, kPublication, kCheckDigit, kFormatted,
    kMcc, kMnc, kCountryName, kOperator, kBrand, kVendor, kBlock, kMulticast, kLocal, kBirthDate, kGender, kKeyCount
};
constexpr const char* kKeyNames[kKeyCount] = {
    "id", "compact", "country", "prefix", "group", "agency", "registrant", "publication", "check_digit", "formatted",
    "mcc", "mnc", "country_name", "operator", "brand", "vendor", "block", "multicast", "locally_administered",
    "birth_date", "gender"};
PyObject* g_keys[kKeyCount] = {};
PyObject* g_date = nullptr;  // datetime.date
PyObject* g_loader = nullptr;  // loader(name): loads a table on first use
PyObject* g_gs1_hook = nullptr;  // hook(facts): adds a GS1-128 value's elements

// The keys of each kind's result, in order: each result is a copy of its
// kind's template (all values None), so that filling it replaces values
// and never grows the dict.
enum Shape { kPlain, kIsbnShape, kImsiShape, kMacShape, kIsilShape, kBirthShape, kShapeCount };
constexpr std::initializer_list<Key> kShapeKeys[kShapeCount] = {
    {kId, kCompact, kCountry},
    {kId, kCompact, kCountry, kPrefix, kGroup, kAgency, kRegistrant, kPublication, kCheckDigit, kFormatted},
    {kId, kCompact, kCountry, kMcc, kMnc, kCountryName, kOperator, kBrand},
    {kId, kCompact, kCountry, kVendor, kBlock, kMulticast, kLocal},
    {kId, kCompact, kCountry, kPrefix, kAgency, kCountryName},
    {kId, kCompact, kCountry, kBirthDate, kGender},
};
PyObject* g_templates[kShapeCount] = {};

// Calls the loader for a table not loaded yet; false with its exception.
bool ensure(bool loaded_already, const char* name) {
    if (loaded_already || !g_loader) return true;
    PyObject* r = PyObject_CallFunction(g_loader, "s", name);
    Py_XDECREF(r);
    return r != nullptr;
}

bool set(PyObject* d, Key k, PyObject* v) {
    if (!v) return false;
    const int r = PyDict_SetItem(d, g_keys[k], v);
    Py_DECREF(v);
    return r == 0;
}
bool set_text(PyObject* d, Key k, std::string_view s) {
    if (s.empty()) return PyDict_SetItem(d, g_keys[k], Py_None) == 0;
    return set(d, k, ovpy::to_py(s));
}
bool set_none(PyObject* d, Key k) { return PyDict_SetItem(d, g_keys[k], Py_None) == 0; }
bool set_bool(PyObject* d, Key k, bool b) { return PyDict_SetItem(d, g_keys[k], b ? Py_True : Py_False) == 0; }

// A GS1-128 value's elements, in order: a list of {"ai", "name", "value"}.
bool gs1_elements(PyObject* d, std::string_view compact) {
    const auto parsed = ov::crosscut::gs1_128_parse(compact);
    PyObject* list = PyList_New(0);
    if (!list) return false;
    for (const ov::crosscut::Gs1Element& e : parsed ? *parsed : std::vector<ov::crosscut::Gs1Element>{}) {
        PyObject* item = Py_BuildValue("{s:s#,s:s#,s:s#}", "ai", e.ai.data(), static_cast<Py_ssize_t>(e.ai.size()),
                                       "name", e.name.data(), static_cast<Py_ssize_t>(e.name.size()), "value",
                                       e.value.data(), static_cast<Py_ssize_t>(e.value.size()));
        if (!item || PyList_Append(list, item) != 0) {
            Py_XDECREF(item);
            Py_DECREF(list);
            return false;
        }
        Py_DECREF(item);
    }
    const int r = PyDict_SetItemString(d, "elements", list);
    Py_DECREF(list);
    return r == 0;
}

struct Kinds {
    const ov::ValidatorSpec* isbn = ov::find_any_validator("isbn");
    const ov::ValidatorSpec* imsi = ov::find_any_validator("imsi");
    const ov::ValidatorSpec* mac = ov::find_any_validator("mac");
    const ov::ValidatorSpec* isil = ov::find_any_validator("isil");
    const ov::ValidatorSpec* iban = ov::find_any_validator("iban");
    const ov::ValidatorSpec* bic = ov::find_any_validator("bic");
    const ov::ValidatorSpec* isin = ov::find_any_validator("isin");
    const ov::ValidatorSpec* eu_vat = ov::find_any_validator("eu.vat");
    const ov::ValidatorSpec* gs1_128 = ov::find_any_validator("gs1_128");
    // Kinds of several countries whose value begins with the country's code.
    const ov::ValidatorSpec* vat = ov::find_any_validator("vat");
    const ov::ValidatorSpec* at_02 = ov::find_any_validator("eu.at_02");
    const ov::ValidatorSpec* excise = ov::find_any_validator("eu.excise");
};
const Kinds& kinds() {
    static const Kinds k;
    return k;
}

bool isbn_facts(PyObject* d, std::string_view compact) {
    const Loaded& t = loaded();
    const bool ten = compact.size() == 10;
    char buffer[13];
    std::string_view thirteen = compact;
    if (ten) {
        std::copy_n("978", 3, buffer);
        std::copy_n(compact.data(), 9, buffer + 3);
        buffer[12] = '0';  // not read
        thirteen = std::string_view(buffer, 13);
    }
    ov::extended::IsbnElements e;
    const ov::extended::IsbnTable table = t.has_isbn ? t.isbn.table() : ov::extended::builtin_isbn_table();
    ov::extended::isbn_elements(thirteen, e, table);
    std::string formatted(compact);
    if (!e.registrant.empty()) {
        formatted.clear();
        if (!ten) formatted.append(e.prefix).push_back('-');
        formatted.append(e.group).append("-").append(e.registrant).append("-").append(e.publication).append("-");
        formatted.push_back(compact.back());
    }
    return set_text(d, kPrefix, thirteen.substr(0, 3)) && set_text(d, kGroup, e.group_info ? e.group : "") &&
           set_text(d, kAgency, e.group_info ? e.group_info->agency : "") && set_text(d, kRegistrant, e.registrant) &&
           set_text(d, kPublication, e.publication) && set_text(d, kCheckDigit, compact.substr(compact.size() - 1)) &&
           set_text(d, kFormatted, formatted);
}

bool imsi_facts(PyObject* d, std::string_view compact) {
    const auto& nets = loaded().networks;
    auto it = nets.find(std::string(compact.substr(0, 6)));
    if (it == nets.end()) it = nets.find(std::string(compact.substr(0, 5)));
    if (it == nets.end())
        return set_text(d, kMcc, compact.substr(0, 3)) && set_none(d, kMnc) && set_none(d, kCountry) &&
               set_none(d, kCountryName) && set_none(d, kOperator) && set_none(d, kBrand);
    const Network& n = it->second;
    return set_text(d, kMcc, n.mcc) && set_text(d, kMnc, n.mnc) && set_text(d, kCountry, n.country_code) &&
           set_text(d, kCountryName, n.country) && set_text(d, kOperator, n.op) && set_text(d, kBrand, n.brand);
}

unsigned hex_digit(char c) noexcept { return ov::is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>((c | 0x20) - 'a' + 10); }

constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

bool mac_facts(PyObject* d, std::string_view compact) {
    // The compact form is twelve hex digits.
    const unsigned first = compact.size() >= 2 ? hex_digit(compact[0]) * 16 + hex_digit(compact[1]) : 0;
    const bool local = (first & 2) != 0;
    // A group address built on a block belongs to the block's holder: the
    // blocks are listed with the group bit clear. A few early blocks carry
    // the local bit, so a locally administered address is looked up too.
    std::string unicast(compact);
    if (unicast.size() >= 2) unicast[1] = kUpperHexDigits[hex_digit(compact[1]) & ~1u];
    unsigned digits = 0;
    const std::string* vendor = mac_vendor(loaded().mac, unicast, digits);
    return set_text(d, kVendor, vendor ? std::string_view(*vendor) : "") &&
           set_text(d, kBlock, std::string_view(unicast).substr(0, digits)) && set_bool(d, kMulticast, first & 1) &&
           set_bool(d, kLocal, local);
}

bool isil_facts(PyObject* d, std::string_view compact) {
    std::string prefix(compact.substr(0, compact.find('-')));
    for (char& c : prefix) c = ov::to_upper_ascii(c);
    const auto& isil = loaded().isil;
    const auto it = isil.find(prefix);
    const bool country = prefix.size() == 2 && ov::is_upper(prefix[0]) && ov::is_upper(prefix[1]);
    return set_text(d, kCountry, country ? std::string_view(prefix) : "") && set_text(d, kPrefix, prefix) &&
           set_text(d, kAgency, it != isil.end() ? std::string_view(it->second.agency) : "") &&
           set_text(d, kCountryName, it != isil.end() ? std::string_view(it->second.country) : "");
}

// Two letters at `at` of the compact value that name its country; ISIN
// prefixes of international issues name none, and VAT prefixes EL and XI
// stand for GR and GB.
std::string_view country_at(const Kinds& k, const ov::ValidatorSpec* spec, std::string_view c) {
    std::string_view code;
    const bool vat = spec == k.eu_vat || spec == k.vat;
    if (spec == k.iban || spec == k.isin || vat || spec == k.at_02 || spec == k.excise) code = c.substr(0, 2);
    else if (spec == k.bic) code = c.size() >= 6 ? c.substr(4, 2) : "";
    if (code.size() != 2 || !ov::is_upper(code[0]) || !ov::is_upper(code[1])) return {};
    if (spec == k.isin)
        for (std::string_view none : {"XS", "EU", "XA", "XB", "XC", "XD", "QS", "QT"})
            if (code == none) return {};
    if (vat && code == "EL") return "GR";
    if (vat && code == "XI") return "GB";
    return code;
}

bool birth_facts(PyObject* d, const ov::ValidatorSpec& spec, std::string_view compact) {
    const auto parsed = spec.ops.parse(spec, compact);
    if (!parsed) return true;
    if (parsed->birth_year != 0) {  // else birth_date stays None
        if (!g_date) {
            PyObject* mod = PyImport_ImportModule("datetime");
            if (!mod) return false;
            g_date = PyObject_GetAttrString(mod, "date");  // kept for the life of the process
            Py_DECREF(mod);
            if (!g_date) return false;
        }
        PyObject* date = PyObject_CallFunction(g_date, "iii", static_cast<int>(parsed->birth_year),
                                               static_cast<int>(parsed->birth_month), static_cast<int>(parsed->birth_day));
        if (!date) {
            // A date the calendar does not have: reported as unknown.
            if (!PyErr_ExceptionMatches(PyExc_ValueError) && !PyErr_ExceptionMatches(PyExc_OverflowError)) return false;
            PyErr_Clear();
            if (!set_none(d, kBirthDate)) return false;
        } else if (!set(d, kBirthDate, date)) {
            return false;
        }
    }
    switch (parsed->gender) {
        case ov::Gender::Male: return set_text(d, kGender, "male");
        case ov::Gender::Female: return set_text(d, kGender, "female");
        case ov::Gender::Unknown: break;
    }
    return set_none(d, kGender);
}

PyObject* fn_describe(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"id", "value"};
    static const ovpy::Signature kSig = {"describe", kParams, 2, 2};
    PyObject* slot[2] = {};
    if (nargs == 2 && !kwnames) {
        slot[0] = args[0];
        slot[1] = args[1];
    } else if (!ovpy::bind(kSig, args, nargs, kwnames, slot)) {
        return nullptr;
    }
    std::string_view id;
    if (!ovpy::text_arg(slot[0], "id", id)) return nullptr;
    if (Py_TYPE(slot[1]) != &PyUnicode_Type && !PyUnicode_Check(slot[1])) {
        std::string_view unused;
        ovpy::text_arg(slot[1], "value", unused);  // raises the TypeError
        return nullptr;
    }
    const ov::ValidatorSpec* spec = ov::find_any_validator(id);
    if (!spec) return ovpy::unknown_id(slot[0]);
    Py_ssize_t size = 0;
    const char* p = PyUnicode_AsUTF8AndSize(slot[1], &size);
    if (!p) {  // lone surrogates: valid for no kind
        PyErr_Clear();
        Py_RETURN_NONE;
    }
    const std::string_view value(p, static_cast<std::size_t>(size));
    return guarded([&]() -> PyObject* {
        std::string_view compact;
        ov::ValidationOutcome outcome;
        bool as_is = false;
        if (spec->ops.precheck) {
            const ov::PrecheckOutcome pre = spec->ops.precheck(*spec, value);
            if (pre.kind == ov::PrecheckKind::Failure) Py_RETURN_NONE;
            as_is = pre.kind == ov::PrecheckKind::AcceptAsIs;
        }
        if (as_is) {
            compact = value;
        } else {
            outcome = spec->ops.validate(*spec, value);
            if (!outcome.ok) Py_RETURN_NONE;
            compact = outcome.text();
        }
        const Kinds& k = kinds();
        Loaded& t = loaded();
        Shape shape = kPlain;
        if (spec == k.isbn) shape = kIsbnShape;
        else if (spec == k.imsi) shape = kImsiShape;
        else if (spec == k.mac) shape = kMacShape;
        else if (spec == k.isil) shape = kIsilShape;
        else if (spec->ops.parse && spec != k.gs1_128) shape = kBirthShape;
        if ((shape == kImsiShape && !ensure(t.has_networks, "mobile-network-codes")) ||
            (shape == kMacShape && !ensure(t.has_mac, "mac-vendors")) ||
            (shape == kIsilShape && !ensure(t.has_isil, "isil-agencies")))
            return nullptr;
        PyObject* d = PyDict_Copy(g_templates[shape]);
        if (!d) return nullptr;
        std::string_view country = spec->country < ov::kCountryTable.size() ? ov::kCountryTable[spec->country] : "";
        if (country.empty()) country = country_at(k, spec, compact);
        bool ok = PyDict_SetItem(d, g_keys[kId], slot[0]) == 0 && set_text(d, kCompact, compact) &&
                  set_text(d, kCountry, country);
        switch (shape) {
            case kIsbnShape: ok = ok && isbn_facts(d, compact); break;
            case kImsiShape: ok = ok && imsi_facts(d, compact); break;
            case kMacShape: ok = ok && mac_facts(d, compact); break;
            case kIsilShape: ok = ok && isil_facts(d, compact); break;
            case kBirthShape: ok = ok && birth_facts(d, *spec, compact); break;
            default: break;
        }
        if (ok && spec == k.gs1_128) ok = gs1_elements(d, compact);
        if (!ok) {
            Py_DECREF(d);
            return nullptr;
        }
        return d;
    });
}

// load(name, text): replaces a table by the rows of a registry file's text;
// returns the number of rows. ValueError for text that is not such a table.
PyObject* fn_load(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"name", "text"};
    static const ovpy::Signature kSig = {"load", kParams, 2, 2};
    PyObject* slot[2] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, slot)) return nullptr;
    std::string_view name, text;
    if (!ovpy::text_arg(slot[0], "name", name) || !ovpy::text_arg(slot[1], "text", text)) return nullptr;
    return guarded([&]() -> PyObject* {
        Loaded& t = loaded();
        std::string error;
        std::size_t rows = 0;
        if (name == "isbn-ranges") {
            IsbnRanges fresh;
            rows = parse_isbn_ranges(text, fresh, error);
            if (error.empty() && rows == 0) error = "it holds no row of the table";
            if (error.empty()) {
                t.isbn = std::move(fresh);
                t.has_isbn = true;
            }
        } else if (name == "mobile-network-codes") {
            std::unordered_map<std::string, Network> fresh;
            rows = parse_networks(text, fresh, error);
            if (error.empty() && rows == 0) error = "it holds no row of the table";
            if (error.empty()) {
                t.networks = std::move(fresh);
                t.has_networks = true;
            }
        } else if (name == "mac-vendors") {
            MacBlocks fresh;
            rows = parse_mac_blocks(text, fresh, error);
            if (error.empty() && rows == 0) error = "it holds no row of the table";
            if (error.empty()) {
                t.mac = std::move(fresh);
                t.has_mac = true;
            }
        } else if (name == "isil-agencies") {
            std::unordered_map<std::string, Isil> fresh;
            rows = parse_isil(text, fresh, error);
            if (error.empty() && rows == 0) error = "it holds no row of the table";
            if (error.empty()) {
                t.isil = std::move(fresh);
                t.has_isil = true;
            }
        } else {
            return PyErr_Format(PyExc_KeyError, "unknown table %R", slot[0]);
        }
        if (!error.empty())
            return PyErr_Format(PyExc_ValueError, "not a %U table: %s", slot[0], error.c_str());
        return PyLong_FromSize_t(rows);
    });
}

// set_hooks(loader, gs1_128): the package's table loader and GS1-128 hook.
PyObject* fn_set_hooks(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const char* const kParams[] = {"loader", "gs1_128"};
    static const ovpy::Signature kSig = {"set_hooks", kParams, 2, 2};
    PyObject* slot[2] = {};
    if (!ovpy::bind(kSig, args, nargs, kwnames, slot)) return nullptr;
    for (PyObject* o : slot)
        if (o != Py_None && !PyCallable_Check(o)) return PyErr_Format(PyExc_TypeError, "a hook must be callable or None");
    PyObject* old[2] = {g_loader, g_gs1_hook};
    g_loader = slot[0] == Py_None ? nullptr : (Py_INCREF(slot[0]), slot[0]);
    g_gs1_hook = slot[1] == Py_None ? nullptr : (Py_INCREF(slot[1]), slot[1]);
    Py_XDECREF(old[0]);
    Py_XDECREF(old[1]);
    Py_RETURN_NONE;
}

#define OVF_DEF(name, doc) \
    {#name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fn_##name)), METH_FASTCALL | METH_KEYWORDS, doc}
PyMethodDef kFunctions[] = {
    OVF_DEF(describe,
            "describe(id, value)\n--\n\n"
            "The facts registries give about a valid value of validator id: a dict,\n"
            "or None when the value is not valid.\n\n"
            "Every dict has id, compact and country (the issuing country's ISO 3166\n"
            "code where the kind or the value tells it, else None). Further keys:\n"
            "isbn: prefix, group, agency, registrant, publication, check_digit,\n"
            "formatted; imsi: mcc, mnc, country_name, operator, brand; mac: vendor,\n"
            "block, multicast, locally_administered; isil: prefix, agency,\n"
            "country_name; gs1_128: elements; kinds that parse birth data:\n"
            "birth_date (a datetime.date) and gender. A fact the tables do not\n"
            "give is None.\n\n"
            "    >>> describe(\"isbn\", \"9780306406157\")[\"formatted\"]\n"
            "    '978-0-306-40615-7'\n\n"
            "Raises TypeError for a non-str id or value and KeyError for an unknown\n"
            "id (the closest ids in a note)."),
    OVF_DEF(load, "load(name, text)\n--\n\nReplaces a registry table by the rows of a file's text."),
    OVF_DEF(set_hooks, "set_hooks(loader, gs1_128)\n--\n\nThe package's table loader and GS1-128 hook."),
    {nullptr, nullptr, 0, nullptr},
};
#undef OVF_DEF

int exec_module(PyObject* module) {
    if (PyInterpreterState_GetID(PyInterpreterState_Get()) != 0) {
        PyErr_SetString(PyExc_ImportError, "orvane_vardik._describe does not support sub-interpreters");
        return -1;
    }
    for (int k = 0; k < kKeyCount; ++k)
        if (!g_keys[k] && !(g_keys[k] = PyUnicode_InternFromString(kKeyNames[k]))) return -1;
    for (int shape = 0; shape < kShapeCount; ++shape) {
        if (g_templates[shape]) continue;
        PyObject* d = PyDict_New();
        if (!d) return -1;
        for (Key key : kShapeKeys[shape])
            if (PyDict_SetItem(d, g_keys[key], Py_None) < 0) {
                Py_DECREF(d);
                return -1;
            }
        g_templates[shape] = d;  // kept for the life of the process
    }
    return PyModule_AddFunctions(module, kFunctions);
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "_describe", "What a value means: the facts registries give about it.", 0, nullptr,
    kSlots, nullptr, nullptr, nullptr,
};

}  // namespace

}  // namespace ovf

extern "C" __attribute__((visibility("default"))) PyObject* PyInit__describe(void) {
    return PyModuleDef_Init(&ovf::kModule);
}
