#pragma once
// The image control of the windows that show pictures (bench schemes, filter
// drawings, the splash card). A picture is a logical size and a function that
// draws it in logical coordinates; on screen it is rendered at the widget's
// device pixel ratio, so it stays sharp at any screen scale, while copying and
// saving use it rendered 1:1.

#include <QImage>
#include <QSize>
#include <QWidget>
#include <functional>

class QMenu;

class TImage : public QWidget {
    Q_OBJECT

  public:
    using PaintFunction = std::function<void(QPainter&)>;

    explicit TImage(QWidget* parent = nullptr);

    // Replaces the picture; an empty size or function leaves the control empty.
    // The control's size hint becomes size.
    void SetPicture(QSize size, PaintFunction paint);
    QSize GetPictureSize() const { return PictureSize; }
    bool IsEmpty() const;
    // The picture rendered at exactly its logical size on white; a null image
    // when the control is empty.
    QImage GetPicture() const;
    // Shown on a right click (context-menu event); null shows nothing.
    void SetPopupMenu(QMenu* menu) { PopupMenu = menu; }
    QMenu* GetPopupMenu() const { return PopupMenu; }

    // size logical pixels at device pixel ratio dpr (>= 1 pixel each way),
    // filled white and painted antialiased; a null image for an empty size.
    static QImage RenderPicture(QSize size, qreal dpr, const PaintFunction& paint);

    QSize sizeHint() const override;

  signals:
    // A left click on the control.
    void OnClick();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QSize PictureSize;
    PaintFunction Paint;
    // The rendering shown last, kept until the picture or the scale changes.
    mutable QImage Cache;
    bool LeftPressed = false;
    QMenu* PopupMenu = nullptr;
};
