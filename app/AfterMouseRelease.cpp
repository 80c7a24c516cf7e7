#include "app/AfterMouseRelease.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// Watches the application's events until the first release, then runs the
// step and goes. A child of the context, so it goes with it.
class TAfterRelease : public QObject {
  public:
    TAfterRelease(QObject* context, std::function<void()> step)
        : QObject(context), Step(std::move(step)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            QCoreApplication::instance()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    Step();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    std::function<void()> Step;
};

} // namespace

void RunAfterMouseRelease(QObject* context, std::function<void()> step) {
    new TAfterRelease(context, std::move(step));
}
