#include "shell/THelpForm.h"

#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "shell/CommandReference.h"
#include "shell/QtText.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr int CommandsCaptionId = 7469;
constexpr int FirstHeadingId = 7837;
constexpr int HeadingCount = 9;
constexpr int IntroId = 7846;
constexpr int AutoRepairTitleId = 7832;
constexpr int AutoRepairTextId = 7833;
constexpr int RunLinkTitleId = 7831;
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
             LanguageText(RunLinkTitleId).toHtmlEscaped(), example.toHtmlEscaped());
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
                   LanguageText(CommandsCaptionId) + QStringLiteral("</h1><p>") +
                   LanguageText(IntroId).toHtmlEscaped() +
                   QStringLiteral("</p><table border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"4\"><tr>");
    for (int id = FirstHeadingId; id < FirstHeadingId + HeadingCount; ++id)
        html += QStringLiteral("<th>") + LanguageText(id).toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>");
    for (std::size_t i = 0; i < reference.Entries().size(); ++i)
        html += CommandRowHtml(reference.Entries()[i], static_cast<int>(i), i % 2 == 1);
    html += QStringLiteral("</table><a name=\"%1\"></a><h2>%2</h2><p>%3</p>")
                .arg(AutoRepairAnchor, LanguageText(AutoRepairTitleId).toHtmlEscaped(),
                     LanguageText(AutoRepairTextId).toHtmlEscaped());
    return html;
}

const char* const ContentsTurkish = R"(
<h1>Mivarelo</h1>
<p>Mivarelo ile kaplumbağaya komut verirsiniz, o da çizer. Komutlar Türkçe ya da İngilizce
yazılabilir.</p>
<h2>Komut modu</h2>
<p>Komutları düzenleyiciye yazın; bir satıra bir ya da birkaç komut yazılabilir. Düzenleyicinin
üstündeki listede programınızın prosedürleri durur; ilki, <b>%1</b>, ana prosedürdür.</p>
<ul>
<li><b>F2</b>: listede seçili prosedürü çalıştırır.</li>
<li><b>F8</b>: program çalışırken durdurur; çalışmıyorken hata listesindeki bir sonraki hataya
gider. Tanınmayan sözcükler hata listesine satır numarasıyla yazılır.</li>
<li><b>F3</b>: yeni bir prosedür ekler.</li>
<li><b>F1</b>: düzenleyicide imlecin üzerindeki komutun, hata listesinde seçili hatanın
açıklamasını açar.</li>
</ul>
<p>Düzenleyicinin altındaki satıra yazılan komut Enter ile hemen çalışır ama programa eklenmez;
yukarı ve aşağı okları önceki satırları geri getirir. Bir sözcüğün iki harfini yazınca
düzenleyici komutları ve prosedürleri önerir.</p>
<h2>Dört yazılış</h2>
<p><code>ileri 100</code>, <code>ig 100</code>, <code>forward 100</code> ve <code>fd 100</code>
aynı işi yapar: Türkçe uzun, Türkçe kısa, İngilizce uzun ve İngilizce kısa. Hepsini karışık
kullanabilirsiniz; Komut Dili menüsü programı istediğiniz yazılışa çevirir.</p>
<p>Bir satırdaki komutlar boşlukla ya da <code>;</code> ile ayrılır:
<code>ileri 100 sağ 90</code>. Kesme işaretinden (<code>'</code>) sonrası açıklamadır ve
çalıştırılmaz.</p>
<h2>Argümanlı prosedürler</h2>
<p>F3 ile prosedürün adını argümanlarıyla birlikte yazın: <code>kare :boy</code>. İçine
<code>tekrar 4 [ileri :boy sağ 90]</code> yazın. Ana prosedürden <code>kare 50</code> diye
çağırın. Birden çok argüman virgülle ayrılır: <code>dikdörtgen 50, 80</code>.</p>
<h2>Değişkenler</h2>
<p><code>x := 5</code> x'e 5 değerini verir; <code>ileri x * 10</code> onu kullanır.
Hesaplarda <code>+ - * /</code> ve parantez kullanılabilir.</p>
<h2>Tekrar ve karar</h2>
<ul>
<li><code>tekrar 36 [ileri 10 sağ 10]</code> bir daire çizer; <code>repcount</code> kaçıncı
turda olunduğunu verir.</li>
<li><code>eğer x > 3 [sağ 90]</code> koşul doğruysa listeyi çalıştırır. Eşitlik
<code>==</code> ile sınanır.</li>
<li>Döngüler: <code>iken [x &lt; 5] [ileri 20; x := x + 1]</code>, <code>kadar</code>,
<code>yapiken</code>, <code>yapkadar</code> ve
<code>döngü [i := 1; i &lt; 5; i := i + 1] [ileri 20]</code>.</li>
</ul>
<p>Bütün komutlar için <a href="mivarelo:commands">%2</a> sayfasına bakın.</p>
)";

const char* const ContentsEnglish = R"(
<h1>Mivarelo</h1>
<p>With Mivarelo you give the turtle commands, and it draws. Commands can be written in Turkish
or in English.</p>
<h2>Command mode</h2>
<p>Type your commands into the editor, one or more on a line. The list above the editor holds
the procedures of your program; the first one, <b>%1</b>, is the main procedure.</p>
<ul>
<li><b>F2</b>: runs the procedure selected in the list.</li>
<li><b>F8</b>: stops a running program; when nothing runs, goes to the next error of the error
list. Words the turtle does not know are listed there with their line numbers.</li>
<li><b>F3</b>: adds a new procedure.</li>
<li><b>F1</b>: explains the command under the editor's cursor, or the error selected in the
error list.</li>
</ul>
<p>A line typed under the editor runs at once when you press Enter but is not added to the
program; the Up and Down keys bring back earlier lines. After two letters of a word the editor
offers the commands and procedures that begin with them.</p>
<h2>Four ways to write</h2>
<p><code>ileri 100</code>, <code>ig 100</code>, <code>forward 100</code> and <code>fd 100</code>
do the same: Turkish long, Turkish short, English long and English short. You may mix them;
the Command Language menu rewrites the program in the one you choose.</p>
<p>Commands on one line are separated by blanks or by <code>;</code>:
<code>forward 100 right 90</code>. Everything after an apostrophe (<code>'</code>) is a comment
and does not run.</p>
<h2>Procedures with arguments</h2>
<p>Press F3 and type the procedure's name with its arguments: <code>square :size</code>. Write
<code>repeat 4 [forward :size right 90]</code> into it. Call it from the main procedure with
<code>square 50</code>. Several arguments are separated by commas: <code>box 50, 80</code>.</p>
<h2>Variables</h2>
<p><code>x := 5</code> gives x the value 5; <code>forward x * 10</code> uses it. Calculations
may use <code>+ - * /</code> and brackets.</p>
<h2>Repeating and deciding</h2>
<ul>
<li><code>repeat 36 [forward 10 right 10]</code> draws a circle; <code>repcount</code> tells
which round is running.</li>
<li><code>if x > 3 [right 90]</code> runs the list when the condition holds. Equality is tested
with <code>==</code>.</li>
<li>Loops: <code>while [x &lt; 5] [forward 20; x := x + 1]</code>, <code>until</code>,
<code>dowhile</code>, <code>dountil</code> and
<code>for [i := 1; i &lt; 5; i := i + 1] [forward 20]</code>.</li>
</ul>
<p>See <a href="mivarelo:commands">%2</a> for every command.</p>
)";

QString ContentsHtml(bool english) {
    return QString::fromLatin1(PageStyle) +
           QString::fromUtf8(english ? ContentsEnglish : ContentsTurkish)
               .arg(ToQt(Globals().MainProcedureName).toHtmlEscaped(), LanguageText(7469));
}

} // namespace

THelpForm::THelpForm(QWidget* parent)
    : QWidget(parent, Qt::Window), contentsButton_(new QPushButton(this)),
      commandsButton_(new QPushButton(this)), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("THelpForm"));
    browser_->setOpenLinks(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton_);
    buttons->addWidget(commandsButton_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    connect(contentsButton_, &QPushButton::clicked, this, &THelpForm::ShowContents);
    connect(commandsButton_, &QPushButton::clicked, this, &THelpForm::ShowCommands);
    connect(browser_, &QTextBrowser::anchorClicked, this, &THelpForm::LinkClicked);
    resize(1040, 680);
}

void THelpForm::ShowContents() {
    ShowPage(ContentsHtml(Globals().EnglishInterface), 7468);
    shownAnchor_.clear();
}

void THelpForm::ShowCommands() {
    ShowPage(CommandsHtml(Globals().EnglishInterface), CommandsCaptionId);
    shownAnchor_.clear();
}

bool THelpForm::ShowCommand(CommandCode code) {
    const int entry = CommandReference(Globals().EnglishInterface).EntryOf(code);
    if (entry < 0) return false;
    ShowCommandsAt(EntryAnchor(entry));
    return true;
}

bool THelpForm::ShowCommandOfWord(const QString& word) {
    const int entry = CommandReference(Globals().EnglishInterface).EntryOfWord(word);
    if (entry < 0) return false;
    ShowCommandsAt(EntryAnchor(entry));
    return true;
}

void THelpForm::ShowAutoRepair() {
    ShowCommandsAt(AutoRepairAnchor);
}

void THelpForm::ShowCommandsAt(const QString& anchor) {
    ShowCommands();
    browser_->scrollToAnchor(anchor);
    shownAnchor_ = anchor;
}

void THelpForm::ShowPage(const QString& html, int captionId) {
    contentsButton_->setText(LanguageText(7468));
    commandsButton_->setText(LanguageText(7469));
    setWindowTitle(QStringLiteral("Mivarelo - ") + LanguageText(captionId));
    browser_->setHtml(html);
    show();
    raise();
    activateWindow();
}

void THelpForm::LinkClicked(const QUrl& link) {
    if (link.toString() == QStringLiteral("mivarelo:commands"))
        ShowCommands();
    else if (link.scheme() == QStringLiteral("mivarelo") && link.path() == QStringLiteral("run"))
        emit RunExample(link.fragment(QUrl::FullyDecoded));
}

} // namespace mivarelo
