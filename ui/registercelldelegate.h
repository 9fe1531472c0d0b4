#pragma once

#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace ui {

// The editor of a register grid cell. Every change typed into the editor reaches the cell at
// once, so that a timer tick sees the text being typed. Enter commits the cell and closes the
// editor at once. With a key filter it applies that filter to every character typed into the
// editor: the character it returns is inserted instead, an empty answer drops it.
class RegisterCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using KeyFilter = std::function<std::optional<QChar>(QChar typed)>;
    explicit RegisterCellDelegate(KeyFilter keys = {}, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    KeyFilter m_keys;
};

} // namespace ui
