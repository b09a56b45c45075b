#pragma once

#include <QString>

// How a pasted text becomes a link and what kind of link it is. No widgets,
// no state.
namespace LinkRules {

enum class Kind
{
    Single, // one video
    List, // playlist, channel or user page
    Ask, // a video link that also names a list: the user decides
};

// The link in text: surrounding blanks and line ends dropped. Empty unless
// what remains is one http:// or https:// link with no blank, control
// character or quote inside, so nothing else can reach the extractor.
QString cleanLink(const QString &text);

// The kind of a clean link, by the first rule that applies.
Kind classify(const QString &link);

// A video link that named a list, answered "only this video": a watch-page
// link keeps only its "v=" parameter, a short link loses its query.
QString dropListPart(const QString &link);

// A short-video-site link without its tracking query; other links unchanged.
QString dropTrackingQuery(const QString &link);

} // namespace LinkRules
