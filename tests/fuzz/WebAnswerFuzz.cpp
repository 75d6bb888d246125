// The web source's answers: whatever JSON (or anything else) the services send,
// decoding ends in a judgement; a decoded quote always becomes one well-formed CSV
// line: one field per code asked, none empty (but the time of a quote that carries
// a trading day), nothing that would end the field or the line early; a decoded
// history has prices, each finite and on a real day; a search's symbol is never empty.

#include "FuzzCheck.h"
#include "websource/QuoteCsvLine.h"
#include "websource/QuoteRequest.h"
#include "websource/WebAnswerDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// `emptyField`: the position of the one field that may be empty, if any.
void checkLine(const std::string& line, std::size_t fieldCount, std::size_t emptyField = std::string::npos)
{
    FUZZ_CHECK(static_cast<std::size_t>(std::count(line.begin(), line.end(), ';')) + 1 == fieldCount);
    for (const char c : line)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    std::size_t start = 0;
    for (std::size_t field = 0; field < fieldCount; ++field) {
        const std::size_t end = std::min(line.find(';', start), line.size());
        FUZZ_CHECK(end > start || field == emptyField);
        start = end + 1;
    }
}

void checkHistory(const listorix::DecodedHistory& history)
{
    if (history.fault != listorix::WebAnswerFault::None)
        return;
    FUZZ_CHECK(!history.points.empty());
    for (const listorix::PricePoint& point : history.points)
        FUZZ_CHECK(!point.day.isNull() && std::isfinite(point.value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    listorix::fuzz::InputSplitter input(data, size);
    const unsigned char steer = input.takeByte();

    listorix::WebResponse response;
    response.answered = true;
    response.status = steer & 1 ? 200 : (steer & 2 ? 429 : 503);
    response.contentType = steer & 4 ? "application/json" : "text/html; charset=utf-8";
    response.body = std::string(input.rest());

    const bool exchange = (steer & 8) != 0;
    if (steer & 16) {
        const bool daily = (steer & 32) != 0;
        checkHistory(exchange ? listorix::decodeExchangeHistory(response, daily)
                              : listorix::decodeChartHistory(response, daily));
        const listorix::SearchAnswer search = listorix::decodeSearchAnswer(response);
        FUZZ_CHECK(!search.symbol || !search.symbol->empty());
        FUZZ_CHECK(!search.symbol || search.fault == listorix::WebAnswerFault::None);
        return 0;
    }
    const listorix::DecodedAnswer answer =
        exchange ? listorix::decodeExchangeAnswer(response) : listorix::decodeChartAnswer(response);
    if (response.status != 200)
        FUZZ_CHECK(answer.fault != listorix::WebAnswerFault::None);
    if (answer.fault != listorix::WebAnswerFault::None)
        return 0;

    // Every code the program asks for, and one it does not know.
    const std::vector<listorix::QuoteField> fields = listorix::parseFieldCodes("snl1d1t1c1c2oghpvx");
    // s n l1 d1 t1: the time is the fifth field.
    checkLine(listorix::quoteCsvLine("ENI.MI", &answer.quote, fields), fields.size(),
              answer.quote.timeIsDay ? 4 : std::string::npos);
    checkLine(listorix::quoteCsvLine("IT0001234567", nullptr, fields), fields.size());
    return 0;
}
