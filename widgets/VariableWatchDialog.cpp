#include "widgets/VariableWatchDialog.h"

#include "core/LanguageIds.h"
#include "widgets/QtText.h"

#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr int Margin = 24;
constexpr int LabelTop = 24;
constexpr int LabelIndent = 8;
constexpr int ListTop = 48;
// The lists overlap by one pixel so that their frames form a single line.
constexpr int ListOverlap = 1;
constexpr int StartWidth = 449;
constexpr int StartHeight = 377;
constexpr QSize MinimumSize(240, 200);

QLabel* ColumnLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(16);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

} // namespace

VariableWatchDialog::VariableWatchDialog(QWidget* parent)
    : QDialog(parent), label1_(ColumnLabel(this)), label2_(ColumnLabel(this)),
      listBox1_(new QListWidget(this)), listBox2_(new QListWidget(this)) {
    setObjectName(QStringLiteral("VariableWatchDialog"));
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_->setObjectName(QStringLiteral("Label2"));
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    listBox2_->setObjectName(QStringLiteral("ListBox2"));
    connect(listBox1_, &QListWidget::currentRowChanged, this, &VariableWatchDialog::SelectInBoth);
    connect(listBox2_, &QListWidget::currentRowChanged, this, &VariableWatchDialog::SelectInBoth);
    // Long lists scroll together, so that a name stays beside its value.
    connect(listBox1_->verticalScrollBar(), &QScrollBar::valueChanged,
            listBox2_->verticalScrollBar(), &QScrollBar::setValue);
    connect(listBox2_->verticalScrollBar(), &QScrollBar::valueChanged,
            listBox1_->verticalScrollBar(), &QScrollBar::setValue);
    setMinimumSize(MinimumSize);
    resize(StartWidth, StartHeight);
}

void VariableWatchDialog::Prepare(const QStringList& names, const QStringList& values) {
    label1_->setText(LanguageText(VariablesId));
    label2_->setText(LanguageText(ValuesId));
    setWindowTitle(LanguageText(VariableWatchId));
    label1_->adjustSize();
    label2_->adjustSize();
    listBox1_->clear();
    listBox2_->clear();
    listBox1_->addItems(names);
    listBox2_->addItems(values);
}

// Both lists share the width between the margins and fill the height; each
// label stands over its list.
void VariableWatchDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int half = (width() - 2 * Margin) / 2;
    const int listHeight = std::max(0, height() - ListTop - Margin);
    listBox1_->setGeometry(Margin, ListTop, half + ListOverlap, listHeight);
    listBox2_->setGeometry(Margin + half, ListTop, width() - Margin - (Margin + half), listHeight);
    label1_->move(listBox1_->x() + LabelIndent, LabelTop);
    label2_->move(listBox2_->x() + LabelIndent, LabelTop);
    label1_->adjustSize();
    label2_->adjustSize();
}

void VariableWatchDialog::SelectInBoth(int row) {
    if (syncing_) return;
    syncing_ = true;
    listBox1_->setCurrentRow(row);
    listBox2_->setCurrentRow(row);
    syncing_ = false;
}

} // namespace mivarelo
