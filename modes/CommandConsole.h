#pragma once
// The one-line console under the editor: Enter hands the typed line over to
// be run at once, and Up and Down walk through the lines entered before.
#include <QLineEdit>
#include <QStringList>

namespace mivarelo {

class CommandConsole : public QLineEdit {
    Q_OBJECT
public:
    explicit CommandConsole(QWidget* parent = nullptr);

    const QStringList& History() const { return history_; }

signals:
    // A non-empty line was entered.
    void LineEntered(const QString& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Enter();
    void Recall(int step);

    QStringList history_;
    // The place in the history being shown; history_.size() is the new line.
    qsizetype place_ = 0;
    // What was being typed before the history was entered.
    QString draft_;
};

} // namespace mivarelo
