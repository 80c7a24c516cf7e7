#pragma once
// Saving a document under a name the user chooses, the same way for every
// document of the program: a save dialog (Qt's own, so that it speaks the
// program's Russian rather than the desktop's language), the chosen name put
// right, a question before an existing file is replaced, then the writing.
// Tests (and any caller without a user at the screen) answer the dialog
// through a hook that is told which document asks.

#include <QString>
#include <functional>

class QWidget;

// The documents the program saves.
enum class TDocumentKind {
    ChartPicture, // a chart as a bitmap
    Picture,      // the bench scheme or a filter's drawing as a bitmap
    ChartData,    // a chart's samples as CSV
    Journal,      // the journal's rows as CSV
    Study,        // a parameter study's table as CSV
    Report        // the report as PDF
};

// What becomes of the extension of the name chosen.
enum class TExtensionRule {
    AsChosen,     // kept; the dialog adds DefaultSuffix to a name typed without one
    CorrectToBmp, // any other than ".bmp" corrected to it, with a message (CorrectBitmapFileName)
};

// Who makes sure that an existing file is replaced only when the user agrees.
// A name the extension rule has changed is always asked about after the
// dialog, which knew only the name as chosen.
enum class TReplaceCheck {
    Dialog,  // the dialog asks as the name is chosen
    Question // the dialog does not; a question (AskReplace) does after it
};

struct TSaveRequest {
    TDocumentKind Kind = TDocumentKind::Picture;
    QString InitialName;   // the proposed name, "Отчёт.pdf"
    QString NameFilter;    // the one filter the dialog lists, "Документы PDF (*.pdf)"
    QString DefaultSuffix; // "pdf"
    TExtensionRule Extension = TExtensionRule::AsChosen;
    TReplaceCheck Replace = TReplaceCheck::Dialog;
};

// The request of a table saved as CSV (the journal, a study): kind, the
// proposed name, the CSV filter and suffix, the other rules as they come.
inline TSaveRequest TableCsvRequest(TDocumentKind kind, const QString& initialName) {
    return {kind, initialName, QStringLiteral("Таблицы CSV (*.csv)"), QStringLiteral("csv")};
}

// Writes the document to fileName, the name as it stands after the request's
// rules, and returns whether the file now holds it; a failure is told by the
// writer (WriteDocument).
using DocumentWriter = std::function<bool(const QString& fileName)>;

// Asks for a file name as request says (parent owns the dialog while it
// runs), puts the name right, asks before a file is replaced, then calls
// write with the name. A dialog that cannot be made is reported (ShowError)
// as a save that found no memory. Returns what write returned; false when
// nothing was written (cancelled, a replacement refused, no dialog).
bool SaveAs(QWidget* parent, const TSaveRequest& request, const DocumentWriter& write);

// Asks the user (AskQuestion) whether the existing file fileName may be
// replaced, in the words of the save dialog's own question; true for a name
// that no file has.
bool AskReplace(const QString& fileName);

enum class TSaveDialogResult {
    Accepted,   // fileName holds the chosen name
    Cancelled,  // the user closed the dialog without choosing
    Unavailable // the dialog could not be created
};

// Answers the save dialog of request in its stead; parent would own it.
using SaveDialogHook = std::function<TSaveDialogResult(QWidget* parent, const TSaveRequest& request,
                                                       QString& fileName)>;

// Installs hook (an empty one restores the file dialog) and returns the previous one.
SaveDialogHook SetSaveDialogHook(SaveDialogHook hook);
