#pragma once
// The description window: a drawing of the filter chosen in the main window,
// with the filter's name as its caption. The main window decides which of the
// five pictures is shown and what the caption says; this window offers saving
// and copying the shown drawing and closing.

#include <QDialog>
#include <array>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class TImage;

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm2(QWidget* parent = nullptr);

    QMenuBar* MainMenu1;
    QMenu* PopupMenu1;
    QFrame* Panel1;
    // One drawing per item of the main window's filter list, in its order.
    TImage* Image1;
    TImage* Image2;
    TImage* Image3;
    TImage* Image4;
    TImage* Image5;

    std::array<TImage*, 5> Images() const { return {Image1, Image2, Image3, Image4, Image5}; }
    // The first visible picture, Image5 when none of the others is.
    TImage* ShownImage() const;

    void N2Click(); // save the shown drawing as a bitmap file
    void N3Click(); // copy the shown drawing to the clipboard
    void N5Click(); // close (ends the modal display)
};
