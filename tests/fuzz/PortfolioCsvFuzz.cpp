// The portfolio's CSV file as an import reads it. Whatever the file holds, every
// line is a row or a bad line, bad lines come by rising line number with a
// reason, and the rows, imported into a portfolio and exported again, read back
// as the same rows (with no quote tables to refer to, every row is personal; the
// five bytes the code page leaves undefined come back as "?").

#include "FuzzCheck.h"
#include "base/TextSink.h"
#include "grid/TAlignGrid.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCsv.h"
#include "portfolio/PortfolioTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace listorix;

class NoCaption final : public TextSink
{
public:
    void setText(const std::string&) override {}
};

std::string asWritten(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
            c = '?';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const PortfolioCsvFile file = readPortfolioCsv(bytes);
    int last = 0;
    for (const PortfolioCsvBadLine& line : file.badLines) {
        FUZZ_CHECK(line.number > last);
        FUZZ_CHECK(!line.problem.empty());
        last = line.number;
    }

    TAlignGrid shares(11, 1), bonds(11, 1), derivatives(11, 1), funds(4, 1), table;
    setUpPortfolioTable(table);
    NoCaption total, gain;
    Portfolio portfolio(table, CategoryTables{{&shares, &bonds, &derivatives, &funds}}, total, gain);
    importPortfolioRows(portfolio, file.rows);
    const PortfolioCsvFile again = readPortfolioCsv(portfolioCsvBytes(table));
    FUZZ_CHECK(again.badLines.empty());
    FUZZ_CHECK(again.rows.size() == file.rows.size());
    for (std::size_t i = 0; i < file.rows.size(); ++i) {
        PortfolioCsvRow expected = file.rows[i];
        expected.type = std::string(kTypePersonal);
        expected.code = asWritten(expected.code);
        expected.name = asWritten(expected.name);
        FUZZ_CHECK(again.rows[i] == expected);
    }
    return 0;
}
