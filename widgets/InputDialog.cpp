#include "widgets/InputDialog.h"

#include "widgets/DialogButtons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace mivarelo {

namespace {

// The form's grid, in pixels: prompt and edit on the first row, the buttons
// below. Widths and heights grow with the font so that nothing is cut off.
constexpr int PromptLeft = 24;
constexpr int RowTop = 24;
constexpr int EditGap = 5;
constexpr int MinEditWidth = 121;
constexpr int EditChars = 20;
constexpr int ButtonGap = 5;
constexpr int MinButtonTop = 48;
constexpr int RowGap = 12;
constexpr int BottomMargin = 16;

} // namespace

InputDialog::InputDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      label1_(new QLabel(this)), edit1_(new QLineEdit(this)), button1_(new QPushButton(this)),
      button2_(new QPushButton(this)) {
    setObjectName(QStringLiteral("InputDialog"));
    label1_->setObjectName(QStringLiteral("Label1"));
    edit1_->setObjectName(QStringLiteral("Edit1"));
    button1_->setObjectName(QStringLiteral("Button1"));
    button2_->setObjectName(QStringLiteral("Button2"));
    button1_->setDefault(true);
    connect(edit1_, &QLineEdit::textChanged, this, [this](const QString& text) { value_ = text; });
    connect(edit1_, &QLineEdit::returnPressed, this, &InputDialog::Button1Click);
    connect(button1_, &QPushButton::clicked, this, &InputDialog::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &InputDialog::Button2Click);
}

void InputDialog::Prepare(const QString& prompt, const QString& initial, const QString& title,
                          const QString& okCaption, const QString& cancelCaption) {
    initial_ = initial;
    accepted_ = false;
    setWindowTitle(title);
    label1_->setText(prompt);
    edit1_->setText(initial);
    value_ = initial;
    button1_->setText(okCaption);
    button2_->setText(cancelCaption);
    edit1_->selectAll();
    edit1_->setFocus();
    Arrange();
}

QString InputDialog::Result() const {
    return result() != 0 && accepted_ ? value_ : initial_;
}

// The edit follows the prompt; the form is wide enough for both buttons and
// for the edit with a margin, and the buttons sit side by side in its middle.
void InputDialog::Arrange() {
    label1_->adjustSize();
    SizeButton(button1_);
    SizeButton(button2_);
    const int editHeight = edit1_->sizeHint().height();
    const int editWidth =
        std::max(MinEditWidth, edit1_->fontMetrics().averageCharWidth() * EditChars);
    const int rowHeight = std::max(editHeight, label1_->height());
    label1_->move(PromptLeft, RowTop + (rowHeight - label1_->height()) / 2);
    edit1_->setGeometry(label1_->x() + label1_->width() + EditGap,
                        RowTop + (rowHeight - editHeight) / 2, editWidth, editHeight);

    const int b = button1_->width() + button2_->width();
    const int formWidth = std::max(b + 35, edit1_->x() + edit1_->width() + 30);
    const int buttonTop = std::max(MinButtonTop, RowTop + rowHeight + RowGap);
    button1_->move((formWidth - b - ButtonGap) / 2, buttonTop);
    button2_->move(button1_->x() + button1_->width() + ButtonGap, buttonTop);
    const int buttonHeight = std::max(button1_->height(), button2_->height());
    setFixedSize(formWidth, buttonTop + buttonHeight + BottomMargin);
}

void InputDialog::Button1Click() {
    accepted_ = true;
    accept();
}

void InputDialog::Button2Click() {
    accepted_ = false;
    reject();
}

} // namespace mivarelo
