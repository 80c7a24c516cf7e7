// matched-filter-lab: the bench's window program.
//
// The generators and the sample store were set up before main (their seed is
// taken from the clock once, there); then the application, the main window
// with its splash, the description window and the enlarged chart window are
// made in this order, the session's recovery file is taken, and the message
// loop runs until "Выход" or the main window is closed (both ask first when
// the journal is unsaved). They go in the reverse order, so that the windows that
// refer to the main window's charts are gone before the charts.

#include <memory>

#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TLabApplication.h"
#include "app/TRecoveryFile.h"
#include "controls/TDiagramIncrease.h"

int main(int argc, char** argv) {
    TLabApplication app(argc, argv);
    PrepareApplication();
    InstallMessageBoxHandler();

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TDiagramIncrease> diagramIncrease;
    int status = 1;
    const bool started = TLabApplication::Guarded([&] {
        form1 = std::make_unique<TForm1>();
        form2 = std::make_unique<TForm2>();
        form1->SetForm2(form2.get());
        diagramIncrease = std::make_unique<TDiagramIncrease>();
        form1->SetDiagramIncrease(diagramIncrease.get());
        form1->show();
        form1->EnableRecovery(TRecoveryFile::DefaultFolder());
    });
    if (started && !TLabApplication::Failed()) {
        status = app.exec();
    }
    diagramIncrease.reset();
    form2.reset();
    form1.reset();
    return TLabApplication::Failed() ? 1 : status;
}
