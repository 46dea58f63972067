#pragma once
// The window of graphical mode: picture buttons that write and run Logo
// lines, with a history, undo and macros.
#include "modes/TKomutIdareForm.h"

namespace mivarelo {

class TButtonKomutForm : public TKomutIdareForm {
    Q_OBJECT
public:
    explicit TButtonKomutForm(QWidget* owner);
};

} // namespace mivarelo
