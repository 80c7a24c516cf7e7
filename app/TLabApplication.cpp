#include "app/TLabApplication.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <algorithm>
#include <exception>
#include <vector>

#include "base/MessageHook.h"
#include "controls/LabIcons.h"

QString ProgramTitle() {
    return QStringLiteral("Согласованные и квазиоптимальные фильтры");
}

namespace {
void ShowFailure(const std::string& text) {
    QMessageBox::critical(nullptr, ProgramTitle(), QString::fromStdString(text));
}

TLabApplication::FailureReport& Report() {
    static TLabApplication::FailureReport report = ShowFailure;
    return report;
}
} // namespace

bool TLabApplication::FailedFlag = false;

TLabApplication::TLabApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TLabApplication::Guarded(const std::function<void()>& step) {
    std::string text;
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
        text = "Unknown exception";
    }
    // Reported outside the handler, so that a failing report cannot mask
    // the first failure.
    if (!FailedFlag) {
        FailedFlag = true;
        if (Report()) {
            Report()(text);
        }
    }
    QCoreApplication::exit(1);
    return false;
}

TLabApplication::FailureReport TLabApplication::SetFailureReport(FailureReport report) {
    FailureReport previous = std::move(Report());
    Report() = report ? std::move(report) : FailureReport(ShowFailure);
    return previous;
}

bool TLabApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    Guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

void PrepareApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("matched-filter-lab"));
    QGuiApplication::setWindowIcon(LabIcon(TLabIcon::Application));
    // The whole interface is Russian, so Qt's own texts (standard dialogs,
    // the fields' context menu) are too, whatever the system's language.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QStringLiteral("qtbase_ru"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTexts);
    } else {
        delete qtTexts;
    }
}

void InstallMessageBoxHandler() {
    SetMessageHandler([](const std::string& text) {
        QMessageBox::information(QApplication::activeWindow(), ProgramTitle(),
                                 QString::fromStdString(text));
    });
    // A failure (a file not written, memory refused) must not look like a
    // mere notice such as a correction.
    SetErrorHandler([](const std::string& text) {
        QMessageBox::warning(QApplication::activeWindow(), ProgramTitle(),
                             QString::fromStdString(text));
    });
    // Replacing a file is what the user must choose to do: No is the default.
    SetQuestionHandler([](const std::string& text) {
        return QMessageBox::question(
                   QApplication::activeWindow(), ProgramTitle(), QString::fromStdString(text),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    });
    SetChoiceHandler([](const std::string& text, const std::vector<std::string>& buttons,
                        int defaultButton, int escapeButton) {
        QMessageBox box(QMessageBox::Question, ProgramTitle(), QString::fromStdString(text),
                        QMessageBox::NoButton, QApplication::activeWindow());
        // One role for all, so that the buttons stand in the order given.
        std::vector<QPushButton*> made;
        for (const std::string& caption : buttons) {
            made.push_back(box.addButton(QString::fromStdString(caption), QMessageBox::ActionRole));
        }
        const auto button = [&made](int index) {
            return index >= 0 && index < static_cast<int>(made.size()) ? made[index] : nullptr;
        };
        if (QPushButton* b = button(defaultButton)) {
            box.setDefaultButton(b);
        }
        // Escape and the window's close button both choose it.
        if (QPushButton* b = button(escapeButton)) {
            box.setEscapeButton(b);
        }
        box.exec();
        const auto chosen = std::find(made.begin(), made.end(), box.clickedButton());
        return chosen == made.end() ? escapeButton : static_cast<int>(chosen - made.begin());
    });
}
