#include "base/gui/DisplayText.h"
#include "base/gui/QtText.h"

#include <gtest/gtest.h>
#include <string>

namespace listorix {
namespace {

struct TextCase
{
    std::string core;
    QString shown;
};

TEST(QtText, coreTextAndQtTextMeetAtTheEdge)
{
    const TextCase cases[] = {
        {"Listorix", "Listorix"},
        {"Un'altra connessione \xE8 gi\xE0 in corso",
         QString::fromUtf8("Un'altra connessione è già in corso")},
        {"menu\xF9 \x80 10", QString::fromUtf8("menuù € 10")},
        {"\x93virgolette\x94 \x96 \x85", QString::fromUtf8("“virgolette” – …")},
        {"", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.core);
        EXPECT_EQ(qText(c.core), c.shown);
        EXPECT_EQ(coreText(c.shown), c.core);
    }
}

TEST(QtText, whatTheCodePageCannotHoldBecomesAQuestionMark)
{
    EXPECT_EQ(qText("\x81\x8D"), QString(2, QChar(0xFFFD)));
    EXPECT_EQ(coreText(QString::fromUtf8("Ω ☺ 😀")), "? ? ?");
}

TEST(QtText, coreLineEndsBecomeLineBreaksWhereTextIsShown)
{
    EXPECT_EQ(displayText("Citt\xE0\r\rVa\r\nin"), QString::fromUtf8("Città\n\nVa\nin"));
}

} // namespace
} // namespace listorix
