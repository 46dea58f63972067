#include "widgets/LineNumberMargin.h"

#include "widgets/CodeEditor.h"

#include <QPaintEvent>

namespace mivarelo {

LineNumberMargin::LineNumberMargin(CodeEditor* editor) : QWidget(editor), editor_(editor) {
    setObjectName(QStringLiteral("LineNumberMargin"));
}

QSize LineNumberMargin::sizeHint() const {
    return {editor_->MarginWidth(), 0};
}

void LineNumberMargin::paintEvent(QPaintEvent* event) {
    editor_->PaintMargin(event->rect());
}

} // namespace mivarelo
