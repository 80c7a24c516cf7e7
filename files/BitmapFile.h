#pragma once
// Writing a picture as a Windows bitmap file, shared by every window that
// saves pictures: the name's extension is put right first, and a failed write
// is told to the user rather than lost.

#include <QImage>
#include <QString>

#include "files/SaveAs.h"

// The save request of a picture of kind, proposed as initialName: filter
// "Bitmaps (*.bmp)", default suffix "bmp", the extension corrected to ".bmp".
TSaveRequest BitmapSaveRequest(TDocumentKind kind, const QString& initialName);

// fileName with its extension replaced by ".bmp" (appended when it has none),
// after a message naming the file and the refused extension; unchanged, and
// no message, when it already ends in ".bmp" in any letter case.
QString CorrectBitmapFileName(const QString& fileName);

// The name to write for the name the user chose: corrected as
// CorrectBitmapFileName does. The save dialog asked before replacing the name
// as chosen, not the corrected one; when the correction names a file that
// exists already, the user is asked (AskQuestion) whether to replace it, and
// the result is empty if not.
QString ChosenBitmapFileName(const QString& fileName);

// Writes image to fileName in BMP format through a temporary file that takes
// the name only when complete (WriteDocument). A failure is reported naming
// the file, and so is a null image, which writes nothing. Returns whether the
// file was written.
bool WriteBitmapFile(const QImage& image, const QString& fileName);
