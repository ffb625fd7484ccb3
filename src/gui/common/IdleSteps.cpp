#include "gui/common/IdleSteps.h"

#include <QTimer>

namespace qm {

IdleSteps::IdleSteps(QObject* parent) : QObject(parent) {
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &IdleSteps::pass);
}

void IdleSteps::wake(bool shown) {
    wanted_ = true;
    if (on_ && shown && !timer_->isActive())
        timer_->start();
}

void IdleSteps::frameDrawn() {
    if (on_ && wanted_ && !timer_->isActive())
        timer_->start();
}

void IdleSteps::pass() {
    if (!on_ || !wanted_)
        return;
    wanted_ = false;
    for (const Step& step : steps_) {
        if (step()) {
            wanted_ = true;
            timer_->start(); // a later pass, after the events waiting now
            return;
        }
    }
}

} // namespace qm
