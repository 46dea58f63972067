#pragma once
// The strip left of the editor that shows the number of every visible line.
// It only holds the place; the editor paints the numbers, since only the
// editor knows where its lines stand.
#include <QWidget>

namespace mivarelo {

class CodeEditor;

class LineNumberMargin : public QWidget {
    Q_OBJECT
public:
    explicit LineNumberMargin(CodeEditor* editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CodeEditor* editor_;
};

} // namespace mivarelo
