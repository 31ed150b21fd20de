#pragma once
// Which string id captions which control of the main window: the table that drives
// ApplyLanguageCaptions, so that every text that follows the language is listed once.

#include <QString>
#include <array>
#include <span>

namespace tovu::mainwindow {

struct Caption {
    const char* control;
    int id;
};

// Menu items and menus by name.
std::span<const Caption> menuCaptions();
// The notes tab's caption labels.
std::span<const Caption> noteCaptions();
// The clipboard option items 0..12.
const std::array<int, 13>& copyOptionCaptionIds();

// Toolbar tooltips by button position; the positions not listed get none.
struct Tooltip {
    int position;
    int id;
};
std::span<const Tooltip> toolbarTooltips();

// Language menu: the caption of item i.
const std::array<int, 9>& languageCaptionIds();
// Language menu: the locale code item i selects (any other index: "809").
const char* localeCodeOfLanguageItem(int index);
// The item that names the language of a user locale at start-up; -1 for none.
int languageItemOfUserLocale(const QString& code);

constexpr int kComCaptionId = 548;
constexpr int kSettingsTabCaptionId = 140;
constexpr int kNotesTabCaptionId = 141;
constexpr int kSelectAllOptionsId = 525;
constexpr int kDeleteAllOptionsId = 526;

} // namespace tovu::mainwindow
