#pragma once

#include <QList>
#include <QString>

class ItemInfo;

// File and folder names made from what a web page says (titles, uploader
// names). Every name must be one the file system takes, next to every
// temporary name the extractor derives from it, on every system the files may
// be copied to.

// Which system's extra rules apply: Windows refuses reserved device names
// ("CON", "LPT1.txt") and names ending in a dot or blank.
enum class NameRules
{
    Posix,
    Windows,
};
NameRules nativeNameRules();

// Longest name in UTF-8 bytes. File systems take 255; the extractor adds up
// to this much to a name while it works (".f1.mp4.part-Frag1.part", longer
// with long format ids and fragment counts), so that much is kept free.
constexpr int kNameSuffixRoom = 80;
constexpr int kMaxNameBytes = 255 - kNameSuffixRoom;

// Cuts text to at most maxBytes of UTF-8, never inside a character (nor a
// character made of several code points, such as an emoji with modifiers).
QString cutToBytes(const QString &text, int maxBytes);

// Output base name: the thirteen characters blank & | # ? / \ " < > * : %
// and control characters become "_", the prefix (upload date) goes in front,
// at most 80 characters and kMaxNameBytes bytes; a leading dot becomes "_" so
// the file is not hidden.
QString sanitizeTitle(
    const QString &title, const QString &prefix, NameRules rules = nativeNameRules());
// A name from a web page used as one folder name: the same characters become
// "_", as do leading dots (so ".." can never leave the folder it is put in),
// at most kMaxNameBytes bytes.
QString sanitizeFolderName(const QString &name, NameRules rules = nativeNameRules());

// Two different videos must never share an output file: when another task in
// tasks, for another link, already writes task's base name in task's folder,
// task's name gets a suffix made from its link (the same link always gives
// the same suffix, so a second download of one video still finds its file).
// Rewrites renametitle, targetPath, renametargetPath and the command's output
// argument. Returns whether the name changed.
bool giveDistinctName(ItemInfo *task, const QList<ItemInfo *> &tasks);
