#include "app/TForm2.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/FilterDrawings.h"
#include "controls/LabIcons.h"
#include "controls/SaveImageToBmp.h"
#include "controls/TImage.h"

namespace {
QAction* AddItem(QMenu* menu, const char* name, const char* caption, TLabIcon icon) {
    QAction* a = menu->addAction(LabIcon(icon), QString::fromUtf8(caption));
    a->setObjectName(name);
    return a;
}
} // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("Form2");
    setWindowTitle(QString::fromUtf8("Согласованный фильтр для прямоугольного импульса"));
    setWindowIcon(LabIcon(TLabIcon::Description));

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    QMenu* n1 = MainMenu1->addMenu(QString::fromUtf8("&Файл"));
    n1->setObjectName("N1");
    n1->menuAction()->setObjectName("N1");
    QAction* n2 = AddItem(n1, "N2", "Сохранить рисунок", TLabIcon::Save);
    QAction* n3 = AddItem(n1, "N3", "Копировать рисунок", TLabIcon::Copy);
    n1->addSeparator()->setObjectName("N4");
    QAction* n5 = AddItem(n1, "N5", "Закрыть", TLabIcon::Close);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    QAction* n6 = AddItem(PopupMenu1, "N6", "Сохранить рисунок", TLabIcon::Save);
    QAction* n7 = AddItem(PopupMenu1, "N7", "Копировать рисунок", TLabIcon::Copy);
    PopupMenu1->addSeparator()->setObjectName("N8");
    QAction* n9 = AddItem(PopupMenu1, "N9", "Закрыть", TLabIcon::Close);

    for (QAction* a : {n2, n6}) {
        connect(a, &QAction::triggered, this, &TForm2::N2Click);
    }
    for (QAction* a : {n3, n7}) {
        connect(a, &QAction::triggered, this, &TForm2::N3Click);
    }
    for (QAction* a : {n5, n9}) {
        connect(a, &QAction::triggered, this, &TForm2::N5Click);
    }

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setFixedSize(491, 308);

    TImage** images[] = {&Image1, &Image2, &Image3, &Image4, &Image5};
    for (int item = 0; item < 5; ++item) {
        TImage* image = new TImage(Panel1);
        image->setObjectName(QString("Image%1").arg(item + 1));
        // The third drawing sits one pixel further up and left, as designed.
        const int at = item == 2 ? 3 : 4;
        image->setGeometry(at, at, FilterPictureWidth, FilterPictureHeight);
        image->SetPicture(QSize(FilterPictureWidth, FilterPictureHeight),
                          [item](QPainter& p) { PaintFilterPicture(p, item); });
        image->SetPopupMenu(PopupMenu1);
        image->setVisible(item == 0);
        *images[item] = image;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TImage* TForm2::ShownImage() const {
    for (TImage* image : {Image1, Image2, Image3, Image4}) {
        if (!image->isHidden()) {
            return image;
        }
    }
    return Image5;
}

void TForm2::N2Click() {
    SaveImageToBmp(ShownImage());
}

void TForm2::N3Click() {
    QGuiApplication::clipboard()->setImage(ShownImage()->GetPicture());
}

void TForm2::N5Click() {
    close();
}
