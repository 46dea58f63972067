#include "shell/GuardedApplication.h"

#include <exception>

namespace mivarelo {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void GuardedApplication::SetExceptionHandler(std::function<void(const QString&)> handler) {
    onException_ = std::move(handler);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (onException_) onException_(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        if (onException_) onException_(QString());
    }
    return false;
}

} // namespace mivarelo
