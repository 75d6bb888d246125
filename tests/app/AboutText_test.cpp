#include "app/AboutText.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(AboutText, versionThenCreditLinesThenAnEmptyLineThenTheContact)
{
    EXPECT_EQ(aboutText("4.35", "file:///opt/web/index.html\re-mail: info@listorix.example"),
              "Versione: 4.35\r"
              "Quotazioni della Borsa italiana sul desktop\r"
              "realizzato dagli sviluppatori di Listorix\r"
              "\r"
              "file:///opt/web/index.html\re-mail: info@listorix.example");
}

} // namespace
} // namespace listorix
