#include "widgets/ConfirmDialog.h"

#include "core/LanguageIds.h"
#include "widgets/DialogButtons.h"
#include "widgets/QtText.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr int MessageLeft = 10;
constexpr int MessageTop = 24;
constexpr int RightMargin = 20;
constexpr int MinFormWidth = 300;
constexpr int ButtonGap = 20;
// Three standard buttons with their two gaps and a little slack: the row
// that the form centres.
constexpr int ButtonRowSpan = 275;
constexpr int MinButtonTop = 64;
constexpr int RowGap = 16;
constexpr int BottomMargin = 20;

void SetCaption(QPushButton* button, const QString& caption) {
    if (!caption.isEmpty()) button->setText(caption);
}

} // namespace

ConfirmDialog::ConfirmDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      label1_(new QLabel(this)), button1_(new QPushButton(LanguageText(YesId), this)),
      button2_(new QPushButton(LanguageText(NoId), this)),
      button3_(new QPushButton(LanguageText(CancelId), this)) {
    setObjectName(QStringLiteral("ConfirmDialog"));
    label1_->setObjectName(QStringLiteral("Label1"));
    button1_->setObjectName(QStringLiteral("Button1"));
    button2_->setObjectName(QStringLiteral("Button2"));
    button3_->setObjectName(QStringLiteral("Button3"));
    button1_->setDefault(true);
    connect(button1_, &QPushButton::clicked, this, [this] { Choose(1); });
    connect(button2_, &QPushButton::clicked, this, [this] { Choose(0); });
    connect(button3_, &QPushButton::clicked, this, [this] { Choose(-1); });
}

void ConfirmDialog::Prepare(const QString& message, const QString& title, const QString& yesCaption,
                            const QString& noCaption, const QString& cancelCaption) {
    answer_ = 0;
    label1_->setText(message);
    SetCaption(button1_, yesCaption);
    SetCaption(button2_, noCaption);
    SetCaption(button3_, cancelCaption);
    setWindowTitle(title);
    Arrange();
}

// Escape, the frame's close button and Alt+F4 reject the form: that is
// Cancel, which changes nothing.
int ConfirmDialog::Answer() const {
    return result() != 0 ? answer_ : -1;
}

// The message stands at the left; the form reaches 20 pixels past it, or
// 300 pixels for a short one, and centres the row of buttons. Buttons that a
// large font widens widen the row, and the form with it.
void ConfirmDialog::Arrange() {
    label1_->adjustSize();
    label1_->move(MessageLeft, MessageTop);
    SizeButton(button1_);
    SizeButton(button2_);
    SizeButton(button3_);
    const int extra =
        button1_->width() + button2_->width() + button3_->width() - 3 * DialogButtonMinWidth;
    const int rowSpan = ButtonRowSpan + extra;
    const int formWidth = std::max(
        {label1_->x() + label1_->width() + RightMargin, MinFormWidth, rowSpan + RightMargin});
    const int buttonTop = std::max(MinButtonTop, label1_->y() + label1_->height() + RowGap);
    button1_->move((formWidth - rowSpan) / 2, buttonTop);
    button2_->move(button1_->x() + button1_->width() + ButtonGap, buttonTop);
    button3_->move(button2_->x() + button2_->width() + ButtonGap, buttonTop);
    const int buttonHeight = std::max({button1_->height(), button2_->height(), button3_->height()});
    setFixedSize(formWidth, buttonTop + buttonHeight + BottomMargin);
}

void ConfirmDialog::Choose(int answer) {
    answer_ = answer;
    accept();
}

} // namespace mivarelo
