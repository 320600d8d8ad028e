// The text finder's scan rows: one per registered id, none for an id that
// is not registered, so a new record cannot be left out of the scan.
#include <map>
#include <string>
#include <string_view>

#include "check.h"
#include "registry/registry.h"
#include "validators/scan_rows.h"

TEST_CASE("every registered id has exactly one scan row") {
    std::map<std::string, int> rows;
    for (auto set : {ov::core_scan_rows(), ov::legacy_scan_rows(), ov::additional_a_m_scan_rows(),
                     ov::additional_n_z_scan_rows(), ov::extended_scan_rows()})
        for (const ov::ScanRow& r : set) ++rows[std::string(r.id)];
    for (const ov::ValidatorSpec* spec : ov::all_validators()) {
        const auto it = rows.find(std::string(spec->id));
        CHECK(it != rows.end());
        if (it != rows.end()) CHECK_EQ(it->second, 1);
    }
    for (const auto& [id, n] : rows) CHECK(ov::find_any_validator(id) != nullptr);
    CHECK_EQ(rows.size(), ov::all_validators().size());
}
