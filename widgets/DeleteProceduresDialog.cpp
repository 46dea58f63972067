#include "widgets/DeleteProceduresDialog.h"

#include "core/LanguageIds.h"
#include "core/Notifier.h"
#include "widgets/DialogButtons.h"
#include "widgets/QtText.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr QRect GroupRect(8, 8, 401, 321);
constexpr QRect ListRect(16, 24, 377, 273);
constexpr int ButtonTop = 336;
constexpr int Button1Left = 40;
constexpr int Button2Left = 136;
constexpr int FormWidth = 434;
constexpr int BottomMargin = 8;

} // namespace

DeleteProceduresDialog::DeleteProceduresDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      groupBox1_(new QGroupBox(this)), listBox1_(new QListWidget(groupBox1_)),
      button1_(new QPushButton(this)), button2_(new QPushButton(this)) {
    setObjectName(QStringLiteral("DeleteProceduresDialog"));
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    button1_->setObjectName(QStringLiteral("Button1"));
    button2_->setObjectName(QStringLiteral("Button2"));
    button1_->setDefault(true);
    connect(button1_, &QPushButton::clicked, this, &DeleteProceduresDialog::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &DeleteProceduresDialog::Button2Click);
    connect(listBox1_, &QListWidget::itemDoubleClicked, this,
            &DeleteProceduresDialog::Button1Click);
    Arrange();
}

void DeleteProceduresDialog::Prepare(const QStringList& names) {
    accepted_ = false;
    listBox1_->clear();
    // Nothing is chosen until the user chooses: Enter alone deletes nothing.
    listBox1_->addItems(names);
    groupBox1_->setTitle(LanguageText(DeletableProceduresId));
    setWindowTitle(LanguageText(DeleteProcedureTitleId));
    button1_->setText(LanguageText(OkId));
    button2_->setText(LanguageText(CancelId));
    Arrange();
}

int DeleteProceduresDialog::ChosenIndex() const {
    return result() != 0 && accepted_ ? SelectedRow() : -1;
}

int DeleteProceduresDialog::SelectedRow() const {
    const QList<QListWidgetItem*> selected = listBox1_->selectedItems();
    return selected.isEmpty() ? -1 : listBox1_->row(selected.front());
}

void DeleteProceduresDialog::Arrange() {
    groupBox1_->setGeometry(GroupRect);
    listBox1_->setGeometry(ListRect);
    SizeButton(button1_);
    SizeButton(button2_);
    button1_->move(Button1Left, ButtonTop);
    button2_->move(std::max(Button2Left, button1_->x() + button1_->width() + 21), ButtonTop);
    const int buttonHeight = std::max(button1_->height(), button2_->height());
    setFixedSize(std::max(FormWidth, button2_->x() + button2_->width() + 16),
                 ButtonTop + buttonHeight + BottomMargin);
}

void DeleteProceduresDialog::Button1Click() {
    if (SelectedRow() < 0) {
        Beep();
        return;
    }
    accepted_ = true;
    accept();
}

void DeleteProceduresDialog::Button2Click() {
    accepted_ = false;
    reject();
}

} // namespace mivarelo
