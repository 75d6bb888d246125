// listorix-poll with the web source against the demo service's web forms over
// HTTPS: the same tables as the demo service's CSV answers for the same seed and
// clock.
#include "PollTestSupport.h"
#include "QuotedTestSupport.h"
#include "TlsTestSupport.h"
#include "poll/PollSession.h"
#include "quoted/TlsContext.h"

#include <fstream>
#include <gtest/gtest.h>
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

PollRun pollOnce(const ProgramFolder& folder)
{
    poll::PollOptions options;
    options.dir = folder.dir.path().string();
    options.cycles = 1;
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
    const ProgramFolder web("127.0.0.1:1",
                            "SORGENTE=web\r\nWEB_GRAFICI=" + address + "\r\nWEB_BORSA=" + address +
                                "\r\nWEB_CERTIFICATI=" + certificate.certificateFile() + "\r\n");
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
    const struct
    {
        const char* what;
        quoted::Faults faults;
        const char* status;
    } cases[] = {
        {"a consent page with 200", consent(), "Sorgente web non disponibile, ritento fra "},
        {"an HTML error page with 200", htmlPage(), "Sorgente web non disponibile, ritento fra "},
        {"429 with Retry-After", tooMany(), "Sorgente web non disponibile, ritento fra 2 minuti"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningServer service(c.faults);
        const std::string address = "http://127.0.0.1:" + std::to_string(service.port());
        const ProgramFolder web("127.0.0.1:1", "SORGENTE=web\r\nWEB_GRAFICI=" + address +
                                                   "\r\nWEB_BORSA=" + address + "\r\n");
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
