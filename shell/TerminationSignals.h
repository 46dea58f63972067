#pragma once
// SIGTERM and SIGHUP (a logout, a shutdown, `kill`) as a Qt signal: the
// handler only writes a byte into a socket pair, and the event loop reads
// it and emits Received, where any work is safe.
#include <QObject>

class QSocketNotifier;

namespace mivarelo {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void Received();

private:
    void ReadSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace mivarelo
