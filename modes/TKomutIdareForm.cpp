#include "modes/TKomutIdareForm.h"

namespace mivarelo {

TKomutIdareForm::TKomutIdareForm(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setWindowTitle(QStringLiteral("KomutIdareForm"));
    resize(696, 480);
}

void TKomutIdareForm::SetMainForm(TLogoMainForm* main) {
    mainForm_ = main;
    MainFormAttached();
}

void TKomutIdareForm::RefreshLanguage() {
    ApplyLanguage();
}

} // namespace mivarelo
