#include "AppTestUtil.h"

#include <QCursor>
#include <QMessageBox>
#include <vector>

#include "app/THelloForm.h"
#include "app/TLabApplication.h"
#include "bench/BenchSamples.h"

void CloseSplashes() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<THelloForm*>(w)) {
            splash->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int OverrideCursorDepth() {
    std::vector<Qt::CursorShape> shapes;
    while (const QCursor* c = QApplication::overrideCursor()) {
        shapes.push_back(c->shape());
        QApplication::restoreOverrideCursor();
    }
    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
        QApplication::setOverrideCursor(*it);
    }
    return static_cast<int>(shapes.size());
}

StudentAnswer::StudentAnswer() {
    previous = SetStudentFormHook([this](QWidget*, CStudentInfo&) {
        ++asked;
        return true;
    });
}

StudentAnswer::StudentAnswer(CStudentInfo student, bool accept) {
    previous = SetStudentFormHook([this, student, accept](QWidget*, CStudentInfo& given) {
        ++asked;
        if (accept) {
            given = student;
        }
        return accept;
    });
}

StudentAnswer::~StudentAnswer() {
    SetStudentFormHook(std::move(previous));
}

FormFixture::FormFixture() {
    // What the program's start-up gives the generators.
    SignalGenerator.Kind = skDelta;
    NoiseGenerator.Amplitude = 1.0;
    form = std::make_unique<TForm1>();
    form2 = std::make_unique<TForm2>();
    form->SetForm2(form2.get());
    CloseSplashes();
}

FormFixture::~FormFixture() {
    form2.reset();
    form.reset();
}

RealMessageBoxes::RealMessageBoxes()
    : message(SetMessageHandler({})), question(SetQuestionHandler({})),
      choice(SetChoiceHandler({})) {
    InstallMessageBoxHandler();
}

RealMessageBoxes::~RealMessageBoxes() {
    SetMessageHandler(std::move(message));
    SetQuestionHandler(std::move(question));
    SetChoiceHandler(std::move(choice));
}

NextMessageBox::NextMessageBox(std::function<void(QMessageBox& box)> act) {
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [this, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            seen = true;
            act(*box);
        }
    });
    poll.start();
}
