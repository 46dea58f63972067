#pragma once
// The three-button confirm dialog: a message and Yes / No / Cancel. The form
// widens for a long message; closing it by its frame answers "no".
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace mivarelo {

class ConfirmDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfirmDialog(QWidget* parent = nullptr);

    // Fills in the texts and lays the form out around the message. An empty
    // caption keeps the button's own.
    void Prepare(const QString& message, const QString& title, const QString& yesCaption,
                 const QString& noCaption, const QString& cancelCaption);
    // 1 yes, 0 no, -1 cancel; -1 as well when no button closed the form.
    int Answer() const;

    QLabel* Label1() const { return label1_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }
    QPushButton* Button3() const { return button3_; }

private:
    void Arrange();
    void Choose(int answer);

    QLabel* label1_;
    QPushButton* button1_;
    QPushButton* button2_;
    QPushButton* button3_;
    int answer_ = 0;
};

} // namespace mivarelo
