#include "record.h"

#include "textcodec.h"

#include <QtEndian>

#include <algorithm>

namespace storage {

QString Record::text(StringField field) const
{
    Q_ASSERT(field.offset + field.size() <= size());
    const int length = std::min<int>(static_cast<quint8>(m_bytes[field.offset]), field.capacity);
    return FromWindows1250(m_bytes.mid(field.offset + 1, length));
}

void Record::setText(StringField field, const QString &text)
{
    Q_ASSERT(field.offset + field.size() <= size());
    const QByteArray encoded = ToWindows1250(text).left(field.capacity);
    char *at = m_bytes.data() + field.offset;
    at[0] = static_cast<char>(encoded.size());
    std::fill(at + 1, at + 1 + field.capacity, '\0');
    std::copy(encoded.begin(), encoded.end(), at + 1);
}

qint32 Record::int32(qsizetype offset) const
{
    Q_ASSERT(offset + 4 <= size());
    return qFromLittleEndian<qint32>(m_bytes.constData() + offset);
}

void Record::setInt32(qsizetype offset, qint32 value)
{
    Q_ASSERT(offset + 4 <= size());
    qToLittleEndian<qint32>(value, m_bytes.data() + offset);
}

quint8 Record::byte(qsizetype offset) const
{
    Q_ASSERT(offset < size());
    return static_cast<quint8>(m_bytes[offset]);
}

void Record::setByte(qsizetype offset, quint8 value)
{
    Q_ASSERT(offset < size());
    m_bytes[offset] = static_cast<char>(value);
}

} // namespace storage
