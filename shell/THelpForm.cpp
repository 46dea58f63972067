#include "shell/THelpForm.h"

#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "shell/QtText.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <set>

namespace mivarelo {

namespace {

// One row of the command reference. The row's four dialect words come from
// the keyword table: the Turkish words from `turkish`, the English ones from
// `english` (rows that translation leaves alone name one member for each
// language); `also` is a further synonym that neither produces. Texts are
// Turkish first, then English.
struct CommandHelp {
    CommandCode turkish;
    CommandCode english;
    CommandCode also;
    const char* meaning[2];
    const char* argument[2];
    const char* example[2];
};

// clang-format off
constexpr CommandHelp CommandRows[] = {
    {18, 27, 0, {"İleri gider", "Moves forward"}, {"adım sayısı", "steps"}, {"ileri 100", "forward 100"}},
    {19, 28, 0, {"Geri gider", "Moves back"}, {"adım sayısı", "steps"}, {"geri 50", "back 50"}},
    {22, 31, 0, {"Sola döner", "Turns left"}, {"derece", "degrees"}, {"sol 90", "left 90"}},
    {23, 32, 0, {"Sağa döner", "Turns right"}, {"derece", "degrees"}, {"sağ 45", "right 45"}},
    {116, 86, 0, {"Yönünü ayarlar (0 sağa, 90 aşağı)", "Sets the heading (0 right, 90 down)"}, {"derece", "degrees"}, {"yond 90", "seth 90"}},
    {42, 74, 0, {"Eve döner", "Goes home"}, {"yok", "none"}, {"ev", "home"}},
    {12, 13, 117, {"Bulunduğu yeri ev yapar", "Makes this place home"}, {"yok", "none"}, {"setev", "sethome"}},
    {46, 77, 0, {"Yatay konumu ayarlar", "Sets the x position"}, {"x", "x"}, {"kurx 300", "setx 300"}},
    {47, 78, 0, {"Dikey konumu ayarlar", "Sets the y position"}, {"y", "y"}, {"kury 200", "sety 200"}},
    {48, 79, 0, {"Konumu ayarlar", "Sets the position"}, {"x,y", "x,y"}, {"kurpos 500,400", "setpos 500,400"}},
    {94, 92, 0, {"Kalemi indirir: iz bırakır", "Puts the pen down: leaves a trail"}, {"yok", "none"}, {"kalemaşağı", "pendown"}},
    {95, 93, 0, {"Kalemi kaldırır", "Lifts the pen"}, {"yok", "none"}, {"kalemyukarı", "penup"}},
    {4, 5, 0, {"Kalem kalınlığı", "Pen width"}, {"piksel", "pixels"}, {"setkalemkalınlık 3", "setpenwidth 3"}},
    {49, 80, 0, {"Kalem rengi", "Pen colour"}, {"[kırmızı yeşil mavi]", "[red green blue]"}, {"değiştirkalemrenk [255 0 0]", "setpencolor [255 0 0]"}},
    {50, 81, 0, {"Dolgu rengi", "Fill colour"}, {"[kırmızı yeşil mavi]", "[red green blue]"}, {"değiştirdolgurenk [0 200 0]", "setfillcolor [0 200 0]"}},
    {51, 82, 0, {"Ekran rengi", "Screen colour"}, {"[kırmızı yeşil mavi]", "[red green blue]"}, {"değiştirekranrenk [255 255 200]", "setscreencolor [255 255 200]"}},
    {118, 33, 0, {"Çizme kipi", "Drawing mode"}, {"yok", "none"}, {"modc", "ppt"}},
    {119, 34, 0, {"Silme kipi: kalem siler", "Erasing mode: the pen erases"}, {"yok", "none"}, {"mods", "pe"}},
    {120, 35, 0, {"Etkisi yok", "No effect"}, {"yok sayılır", "ignored"}, {"modt", "px"}},
    {17, 65, 0, {"Ekranı temizler, kaplumbağa başa döner", "Clears the screen, turtle back to start"}, {"yok", "none"}, {"ekrantemizle", "clearscreen"}},
    {43, 67, 0, {"Yalnız resmi temizler", "Clears the picture only"}, {"yok", "none"}, {"temizle", "clean"}},
    {1, 88, 0, {"Kaplumbağayı ve kalemi baştaki hâline getirir", "Resets the turtle and the pen"}, {"yok", "none"}, {"sıfırla", "reset"}},
    {44, 75, 0, {"Kaplumbağanın olduğu alanı doldurur", "Fills the area under the turtle"}, {"isteğe bağlı renk", "optional colour"}, {"doldur", "fill"}},
    {87, 87, 0, {"Bölgeyi boyar", "Paints the region"}, {"renk", "colour"}, {"boya [255 200 0]", "boya [255 200 0]"}},
    {91, 91, 0, {"Önüne elips çizer, B genişliği", "Draws an ellipse ahead, B is its width"}, {"A,B", "A,B"}, {"elips 0,100", "elips 0,100"}},
    {3, 2, 0, {"Etkisi yok", "No effect"}, {"yok sayılır", "ignored"}, {"yay 90", "arc 90"}},
    {37, 69, 0, {"Kaplumbağayı gösterir", "Shows the turtle"}, {"yok", "none"}, {"gösterkaplumbağa", "showturtle"}},
    {38, 70, 0, {"Kaplumbağayı gizler", "Hides the turtle"}, {"yok", "none"}, {"saklakaplumbağa", "hideturtle"}},
    {122, 121, 0, {"Kaplumbağanın resmini değiştirir", "Changes the turtle's picture"}, {"tırnak içinde dosya adı", "quoted file name"}, {"degresim \"kaplumbaga.bmp\"", "setsh \"turtle.bmp\""}},
    {45, 76, 0, {"Yazı yazar", "Writes text"}, {"metin", "text"}, {"yaz Merhaba", "label Hello"}},
    {58, 57, 0, {"Yazı boyu", "Text size"}, {"punto", "points"}, {"setyaziboyu 24", "setfontsize 24"}},
    {62, 61, 0, {"Yazı tipi", "Text font"}, {"yazı tipi adı", "font name"}, {"setyazıadı Arial", "setfontname Arial"}},
    {41, 73, 0, {"Listeyi tekrarlar", "Repeats the list"}, {"sayı [liste]", "count [list]"}, {"tekrar 4 [ileri 100 sağ 90]", "repeat 4 [forward 100 right 90]"}},
    {90, 89, 0, {"Koşul doğruysa listeyi çalıştırır", "Runs the list when the condition holds"}, {"koşul [liste]", "condition [list]"}, {"eğer x > 5 [sağ 90]", "if x > 5 [right 90]"}},
    {96, 97, 0, {"Koşulu sınar, sonucu saklar", "Tests a condition and keeps the result"}, {"koşul", "condition"}, {"dene x == 3", "test x == 3"}},
    {99, 98, 0, {"Sınama doğruysa çalıştırır", "Runs the list when the test held"}, {"[liste]", "[list]"}, {"eğerdoğru [ileri 10]", "iftrue [forward 10]"}},
    {101, 100, 0, {"Sınama yanlışsa çalıştırır", "Runs the list when the test failed"}, {"[liste]", "[list]"}, {"eğeryanlış [geri 10]", "iffalse [back 10]"}},
    {107, 106, 0, {"Koşul doğru oldukça tekrarlar", "Repeats while the condition holds"}, {"[koşul] [liste]", "[condition] [list]"}, {"iken [x < 5] [ileri 20; x := x + 1]", "while [x < 5] [forward 20; x := x + 1]"}},
    {105, 104, 0, {"Koşul doğru olana kadar tekrarlar", "Repeats until the condition holds"}, {"[koşul] [liste]", "[condition] [list]"}, {"kadar [x > 5] [ileri 20; x := x + 1]", "until [x > 5] [forward 20; x := x + 1]"}},
    {111, 110, 0, {"Önce çalıştırır, koşul doğru oldukça tekrarlar", "Runs first, repeats while the condition holds"}, {"[liste] [koşul]", "[list] [condition]"}, {"yapiken [sağ 30; x := x + 1] [x < 12]", "dowhile [right 30; x := x + 1] [x < 12]"}},
    {109, 108, 0, {"Önce çalıştırır, koşul doğru olana kadar tekrarlar", "Runs first, repeats until the condition holds"}, {"[liste] [koşul]", "[list] [condition]"}, {"yapkadar [sağ 30; x := x + 1] [x > 12]", "dountil [right 30; x := x + 1] [x > 12]"}},
    {113, 112, 0, {"Sayarak tekrarlar", "Repeats with a counter"}, {"[başlangıç; koşul; adım] [liste]", "[start; condition; step] [list]"}, {"döngü [i := 1; i < 5; i := i + 1] [ileri 20]", "for [i := 1; i < 5; i := i + 1] [forward 20]"}},
    {36, 68, 0, {"Bekler", "Waits"}, {"saniyenin 60'ta biri", "sixtieths of a second"}, {"bekle 60", "wait 60"}},
    {11, 10, 0, {"Çalışan prosedürü bitirir", "Ends the running procedure"}, {"yok", "none"}, {"durdur", "stop"}},
    {9, 8, 0, {"Çalışan prosedürü bitirir", "Ends the running procedure"}, {"yok", "none"}, {"hoşçakal", "bye"}},
    {103, 102, 0, {"Etkisi yok", "No effect"}, {"yok sayılır", "ignored"}, {"yap", "make"}},
    {114, 114, 0, {"Adım uzunluğu değişkenini ayarlar", "Sets the step-length variable"}, {"sayı", "number"}, {"setuzunluk 50", "setuzunluk 50"}},
    {115, 115, 0, {"Açı değişkenini ayarlar", "Sets the angle variable"}, {"derece", "degrees"}, {"setyayaci 90", "setyayaci 90"}},
};
// clang-format on

QString Word(CommandCode code) {
    return ToQt(KeywordOf(code));
}

// Every keyword of the row: the four words, the synonyms that translation
// turns into one of them, and `also`.
std::set<CommandCode> Members(const CommandHelp& row) {
    const CommandCode turkish = TranslateCode(row.turkish, true, true);
    const CommandCode english = TranslateCode(row.english, true, true);
    std::set<CommandCode> members;
    for (CommandCode code = 1; code <= KeywordCount; ++code) {
        const CommandCode target = TranslateCode(code, true, true);
        if (target == turkish || target == english || code == row.also) members.insert(code);
    }
    return members;
}

QString Cell(const QString& text) {
    return QStringLiteral("<td>") + text + QStringLiteral("</td>");
}

// Every second row is shaded so that the eye can follow a row across.
QString CommandRowHtml(const CommandHelp& row, int language, bool shaded) {
    const std::array<CommandCode, 4> shown = {
        TranslateCode(row.turkish, true, true), TranslateCode(row.turkish, true, false),
        TranslateCode(row.english, false, true), TranslateCode(row.english, false, false)};
    QString html = shaded ? QStringLiteral("<tr bgcolor=\"#fbf7df\">") : QStringLiteral("<tr>");
    for (const CommandCode code : shown)
        html += Cell(QStringLiteral("<span style=\"color: #800000\">") + Word(code) +
                     QStringLiteral("</span>"));
    QStringList others;
    for (const CommandCode code : Members(row))
        if (std::find(shown.begin(), shown.end(), code) == shown.end()) others << Word(code);
    html += Cell(others.join(QStringLiteral(", ")));
    html += Cell(QString::fromUtf8(row.meaning[language]).toHtmlEscaped());
    html += Cell(QStringLiteral("<i>") + QString::fromUtf8(row.argument[language]).toHtmlEscaped() +
                 QStringLiteral("</i>"));
    html +=
        Cell(QStringLiteral("<code>") + QString::fromUtf8(row.example[language]).toHtmlEscaped() +
             QStringLiteral("</code>"));
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
    const int language = english ? 1 : 0;
    const char* const headings[2][8] = {{"Türkçe uzun", "Türkçe kısa", "İngilizce uzun",
                                         "İngilizce kısa", "Diğer", "Ne yapar", "Argüman", "Örnek"},
                                        {"Turkish long", "Turkish short", "English long",
                                         "English short", "Other", "What it does", "Argument",
                                         "Example"}};
    const char* const intro[2] = {
        "Her komut dört biçimde yazılabilir ve hepsi her zaman geçerlidir. \"Diğer\" sütunu aynı "
        "işi gören başka sözcükleri gösterir.",
        "Every command can be written in four ways, and all of them work at any time. The "
        "\"Other\" column shows further words that do the same."};
    QString html =
        QString::fromLatin1(PageStyle) + QStringLiteral("<h1>") + LanguageText(7469) +
        QStringLiteral("</h1><p>") + QString::fromUtf8(intro[language]) +
        QStringLiteral("</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr>");
    for (const char* heading : headings[language])
        html += QStringLiteral("<th>") + QString::fromUtf8(heading) + QStringLiteral("</th>");
    html += QStringLiteral("</tr>");
    bool shaded = false;
    for (const CommandHelp& row : CommandRows) {
        html += CommandRowHtml(row, language, shaded);
        shaded = !shaded;
    }
    return html + QStringLiteral("</table>");
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
</ul>
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
</ul>
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
}

void THelpForm::ShowCommands() {
    ShowPage(CommandsHtml(Globals().EnglishInterface), 7469);
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
    if (link.toString() == QStringLiteral("mivarelo:commands")) ShowCommands();
}

} // namespace mivarelo
