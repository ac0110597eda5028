#include "shell/qt/message_box_notifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tavlo {
namespace {

TEST(MessageBoxNotifier, ShowsAModalBoxTitledTavloWithTheLines)
{
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxNotifier notifier;
    notifier.showMessage("一行目\r二行目");
    EXPECT_EQ(title, "Tavlo");
    EXPECT_EQ(text, QString::fromUtf8("一行目\n二行目"));
}

// A question that does not wait: shown at once and not modal, answered
// later through its buttons, each button to its answer.
TEST(MessageBoxNotifier, AQuestionReturnsAtOnceAndItsButtonsAnswerLater)
{
    MessageBoxNotifier notifier;
    for (const auto& [yesNo, button, expected] : {std::tuple{true, QMessageBox::Yes, true},
             std::tuple{true, QMessageBox::No, false}, std::tuple{false, QMessageBox::Ok, true}}) {
        std::vector<bool> answers;
        notifier.askLater("消しますか?", yesNo, [&](bool yes) { answers.push_back(yes); });
        QMessageBox* box = notifier.question();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->windowModality(), Qt::NonModal);
        EXPECT_EQ(box->windowTitle(), "Tavlo");
        EXPECT_TRUE(answers.empty());
        ASSERT_NE(box->button(button), nullptr);
        box->button(button)->click();
        EXPECT_EQ(answers, std::vector<bool>{expected});
    }
}

// Taken away by the program (it ends), the question goes unanswered.
TEST(MessageBoxNotifier, AWithdrawnQuestionGoesUnanswered)
{
    MessageBoxNotifier notifier;
    int answers = 0;
    notifier.askLater("消しますか?", true, [&](bool) { ++answers; });
    const QPointer<QMessageBox> box = notifier.question();
    notifier.withdraw();
    QApplication::processEvents();
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(answers, 0);
}

TEST(MessageBoxNotifier, APostedMessageShowsWithoutWaitingAndGoesWithTheNotifier)
{
    QPointer<QMessageBox> box;
    {
        MessageBoxNotifier notifier;
        notifier.post("削除しました。");
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<QMessageBox*>(widget); found && found->text() == QString::fromUtf8("削除しました。"))
                box = found;
        }
        ASSERT_FALSE(box.isNull());
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->windowModality(), Qt::NonModal);
    }
    EXPECT_TRUE(box.isNull());
}

}  // namespace
}  // namespace tavlo
