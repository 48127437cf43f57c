#pragma once
#include <QObject>
#include <QTimer>

// A timer with the switching rules the window relies on: enabling an enabled
// timer leaves its countdown alone (QTimer::start would restart it), a new
// interval restarts a running countdown, disabling stops it.
class VclTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(int interval READ interval WRITE setInterval)
public:
    VclTimer(QObject* parent, const QString& name, bool enabled, int interval);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    int interval() const { return interval_; }
    void setInterval(int ms);

    // Runs the tick now, as if the countdown had run out (tests drive ticks this way).
    void fire() { emit OnTimer(); }

signals:
    void OnTimer();

private:
    QTimer timer_;
    bool enabled_;
    int interval_;
};
