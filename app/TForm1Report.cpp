// The main window's report: what it holds is the session's, written by the
// report's own unit.
#include "app/TForm1.h"
#include "app/TReport.h"
#include "app/TStudentForm.h"
#include "controls/TDiagramFrame.h"

void TForm1::NSaveReportClick() {
    // Who hands the report in comes first, so that the file is written once.
    CStudentInfo student = Session.Student();
    if (!AskStudent(this, student)) {
        return;
    }
    Session.SetStudent(student);
    // The report holds the whole journal: once written, nothing is unsaved.
    if (SaveReport(this, ReportContentOf(Session, AcceptedSetup(), ViewOf(*DiagramFrame1->Diagram),
                                         ViewOf(*DiagramFrame2->Diagram)))) {
        Session.MarkSaved();
    }
}
