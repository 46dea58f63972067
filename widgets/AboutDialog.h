#pragma once
// The about box: the program's name, a line about what it is for, its
// version and credits beside a turtle drawing, and an OK button.
#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace mivarelo {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Shows `title` as the heading.
    void Prepare(const QString& title);

    QLabel* Label1() const { return label1_; }
    QPushButton* Button1() const { return button1_; }

private:
    QLabel* image1_;
    QFrame* panel1_;
    QLabel* image2_;
    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* label4_;
    QLabel* label5_;
    QLabel* label6_;
    QLabel* label7_;
    QPushButton* button1_;
};

} // namespace mivarelo
