// listorix-poll with the web source against the demo service's web forms over
// HTTPS: the same tables as the demo service's CSV answers for the same seed and
// clock, whatever shape the answers come in, and the refusals the real services send.
#include "PollTestSupport.h"
#include "QuotedTestSupport.h"
#include "TlsTestSupport.h"
#include "poll/PollSession.h"
#include "quoted/TlsContext.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace listorix {
namespace {

using quoted::testing::RunningServer;
using quoted::testing::TestCertificate;
using test::ProgramFolder;

// The first symbols of each sample list: enough for every kind of answer, few
// enough for the web source's quarter second between requests.
void shortenTickerLists(const ProgramFolder& folder)
{
    for (const char* list : {"A_azioni.lst", "O_obbligazioni.lst", "D_derivati.lst", "F_fondi.lst"}) {
        std::ifstream in(folder.file(list), std::ios::binary);
        std::string kept;
        std::string line;
        for (int i = 0; i < 4 && std::getline(in, line); ++i)
            kept += line + '\n';
        in.close();
        folder.dir.write(list, kept);
    }
}

struct PollRun
{
    int status = -1;
    std::string out;
    std::string err;
};

PollRun pollOnce(const ProgramFolder& folder, int cycles = 1)
{
    poll::PollOptions options;
    options.dir = folder.dir.path().string();
    options.cycles = cycles;
    options.noWait = true;
    std::ostringstream out;
    std::ostringstream err;
    PollRun run;
    {
        poll::PollSession session(options, out, err);
        run.status = session.run();
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// SORGENTE=web with every address of the web source at `address`.
std::string webSettings(const std::string& address)
{
    return "SORGENTE=web\r\nWEB_GRAFICI=" + address + "\r\nWEB_BORSA=" + address +
           "\r\nWEB_RICERCA=" + address + "\r\n";
}

// The printed tables: each page's name, then its lines split at the TABs.
using Tables = std::map<std::string, std::vector<std::vector<std::string>>>;

Tables tablesOf(const std::string& out)
{
    Tables tables;
    std::string page;
    for (const std::string& line : linesOf(out)) {
        if (line.empty()) {
            page.clear();
        } else if (page.empty()) {
            page = line;
            tables[page];
        } else {
            std::vector<std::string> cells;
            std::istringstream in(line);
            std::string cell;
            while (std::getline(in, cell, '\t'))
                cells.push_back(cell);
            if (!line.empty() && line.back() == '\t')
                cells.emplace_back();
            tables[page].push_back(cells);
        }
    }
    return tables;
}

// The demo service's tables through its CSV answers (the demo source), for the seed
// and clock of the tests' services; MIB30, discontinued, as the web source shows it.
const Tables& csvTables()
{
    static const Tables tables = [] {
        RunningServer plain;
        const ProgramFolder demo("127.0.0.1:" + std::to_string(plain.port()), "SORGENTE=demo\r\n");
        shortenTickerLists(demo);
        const PollRun run = pollOnce(demo);
        Tables parsed = tablesOf(run.out);
        for (auto& row : parsed["Indici"]) {
            if (!row.empty() && row[0] == "MIB30")
                row = {"MIB30", "", "", "", "", ""};
        }
        return parsed;
    }();
    return tables;
}

// Column `column` of every data row (the header row left as it is) of `page`.
void changeColumn(Tables& tables, const std::string& page, std::size_t column,
                  const std::function<std::string(const std::vector<std::string>& row)>& value)
{
    auto& rows = tables[page];
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (column < rows[r].size())
            rows[r][column] = value(rows[r]);
    }
}

// The test certificate of the HTTPS runs, made once; none without the openssl command.
const TestCertificate* certificate()
{
    static const std::unique_ptr<TestCertificate> made = [] {
        auto certificate = std::make_unique<TestCertificate>();
        return TestCertificate::toolAvailable() && certificate->made() ? std::move(certificate) : nullptr;
    }();
    return made.get();
}

// One cycle of listorix-poll with the web source against a demo service with these
// faults and quirks, over HTTPS as the real services are asked (over HTTP without
// the openssl command to make a certificate); what it printed and said.
PollRun pollWebSource(const quoted::Faults& faults)
{
    quoted::ServerSettings settings = RunningServer::quickSettings();
    std::string trust;
    if (const TestCertificate* made = certificate()) {
        std::string error;
        settings.tls = quoted::TlsContext::load(made->certificateFile(), made->keyFile(), error);
        EXPECT_TRUE(settings.tls) << error;
        trust = "WEB_CERTIFICATI=" + made->certificateFile() + "\r\n";
    }
    RunningServer service(faults, settings);
    const std::string scheme = settings.tls ? "https" : "http";
    const ProgramFolder folder(
        "127.0.0.1:1", webSettings(scheme + "://127.0.0.1:" + std::to_string(service.port())) + trust);
    shortenTickerLists(folder);
    return pollOnce(folder);
}

TEST(ListorixPollWebSource, overHttpsFillsTheFiveCachesWithTheDemoSourcesValues)
{
    if (!TestCertificate::toolAvailable())
        GTEST_SKIP() << "the openssl command makes the test certificate";
    const TestCertificate certificate;
    ASSERT_TRUE(certificate.made());
    quoted::ServerSettings secure = RunningServer::quickSettings();
    std::string error;
    secure.tls = quoted::TlsContext::load(certificate.certificateFile(), certificate.keyFile(), error);
    ASSERT_TRUE(secure.tls) << error;
    RunningServer https({}, secure);
    RunningServer plain;

    const std::string address = "https://127.0.0.1:" + std::to_string(https.port());
    const ProgramFolder web("127.0.0.1:1", webSettings(address) +
                                               "WEB_CERTIFICATI=" + certificate.certificateFile() + "\r\n");
    const ProgramFolder demo("127.0.0.1:" + std::to_string(plain.port()), "SORGENTE=demo\r\n");
    shortenTickerLists(web);
    shortenTickerLists(demo);

    const PollRun fromWeb = pollOnce(web);
    ASSERT_EQ(fromWeb.status, 0) << fromWeb.err;
    for (const char* cache : test::kCacheFiles)
        EXPECT_GT(std::filesystem::file_size(web.file(cache)), 0u) << cache;
    EXPECT_EQ(fromWeb.err.find("Sorgente web"), std::string::npos) << "no symbol failed: " << fromWeb.err;

    const PollRun fromDemo = pollOnce(demo);
    ASSERT_EQ(fromDemo.status, 0) << fromDemo.err;

    // The same tables, but MIB30: discontinued, it has no successor and stays empty.
    std::vector<std::string> expected = linesOf(fromDemo.out);
    std::vector<std::string> got = linesOf(fromWeb.out);
    for (std::string& line : expected) {
        if (line.rfind("MIB30\t", 0) == 0)
            line = "MIB30\t\t\t\t\t";
    }
    EXPECT_EQ(got, expected);
}

// The shapes the real services' answers come in change none of the values: the tables
// are the CSV answers' tables, but for what each shape means to show.
TEST(ListorixPollWebSource, theRealAnswersShapesGiveTheSameValues)
{
    quoted::Faults shapes;
    shapes.midnightRows = true;
    shapes.staleChartPreviousClose = true;
    shapes.longDecimals = true;
    shapes.names = quoted::Faults::Names::Padded;
    const PollRun run = pollWebSource(shapes);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Sorgente web"), std::string::npos) << run.err;

    // The exchange's daily rows are trading days: the bonds' and derivatives' time
    // of day is not known. Previous close and change are the last session's, the
    // prices keep all their decimals, the names lose their padding.
    Tables expected = csvTables();
    for (const char* page : {"Obbligazioni", "Derivati"})
        changeColumn(expected, page, 4, [](const auto&) { return std::string(); });
    EXPECT_EQ(tablesOf(run.out), expected);
}

TEST(ListorixPollWebSource, namesComeFromTheLongNameOrTheCodeAndCarryACurrencyOtherThanTheEuro)
{
    quoted::Faults dollars;
    dollars.names = quoted::Faults::Names::LongNameOnly;
    dollars.currency = "USD";
    const PollRun inDollars = pollWebSource(dollars);
    ASSERT_EQ(inDollars.status, 0) << inDollars.err;
    Tables expected = csvTables();
    // The exchange's prices (bonds, derivatives) are in euro whatever the chart says.
    for (const char* page : {"Titoli azionari", "Fondi"})
        changeColumn(expected, page, 1, [](const auto& row) { return row[1] + " (USD)"; });
    EXPECT_EQ(tablesOf(inDollars.out), expected);

    quoted::Faults nameless;
    nameless.names = quoted::Faults::Names::None;
    const PollRun unnamed = pollWebSource(nameless);
    ASSERT_EQ(unnamed.status, 0) << unnamed.err;
    expected = csvTables();
    for (const char* page : {"Titoli azionari", "Obbligazioni", "Derivati", "Fondi"})
        changeColumn(expected, page, 1, [](const auto& row) { return row[0]; });
    EXPECT_EQ(tablesOf(unnamed.out), expected);
}

TEST(ListorixPollWebSource, keysLeftOutAreNotAvailableButThePriceStands)
{
    quoted::Faults missing;
    missing.missingKeys = true;
    const PollRun run = pollWebSource(missing);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Sorgente web"), std::string::npos) << "no symbol failed: " << run.err;
    Tables expected = csvTables();
    for (std::size_t column = 5; column <= 10; ++column)
        changeColumn(expected, "Titoli azionari", column, [](const auto&) { return std::string("N/A"); });
    // The index panel: value and time, no change, no range.
    for (auto& row : expected["Indici"]) {
        if (row[0] != "MIB30" && row[0].rfind("Valori", 0) != 0)
            row = {row[0], "", row[2], row[3], "", ""};
    }
    EXPECT_EQ(tablesOf(run.out), expected);
}

// Funds are found through the search, once: the run's second cycle and the next run,
// which finds their symbols in the settings file, ask the search nothing.
TEST(ListorixPollWebSource, fundsAreFoundThroughTheSearchOnceAndKeptInTheSettingsFile)
{
    RunningServer service;
    std::mutex mutex;
    std::vector<std::string> asked;
    service.server().setRequestLog([&](const std::string& line) {
        const std::lock_guard lock(mutex);
        asked.push_back(line);
    });
    const auto searches = [&] {
        const std::lock_guard lock(mutex);
        std::size_t count = 0;
        for (const std::string& line : asked)
            count += line.rfind("GET /v1/finance/search?q=", 0) == 0;
        asked.clear();
        return count;
    };
    const ProgramFolder folder("127.0.0.1:1",
                               webSettings("http://127.0.0.1:" + std::to_string(service.port())));
    shortenTickerLists(folder);

    const PollRun first = pollOnce(folder, 2);
    ASSERT_EQ(first.status, 0) << first.err;
    const auto& once = csvTables().at("Fondi");
    auto twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(tablesOf(first.out)["Fondi"], twice) << "the table of each cycle";
    EXPECT_EQ(searches(), 4u) << "one search per fund in two cycles";
    const std::string settings = test::readFile(folder.file("LISTORIX.INI"));
    EXPECT_NE(settings.find("[SIMBOLI WEB]\r\nIT0004389109=0P0000"), std::string::npos) << settings;

    const PollRun second = pollOnce(folder);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(tablesOf(second.out)["Fondi"], csvTables().at("Fondi"));
    EXPECT_EQ(searches(), 0u) << "the second run asks the search nothing";
}

// A redirection to the consent host fails what the quote service answers; the
// exchange's service still answers the bonds and derivatives.
TEST(ListorixPollWebSource, aRedirectionToConsentFailsTheQuoteServicesSymbolsAndSaysSo)
{
    quoted::Faults consent;
    consent.consentRedirect = true;
    const PollRun run = pollWebSource(consent);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Sorgente web non disponibile, ritento fra 1 minuto (consenso richiesto)"),
              std::string::npos)
        << run.err;
    const Tables tables = tablesOf(run.out);
    EXPECT_FALSE(tables.contains("Titoli azionari"));
    EXPECT_FALSE(tables.contains("Fondi"));
    ASSERT_TRUE(tables.contains("Obbligazioni"));
    EXPECT_EQ(tables.at("Obbligazioni").size(), csvTables().at("Obbligazioni").size());
}

TEST(ListorixPollWebSource, aSourceThatAnswersWithPagesOrTooManyRequestsLeavesTheCachesAndSaysWhen)
{
    const auto consent = [] {
        quoted::Faults faults;
        faults.consentPage = true;
        return faults;
    };
    const auto htmlPage = [] {
        quoted::Faults faults;
        faults.htmlError = quoted::Faults::HtmlError::Page;
        return faults;
    };
    const auto tooMany = [] {
        quoted::Faults faults;
        faults.failingPaths = {{"/v8/finance/chart/", 429}, {"/charts/services/", 429}};
        faults.retryAfterSeconds = 120;
        return faults;
    };
    // The edge refuses the quote service's paths; the exchange's are refused too, so
    // that nothing answers.
    const auto edge = [](int status) {
        quoted::Faults faults;
        faults.edgeRateLimitStatus = status;
        faults.failingPaths = {{"/charts/services/", 429}};
        return faults;
    };
    const struct
    {
        const char* what;
        quoted::Faults faults;
        const char* status;
    } cases[] = {
        {"the edge's Too Many Requests with 429", edge(429),
         "Sorgente web non disponibile, ritento fra 1 minuto"},
        {"the edge's Too Many Requests with 200", edge(200),
         "Sorgente web non disponibile, ritento fra 1 minuto"},
        {"a consent page with 200", consent(), "Sorgente web non disponibile, ritento fra "},
        {"an HTML error page with 200", htmlPage(), "Sorgente web non disponibile, ritento fra "},
        {"429 with Retry-After", tooMany(), "Sorgente web non disponibile, ritento fra 2 minuti"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningServer service(c.faults);
        const ProgramFolder web("127.0.0.1:1",
                                webSettings("http://127.0.0.1:" + std::to_string(service.port())));
        shortenTickerLists(web);
        for (const char* cache : test::kCacheFiles)
            web.dir.write(cache, "\"OLD.MI\";\"OLD\";1.5;1/24/2005;17:35\r\n");

        const PollRun run = pollOnce(web);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.status), std::string::npos) << run.err;
        for (const char* cache : test::kCacheFiles)
            EXPECT_EQ(test::readFile(web.file(cache)), "\"OLD.MI\";\"OLD\";1.5;1/24/2005;17:35\r\n") << cache;
    }
}

} // namespace
} // namespace listorix
