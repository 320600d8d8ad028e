// Plans and draws: which way each id is drawn (a row of its own, routes to
// other ids, or the learned model) and the loop that keeps only valid values.
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "data/bank_sample.h"
#include "data/learn.h"
#include "primitives/text.h"
#include "registry/registry.h"

namespace ovd {

namespace {

using ov::SampleRng;
using ov::SampleRow;
using ov::ValidatorSpec;

const SampleRow* find_row(std::string_view id) {
    for (auto rows : {ov::core_sample_rows(), ov::crypto_sample_rows(), ov::additional_a_m_sample_rows(),
                      ov::books_sample_rows()})
        for (const SampleRow& row : rows)
            if (row.id == id) return &row;
    return nullptr;
}

}  // namespace

const Model& model_of(const ValidatorSpec& spec) {
    static std::mutex lock;
    static std::map<const ValidatorSpec*, std::unique_ptr<Model>> models;
    const std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<Model>& slot = models[&spec];
    if (!slot) slot = learn(spec);
    return *slot;
}

namespace {

// The plans of a routing row's routes (only the one of `code`, if given).
PlanStatus plan_routes(Plan& plan, std::string_view code) {
    for (const ov::SampleRoute& route : plan.row->routes) {
        if (!code.empty() && code != route.country && code != route.prefix) continue;
        Plan sub;
        if (make_plan(route.id, {}, sub) != PlanStatus::Ok) continue;
        plan.max_length = std::max(plan.max_length, route.prefix.size() + sub.max_length);
        plan.prefixes.push_back(route.prefix);
        plan.routes.push_back(std::move(sub));
    }
    if (!plan.routes.empty()) return PlanStatus::Ok;
    return code.empty() ? PlanStatus::NoWay : PlanStatus::NoCountry;
}

}  // namespace

PlanStatus make_plan(std::string_view id, std::string_view country, Plan& plan,
                     std::shared_ptr<const ovb::Directory> banks) {
    plan = Plan{};
    plan.spec = ov::find_any_validator(id);
    if (!plan.spec) return PlanStatus::UnknownId;
    plan.row = find_row(id);
    std::string code(country);
    for (char& c : code) c = ov::to_upper_ascii(c);
    if (plan.row && !plan.row->routes.empty()) return plan_routes(plan, code);
    if (!code.empty()) {
        // A row may draw from one country; any other id only from its own.
        if (plan.row && plan.row->has_country) {
            if (!plan.row->has_country(code)) return PlanStatus::NoCountry;
            plan.country = code;
        } else if (plan.spec->country == ov::kGlobal || ov::kCountryTable[plan.spec->country] != code) {
            return PlanStatus::NoCountry;
        }
    }
    if (banks) plan.bank = make_bank_draw(id, plan.country.empty() ? code : plan.country, std::move(banks));
    if (plan.row) {
        plan.max_length = plan.row->max_length;
        return PlanStatus::Ok;
    }
    plan.model = &model_of(*plan.spec);
    if (plan.model->patterns.empty()) return PlanStatus::NoWay;
    for (const Pattern& p : plan.model->patterns) plan.max_length = std::max(plan.max_length, p.text.size());
    if (plan.bank && plan.bank->bics) plan.max_length = std::max<std::size_t>(plan.max_length, 11);
    return PlanStatus::Ok;
}

void draw(const Plan& plan, SampleRng& rng, std::string& out) {
    const ValidatorSpec& spec = *plan.spec;
    if (plan.bank) {
        const std::size_t start = out.size();
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            draw_bank(*plan.bank, rng, out);
            if (out.size() - start <= plan.max_length && valid(spec, std::string_view(out).substr(start))) return;
            out.resize(start);
        }
    }
    if (plan.row) {
        const std::size_t start = out.size();
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            if (plan.routes.empty()) {
                plan.row->draw(rng, plan.country, out);
            } else {
                const std::size_t k = rng.below(static_cast<std::uint32_t>(plan.routes.size()));
                out.append(plan.prefixes[k]);
                draw(plan.routes[k], rng, out);
            }
            if (valid(spec, std::string_view(out).substr(start))) return;
            out.resize(start);
        }
        throw std::logic_error("a sampling row drew no valid value");
    }
    const Model& m = *plan.model;
    std::uint32_t pick = rng.below(m.total_weight);
    const Pattern* p = &m.patterns.front();
    for (const Pattern& q : m.patterns) {
        if (pick < q.weight) {
            p = &q;
            break;
        }
        pick -= q.weight;
    }
    thread_local std::string s;
    draw_pattern(spec, *p, rng, s);
    out.append(s);
}

}  // namespace ovd
