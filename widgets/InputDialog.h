#pragma once
// The one-line input dialog: a prompt with an edit beside it and OK / Cancel
// centred below. The form grows with its prompt.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mivarelo {

class InputDialog : public QDialog {
    Q_OBJECT
public:
    explicit InputDialog(QWidget* parent = nullptr);

    // Fills in the texts and lays the form out around the prompt.
    void Prepare(const QString& prompt, const QString& initial, const QString& title,
                 const QString& okCaption, const QString& cancelCaption);
    // The edited text when OK or Enter closed the form, otherwise the
    // initial text.
    QString Result() const;
    const QString& Value() const { return value_; }
    bool Accepted() const { return accepted_; }

    QLabel* Label1() const { return label1_; }
    QLineEdit* Edit1() const { return edit1_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }

private:
    void Arrange();
    void Button1Click();
    void Button2Click();

    QLabel* label1_;
    QLineEdit* edit1_;
    QPushButton* button1_;
    QPushButton* button2_;
    QString value_;
    QString initial_;
    bool accepted_ = false;
};

} // namespace mivarelo
