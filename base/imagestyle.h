#pragma once

#include <QString>

// Style sheets of the image buttons. Every image button carries one sheet
// with a border image for the normal, hover, pressed and disabled states and
// a focus rule without outline. The Chinese interface uses the same pictures
// with "chin" in front of the file name (see localized()).
//
// Pictures whose names the program invents (no other convention fixes them)
// are also named here, so that every area uses the same files.
namespace ImageStyle {

// The four-state sheet, written exactly as the whole program writes it.
QString sheet(
    const QString &normal, const QString &hover, const QString &pressed, const QString &disabled);
// Normal and hover only (the buttons of a download row).
QString hoverSheet(const QString &normal, const QString &hover);
// One picture for every state.
QString plainSheet(const QString &image);

// The picture of path for the interface language. Chinese puts "chin" in
// front of the file name (":/newimage/displayall0.png" becomes
// ":/newimage/chindisplayall0.png") with two exceptions: the confirm button's
// ":/img/OK*.png" takes "chin" after the base name (":/img/OK1chin.png"), and
// the download tab's "downloada5.png" is "chindownloada2.png".
QString localized(const QString &path, bool chinese);

// A tab of a group whose pictures are folder + stem + "0", "1", "2" ".png":
// unselected N/H/P/D = 0/1/2/0, selected 2/1/2/0. Used by the top tabs
// (":/tabimage/"), the list filters and the start-all sets (":/newimage/").
QString tabSheet(const QString &folder, const QString &stem, bool selected, bool chinese);
// The download tab: like tabSheet, but English uses "downloada5" for state 2.
QString downloadTabSheet(bool selected, bool chinese);
// A service tab (":/service2/"): unselected stem / stem1 / stem2 / stem,
// selected stem2 / stem1 / stem2 / stem.
QString serviceTabSheet(const QString &stem, bool selected, bool chinese);

// Paste button (and the proxy test button): paste2 .. paste5.
QString pasteSheet(bool chinese);
// Confirm button of the settings and one-key pages.
QString okSheet(bool chinese);
// One-key button: config1 for normal and hover while one-key mode is on,
// config / config1 while it is off; config2 pressed.
QString oneKeySheet(bool on, bool chinese);
// Start-all / pause-all button: the start-all set while everything is paused,
// the stop-all set otherwise.
QString startAllSheet(bool allPaused, bool chinese);

// Stems of the invented picture sets (state pictures 0, 1, 2 under ":/newimage/"
// unless noted).
inline constexpr const char *TopTabStem = "top";
inline constexpr const char *DownloadTabStem = "downloada";
inline constexpr const char *ToolsTabStem = "tools";
inline constexpr const char *DeleteStem = "delete"; // bulk delete (language set)
inline constexpr const char *RetryStem = "retry"; // retry failed (language set)
inline constexpr const char *HistoryStem = "history"; // load history
inline constexpr const char *ServiceStem = "service"; // title bar: service page
inline constexpr const char *MenuStem = "menu"; // title bar: drop-down menu
inline constexpr const char *MinStem = "min"; // title bar: minimise
inline constexpr const char *CloseStem = "close"; // title bar: close
inline constexpr const char *HelpStem = "help"; // status strip: help

// The four list filters in view order (0 paused, 1 in progress, 2 finished, 3 failed).
QString listFilterStem(int view);

// Dialog pictures: the download button (download0 .. download2 under :/img/,
// a language set), the folder chooser (openfolder0 .. openfolder2 under
// :/img/) and the close button (close12, hover and pressed close13).
QString dialogDownloadSheet(bool chinese);
QString folderButtonSheet();
QString dialogCloseSheet();

// Popular lists: the refresh button (refresh, refresh1, refresh2 under
// :/stack2/, a language set) and the row's download button.
QString refreshSheet(bool chinese);
QString topRowDownloadSheet();

// Notice button: unread and read pictures.
QString noticeSheet(bool unread);

// The one style of every pop-up menu (drop-down menu, language menu, row
// menu): white with the blue border, item padding and font size times scale.
QString menuSheet(double scale);

// The one style of every drop-down list (settings, one-key page, dialogs),
// sizes times scale.
QString comboSheet(double scale);

// The one style of every text field on the pages: grey border, blue when
// focused, padding (already scaled) left and right; stateRules style the
// field's own states (read-only, disabled).
QString lineEditSheet(int padding, const QString &stateRules);

} // namespace ImageStyle
