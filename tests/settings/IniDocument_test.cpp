#include "settings/IniDocument.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace listorix {
namespace {

// A file in the many shapes the Windows program and hand editing leave behind.
const std::string messyText = "orphan=before any section\r\n"
                              "[Sec]\r\n"
                              "Key=Value\r\n"
                              "spaced \t=  v  \t\r\n"
                              "dq=\"  quoted  \"\r\n"
                              "sq='single'\r\n"
                              "mixed=\"v'\r\n"
                              "lone=\"\r\n"
                              "  ; indented comment=1\r\n"
                              ";comment=2\r\n"
                              "semi=v ;x\r\n"
                              "k;x=v2\r\n"
                              "#hash=v3\r\n"
                              "bare line\r\n"
                              "\r\n"
                              "dup=first\r\n"
                              "DUP=second\r\n"
                              "empty=\r\n"
                              "lf=unix\n"
                              "cr=mac\r"
                              "after cr=1\r\n"
                              "[a]b]\r\n"
                              "k=in a\r\n"
                              "[open\r\n"
                              "k=in open\r\n"
                              "[hdr]k=v\r\n"
                              "k2=after hdr\r\n"
                              "[ s1 ]\r\n"
                              "k=in s1\r\n"
                              "  [indented]\r\n"
                              "k=indented header\r\n"
                              "[sec]\r\n"
                              "key=second copy\r\n"
                              "only=second copy\r\n"
                              "[\xC8lite]\r\n"
                              "\xC0=A grave\r\n"
                              "[end]\r\n"
                              "last=no line end";

struct ReadCase
{
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(IniDocument, readsValuesAsWindowsDoes)
{
    const IniDocument doc(messyText);
    const ReadCase cases[] = {
        {"sec", "KEY", "Value"},              // names match without regard to case
        {"Sec", "spaced", "v"},               // blanks around name and value go
        {"Sec", "dq", "  quoted  "},          // one pair of outer quotes goes, inner blanks stay
        {"Sec", "sq", "single"},              //
        {"Sec", "mixed", "\"v'"},             // quotes that do not match stay
        {"Sec", "lone", "\""},                //
        {"Sec", "; indented comment", {}},    // comments are no keys
        {"Sec", ";comment", {}},              //
        {"Sec", "semi", "v ;x"},              // ';' inside a line is text
        {"Sec", "k;x", "v2"},                 //
        {"Sec", "#hash", "v3"},               // '#' starts no comment
        {"Sec", "bare line", {}},             // a line without '=' is no key
        {"Sec", "orphan", {}},                // lines before the first section belong to none
        {"Sec", "dup", "first"},              // a repeated key: the first counts
        {"Sec", "empty", ""},                 // present but empty differs from missing
        {"Sec", "lf", "unix"},                // LF, CR and CR LF all end a line
        {"Sec", "cr", "mac"},                 //
        {"Sec", "after cr", "1"},             //
        {"a", "k", "in a"},                   // the name ends at the first ']'
        {"open", "k", "in open"},             // a header without ']' is a header
        {"hdr", "k", {}},                     // text after ']' is ignored
        {"hdr", "k2", "after hdr"},           //
        {"s1", "k", "in s1"},                 // blanks inside the brackets go
        {"indented", "k", "indented header"}, //
        {"Sec", "only", {}},                  // a repeated section: the first counts
        {"\xE8LITE", "\xE0", "A grave"},      // accented Windows-1252 letters match either case
        {"end", "last", "no line end"},       // a last line without line end
        {"missing", "k", {}},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(doc.value(c.section, c.key), c.expected) << "[" << c.section << "] " << c.key;
    EXPECT_TRUE(doc.hasSection("A"));
    EXPECT_FALSE(doc.hasSection("a]b"));
}

TEST(IniDocument, byteOrderMarkIsNotRecognisedLikeOnWindows)
{
    const IniDocument doc("\xEF\xBB\xBF[Bom]\r\nk=v\r\n[Next]\r\nk=w\r\n");
    EXPECT_FALSE(doc.hasSection("Bom"));
    EXPECT_EQ(doc.value("Next", "k"), "w");
}

TEST(IniDocument, textIsKeptByteForByte)
{
    EXPECT_EQ(IniDocument(messyText).text(), messyText);
    EXPECT_EQ(IniDocument("\r\n\n\r").text(), "\r\n\n\r");
}

TEST(IniDocument, sectionEntriesInFileOrderWithoutEmptyValuesOrRepeats)
{
    const IniDocument doc(messyText);
    const IniEntries expected = {
        {"Key", "Value"}, {"spaced", "v"},  {"dq", "  quoted  "}, {"sq", "single"}, {"mixed", "\"v'"},
        {"lone", "\""},   {"semi", "v ;x"}, {"k;x", "v2"},        {"#hash", "v3"},  {"dup", "first"},
        {"lf", "unix"},   {"cr", "mac"},    {"after cr", "1"},
    };
    EXPECT_EQ(doc.sectionEntries("SEC"), expected);
    EXPECT_TRUE(doc.sectionEntries("missing").empty());

    // Numbered rows come back in the order they stand, whatever their numbers.
    const IniDocument rows("[Portafoglio]\r\n1=a\r\n3=c\r\n2=b\r\n1=again\r\n4=\r\n4=late\r\n");
    EXPECT_EQ(rows.sectionEntries("Portafoglio"), (IniEntries{{"1", "a"}, {"3", "c"}, {"2", "b"}}));
}

TEST(IniDocument, sectionListingAccountsForEveryKeyAndBareLine)
{
    const IniDocument doc(messyText);
    const std::vector<std::string> expected = {
        "Key=Value", "spaced=v", "dq=  quoted  ", "sq=single",  "mixed=\"v'", "lone=\"",
        "semi=v ;x", "k;x=v2",   "#hash=v3",      "bare line",  "dup=first",  "DUP=second",
        "empty=",    "lf=unix",  "cr=mac",        "after cr=1",
    };
    EXPECT_EQ(doc.sectionListing("sec"), expected);
    EXPECT_TRUE(doc.sectionListing("missing").empty());
}

struct EditCase
{
    const char* name;
    std::string before;
    std::function<bool(IniDocument&)> edit;
    std::string after;
    bool changed = true;
};

TEST(IniDocument, editsTouchOnlyTheirOwnLines)
{
    const EditCase cases[] = {
        {"existing key rewritten in place with its own spelling",
         "top\r\n[S]\r\n; note\r\n  Key = old\r\nother=1\r\n",
         [](IniDocument& d) { return d.setValue("s", "KEY", "new"); },
         "top\r\n[S]\r\n; note\r\nKey=new\r\nother=1\r\n"},
        {"same value leaves the line alone", "[S]\nk =  v\n",
         [](IniDocument& d) { return d.setValue("S", "k", "v"); }, "[S]\nk =  v\n", false},
        {"repeated key: the first is written", "[S]\r\nk=1\r\nk=2\r\n",
         [](IniDocument& d) { return d.setValue("S", "k", "3"); }, "[S]\r\nk=3\r\nk=2\r\n"},
        {"repeated section: the first is written", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n",
         [](IniDocument& d) { return d.setValue("A", "k", "3"); }, "[A]\r\nk=3\r\n[a]\r\nk=2\r\n"},
        {"new key follows the last key of its section", "[A]\r\nk=1\r\n\r\n; about B\r\n[B]\r\nx=1\r\n",
         [](IniDocument& d) { return d.setValue("A", "n", "2"); },
         "[A]\r\nk=1\r\nn=2\r\n\r\n; about B\r\n[B]\r\nx=1\r\n"},
        {"new key in a section without keys", "[A]\r\n; only a comment\r\n[B]\r\n",
         [](IniDocument& d) { return d.setValue("A", "k", "v"); },
         "[A]\r\nk=v\r\n; only a comment\r\n[B]\r\n"},
        {"new key after a last line without line end", "[A]\nk=1",
         [](IniDocument& d) { return d.setValue("A", "n", "2"); }, "[A]\nk=1\r\nn=2\r\n"},
        {"new section at the end, line end added first", "[A]\nk=1",
         [](IniDocument& d) { return d.setValue("B", "x", "y"); }, "[A]\nk=1\r\n[B]\r\nx=y\r\n"},
        {"new section in an empty file", "", [](IniDocument& d) { return d.setValue("B", "x", "y"); },
         "[B]\r\nx=y\r\n"},
        {"line breaks in a value cannot forge lines", "[A]\r\n",
         [](IniDocument& d) { return d.setValue("A", "k", "x\r\n[Evil]\ny=1"); },
         "[A]\r\nk=x  [Evil] y=1\r\n"},
        {"line breaks in a key or section name neither", "",
         [](IniDocument& d) { return d.setValue("A\n[B]", "k\r\nz", "v"); }, "[A [B]]\r\nk  z=v\r\n"},
        {"values that would not read back are quoted", "[A]\r\n",
         [](IniDocument& d) {
             return d.setValues(
                 "A", {{"lead", "  x"}, {"trail", "x\t"}, {"dq", "\"x\""}, {"sq", "'x'"}, {"one", "\""}});
         },
         "[A]\r\nlead=\"  x\"\r\ntrail=\"x\t\"\r\ndq=\"\"x\"\"\r\nsq=\"'x'\"\r\none=\"\r\n"},
        {"erase removes every copy with all its lines",
         "top=1\r\n[A]\r\nk=1\r\n;c\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=2",
         [](IniDocument& d) { return d.eraseSection("a"); }, "top=1\r\n[B]\r\nx=1\r\n"},
        {"erase of a missing section changes nothing", "[A]\nk=1\n",
         [](IniDocument& d) { return d.eraseSection("B"); }, "[A]\nk=1\n", false},
        {"erase of a key removes its first line only", "[A]\r\nk=1\r\n; c\r\nK=2\r\nx=3\r\n",
         [](IniDocument& d) { return d.eraseKey("a", "K"); }, "[A]\r\n; c\r\nK=2\r\nx=3\r\n"},
        {"erase of a missing key changes nothing", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n",
         [](IniDocument& d) { return d.eraseKey("A", "x"); }, "[A]\r\nk=1\r\n[B]\r\nx=1\r\n", false},
        {"replace in place keeps the blank line before the next section",
         "[G]\r\nold=1\r\n; c\r\n\r\n[H]\r\nh=1\r\n[g]\r\nold2=2\r\n",
         [](IniDocument& d) {
             return d.replaceSection("G", {{"1", "a"}, {"2", "b"}});
         },
         "[G]\r\n1=a\r\n2=b\r\n\r\n[H]\r\nh=1\r\n"},
        {"replace of a new section appends it", "[H]\nh=1",
         [](IniDocument& d) {
             return d.replaceSection("G", {{"DATA", "14/03/2003"}});
         },
         "[H]\nh=1\r\n[G]\r\nDATA=14/03/2003\r\n"},
        {"replace with no entries erases", "[G]\r\n1=a\r\n[H]\r\n",
         [](IniDocument& d) { return d.replaceSection("G", {}); }, "[H]\r\n"},
        {"replace with the same entries changes nothing", "[G]\r\n1=a\r\n[H]\r\n",
         [](IniDocument& d) {
             return d.replaceSection("G", {{"1", "a"}});
         },
         "[G]\r\n1=a\r\n[H]\r\n", false},
    };
    for (const EditCase& c : cases) {
        IniDocument doc(c.before);
        EXPECT_EQ(c.edit(doc), c.changed) << c.name;
        EXPECT_EQ(doc.text(), c.after) << c.name;
        // The indexes follow the edit: a fresh parse reads the same.
        const IniDocument reparsed(doc.text());
        for (const char* section : {"A", "B", "G", "S"})
            EXPECT_EQ(doc.sectionEntries(section), reparsed.sectionEntries(section)) << c.name;
    }
}

TEST(IniDocument, writtenValuesReadBackUnchanged)
{
    for (const std::string value : {"plain", "  lead", "trail\t", "\"q\"", "'q'", "\"", "'", "\"q'", "a=b",
                                    "x;y", " ; not a comment", "\xE8\x80\xFF", ""}) {
        IniDocument doc;
        doc.setValue("S", "k", value);
        EXPECT_EQ(IniDocument(doc.text()).value("S", "k"), value) << value;
    }
}

} // namespace
} // namespace listorix
