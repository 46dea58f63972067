#pragma once
// The variable-watch window: variable names and their values in two lists
// side by side. Selecting an entry in either list selects the same row in
// the other. It shows the values as they were when it opened.
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

namespace mivarelo {

class VariableWatchDialog : public QDialog {
    Q_OBJECT
public:
    explicit VariableWatchDialog(QWidget* parent = nullptr);

    // Fills both lists and takes the captions from the loaded language.
    void Prepare(const QStringList& names, const QStringList& values);

    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QListWidget* ListBox1() const { return listBox1_; }
    QListWidget* ListBox2() const { return listBox2_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SelectInBoth(int row);

    QLabel* label1_;
    QLabel* label2_;
    QListWidget* listBox1_;
    QListWidget* listBox2_;
    // Set while one list's selection is copied to the other, so that the
    // copy does not echo back.
    bool syncing_ = false;
};

} // namespace mivarelo
