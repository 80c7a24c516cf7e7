#pragma once
// Saving a window's picture as a Windows bitmap file through the save dialog
// (initial name "Рисунок.bmp"): a wrong extension is corrected to ".bmp" with
// a message (an existing file of the corrected name is replaced only if the
// user agrees), and a failed write is reported naming the file, leaving no
// half-written file behind.

class QImage;
class QWidget;
class TImage;

// Saves the picture of image. A null control or an empty picture asks
// nothing and writes nothing.
void SaveImageToBmp(TImage* image);

// The same for any picture; parent owns the dialog. Returns whether a file
// was written (false after cancel, a refused dialog or a failed write).
bool SaveImageToBmp(QWidget* parent, const QImage& picture);
