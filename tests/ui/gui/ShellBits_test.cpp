// The small shell pieces: the text edge, the program icon, the message boxes.
#include "ui/gui/MessageBoxPrompts.h"
#include "ui/gui/ProgramIcon.h"
#include "ui/gui/TextCodec.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(TextCodec, windows1252RoundTripsAndTheRestBecomesAQuestionMark)
{
    const std::string bytes = "Citt\xE0 \x80 \x93x\x94 \x9F";
    const QString text = fromCp1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("Città € “x” Ÿ"));
    EXPECT_EQ(toCp1252(text), bytes);
    EXPECT_EQ(toCp1252(QString::fromUtf8("ж😀")), "??");
    EXPECT_EQ(displayText("a\r\rb\r\nc"), QStringLiteral("a\n\nb\nc"));
}

TEST(ProgramIcon, drawnAtEverySizeItIsShownAt)
{
    const QIcon icon = programIcon();
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        // Opaque in the middle, transparent in the rounded corner.
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
    }
}

// Answers the next message box: notes its look, then presses `button`.
struct BoxAnswer
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QString title;

    void answerWith(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            text = box->text();
            title = box->windowTitle();
            box->button(button)->click();
        });
    }
};

TEST(MessageBoxPrompts, warningsInformationAndQuestionsInTheirBoxes)
{
    MessageBoxPrompts prompts;
    BoxAnswer answer;

    answer.answerWith(QMessageBox::Ok);
    prompts.warningOk("Seleziona un altro pannello!");
    EXPECT_EQ(answer.icon, QMessageBox::Warning);
    EXPECT_EQ(answer.text, QStringLiteral("Seleziona un altro pannello!"));
    EXPECT_EQ(answer.title, QStringLiteral("Listorix"));

    answer.answerWith(QMessageBox::Ok);
    prompts.messageOk("La tabella \xE8 stata copiata nella clipboard.\r\rVa in Excel");
    EXPECT_EQ(answer.icon, QMessageBox::Information);
    EXPECT_EQ(answer.text, QString::fromUtf8("La tabella è stata copiata nella clipboard.\n\nVa in Excel"));

    answer.answerWith(QMessageBox::Yes);
    EXPECT_TRUE(prompts.confirmYesNo("Confermi la cancellazione della riga?"));
    EXPECT_EQ(answer.icon, QMessageBox::Question);
    answer.answerWith(QMessageBox::No);
    EXPECT_FALSE(prompts.confirmYesNo("Confermi la cancellazione della riga?"));
}

} // namespace
} // namespace listorix
