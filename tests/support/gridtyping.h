#pragma once

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>

// Typing into a register grid as a user does: keys go into the open cell editor, else to the
// grid, which opens one.
namespace gridtyping {

// The cell editor open in `grid`, or none; editors closed a moment ago are deleted first.
inline QLineEdit *openEditor(const QAbstractItemView *grid)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QLineEdit *editor : grid->viewport()->findChildren<QLineEdit *>()) {
        if (editor->isVisible())
            return editor;
    }
    return nullptr;
}

inline void press(QAbstractItemView *grid, Qt::Key key)
{
    QLineEdit *editor = openEditor(grid);
    QTest::keyClick(editor ? static_cast<QWidget *>(editor) : grid, key);
}

// Each character of `keys` as one key press, wherever the one before left the editing.
inline void typeKeys(QAbstractItemView *grid, const QString &keys)
{
    for (const QChar key : keys) {
        QLineEdit *editor = openEditor(grid);
        QTest::keyClick(editor ? static_cast<QWidget *>(editor) : grid, key.toLatin1());
    }
}

} // namespace gridtyping
