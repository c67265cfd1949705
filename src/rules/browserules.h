#pragma once
// The word browser's rules over plain data: what each browse mode shows and hides, and one step
// of auto-browse through the list.

#include <QString>
#include <QStringList>
#include <optional>

// Widths of the word and meaning columns, and the fields (by component name) a mode shows and
// hides; fields it does not name keep their visibility.
struct TPBrowseModeLayout {
    int wordWidth;
    int meaningWidth;
    QStringList shown;
    QStringList hidden;
};
// Nothing for a text that is not one of the three modes.
std::optional<TPBrowseModeLayout> PBrowseModeLayout(const QString &Mode);
QStringList PBrowseModes();

// One auto-browse tick at position Index in a list of Count rows: the row to select and the row
// to deselect (-1 for none), and the position afterwards.
struct TPAutoBrowseStep {
    int select;
    int deselect;
    int next;
};
TPAutoBrowseStep PAutoBrowseStep(int Index, int Count);
