#pragma once
// Choosing a target word list or category, the word-list combos, and searches across all lists.

#include <QString>
#include <QStringList>

class QComboBox;
class QTreeWidget;

// Asks for a target: "单表单词转移" offers every list but the current one, "单词类别" the
// categories of ListView (filled ordered by category; left empty) in an editable combo, any other
// kind every list. The chosen text, or "lxbCancel" when cancelled or no list is there to choose.
QString PChooseDialog(const QString &Caption, const QString &Kind, QTreeWidget *ListView);

// "WordTable" first, then the registered lists in the order the bank returns them.
QStringList PWordTableNames();
// Appends the registered lists' names; a failure shows "词库刷新出错".
void PFillTableNames(QComboBox *ComboBox);
// Appends "WordTable" and the registered lists and selects the current list.
void PFillTableCombo(QComboBox *ComboBox);
// Every list but Except ("WordTable" first), the first selected; a failure shows "词库刷新出错"
// after the names read before it.
void PFillMoveTargets(QComboBox *ComboBox, const QString &Except);
// The first list holding Word (letter case aside); empty when none does. Here and in the search a
// list whose name the program refuses (a bank made elsewhere) is passed over.
QString PFindWordTable(const QString &Word);
// The LIKE pattern for a part of a spelling: each run of non-letters between letters becomes "%".
QString PMakeLikePattern(const QString &Text);
// Lists every word of every list matching Pattern: caption the word, then its meaning and list.
void PSearchAllTables(const QString &Pattern, QTreeWidget *ListView);
