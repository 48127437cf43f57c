#include "app/VclTimer.h"

VclTimer::VclTimer(QObject* parent, const QString& name, bool enabled, int interval)
    : QObject(parent), enabled_(false), interval_(interval) {
    setObjectName(name);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &VclTimer::OnTimer);
    setEnabled(enabled);
}

void VclTimer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
        timer_.start(interval_);
    else
        timer_.stop();
}

void VclTimer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) timer_.start(interval_);
}
