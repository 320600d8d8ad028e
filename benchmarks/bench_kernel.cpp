// The columnar kernel against bare validator calls over the same values in
// Arrow layout (int32 offsets + bytes): the difference is the kernel's own
// per-value cost (UTF-8 check, null test, result bits). Built and run by
// bench_columns.py --cpp.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "columns/kernel.h"
#include "registry/registry.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t n = argc > 1 ? std::atoll(argv[1]) : 10'000'000;
    for (const char* id : {"luhn", "iban"}) {
        const ov::ValidatorSpec* spec = ov::find_validator(id);
        if (!spec || !spec->ops.generate) continue;
        std::vector<std::string> pool;
        for (int i = 0; i < 1000; ++i) pool.push_back(spec->ops.generate(*spec).value_or(""));
        std::vector<std::int32_t> offsets{0};
        std::string data;
        for (std::int64_t i = 0; i < n; ++i) {
            data += pool[static_cast<std::size_t>(i % 1000)];
            offsets.push_back(static_cast<std::int32_t>(data.size()));
        }

        double bare = 1e300, kernel = 1e300;
        long valid = 0;
        for (int rep = 0; rep < 3; ++rep) {
            auto t0 = std::chrono::steady_clock::now();
            valid = 0;
            for (std::int64_t i = 0; i < n; ++i) {
                const std::string_view v(data.data() + offsets[i], static_cast<std::size_t>(offsets[i + 1] - offsets[i]));
                valid += spec->ops.validate(*spec, v).ok;
            }
            bare = std::min(bare, seconds_since(t0));

            ovc::ColumnInput input;
            ovc::Chunk ch;
            ch.length = n;
            ch.values.kind = ovc::StrKind::Utf8;
            ch.values.length = n;
            ch.values.offsets = offsets.data();
            ch.values.data = data.data();
            input.chunks.push_back(ch);
            input.rows = n;
            t0 = std::chrono::steady_clock::now();
            const ovc::Output out = ovc::run(ovc::Op::IsValid, *spec, input, 1);
            kernel = std::min(kernel, seconds_since(t0));
            if (n - ovc::count_unset(out.fields[0].values.data(), n) != valid) return 1;
        }
        std::printf("%-5s bare validate loop %6.1f ns/value   kernel is_valid %6.1f ns/value   ratio %.2f\n", id,
                    bare / n * 1e9, kernel / n * 1e9, kernel / bare);
    }
    return 0;
}
