#pragma once
// The application object of the desktop program: an exception that escapes
// an event handler reaches OnException instead of ending the program, and
// the event loop goes on.
#include <QApplication>

#include <functional>

namespace mivarelo {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Called with the exception's text; by default nothing happens.
    void SetExceptionHandler(std::function<void(const QString&)> handler);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const QString&)> onException_;
};

} // namespace mivarelo
