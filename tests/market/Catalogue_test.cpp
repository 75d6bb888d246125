#include "ScratchDir.h"
#include "market/Catalogue.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

using test::ScratchDir;

// Entries name a path on the quote host; the fetch puts them on the host in force.
constexpr std::string_view kIndexUrl = "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv";

Catalogue build(const ScratchDir& dir)
{
    Catalogue catalogue;
    EXPECT_TRUE(BuildCatalogue(catalogue, {dir.dir(), "info@listorix.example"}));
    return catalogue;
}

std::string symbolLines(const std::string& stem, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += stem + std::to_string(i) + "\r\n";
    return text;
}

TEST(BuildCatalogue, indexEntryIsTheFixedUrlByteForByte)
{
    ScratchDir dir;
    const Catalogue catalogue = build(dir);
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Indici), LineList{std::string(kIndexUrl)});
}

TEST(BuildCatalogue, fourHundredFiftySymbolsFromTwoFilesGiveThreeEntries)
{
    ScratchDir dir;
    dir.write("A_first.lst", symbolLines("F", 250));
    dir.write("a_second.lst", symbolLines("S", 200));

    // The symbols in the order the directory lists the files, then in line order.
    std::vector<std::string> symbols;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const bool first = entry.path().filename() == "A_first.lst";
        for (int i = 0; i < (first ? 250 : 200); ++i)
            symbols.push_back((first ? "F" : "S") + std::to_string(i));
    }
    auto joined = [&](std::size_t from, std::size_t to) {
        std::string text;
        for (std::size_t i = from; i < to; ++i)
            text += (i == from ? "" : "+") + symbols[i];
        return text;
    };

    const Catalogue catalogue = build(dir);
    const std::string prefix = "/d/quotes.csv?s=";
    const std::string fields = "&f=snl1d1t1oghpc2v\tYahoo finanza: titoli MIBTEL ";
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Azioni),
              (LineList{prefix + joined(0, 200) + fields + "1/3", prefix + joined(200, 400) + fields + "2/3",
                        prefix + joined(400, 450) + fields + "3/3"}));
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Indici).size(), 1u);
    EXPECT_TRUE(catalogue.requestsOf(ConnectionId::Obbligazioni).empty());
    EXPECT_TRUE(catalogue.requestsOf(ConnectionId::Derivati).empty());
    EXPECT_TRUE(catalogue.requestsOf(ConnectionId::Fondi).empty());
}

TEST(BuildCatalogue, eachLetterFeedsItsListWithItsCaption)
{
    ScratchDir dir;
    dir.write("O_bonds.lst", "BTP\r\n");
    dir.write("D_derivatives.lst", "MINI\r\n");
    dir.write("F_funds.lst", "FUND\r\n");
    const Catalogue catalogue = build(dir);
    const std::string prefix = "/d/quotes.csv?s=";
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Indici), LineList{std::string(kIndexUrl)});
    EXPECT_TRUE(
        catalogue.requestsOf(ConnectionId::Azioni).empty()); // no share list: the others are unaffected
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Obbligazioni),
              LineList{prefix + "BTP&f=snl1d1t1oghpc2v\tYahoo finanza: Obbligazioni 1/1"});
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Derivati),
              LineList{prefix + "MINI&f=snl1d1t1oghpc2v\tYahoo finanza: Derivati 1/1"});
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Fondi),
              LineList{prefix + "FUND&f=snl1d1t1oghpc2v\tYahoo finanza: Fondi 1/1"});
}

TEST(BuildCatalogue, buildingAgainStartsFromEmptyLists)
{
    ScratchDir dir;
    dir.write("A_x.lst", "X\r\n");
    Catalogue catalogue;
    BuildCatalogue(catalogue, {dir.dir()});
    BuildCatalogue(catalogue, {dir.dir()});
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Indici).size(), 1u);
    EXPECT_EQ(catalogue.requestsOf(ConnectionId::Azioni).size(), 1u);
}

TEST(BuildCatalogue, pagesAreTheWebFolderBesideTheProgram)
{
    ScratchDir dir;
    const Catalogue catalogue = build(dir);
    const std::string base = "file://" + dir.dir() + "web/";
    EXPECT_EQ(catalogue.HomePageUrl, base + "index.html");
    EXPECT_EQ(catalogue.HelpPageUrl, base + "help.html");
    EXPECT_EQ(catalogue.ContactText, base + "index.html\re-mail: info@listorix.example");
}

TEST(BuildCatalogue, userFolderComesFirstPerCategoryAndPerPage)
{
    ScratchDir user;
    ScratchDir installed;
    user.write("A_mine.lst", "MINE\r\n");
    installed.write("A_shipped.lst", "SHIPPED\r\n"); // replaced by the user's own shares
    installed.write("F_shipped.lst", "FUND\r\n");    // no funds of the user's: these count
    std::filesystem::create_directories(user.path() / "web");
    std::filesystem::create_directories(installed.path() / "web");
    user.write("web/index.html", "mine");
    installed.write("web/index.html", "shipped");
    installed.write("web/help.html", "shipped");

    Catalogue catalogue;
    CatalogueOptions options{user.dir()};
    options.readDirs = {user.dir(), installed.dir()};
    BuildCatalogue(catalogue, options);

    ASSERT_EQ(catalogue.requestsOf(ConnectionId::Azioni).size(), 1u);
    EXPECT_NE(catalogue.requestsOf(ConnectionId::Azioni)[0].find("?s=MINE&"), std::string::npos)
        << catalogue.requestsOf(ConnectionId::Azioni)[0];
    ASSERT_EQ(catalogue.requestsOf(ConnectionId::Fondi).size(), 1u);
    EXPECT_NE(catalogue.requestsOf(ConnectionId::Fondi)[0].find("?s=FUND&"), std::string::npos);
    EXPECT_EQ(catalogue.HomePageUrl, "file://" + user.dir() + "web/index.html");
    EXPECT_EQ(catalogue.HelpPageUrl, "file://" + installed.dir() + "web/help.html");
}

TEST(FileUrlFromPath, encodesWhatAFileAddressCannotHoldVerbatim)
{
    EXPECT_EQ(fileUrlFromPath("/opt/Listorix 4/web/index.html"), "file:///opt/Listorix%204/web/index.html");
    EXPECT_EQ(fileUrlFromPath("/opt/a\"b<c>#d%e?f&g/\xE8.html"),
              "file:///opt/a%22b%3Cc%3E%23d%25e%3Ff%26g/%E8.html");
    EXPECT_EQ(fileUrlFromPath("/opt/./x/../web/help.html"), "file:///opt/web/help.html");
}

TEST(FileUrlFromPath, relativePathIsMadeAbsolute)
{
    const std::string url = fileUrlFromPath("web/index.html");
    EXPECT_EQ(url.rfind("file:///", 0), 0u);
    EXPECT_EQ(url.substr(url.size() - 15), "/web/index.html");
}

} // namespace
} // namespace listorix
