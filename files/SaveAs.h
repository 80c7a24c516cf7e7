#pragma once
// The save dialogs (a picture, a chart's data) behind one replaceable hook,
// so that tests (and any caller without a user at the screen) can answer
// them; the hook tells them apart by the proposed name.

#include <QString>
#include <functional>

class QWidget;

enum class TSaveDialogResult {
    Accepted,   // fileName holds the chosen name
    Cancelled,  // the user closed the dialog without choosing
    Unavailable // the dialog could not be created
};

// parent owns the dialog while it runs; initialName is the proposed file name.
using SaveDialogHook = std::function<TSaveDialogResult(QWidget* parent, const QString& initialName,
                                                       QString& fileName)>;

// Asks for the name of a bitmap file to write: filter "Bitmaps (*.bmp)",
// default suffix "bmp", overwriting an existing file only after a prompt.
TSaveDialogResult AskBitmapFileName(QWidget* parent, const QString& initialName, QString& fileName);

// The same for any kind of file: nameFilter as the dialog lists it
// ("Документы PDF (*.pdf)"), defaultSuffix added to a name typed without one.
TSaveDialogResult AskSaveFileName(QWidget* parent, const QString& initialName,
                                  const QString& nameFilter, const QString& defaultSuffix,
                                  QString& fileName);

// Asks for the name of a CSV file to write: filter "CSV (*.csv)", default
// suffix "csv". The dialog does not ask about an existing file; the caller
// asks before replacing one (AskReplace).
TSaveDialogResult AskCsvFileName(QWidget* parent, const QString& initialName, QString& fileName);

// Asks the user (AskQuestion) whether the existing file fileName may be
// replaced, in the words of the save dialog's own question; true for a name
// that no file has.
bool AskReplace(const QString& fileName);

// What a dialog's answer leaves to write to: the chosen name when accepted,
// else an empty one; a dialog that could not be made is reported first, with
// the message of a save that found no memory for its dialog.
QString ChosenFileName(TSaveDialogResult result, const QString& fileName);

// Installs hook (an empty one restores the file dialog) and returns the previous one.
SaveDialogHook SetSaveDialogHook(SaveDialogHook hook);
