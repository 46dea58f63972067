#pragma once
// The class gallery's page: OUT_DIR/index.html with a card per program,
// OUT_DIR/summary.json with the same facts for other tools, and the
// thumbnails the cards show. Everything the page uses lies in OUT_DIR, so
// that it works from the folder alone, offline.
#include "cli/GalleryEntry.h"

#include <QString>

#include <vector>

namespace mivarelo {

// The status as summary.json and the progress lines give it: "clean",
// "errors", "time limit", "line budget", "unreadable", "crashed".
const char* StatusWord(GalleryStatus status);

// Writes the page in the interface language; false with `error` saying why.
bool WriteGalleryPage(const QString& dir, const std::vector<GalleryEntry>& entries,
                      const GalleryEntry* model, bool english, QString& error);

} // namespace mivarelo
