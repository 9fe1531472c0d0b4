#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace storage {

// Windows-1250, the code page of every text inside the data files. A character the code page
// cannot hold becomes "?".
QByteArray ToWindows1250(const QString &text);
QString FromWindows1250(const QByteArray &bytes);

// The text of a plain text file that the user writes with a text editor (the phrase list, the
// help texts, the downloaded version file). Editors save UTF-8 today and Windows-1250 in older
// files, so: a file that starts with the UTF-8 byte-order mark is UTF-8 and the mark is dropped;
// a file whose bytes are valid UTF-8 and hold at least one multi-byte sequence is UTF-8; any
// other file is Windows-1250. Line ends are left as they are.
QString DecodeText(const QByteArray &bytes);

// The lines of a text; a line ends in CR LF, LF or CR. A line end after the last line makes no
// further empty line, so an empty text has no lines; empty lines between others are kept.
QStringList TextLines(const QString &text);

} // namespace storage
