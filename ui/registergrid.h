#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class QTableWidget;
class QTableWidgetItem;

namespace ui {

// The columns and rows of a register grid.
struct RegisterLayout {
    QStringList captions;    // one per column
    QList<int> widths;       // one per column, in pixels
    QList<int> rightAligned; // the columns of amounts
    int rows = 0;
    QStringList rowCaptions; // the row header; empty: the grid has none
    int minimumRowHeight = 0;
    // The grid is made just as large as its cells; otherwise it keeps the size its window gives it
    // and scrolls.
    bool fitToCells = true;
};

// Lays out a register grid alike in every register: an empty item in every cell, the captions,
// fixed column widths, a fixed row height of the font's height + 6 (at least the layout's
// minimum), the first cell current.
void LayOutRegisterGrid(QTableWidget *grid, const RegisterLayout &layout);

// Enter in a register grid: the same column of the next row becomes current (the last row stays).
void MoveToNextRow(QTableWidget *grid);

// What a register grid (a QTableWidget whose cells all hold an item) does alike in every register:
// - Delete or Backspace outside a cell editor clears the selected cells the user may type in;
// - Ctrl+Z outside a cell editor undoes the user's last change: a cell edited, cells cleared, or
//   a change the window makes for the user through change(). The changes are forgotten when the
//   window is opened again or the window calls forget() (another month shown);
// - every cell carries its whole text as a tool tip and for screen readers;
// - a cell the checker finds fault with is coloured and carries the reason with its text; the
//   reason goes into the status line when the cell gets it and when it becomes current;
// - columns may grow to their content by taking width from one column that gives way, so the
//   grid keeps its width.
class RegisterGrid : public QObject
{
    Q_OBJECT

public:
    // Whether the user may type into a cell.
    using Editable = std::function<bool(int row, int column)>;
    // The fault of a cell's text, or an empty text.
    using Checker = std::function<QString(int row, int column, const QString &text)>;

    explicit RegisterGrid(QTableWidget *grid);

    void setEditable(Editable editable);
    void setChecker(Checker checker);
    // `growing` columns take the width their cells' texts need, taken from `givingWay`,
    // which keeps at least `givingWayMinimum` pixels.
    void fitColumns(const QList<int> &growing, int givingWay, int givingWayMinimum);

    // Runs `apply` as one change that Ctrl+Z undoes; nothing is remembered when the grid stayed
    // as it was.
    void change(const std::function<void()> &apply);
    void forget();
    // Returns the grid to how it was before the last change; false when there is none.
    bool undo();
    // Empties the selected cells that the user may type into, as one change.
    void clearSelected();
    // Checks every cell again (the month or year it is checked against changed).
    void recheck();

    // Whether a cell editor is open.
    bool editing() const { return m_beforeEdit.has_value(); }
    // The reason a cell is marked with, or an empty text.
    QString reason(int row, int column) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList snapshot() const;
    // Keeps `before` for Ctrl+Z when the grid differs from it now.
    void remember(const QStringList &before);
    // Ends the edit of an open cell editor as one change.
    void finishEdit();
    void restore(const QStringList &cells);
    void decorate(QTableWidgetItem *item);
    void refit();

    QTableWidget *m_grid;

    QWidget *m_viewport = nullptr;
    Editable m_editable;
    Checker m_checker;
    QList<QStringList> m_undo;
    std::optional<QStringList> m_beforeEdit;
    QHash<QTableWidgetItem *, QString> m_reasons;
    bool m_decorating = false;

    QList<int> m_growing;
    int m_givingWay = -1;
    int m_givingWayMinimum = 0;
    QHash<int, int> m_baseWidths;
};

} // namespace ui
