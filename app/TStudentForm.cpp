#include "app/TStudentForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

StudentFormHook& Hook() {
    static StudentFormHook hook;
    return hook;
}

QLineEdit* MakeField(QWidget* parent, const char* name, const std::string& text,
                     const QString& caption) {
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(name);
    field->setAccessibleName(caption);
    // A name longer than a line of the report's title page is a slip.
    field->setMaxLength(120);
    field->setMinimumWidth(280);
    return field;
}

} // namespace

TStudentForm::TStudentForm(const CStudentInfo& student, QWidget* parent) : QDialog(parent) {
    setObjectName("StudentForm");
    setWindowTitle(QStringLiteral("Отчёт о лабораторной работе"));
    const QString name = QStringLiteral("Студент (фамилия, имя):");
    const QString group = QStringLiteral("Группа:");
    const QString teacher = QStringLiteral("Преподаватель:");
    StudentName = MakeField(this, "StudentName", student.Name, name.chopped(1));
    StudentGroup = MakeField(this, "StudentGroup", student.Group, group.chopped(1));
    StudentTeacher = MakeField(this, "StudentTeacher", student.Teacher, teacher.chopped(1));

    auto* fields = new QFormLayout;
    fields->addRow(name, StudentName);
    fields->addRow(group, StudentGroup);
    fields->addRow(teacher, StudentTeacher);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName("StudentButtons");
    Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Далее…"));
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* hint = new QLabel(
        QStringLiteral("Эти сведения войдут в заголовок отчёта. Затем будет предложено выбрать "
                       "файл."),
        this);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(fields);
    layout->addWidget(Buttons);
    StudentName->setFocus();
}

CStudentInfo TStudentForm::Student() const {
    return {StudentName->text().trimmed().toStdString(),
            StudentGroup->text().trimmed().toStdString(),
            StudentTeacher->text().trimmed().toStdString()};
}

bool AskStudent(QWidget* parent, CStudentInfo& student) {
    if (Hook()) {
        return Hook()(parent, student);
    }
    TStudentForm form(student, parent);
    if (form.exec() != QDialog::Accepted) {
        return false;
    }
    student = form.Student();
    return true;
}

StudentFormHook SetStudentFormHook(StudentFormHook hook) {
    StudentFormHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}
