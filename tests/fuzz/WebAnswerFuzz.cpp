// The web source's answers: whatever JSON (or anything else) the two services
// send, decoding ends in a judgement, and a decoded quote always becomes one
// well-formed CSV line: one field per code asked, none empty, nothing that would
// end the field or the line early.

#include "FuzzCheck.h"
#include "websource/QuoteCsvLine.h"
#include "websource/QuoteRequest.h"
#include "websource/WebAnswerDecoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void checkLine(const std::string& line, std::size_t fieldCount)
{
    FUZZ_CHECK(static_cast<std::size_t>(std::count(line.begin(), line.end(), ';')) + 1 == fieldCount);
    for (const char c : line)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    FUZZ_CHECK(line.find(";;") == std::string::npos && line.front() != ';' && line.back() != ';');
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
    const listorix::DecodedAnswer answer =
        exchange ? listorix::decodeExchangeAnswer(response) : listorix::decodeChartAnswer(response);
    if (response.status != 200)
        FUZZ_CHECK(answer.fault != listorix::WebAnswerFault::None);
    if (answer.fault != listorix::WebAnswerFault::None)
        return 0;

    // Every code the program asks for, and one it does not know.
    const std::vector<listorix::QuoteField> fields = listorix::parseFieldCodes("snl1d1t1c1c2oghpvx");
    checkLine(listorix::quoteCsvLine("ENI.MI", &answer.quote, fields), fields.size());
    checkLine(listorix::quoteCsvLine("IT0001234567", nullptr, fields), fields.size());
    return 0;
}
