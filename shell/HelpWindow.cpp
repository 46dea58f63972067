#include "shell/HelpWindow.h"

#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/LanguageIds.h"
#include "shell/CommandReference.h"
#include "widgets/QtText.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace mivarelo {

namespace {

const QString AutoRepairAnchor = QStringLiteral("auto-repair");

QString Word(CommandCode code) {
    return ToQt(KeywordOf(code));
}

QString Cell(const QString& text) {
    return QStringLiteral("<td>") + text + QStringLiteral("</td>");
}

QString EntryAnchor(int index) {
    return QStringLiteral("cmd-%1").arg(index);
}

// The example runs with one click: its link carries the line.
QString ExampleLink(const QString& example) {
    QUrl link(QStringLiteral("mivarelo:run"));
    link.setFragment(example);
    return QStringLiteral("<a href=\"%1\" title=\"%2\"><code>%3</code></a>")
        .arg(link.toString(QUrl::FullyEncoded).toHtmlEscaped(),
             LanguageText(RunExampleId).toHtmlEscaped(), example.toHtmlEscaped());
}

// Every second row is shaded so that the eye can follow a row across.
QString CommandRowHtml(const ReferenceEntry& entry, int index, bool shaded) {
    const std::vector<CommandCode> shown = CommandReference::DialectWords(entry);
    QString html = shaded ? QStringLiteral("<tr bgcolor=\"#fbf7df\">") : QStringLiteral("<tr>");
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const QString anchor =
            k == 0 ? QStringLiteral("<a name=\"%1\"></a>").arg(EntryAnchor(index)) : QString();
        html += Cell(anchor + QStringLiteral("<span style=\"color: #800000\">") + Word(shown[k]) +
                     QStringLiteral("</span>"));
    }
    QStringList others;
    for (const CommandCode code : CommandReference::Members(entry))
        if (std::find(shown.begin(), shown.end(), code) == shown.end()) others << Word(code);
    html += Cell(others.join(QStringLiteral(", ")));
    html += Cell(entry.meaning.toHtmlEscaped());
    html += Cell(QStringLiteral("<i>") + entry.argument.toHtmlEscaped() + QStringLiteral("</i>"));
    html += Cell(ExampleLink(entry.example));
    html +=
        Cell(QStringLiteral("<code>") + entry.wrongUse.toHtmlEscaped() +
             QStringLiteral("</code><br><span style=\"color: #b00000\">") +
             CommandReference::WrongUseError(entry).toHtmlEscaped() + QStringLiteral("</span>"));
    return html + QStringLiteral("</tr>");
}

const char* const PageStyle = "<style>"
                              "body { font-size: 11pt; }"
                              "h1 { color: #16543c; }"
                              "h2 { color: #16543c; margin-top: 14px; }"
                              "code { color: #1d3f73; }"
                              "th { background: #f7eda6; text-align: left; }"
                              "table { border-collapse: collapse; border-color: #d8cc8c; }"
                              "</style>";

QString CommandsHtml(bool english) {
    const CommandReference reference(english);
    QString html = QString::fromLatin1(PageStyle) + QStringLiteral("<h1>") +
                   LanguageText(LogoCommandsId) + QStringLiteral("</h1><p>") +
                   LanguageText(ReferenceIntroId).toHtmlEscaped() +
                   QStringLiteral("</p><table border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"4\"><tr>");
    for (int id = ReferenceHeadingFirstId; id <= ReferenceHeadingLastId; ++id)
        html += QStringLiteral("<th>") + LanguageText(id).toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>");
    for (std::size_t i = 0; i < reference.Entries().size(); ++i)
        html += CommandRowHtml(reference.Entries()[i], static_cast<int>(i), i % 2 == 1);
    html += QStringLiteral("</table><a name=\"%1\"></a><h2>%2</h2><p>%3</p>")
                .arg(AutoRepairAnchor, LanguageText(AutoRepairTitleId).toHtmlEscaped(),
                     LanguageText(AutoRepairTextId).toHtmlEscaped());
    return html;
}

// The contents page of the interface language, compiled in under :/help/;
// %1 stands for the main procedure's name and %2 for the command list's
// caption.
QString ContentsHtml(bool english) {
    QFile page(english ? QStringLiteral(":/help/contents-english.html")
                       : QStringLiteral(":/help/contents-turkish.html"));
    page.open(QIODevice::ReadOnly);
    return QString::fromLatin1(PageStyle) +
           QString::fromUtf8(page.readAll())
               .arg(ToQt(Globals().MainProcedureName).toHtmlEscaped(),
                    LanguageText(LogoCommandsId));
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), contentsButton_(new QPushButton(this)),
      commandsButton_(new QPushButton(this)), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    browser_->setOpenLinks(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton_);
    buttons->addWidget(commandsButton_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    connect(contentsButton_, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(commandsButton_, &QPushButton::clicked, this, &HelpWindow::ShowCommands);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::LinkClicked);
    resize(1040, 680);
}

void HelpWindow::ShowContents() {
    ShowPage(ContentsHtml(Globals().EnglishInterface), ContentsId);
    shownAnchor_.clear();
}

void HelpWindow::ShowCommands() {
    ShowPage(CommandsHtml(Globals().EnglishInterface), LogoCommandsId);
    shownAnchor_.clear();
}

bool HelpWindow::ShowCommand(CommandCode code) {
    const int entry = CommandReference(Globals().EnglishInterface).EntryOf(code);
    if (entry < 0) return false;
    ShowCommandsAt(EntryAnchor(entry));
    return true;
}

bool HelpWindow::ShowCommandOfWord(const QString& word) {
    const int entry = CommandReference(Globals().EnglishInterface).EntryOfWord(word);
    if (entry < 0) return false;
    ShowCommandsAt(EntryAnchor(entry));
    return true;
}

void HelpWindow::ShowAutoRepair() {
    ShowCommandsAt(AutoRepairAnchor);
}

void HelpWindow::ShowWord(const QString& word) {
    const CommandCode code = LookupCommand(FromQt(word));
    if (code == UnknownCode || !ShowCommand(code)) ShowContents();
}

void HelpWindow::ShowErrorWord(const std::optional<QString>& word) {
    if (!word)
        ShowContents();
    else if (!ShowCommandOfWord(*word))
        ShowAutoRepair();
}

void HelpWindow::ShowCommandsAt(const QString& anchor) {
    ShowCommands();
    browser_->scrollToAnchor(anchor);
    shownAnchor_ = anchor;
}

void HelpWindow::ShowPage(const QString& html, int captionId) {
    contentsButton_->setText(LanguageText(ContentsId));
    commandsButton_->setText(LanguageText(LogoCommandsId));
    setWindowTitle(QStringLiteral("Mivarelo - ") + LanguageText(captionId));
    browser_->setHtml(html);
    show();
    raise();
    activateWindow();
}

void HelpWindow::LinkClicked(const QUrl& link) {
    if (link.toString() == QStringLiteral("mivarelo:commands"))
        ShowCommands();
    else if (link.scheme() == QStringLiteral("mivarelo") && link.path() == QStringLiteral("run"))
        emit RunExample(link.fragment(QUrl::FullyDecoded));
}

} // namespace mivarelo
