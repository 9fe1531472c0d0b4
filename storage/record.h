#pragma once

#include <QByteArray>
#include <QString>

namespace storage {

// A short string inside a record: one length byte, then `capacity` bytes of Windows-1250 text.
struct StringField {
    qsizetype offset;
    int capacity;
    constexpr qsizetype size() const { return 1 + capacity; }
};

// One fixed-size record, held as its bytes, with typed access at fixed offsets.
class Record
{
public:
    explicit Record(qsizetype size) : m_bytes(size, '\0') {}

    qsizetype size() const { return m_bytes.size(); }
    const QByteArray &bytes() const { return m_bytes; }
    QByteArray &bytes() { return m_bytes; }
    void clear() { m_bytes.fill('\0'); }

    // Text of a short string; a length byte beyond the capacity is taken as the capacity.
    QString text(StringField field) const;
    // Stores `text` cut to the capacity; the bytes behind it become zero.
    void setText(StringField field, const QString &text);

    qint32 int32(qsizetype offset) const;
    void setInt32(qsizetype offset, qint32 value);
    quint8 byte(qsizetype offset) const;
    void setByte(qsizetype offset, quint8 value);

private:
    QByteArray m_bytes;
};

} // namespace storage
