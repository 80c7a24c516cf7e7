#pragma once
// The small form that comes before a report's file dialog: who hands the
// report in (name and group) and to whom (the teacher). What the student
// typed last is offered again; the session keeps it, and the recovery file
// with it.

#include <QDialog>
#include <functional>

#include "bench/CLabSession.h"

class QLineEdit;
class QDialogButtonBox;

class TStudentForm : public QDialog {
    Q_OBJECT

  public:
    // Offers student's name, group and teacher for editing.
    TStudentForm(const CStudentInfo& student, QWidget* parent = nullptr);

    CStudentInfo Student() const;

    // Components; each object's name is the member's name.
    QLineEdit* StudentName;
    QLineEdit* StudentGroup;
    QLineEdit* StudentTeacher;
    QDialogButtonBox* Buttons;
};

// Asks for the name, group and teacher, starting from student; true (and
// student as typed) when the student goes on to the report, false when the
// form was cancelled. Through the hook when one is installed (tests, and
// callers without a user at the screen), else the form, modal over parent.
bool AskStudent(QWidget* parent, CStudentInfo& student);

using StudentFormHook = std::function<bool(QWidget* parent, CStudentInfo& student)>;
// Installs hook (an empty one restores the form) and returns the previous one.
StudentFormHook SetStudentFormHook(StudentFormHook hook);
