#include "modes/TKomutIdareForm.h"

namespace mivarelo {

TKomutIdareForm::TKomutIdareForm(QWidget* parent) : QWidget(parent) {}

void TKomutIdareForm::SetMainForm(CommandHost* host) {
    host_ = host;
    MainFormAttached();
}

void TKomutIdareForm::RefreshLanguage() {
    ApplyLanguage();
}

} // namespace mivarelo
