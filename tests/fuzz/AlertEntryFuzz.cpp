// A value of the settings file's [Avvisi] section as the alerts are loaded. An
// alert read is one the dialog could have stored, a fired state stands only on a
// watched condition, and once written and read again it stays as it is.

#include "FuzzCheck.h"
#include "alerts/AlertEntry.h"
#include "alerts/AlertInput.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace listorix;
    const std::string value(reinterpret_cast<const char*>(data), size);
    const std::optional<PriceAlert> alert = decodeAlertEntry(value);
    if (!alert)
        return 0;
    FUZZ_CHECK(!alert->code.empty());
    FUZZ_CHECK(alertProblem(*alert).empty());
    for (const AlertRule& rule : alert->rules)
        FUZZ_CHECK(rule.level || rule.state == AlertState::Armed);
    // Levels are written with the file's 15 digits: the first writing may round
    // them, after which writing and reading change nothing.
    const std::string written = encodeAlertEntry(*alert);
    if (const std::optional<PriceAlert> read = decodeAlertEntry(written))
        FUZZ_CHECK(encodeAlertEntry(*read) == written);
    return 0;
}
