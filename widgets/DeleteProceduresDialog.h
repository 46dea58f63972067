#pragma once
// The procedure-deletion dialog: the names to choose from in a list, the
// first one selected. OK without a selection beeps and keeps the dialog open.
#include <QDialog>
#include <QStringList>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace mivarelo {

class DeleteProceduresDialog : public QDialog {
    Q_OBJECT
public:
    explicit DeleteProceduresDialog(QWidget* parent = nullptr);

    // Fills the list with `names`, selects the first and takes the captions
    // from the loaded language.
    void Prepare(const QStringList& names);
    // The selected index when OK closed the dialog, otherwise -1.
    int ChosenIndex() const;

    QGroupBox* GroupBox1() const { return groupBox1_; }
    QListWidget* ListBox1() const { return listBox1_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }

private:
    int SelectedRow() const;
    void Arrange();
    void Button1Click();
    void Button2Click();

    QGroupBox* groupBox1_;
    QListWidget* listBox1_;
    QPushButton* button1_;
    QPushButton* button2_;
    bool accepted_ = false;
};

} // namespace mivarelo
