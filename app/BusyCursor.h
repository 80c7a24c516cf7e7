#pragma once
// The busy cursor of a long computation, put back however the computation
// ends (normal return or an exception), so the window never stays "busy".

#include <QApplication>

class TBusyCursor {
  public:
    explicit TBusyCursor(Qt::CursorShape shape = Qt::WaitCursor) {
        QApplication::setOverrideCursor(shape);
    }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
