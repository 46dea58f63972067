#pragma once
// One program of a class gallery: where it came from, where its outputs
// went and how its run ended.
#include "cli/PictureLikeness.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace mivarelo {

enum class GalleryStatus { Clean, Errors, TimeLimit, LineBudget, Unreadable, Crashed };

struct GalleryEntry {
    QString path;
    // The file name shown on the card.
    QString name;
    // The name of its outputs in the gallery folder: stem.png, stem.svg,
    // stem.html, stem-thumb.png.
    QString stem;
    GalleryStatus status = GalleryStatus::Clean;
    QStringList errors;
    int procedures = 0;
    int lines = 0;
    double seconds = 0;
    // What it drew (null for nothing) on a screen of this colour.
    QRect drawn;
    QRgb screen = 0xFFFFFF;
    bool hasPicture = false;
    std::optional<Likeness> likeness;
};

} // namespace mivarelo
