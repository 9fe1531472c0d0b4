#include "registergrid.h"

#include "statusnote.h"

#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace ui {

namespace {

constexpr int kUndoDepth = 100;

const QColor &markColour()
{
    static const QColor colour(0xFF, 0xC8, 0xC8);
    return colour;
}

} // namespace

void LayOutRegisterGrid(QTableWidget *grid, const RegisterLayout &layout)
{
    const int columns = static_cast<int>(layout.captions.size());
    grid->setRowCount(layout.rows);
    grid->setColumnCount(columns);
    grid->setHorizontalHeaderLabels(layout.captions);
    if (layout.rowCaptions.isEmpty())
        grid->verticalHeader()->hide();
    else
        grid->setVerticalHeaderLabels(layout.rowCaptions);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(
        std::max(layout.minimumRowHeight, grid->fontMetrics().height() + 6));
    int width = 0;
    for (int column = 0; column < columns; ++column) {
        grid->setColumnWidth(column, layout.widths.value(column));
        width += layout.widths.value(column);
    }
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto *item = new QTableWidgetItem;
            if (layout.rightAligned.contains(column))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, column, item);
        }
    }
    if (layout.fitToCells) {
        const int frame = 2 * grid->frameWidth();
        const int rowHeader =
            layout.rowCaptions.isEmpty() ? 0 : grid->verticalHeader()->sizeHint().width();
        grid->setFixedSize(rowHeader + width + frame,
                           grid->horizontalHeader()->sizeHint().height() +
                               layout.rows * grid->verticalHeader()->defaultSectionSize() + frame);
    }
    if (layout.rows > 0)
        grid->setCurrentCell(0, 0);
}

void MoveToNextRow(QTableWidget *grid)
{
    const int row = grid->currentRow();
    const int column = std::max(grid->currentColumn(), 0);
    if (row + 1 < grid->rowCount())
        grid->setCurrentCell(row + 1, column);
}

RegisterGrid::RegisterGrid(QTableWidget *grid) : QObject(grid), m_grid(grid)
{
    grid->installEventFilter(this);
    // The cell editors are children of the viewport: one appearing starts an edit; the delegate
    // closing it, with the cell holding the text typed, ends it.
    m_viewport = grid->viewport();
    m_viewport->installEventFilter(this);
    QList<QAbstractItemDelegate *> delegates{grid->itemDelegate()};
    for (int column = 0; column < grid->columnCount(); ++column) {
        QAbstractItemDelegate *delegate = grid->itemDelegateForColumn(column);
        if (delegate && !delegates.contains(delegate))
            delegates << delegate;
    }
    for (QAbstractItemDelegate *delegate : std::as_const(delegates)) {
        if (delegate)
            connect(delegate, &QAbstractItemDelegate::closeEditor, this, &RegisterGrid::finishEdit);
    }
    connect(grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        decorate(item);
        if (m_growing.contains(item->column()))
            refit();
    });
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        const QString why = reason(row, column);
        if (!why.isEmpty())
            StatusNote::post(why);
    });
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (QTableWidgetItem *item = grid->item(row, column))
                decorate(item);
        }
    }
}

void RegisterGrid::setEditable(Editable editable)
{
    m_editable = std::move(editable);
}

void RegisterGrid::setChecker(Checker checker)
{
    m_checker = std::move(checker);
    recheck();
}

void RegisterGrid::fitColumns(const QList<int> &growing, int givingWay, int givingWayMinimum)
{
    m_growing = growing;
    m_givingWay = givingWay;
    m_givingWayMinimum = givingWayMinimum;
    m_baseWidths.clear();
    for (int column : growing)
        m_baseWidths.insert(column, m_grid->columnWidth(column));
    m_baseWidths.insert(givingWay, m_grid->columnWidth(givingWay));
    refit();
}

void RegisterGrid::refit()
{
    if (m_givingWay < 0)
        return;
    const QFontMetrics metrics = m_grid->fontMetrics();
    const int padding = 2 * m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    int spare = std::max(0, m_baseWidths.value(m_givingWay) - m_givingWayMinimum);
    int given = 0;
    for (int column : std::as_const(m_growing)) {
        int needed = 0;
        for (int row = 0; row < m_grid->rowCount(); ++row) {
            if (const QTableWidgetItem *item = m_grid->item(row, column))
                needed = std::max(needed, metrics.horizontalAdvance(item->text()) + padding);
        }
        const int base = m_baseWidths.value(column);
        const int growth = std::min(std::max(0, needed - base), spare);
        spare -= growth;
        given += growth;
        m_grid->setColumnWidth(column, base + growth);
    }
    m_grid->setColumnWidth(m_givingWay, m_baseWidths.value(m_givingWay) - given);
}

QStringList RegisterGrid::snapshot() const
{
    QStringList cells;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            const QTableWidgetItem *item = m_grid->item(row, column);
            cells << (item ? item->text() : QString());
        }
    }
    return cells;
}

void RegisterGrid::restore(const QStringList &cells)
{
    int index = 0;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column, ++index) {
            QTableWidgetItem *item = m_grid->item(row, column);
            if (item && index < cells.size() && item->text() != cells.at(index))
                item->setText(cells.at(index));
        }
    }
}

void RegisterGrid::remember(const QStringList &before)
{
    if (snapshot() == before)
        return;
    m_undo.append(before);
    if (m_undo.size() > kUndoDepth)
        m_undo.removeFirst();
}

void RegisterGrid::change(const std::function<void()> &apply)
{
    finishEdit();
    const QStringList before = snapshot();
    apply();
    remember(before);
}

void RegisterGrid::finishEdit()
{
    if (!m_beforeEdit)
        return;
    const QStringList before = *m_beforeEdit;
    m_beforeEdit.reset();
    remember(before);
    // While a text was typed its reasons were not announced; the text it ended with is.
    const QStringList after = snapshot();
    const int columns = m_grid->columnCount();
    for (int index = 0; index < after.size() && index < before.size(); ++index) {
        if (after.at(index) == before.at(index))
            continue;
        const QString why = reason(index / columns, index % columns);
        if (!why.isEmpty())
            StatusNote::post(why);
    }
}

void RegisterGrid::forget()
{
    m_undo.clear();
    m_beforeEdit.reset();
}

bool RegisterGrid::undo()
{
    finishEdit();
    if (m_undo.isEmpty())
        return false;
    restore(m_undo.takeLast());
    return true;
}

void RegisterGrid::clearSelected()
{
    change([this] {
        for (QTableWidgetItem *item : m_grid->selectedItems()) {
            if (!m_editable || m_editable(item->row(), item->column()))
                item->setText(QString());
        }
    });
}

void RegisterGrid::recheck()
{
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            if (QTableWidgetItem *item = m_grid->item(row, column))
                decorate(item);
        }
    }
}

QString RegisterGrid::reason(int row, int column) const
{
    return m_reasons.value(m_grid->item(row, column));
}

void RegisterGrid::decorate(QTableWidgetItem *item)
{
    if (m_decorating)
        return;
    m_decorating = true;
    const QString text = item->text();
    const QString why = m_checker ? m_checker(item->row(), item->column(), text) : QString();
    const QString previous = m_reasons.value(item);
    if (why.isEmpty())
        m_reasons.remove(item);
    else
        m_reasons.insert(item, why);

    QString tip = text;
    if (!why.isEmpty())
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + why;
    if (item->toolTip() != tip)
        item->setToolTip(tip);
    // Screen readers read the text as the cell's value and the reason as its description.
    if (item->data(Qt::AccessibleDescriptionRole).toString() != why)
        item->setData(Qt::AccessibleDescriptionRole, why);
    const QVariant background = why.isEmpty() ? QVariant() : QVariant(QBrush(markColour()));
    if (item->data(Qt::BackgroundRole) != background)
        item->setData(Qt::BackgroundRole, background);
    m_decorating = false;

    if (!why.isEmpty() && why != previous && !editing())
        StatusNote::post(why);
}

bool RegisterGrid::eventFilter(QObject *watched, QEvent *event)
{
    // Compared with the viewport as it was installed: while the grid is being destroyed its
    // viewport's events still arrive here, when the grid may no longer be asked for anything.
    if (watched == m_viewport) {
        if (event->type() == QEvent::ChildAdded &&
            static_cast<QChildEvent *>(event)->child()->isWidgetType()) {
            finishEdit();
            m_beforeEdit = snapshot();
        }
        return false;
    }
    if (watched == m_grid && event->type() == QEvent::Show && !event->spontaneous()) {
        forget();
        return false;
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress && !editing()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) &&
            key->modifiers() == Qt::NoModifier) {
            clearSelected();
            return true;
        }
        if (key->matches(QKeySequence::Undo)) {
            undo();
            return true;
        }
    }
    return false;
}

} // namespace ui
