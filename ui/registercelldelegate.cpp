#include "registercelldelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace ui {

namespace {

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

RegisterCellDelegate::RegisterCellDelegate(KeyFilter keys, QObject *parent)
    : QStyledItemDelegate(parent), m_keys(std::move(keys))
{
}

QWidget *RegisterCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        auto *self = const_cast<RegisterCellDelegate *>(this);
        connect(edit, &QLineEdit::textChanged, self,
                [self, edit] { Q_EMIT self->commitData(edit); });
    }
    return editor;
}

void RegisterCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    // The cell changed under the open editor (a timer tick): show the new text, keeping the
    // cursor where it was; the editor's own changes come back equal and are left alone.
    const QString text = index.data(Qt::EditRole).toString();
    if (edit->text() == text)
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

bool RegisterCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter commits the cell and closes the editor at once (not later, as the base class
            // does), then goes on to the grid, which moves to the next row: a key typed right
            // after it edits the next row's cell.
            Q_EMIT commitData(edit);
            Q_EMIT closeEditor(edit, QAbstractItemDelegate::NoHint);
            return false;
        }
    }
    if (m_keys && edit && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        // Keys without a character, and control characters (Backspace, Tab, Enter, Escape,
        // the editing shortcuts), keep their usual meaning.
        const bool character =
            !typed.isEmpty() && std::none_of(typed.begin(), typed.end(), isControl);
        if (character) {
            QString accepted;
            for (QChar c : typed) {
                if (const std::optional<QChar> key = m_keys(c))
                    accepted.append(*key);
            }
            if (accepted != typed) {
                if (!accepted.isEmpty())
                    edit->insert(accepted);
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace ui
