#include "AnsweringPrompts.h"
#include "export/TableCommands.h"
#include "export/gui/Clipboard.h"
#include "grid/TAlignGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(Clipboard, copiedTableLandsOnTheSystemClipboardInTheUsersSeparator)
{
    TAlignGrid grid(3, 2);
    grid.setCell(0, 0, "Codice");
    grid.setCell(1, 0, "Nome");
    grid.setCell(2, 0, "Var.%");
    grid.setCell(0, 1, "ENI.MI");
    grid.setCell(1, 1, "Citt\xE0, \x80");
    grid.setCell(2, 1, "     1.240,0000");
    test::AnsweringPrompts prompts;

    clipboardCommand(&grid, '.', putTextOnClipboard, prompts);

    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("Codice\tNome\tVar.%\r\nENI.MI\tCittà. €\t     1.240.0000\r\n"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].rfind("message: La tabella \xE8 stata copiata", 0), 0u);
}

TEST(Clipboard, indexPageLeavesTheClipboardAlone)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    test::AnsweringPrompts prompts;
    clipboardCommand(nullptr, ',', putTextOnClipboard, prompts);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"warning: Gli indici non si possono copiare in Excel"});
}

} // namespace
} // namespace listorix
