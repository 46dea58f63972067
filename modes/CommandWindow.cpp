#include "modes/CommandWindow.h"

namespace mivarelo {

CommandWindow::CommandWindow(QWidget* parent) : QWidget(parent) {}

void CommandWindow::SetMainForm(CommandHost* host) {
    host_ = host;
    MainFormAttached();
}

void CommandWindow::RefreshLanguage() {
    ApplyLanguage();
}

} // namespace mivarelo
