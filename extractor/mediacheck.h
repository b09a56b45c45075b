#pragma once

#include <QString>

// Whether a file the extractor reported as finished is whole, as far as its
// container shows without decoding it. A merge that runs out of disk space
// can end with a file that has its media data but not its index, and the
// extractor still reports success: such a file does not play.
// MP4-family files (mp4, m4a, m4v, mov, 3gp, 3g2) must be a chain of boxes
// that ends exactly at the end of the file and holds the index ("moov");
// an empty file is never whole; other containers are taken as they are.
bool isWholeMediaFile(const QString &path);
