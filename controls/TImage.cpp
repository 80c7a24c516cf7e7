#include "controls/TImage.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(QSize size, PaintFunction paint) {
    PictureSize = size;
    Paint = std::move(paint);
    Cache = QImage();
    updateGeometry();
    update();
}

bool TImage::IsEmpty() const {
    return PictureSize.isEmpty() || !Paint;
}

QImage TImage::GetPicture() const {
    if (IsEmpty()) {
        return QImage();
    }
    return RenderPicture(PictureSize, 1.0, Paint);
}

QImage TImage::RenderPicture(QSize size, qreal dpr, const PaintFunction& paint) {
    if (size.isEmpty() || !(dpr > 0)) {
        return QImage();
    }
    const QSize device(std::max(1, static_cast<int>(std::ceil(size.width() * dpr))),
                       std::max(1, static_cast<int>(std::ceil(size.height() * dpr))));
    QImage image(device, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    if (paint) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setClipRect(QRect(QPoint(0, 0), size));
        paint(p);
    }
    return image;
}

QSize TImage::sizeHint() const {
    return PictureSize.isEmpty() ? QWidget::sizeHint() : PictureSize;
}

// The picture sits at the top left at its logical size, like a bitmap would,
// and is rendered afresh only when the picture or the screen scale changes.
void TImage::paintEvent(QPaintEvent*) {
    if (IsEmpty()) {
        return;
    }
    const qreal dpr = devicePixelRatioF();
    if (Cache.isNull() || !qFuzzyCompare(Cache.devicePixelRatio(), dpr)) {
        Cache = RenderPicture(PictureSize, dpr, Paint);
    }
    QPainter p(this);
    p.drawImage(QPointF(0, 0), Cache);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        LeftPressed = true;
    }
    QWidget::mousePressEvent(event);
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && LeftPressed &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        LeftPressed = false;
    }
    QWidget::mouseReleaseEvent(event);
    if (click) {
        emit OnClick();
    }
}

void TImage::contextMenuEvent(QContextMenuEvent* event) {
    if (PopupMenu == nullptr) {
        QWidget::contextMenuEvent(event);
        return;
    }
    PopupMenu->popup(event->globalPos());
    event->accept();
}
