// What the program sets up for itself at start-up, seen where the user sees
// it: Qt's own texts in Russian and the program's name on its message boxes.

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/TLabApplication.h"
#include "controls/SaveImageToBmp.h"
#include "controls/TEditFloat.h"
#include "controls/TImage.h"

namespace {

// Whether a text the user reads is Russian: Cyrillic letters and no Latin
// ones (the key shortcut after a tab and the accelerator mark aside).
bool Russian(QString text) {
    text = text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    bool cyrillic = false;
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Latin) {
            return false;
        }
        cyrillic = cyrillic || c.script() == QChar::Script_Cyrillic;
    }
    return cyrillic;
}

// The application as the program prepares it, for one test; the application
// object of the tests is left as it was found.
class Prepared : public testing::Test {
  protected:
    void SetUp() override {
        name = QCoreApplication::applicationName();
        displayName = QGuiApplication::applicationDisplayName();
        PrepareApplication();
    }
    void TearDown() override {
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QCoreApplication::setApplicationName(name);
        QGuiApplication::setApplicationDisplayName(displayName);
    }
    QString name, displayName;
};

TEST_F(Prepared, QtsOwnTextsAreRussian) {
    // The save dialog as the program opens it.
    TImage image;
    image.SetPicture(QSize(10, 10), [](QPainter&) {});
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        // Qt's own dialog, whose texts follow Qt's translation whatever the
        // desktop's language.
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(Russian(dialog->windowTitle())) << dialog->windowTitle().toStdString();
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        ASSERT_EQ(buttons->buttons().size(), 2);
        for (QAbstractButton* b : buttons->buttons()) {
            EXPECT_TRUE(Russian(b->text())) << b->text().toStdString();
        }
        int labels = 0;
        for (QLabel* l : dialog->findChildren<QLabel*>()) {
            if (l->isVisible() && !l->text().isEmpty()) {
                ++labels;
                EXPECT_TRUE(Russian(l->text())) << l->text().toStdString();
            }
        }
        EXPECT_GE(labels, 3); // look in, file name, files of type
        dialog->reject();
    });
    SaveImageToBmp(&image);
    EXPECT_TRUE(seen);

    // The number fields' context menu.
    FormFixture window;
    std::unique_ptr<QMenu> menu(window.form->EditFloat1->createStandardContextMenu());
    int items = 0;
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator()) {
            ++items;
            EXPECT_TRUE(Russian(a->text())) << a->text().toStdString();
        }
    }
    EXPECT_GE(items, 6); // undo, redo, cut, copy, paste, delete, select all
}

TEST_F(Prepared, MessageBoxesBearTheProgramsNameAndErrorsTheWarningIcon) {
    const MessageHandler previous = SetMessageHandler({});
    const MessageHandler previousError = SetErrorHandler({});
    InstallMessageBoxHandler();
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    const auto readBox = [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            icon = box->icon();
            box->accept();
        });
    };
    readBox();
    ShowMessage("Произведена коррекция.");
    EXPECT_EQ(title, "Согласованные и квазиоптимальные фильтры");
    EXPECT_EQ(icon, QMessageBox::Information);
    title.clear();
    readBox();
    ShowError("Не удаётся записать файл /x.csv.");
    EXPECT_EQ(title, "Согласованные и квазиоптимальные фильтры");
    EXPECT_EQ(icon, QMessageBox::Warning);
    SetErrorHandler(previousError);
    SetMessageHandler(previous);

    // A question: Yes and No in Russian, No unless Yes is chosen.
    const QuestionHandler previousQuestion = SetQuestionHandler({});
    InstallMessageBoxHandler();
    SetMessageHandler(previous);
    SetErrorHandler(previousError);
    for (const bool yes : {true, false}) {
        title.clear();
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            for (QAbstractButton* b : box->buttons()) {
                EXPECT_TRUE(Russian(b->text())) << b->text().toStdString();
            }
            QAbstractButton* chosen = yes ? box->button(QMessageBox::Yes) : box->defaultButton();
            chosen->click();
        });
        EXPECT_EQ(AskQuestion("Заменить?"), yes);
        EXPECT_EQ(title, "Согласованные и квазиоптимальные фильтры");
    }
    SetQuestionHandler(previousQuestion);
    // Settings and paths keep the program's file name.
    EXPECT_EQ(QCoreApplication::applicationName(), "matched-filter-lab");
}

} // namespace
