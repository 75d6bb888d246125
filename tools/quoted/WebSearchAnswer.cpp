#include "quoted/WebSearchAnswer.h"

#include "base/Windows1252.h"
#include "quoted/Market.h"
#include "quoted/QueryString.h"

#include <nlohmann/json.hpp>

namespace listorix::quoted {

namespace {

using Json = nlohmann::ordered_json;

HttpResponse jsonResponse(int status, const Json& body)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "application/json;charset=utf-8";
    response.body = body.dump();
    return response;
}

// The search cuts its short names and pads them with blanks to this width.
constexpr std::size_t kShortNameWidth = 32;

std::string shortNameOf(const std::string& name, const Faults& faults)
{
    std::string utf8 = utf8FromWindows1252(name);
    if (faults.names == Faults::Names::Padded && utf8.size() < kShortNameWidth)
        utf8.append(kShortNameWidth - utf8.size(), ' ');
    return utf8;
}

} // namespace

HttpResponse answerWebSearch(const Market& market, std::string_view query, const Faults& faults)
{
    const auto pairs = splitQuery(query);
    const auto q = queryValue(pairs, "q");
    if (!q || q->empty())
        return jsonResponse(
            400, {{"finance",
                   {{"result", nullptr},
                    {"error",
                     {{"code", "Bad Request"}, {"description", "Missing value for the \"q\" argument"}}}}}});

    Json quotes = Json::array();
    if (const Security* fund = market.findFundByIsin(percentDecode(*q))) {
        Json item;
        item["exchange"] = "MIL";
        if (faults.names != Faults::Names::LongNameOnly && faults.names != Faults::Names::None)
            item["shortname"] = shortNameOf(fund->name, faults);
        item["quoteType"] = "MUTUALFUND";
        item["symbol"] = Market::fundSearchSymbol(*fund);
        item["index"] = "quotes";
        item["score"] = 20000.0;
        item["typeDisp"] = "Fund";
        if (faults.names != Faults::Names::None)
            item["longname"] = utf8FromWindows1252(fund->name);
        item["isYahooFinance"] = true;
        quotes.push_back(std::move(item));
    }
    Json body;
    body["explains"] = Json::array();
    body["count"] = quotes.size();
    body["quotes"] = std::move(quotes);
    body["news"] = Json::array();
    body["nav"] = Json::array();
    body["lists"] = Json::array();
    body["researchReports"] = Json::array();
    body["totalTime"] = 23;
    body["timeTakenForQuotes"] = 408;
    body["timeTakenForNews"] = 0;
    return jsonResponse(200, body);
}

} // namespace listorix::quoted
