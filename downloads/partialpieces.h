#pragma once

#include <QStringList>

class ItemInfo;

// The pieces an unfinished download leaves beside its output file: the
// partial file, the resume record, fragments and the halves of a merge
// (names the extractor derives from the output name). Never the output file
// itself, nor another title's pieces.
namespace PartialPieces {

QStringList find(const ItemInfo &task);
// Removes them; returns how many could not be removed.
int remove(const ItemInfo &task);

} // namespace PartialPieces
