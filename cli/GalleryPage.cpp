#include "cli/GalleryPage.h"

#include "core/Encoding.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

namespace mivarelo {

namespace {

constexpr int ErrorsShown = 3;

QString Text(int id) {
    return QString::fromStdString(Cp1254ToUtf8(GetLanguageString(id)));
}

QString Html(const QString& text) {
    return text.toHtmlEscaped();
}

int Percent(double share) {
    return static_cast<int>(std::lround(share * 100));
}

// The card's thumbnail, which the program's run wrote beside its picture;
// empty when it drew nothing.
QString Thumbnail(const QDir& dir, const GalleryEntry& entry) {
    const QString name = entry.stem + QStringLiteral("-thumb.png");
    return entry.hasPicture && QFileInfo::exists(dir.filePath(name)) ? name : QString();
}

QString StatusText(const GalleryEntry& entry) {
    switch (entry.status) {
    case GalleryStatus::Clean: return Text(GalleryCleanId);
    case GalleryStatus::Errors: return Text(GalleryErrorsId).arg(entry.errors.size());
    case GalleryStatus::TimeLimit: return Text(GalleryTimeLimitId);
    case GalleryStatus::LineBudget: return Text(GalleryLineBudgetId);
    case GalleryStatus::Unreadable: return Text(GalleryUnreadableId);
    case GalleryStatus::Crashed: return Text(GalleryCrashedId);
    }
    return {};
}

QString ErrorsHtml(const QStringList& errors) {
    if (errors.isEmpty()) return {};
    QString html = QStringLiteral("<ol class=\"errors\">");
    for (qsizetype k = 0; k < errors.size() && k < ErrorsShown; ++k)
        html += QStringLiteral("<li>%1</li>").arg(Html(errors[k]));
    html += QStringLiteral("</ol>");
    if (errors.size() > ErrorsShown)
        html += QStringLiteral("<p class=\"more\">%1</p>")
                    .arg(Html(Text(GalleryMoreErrorsId).arg(errors.size() - ErrorsShown)));
    return html;
}

QString PictureHtml(const GalleryEntry& entry, const QString& thumbnail) {
    if (thumbnail.isEmpty())
        return QStringLiteral("<div class=\"empty\">%1</div>")
            .arg(Html(Text(GalleryNothingDrawnId)));
    return QStringLiteral("<a href=\"%1.png\"><img src=\"%2\" alt=\"%3\"></a>")
        .arg(entry.stem, thumbnail, Html(entry.name));
}

QString LinksHtml(const GalleryEntry& entry) {
    if (!entry.hasPicture) return {};
    return QStringLiteral(
               "<p class=\"links\"><a href=\"%1.html\">%2</a> · <a href=\"%1.svg\">SVG</a>"
               " · <a href=\"%1.png\">PNG</a></p>")
        .arg(entry.stem, Html(Text(GalleryProgramLinkId)));
}

QString LikenessHtml(const GalleryEntry& entry, const QString& modelThumbnail) {
    if (!entry.likeness) return {};
    const QString model =
        modelThumbnail.isEmpty()
            ? QString()
            : QStringLiteral("<img class=\"model\" src=\"%1\" alt=\"\">").arg(modelThumbnail);
    return QStringLiteral("<div class=\"likeness\">%1<p><b>%2 %</b> %3<br><b>%4 %</b> %5</p></div>")
        .arg(model, QString::number(Percent(entry.likeness->modelCovered)),
             Html(Text(GalleryModelCoveredId)),
             QString::number(Percent(entry.likeness->drawingOnModel)),
             Html(Text(GalleryOnModelId)));
}

QString CardHtml(const GalleryEntry& entry, int order, const QString& thumbnail,
                 const QString& modelThumbnail) {
    const QString status =
        entry.status == GalleryStatus::Clean ? QStringLiteral("clean") : QStringLiteral("problem");
    const QString score =
        entry.likeness ? QString::number(entry.likeness->Score(), 'f', 4) : QStringLiteral("-1");
    QString facts;
    if (entry.status != GalleryStatus::Unreadable)
        facts = Html(Text(GalleryFactsId)
                         .arg(entry.procedures)
                         .arg(entry.lines)
                         .arg(QString::number(entry.seconds, 'f', 1)));
    return QStringLiteral("<article class=\"card %1\" data-order=\"%2\" data-score=\"%3\">\n"
                          "%4\n<h2>%5</h2>\n<p class=\"facts\">%6</p>\n<p class=\"status\">%7</p>\n"
                          "%8%9%10</article>\n")
        .arg(status, QString::number(order), score, PictureHtml(entry, thumbnail), Html(entry.name),
             facts, Html(StatusText(entry)), ErrorsHtml(entry.errors),
             LikenessHtml(entry, modelThumbnail), LinksHtml(entry));
}

const char* PageStyle =
    "body{font-family:sans-serif;margin:1.5em;background:#f4f6f8;color:#222}"
    "h1{font-size:1.6em;margin:0 0 .3em}"
    ".bar{margin:.5em 0 1em}.bar button{font-size:1em;margin-right:.5em;padding:.3em .8em}"
    ".cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(260px,1fr));gap:1em}"
    ".card{background:#fff;border-radius:8px;padding:10px;box-shadow:0 1px 3px #0003;"
    "border-top:6px solid #3a3}"
    ".card.problem{border-top-color:#d33}"
    ".card img{display:block;width:240px;height:240px;object-fit:contain;margin:auto;"
    "border:1px solid #ddd}"
    ".card h2{font-size:1.1em;margin:.5em 0 .2em;word-break:break-all}"
    ".facts,.status,.links,.more{margin:.2em 0}.status{font-weight:bold}"
    ".problem .status{color:#b11}.errors{margin:.2em 0;padding-left:1.4em;font-size:.9em}"
    ".empty{width:240px;height:240px;margin:auto;display:flex;align-items:center;"
    "justify-content:center;color:#888;border:1px dashed #bbb}"
    ".likeness{display:flex;gap:.5em;align-items:center;margin:.4em 0}"
    ".likeness img.model{width:60px;height:60px;margin:0}"
    ".modelcard{display:flex;gap:1em;align-items:center;background:#fff;padding:10px;"
    "border-radius:8px;margin-bottom:1em}.modelcard img{width:120px;height:120px}";

// Sorting moves the cards; it needs nothing from outside the page.
const char* PageScript =
    "function sortCards(key){var list=document.getElementById('cards');"
    "var cards=Array.prototype.slice.call(list.children);"
    "cards.sort(function(a,b){return key==='score'?"
    "(parseFloat(b.dataset.score)-parseFloat(a.dataset.score))||(a.dataset.order-b.dataset.order)"
    ":a.dataset.order-b.dataset.order;});"
    "cards.forEach(function(c){list.appendChild(c);});}";

QJsonObject EntryJson(const GalleryEntry& entry, const QString& thumbnail) {
    QJsonObject o;
    o[QLatin1String("file")] = entry.name;
    o[QLatin1String("path")] = entry.path;
    o[QLatin1String("status")] = QLatin1String(StatusWord(entry.status));
    o[QLatin1String("procedures")] = entry.procedures;
    o[QLatin1String("lines")] = entry.lines;
    o[QLatin1String("seconds")] = std::round(entry.seconds * 1000) / 1000;
    o[QLatin1String("errors")] = QJsonArray::fromStringList(entry.errors);
    if (entry.hasPicture) {
        o[QLatin1String("png")] = entry.stem + QStringLiteral(".png");
        o[QLatin1String("svg")] = entry.stem + QStringLiteral(".svg");
        o[QLatin1String("html")] = entry.stem + QStringLiteral(".html");
    }
    o[QLatin1String("thumbnail")] = thumbnail.isEmpty() ? QJsonValue() : QJsonValue(thumbnail);
    if (entry.likeness) {
        o[QLatin1String("model_covered")] =
            std::round(entry.likeness->modelCovered * 10000) / 10000;
        o[QLatin1String("drawing_on_model")] =
            std::round(entry.likeness->drawingOnModel * 10000) / 10000;
    }
    return o;
}

bool Save(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

const char* StatusWord(GalleryStatus status) {
    switch (status) {
    case GalleryStatus::Clean: return "clean";
    case GalleryStatus::Errors: return "errors";
    case GalleryStatus::TimeLimit: return "time limit";
    case GalleryStatus::LineBudget: return "line budget";
    case GalleryStatus::Unreadable: return "unreadable";
    case GalleryStatus::Crashed: return "crashed";
    }
    return "";
}

bool WriteGalleryPage(const QString& dir, const std::vector<GalleryEntry>& entries,
                      const GalleryEntry* model, bool english, QString& error) {
    const QDir folder(dir);
    const QString title = Text(GalleryTitleId);
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>%2</title>\n<style>%3</style>\n<script>%4</script>\n"
                       "</head>\n<body>\n<h1>%2</h1>\n<p>%5</p>\n")
            .arg(english ? QStringLiteral("en") : QStringLiteral("tr"), Html(title),
                 QLatin1String(PageStyle), QLatin1String(PageScript),
                 Html(Text(GalleryIntroId).arg(entries.size())));
    QJsonObject summary;
    QString modelThumbnail;
    if (model) {
        modelThumbnail = Thumbnail(folder, *model);
        html += QStringLiteral("<div class=\"modelcard\">%1<p><b>%2</b><br>%3</p></div>\n")
                    .arg(PictureHtml(*model, modelThumbnail), Html(Text(GalleryModelId)),
                         Html(model->name));
        html +=
            QStringLiteral("<div class=\"bar\"><button onclick=\"sortCards('order')\">%1</button>"
                           "<button onclick=\"sortCards('score')\">%2</button></div>\n")
                .arg(Html(Text(GallerySortByNameId)), Html(Text(GallerySortByLikenessId)));
        summary[QLatin1String("model")] = EntryJson(*model, modelThumbnail);
    }
    html += QStringLiteral("<main id=\"cards\" class=\"cards\">\n");
    QJsonArray programs;
    int order = 0;
    for (const GalleryEntry& entry : entries) {
        const QString thumbnail = Thumbnail(folder, entry);
        html += CardHtml(entry, order++, thumbnail, modelThumbnail);
        programs.append(EntryJson(entry, thumbnail));
    }
    html += QStringLiteral("</main>\n<p class=\"about\">%1</p>\n</body>\n</html>\n")
                .arg(model ? Html(Text(GalleryMeasureId)) : QString());
    summary[QLatin1String("programs")] = programs;
    if (!Save(folder.filePath(QStringLiteral("index.html")), html.toUtf8()) ||
        !Save(folder.filePath(QStringLiteral("summary.json")),
              QJsonDocument(summary).toJson(QJsonDocument::Indented))) {
        error = Text(GalleryNotWrittenId).arg(dir);
        return false;
    }
    return true;
}

} // namespace mivarelo
