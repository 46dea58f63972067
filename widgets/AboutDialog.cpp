#include "widgets/AboutDialog.h"

#include "core/CommandTable.h"
#include "core/Keywords.h"
#include "core/LanguageIds.h"
#include "widgets/QtText.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr QSize ClientSize(747, 315);
// The form's pale yellow, and the colours of its headings and drawings.
constexpr QColor Background(247, 237, 166);
constexpr QColor TitleColor(22, 84, 60);
constexpr QColor TextColor(60, 50, 20);
constexpr QColor ShellColor(46, 139, 87);
constexpr QColor SkinColor(120, 180, 90);
constexpr int TurtleSize = 56;
constexpr int DrawingSize = 250;
constexpr int Petals = 12;
constexpr CommandCode ForwardCode = CodeOf(Keyword::ForwardTr);

// A turtle seen from above, heading up: legs and head under a round shell.
QPixmap TurtlePicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    p.setPen(QPen(ShellColor.darker(140), 3));
    p.setBrush(SkinColor);
    for (const QPointF leg : {QPointF(27, 32), QPointF(73, 32), QPointF(27, 72), QPointF(73, 72)})
        p.drawEllipse(leg, 10, 10);
    p.drawEllipse(QPointF(50, 14), 11, 12);
    p.setBrush(ShellColor);
    p.drawEllipse(QPointF(50, 54), 30, 34);
    p.setPen(QPen(ShellColor.darker(160), 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath plate;
    plate.addPolygon(QPolygonF({QPointF(50, 38), QPointF(63, 46), QPointF(63, 62), QPointF(50, 70),
                                QPointF(37, 62), QPointF(37, 46), QPointF(50, 38)}));
    p.drawPath(plate);
    return pixmap;
}

// What a turtle draws with "repeat 12 [square, turn 30]": twelve squares
// around one corner, each in the next colour of the rainbow, and the
// turtle where it stopped.
QPixmap DrawingPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = size * 0.3;
    p.translate(size / 2.0, size / 2.0);
    for (int i = 0; i < Petals; ++i) {
        p.setPen(QPen(QColor::fromHsv(i * 360 / Petals, 200, 220), 2.5));
        p.drawRect(QRectF(0, 0, side, side));
        p.rotate(360.0 / Petals);
    }
    const int turtle = size / 6;
    p.drawPixmap(-turtle / 2, -turtle / 2, TurtlePicture(turtle));
    return pixmap;
}

QLabel* TextLabel(QWidget* parent, int pointSize, bool bold, const QColor& colour) {
    auto* label = new QLabel(parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setWordWrap(true);
    return label;
}

// "ileri · ig · forward · fd": one command in the four dialects.
QString FourDialects(CommandCode code) {
    QStringList words;
    for (const bool turkish : {true, false})
        for (const bool longForm : {true, false})
            words << ToQt(KeywordOf(TranslateCode(code, turkish, longForm)));
    return words.join(QStringLiteral("  ·  "));
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      image1_(new QLabel(this)), panel1_(new QFrame(this)), image2_(new QLabel(panel1_)),
      label1_(TextLabel(this, 26, true, TitleColor)), label2_(TextLabel(this, 12, true, TextColor)),
      label3_(TextLabel(this, 10, false, TextColor)), label4_(TextLabel(this, 10, true, TextColor)),
      label5_(TextLabel(this, 10, false, TextColor)),
      label6_(TextLabel(this, 11, true, TitleColor)), label7_(TextLabel(this, 9, false, TextColor)),
      button1_(new QPushButton(this)) {
    setObjectName(QStringLiteral("AboutDialog"));
    panel1_->setObjectName(QStringLiteral("Panel1"));
    label1_->setObjectName(QStringLiteral("Label1"));
    button1_->setObjectName(QStringLiteral("Button1"));
    setWindowTitle(QStringLiteral("Mivarelo"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Background);
    setPalette(palette);

    image1_->setPixmap(TurtlePicture(TurtleSize));
    image2_->setPixmap(DrawingPicture(DrawingSize));
    panel1_->setStyleSheet(QStringLiteral(
        "#Panel1 { background: white; border: 1px solid #c8b560; border-radius: 10px; }"));
    auto* panelLayout = new QVBoxLayout(panel1_);
    panelLayout->setContentsMargins(8, 8, 8, 8);
    panelLayout->addWidget(image2_);

    label1_->setWordWrap(false);
    label6_->setWordWrap(false);
    auto* heading = new QHBoxLayout;
    heading->setSpacing(12);
    heading->addWidget(image1_);
    heading->addWidget(label1_, 1);

    auto* closing = new QHBoxLayout;
    closing->addWidget(label7_, 1);
    closing->addWidget(button1_, 0, Qt::AlignBottom);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addLayout(heading);
    texts->addWidget(label2_);
    texts->addWidget(label3_);
    texts->addSpacing(12);
    texts->addWidget(label4_);
    texts->addSpacing(6);
    texts->addWidget(label5_);
    texts->addWidget(label6_);
    texts->addStretch(1);
    texts->addLayout(closing);

    auto* form = new QHBoxLayout(this);
    form->setContentsMargins(20, 20, 20, 20);
    form->setSpacing(24);
    form->addWidget(panel1_, 0, Qt::AlignTop);
    form->addLayout(texts, 1);

    button1_->setDefault(true);
    button1_->setMinimumWidth(90);
    connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::Prepare(const QString& title) {
    label1_->setText(title);
    label2_->setText(LanguageText(AboutTaglineId));
    label3_->setText(LanguageText(VersionId) + QLatin1Char(' ') + QStringLiteral(MIVARELO_VERSION));
    label4_->setText(LanguageText(AboutInvitationId));
    label5_->setText(LanguageText(AboutFourWaysId));
    label6_->setText(FourDialects(ForwardCode));
    label7_->setText(LanguageText(AboutCreditId));
    button1_->setText(LanguageText(OkId));
    const QSize hint = sizeHint();
    setFixedSize(std::max(ClientSize.width(), hint.width()),
                 std::max(ClientSize.height(), hint.height()));
}

} // namespace mivarelo
