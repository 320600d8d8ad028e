// One row per validator of the additional set A-M, in the set's declaration
// order (alphabetical by id), and the operation table a record binds to it.
#pragma once

#include <array>
#include <cstddef>

#include "registry/generators.h"
#include "validators/additional_a_m/frame.h"

namespace ov::am {

inline constexpr std::array<Row, 71> kRows = {{
    {.id = "ad.nrt", .compaction = Compaction::DefaultUpper, .layouts = {any_length("--", {0, 1, 7, 8})},
     .check = ad_nrt_check},
    {.id = "ae.eid", .layouts = {any_length("---", {0, 3, 7, 14, 15})}, .check = ae_eid_check},
    {.id = "ai.tin", .layouts = {any_length("-", {0, 5, 10})}, .check = ai_tin_check},
    {.id = "al.nipt", .compaction = Compaction::AlNipt, .check = al_nipt_check},
    {.id = "am.tin", .check = am_tin_check},
    {.id = "ar.cbu", .layouts = {any_length(" ", {0, 8, 22})}, .check = ar_cbu_check},
    {.id = "ar.cuit", .layouts = {any_length("--", {0, 2, 10, 11})}, .check = ar_cuit_check},
    {.id = "ar.dni", .layouts = {at_length(7, "..", {0, 1, 4, 7}), any_length("..", {0, 2, 5, 8})},
     .check = ar_dni_check},
    {.id = "at.vnr", .own_format = at_vnr_format, .own_validate = at_vnr_validate},
    {.id = "au.tfn", .layouts = {at_length(8, "  ", {0, 3, 6, 8}), any_length("  ", {0, 3, 6, 9})},
     .check = au_tfn_check},
    {.id = "az.voen", .compaction = Compaction::AzVoen, .layouts = {any_length("  ", {0, 3, 6, 10})},
     .check = az_voen_check},
    {.id = "ba.jmbg", .check = ba_jmbg_check, .parse = ba_jmbg_parse},
    {.id = "bd.nid", .check = bd_nid_check},
    {.id = "be.bis", .layouts = {any_length("..-.", {0, 2, 4, 6, 9, 11})}, .check = be_bis_check},
    {.id = "bg.egn", .check = bg_egn_check, .parse = bg_egn_parse},
    {.id = "bg.pnf", .check = bg_pnf_check},
    {.id = "bh.cpr", .layouts = {any_length("--", {0, 2, 4, 9})}, .check = bh_cpr_check},
    {.id = "by.unp", .compaction = Compaction::ByUnp, .check = by_unp_check},
    {.id = "bz.tin", .layouts = {at_length(8, "-", {0, 6, 8})}, .check = bz_tin_check},
    {.id = "ca.bn", .layouts = {at_length(9, "  ", {0, 3, 6, 9}), at_length(15, "    ", {0, 3, 6, 9, 11, 15})},
     .check = ca_bn_check},
    {.id = "ca.sin", .layouts = {any_length("--", {0, 3, 6, 9})}, .check = ca_sin_check, .digits_first = true},
    {.id = "ch.ssn", .own_format = ch_ssn_format, .own_validate = ch_ssn_validate},
    {.id = "ch.vat", .own_compact = ch_vat_compact, .own_format = ch_vat_format, .own_validate = ch_vat_validate},
    {.id = "cl.rut", .compaction = Compaction::ClRut, .special_format = cl_rut_format, .check = cl_rut_check,
     .precheck = cl_rut_precheck},
    {.id = "cn.uscc", .compaction = Compaction::DefaultUpper, .check = cn_uscc_check},
    {.id = "co.nit", .special_format = co_nit_format, .check = co_nit_check},
    {.id = "cr.cpf", .compaction = Compaction::CrCpf, .layouts = {any_length("--", {0, 2, 6, 10})},
     .check = cr_cpf_check},
    {.id = "cu.ni", .check = cu_ni_check, .parse = cu_ni_parse},
    // cz.ico formats with the default compaction: it has no layout.
    {.id = "cz.ico", .own_validate = cz_ico_validate},
    {.id = "de.handelsreg", .own_compact = de_handelsreg_compact, .own_format = de_handelsreg_format,
     .own_validate = de_handelsreg_validate},
    {.id = "dk.cvr", .check = dk_cvr_check},
    {.id = "do.rnc", .layouts = {at_length(9, "---", {0, 1, 3, 8, 9}), any_length("--", {0, 3, 10, 11})},
     .check = do_rnc_check},
    {.id = "ec.ruc", .check = ec_ruc_check},
    {.id = "ee.registrikood", .check = ee_registrikood_check},
    {.id = "eg.tn", .compaction = Compaction::ArabicDigits, .layouts = {any_length("--", {0, 3, 6, 9})},
     .check = eg_tn_check},
    {.id = "eu.vat", .compaction = Compaction::DefaultUpper, .own_validate = eu_vat_validate},
    {.id = "fr.nif", .layouts = {any_length("    ", {0, 2, 4, 7, 10, 13})}, .check = fr_nif_check},
    {.id = "gb.sedol", .compaction = Compaction::BlankUpper, .check = gb_sedol_check},
    {.id = "gb.utr", .layouts = {any_length(" ", {0, 5, 10})}, .check = gb_utr_check},
    {.id = "ge.pin", .check = ge_pin_check},
    {.id = "gh.tin", .compaction = Compaction::BlankUpper, .check = gh_tin_check},
    {.id = "gr.amka", .check = gr_amka_check},
    {.id = "gt.nit", .compaction = Compaction::GtNit, .special_format = gt_nit_format, .check = gt_nit_check},
    {.id = "hk.hkid", .compaction = Compaction::DefaultUpper, .special_format = hk_hkid_format,
     .check = hk_hkid_check},
    {.id = "id.npwp", .layouts = {at_length(15, "...-.", {0, 2, 5, 8, 9, 12, 15})}, .check = id_npwp_check},
    {.id = "il.idnr", .compaction = Compaction::PadNine, .layouts = {any_length("-", {0, 8, kEnd})},
     .check = il_idnr_check},
    {.id = "in.aadhaar", .layouts = {any_length("  ", {0, 4, 8, 12})}, .check = in_aadhaar_check},
    {.id = "in.gstin", .compaction = Compaction::DefaultUpper, .check = in_gstin_check},
    {.id = "in.pan", .compaction = Compaction::DefaultUpper, .check = in_pan_check},
    {.id = "iq.nid", .compaction = Compaction::ArabicDigits, .check = iq_nid_check},
    {.id = "ir.nid", .compaction = Compaction::ArabicDigits, .check = ir_nid_check},
    {.id = "is.kennitala", .layouts = {any_length("-", {0, 6, 10})}, .check = is_kennitala_check},
    {.id = "is.vsk", .compaction = Compaction::IsVsk, .check = is_vsk_check},
    {.id = "jp.cn", .check = jp_cn_check},
    {.id = "jp.mynumber", .layouts = {any_length("  ", {0, 4, 8, 12})}, .check = jp_mynumber_check},
    {.id = "kr.brn", .layouts = {any_length("--", {0, 3, 5, 10})}, .check = kr_brn_check},
    {.id = "kr.rrn", .layouts = {any_length("-", {0, 6, 13})}, .check = kr_rrn_check, .parse = kr_rrn_parse},
    {.id = "kw.civil", .layouts = {any_length("   ", {0, 1, 7, 11, 12})}, .check = kw_civil_check,
     .parse = kw_civil_parse},
    {.id = "kz.iin", .layouts = {any_length(" ", {0, 6, 12})}, .check = kz_iin_check, .parse = kz_iin_parse},
    {.id = "li.peid", .compaction = Compaction::LiPeid, .check = li_peid_check},
    {.id = "lk.nic", .compaction = Compaction::DefaultUpper, .check = lk_nic_check, .parse = lk_nic_parse},
    {.id = "ma.ice", .compaction = Compaction::BlankOnly, .check = ma_ice_check},
    {.id = "mc.tva", .compaction = Compaction::McTva, .check = mc_tva_check},
    {.id = "md.idno", .compaction = Compaction::BlankOnly, .check = md_idno_check},
    {.id = "me.pib", .check = me_pib_check},
    {.id = "mk.edb", .compaction = Compaction::MkEdb, .check = mk_edb_check},
    {.id = "mu.brn", .compaction = Compaction::DefaultUpper, .check = mu_brn_check},
    {.id = "mx.clabe", .layouts = {any_length("   ", {0, 3, 6, 17, 18})}, .check = mx_clabe_check},
    {.id = "mx.curp", .compaction = Compaction::DefaultUpper, .check = mx_curp_check, .parse = mx_curp_parse},
    {.id = "mx.rfc", .compaction = Compaction::DefaultUpper, .check = mx_rfc_check},
    {.id = "my.nric", .layouts = {any_length("--", {0, 6, 8, 12})}, .check = my_nric_check,
     .parse = my_nric_parse},
}};

consteval bool rows_well_formed() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const Row& r = kRows[i];
        if (i > 0 && !(kRows[i - 1].id < r.id)) return false;  // sorted, hence unique
        for (const Layout& l : r.layouts)
            if (!layout_well_formed(l)) return false;
        // Every row validates somehow: a check, a router or a routine of its own.
        if (r.check.set() + r.route.set() + r.own_validate.set() != 1) return false;
    }
    return true;
}
static_assert(rows_well_formed(), "rows must be sorted by id, with sound layouts and one way to validate");

// Position of an id's row; an unknown id fails the build.
consteval std::size_t row_index(std::string_view id) {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (kRows[i].id == id) return i;
    throw "no row for this id";
}

template <std::size_t I>
std::string compact_op(const ValidatorSpec&, std::string_view value) {
    return compact(kRows[I], value);
}
template <std::size_t I>
std::string format_op(const ValidatorSpec&, std::string_view value) {
    return format(kRows[I], value);
}
template <std::size_t I>
ValidationOutcome validate_op(const ValidatorSpec&, std::string_view value) {
    return validate(kRows[I], value);
}
template <std::size_t I>
PrecheckOutcome precheck_op(const ValidatorSpec&, std::string_view value) {
    return kRows[I].precheck(value);
}
// Birth data are read only from a value that validates.
template <std::size_t I>
std::optional<ParsedData> parse_op(const ValidatorSpec&, std::string_view value) {
    const ValidationOutcome v = validate(kRows[I], value);
    if (!v.ok) return std::nullopt;
    return kRows[I].parse(v.text());
}

std::optional<std::string> generate_op(const ValidatorSpec& spec);

template <std::size_t I>
consteval ValidatorOps am_ops() {
    return {
        .precheck = kRows[I].precheck.set() ? precheck_op<I> : nullptr,
        .generate = generate_op,
        .parse = kRows[I].parse.set() ? parse_op<I> : nullptr,
        .compact = compact_op<I>,
        .format = format_op<I>,
        .validate = validate_op<I>,
    };
}

}  // namespace ov::am
