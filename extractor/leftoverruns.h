#pragma once

#include <QString>

// Extractor runs carry a marker in their environment (ToolProcess::
// setRunMarker), and so does every helper they start. When the program is
// killed, the extractor dies with it, but a helper such as ffmpeg can go on
// writing into the download folder and would race the resumed download for
// the same file. The next start ends such leftovers before any run resumes.
namespace LeftoverRuns {

// Ends (SIGKILL) every process of this user whose environment holds marker as
// the run marker, and waits up to waitMs until they are gone. Returns how many
// were ended. Does nothing for an empty marker or where processes cannot be
// listed.
int end(const QString &marker, int waitMs = 3000);

} // namespace LeftoverRuns
