#include "modes/TButtonKomutForm.h"

namespace mivarelo {

TButtonKomutForm::TButtonKomutForm(QWidget* owner) : TKomutIdareForm(owner) {}

} // namespace mivarelo
