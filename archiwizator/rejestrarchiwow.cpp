#include "rejestrarchiwow.h"

#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace archiwizator {

namespace {

struct Files {
    QString summary;
    QString list;
};

Files filesOf(const QString &workingDir, Rejestr which)
{
    const bool archives = which == Rejestr::Archiwa;
    using namespace storage::archiveregister;
    return {storage::PathIn(workingDir, archives ? kArchivesSummary : kRestoresSummary),
            storage::PathIn(workingDir, archives ? kArchivesList : kRestoresList)};
}

storage::StringField shifted(storage::StringField field, qsizetype base)
{
    return {base + field.offset, field.capacity};
}

Wpis readRow(const storage::Record &record, qsizetype base)
{
    Wpis row;
    row.date = QDate::fromString(record.text(shifted(rejestr::date, base)), Qt::ISODate);
    row.time =
        QTime::fromString(record.text(shifted(rejestr::time, base)), QStringLiteral("HH:mm"));
    row.file = record.text(shifted(rejestr::file, base));
    row.size = record.text(shifted(rejestr::size, base)).toLongLong();
    row.files = record.int32(base + rejestr::files);
    row.folder = record.text(shifted(rejestr::folder, base));
    row.note = record.text(shifted(rejestr::note, base));
    return row;
}

void writeRow(storage::Record &record, qsizetype base, const Wpis &row)
{
    record.setText(shifted(rejestr::date, base), row.date.toString(Qt::ISODate));
    record.setText(shifted(rejestr::time, base), row.time.toString(QStringLiteral("HH:mm")));
    record.setText(shifted(rejestr::file, base), row.file);
    record.setText(shifted(rejestr::size, base), QString::number(row.size));
    record.setInt32(base + rejestr::files, row.files);
    record.setText(shifted(rejestr::folder, base), row.folder);
    record.setText(shifted(rejestr::note, base), row.note);
}

int rowCount(const storage::Record &list)
{
    return std::clamp(list.int32(0), 0, rejestr::kRows);
}

} // namespace

Wpis NowyWpis(const QDateTime &when, const QString &archivePath, const QString &fileName,
              qint64 size, int files, const QString &note)
{
    Wpis row;
    row.date = when.date();
    row.time = when.time();
    row.file = fileName;
    row.size = size;
    row.files = files;
    row.folder = QDir::toNativeSeparators(QFileInfo(archivePath).path());
    row.note = note;
    return row;
}

QList<Wpis> CzytajRejestr(const QString &workingDir, Rejestr which)
{
    const Files files = filesOf(workingDir, which);
    QList<Wpis> rows;
    if (!storage::FileExists(files.list))
        return rows;
    storage::Record list(rejestr::kListSize);
    storage::ReadRecord(files.list, list);
    const int count = rowCount(list);
    for (int i = 0; i < count; ++i)
        rows.append(readRow(list, 4 + i * rejestr::kRowSize));
    return rows;
}

int LiczbaWpisow(const QString &workingDir, Rejestr which)
{
    const Files files = filesOf(workingDir, which);
    if (!storage::FileExists(files.summary))
        return 0;
    storage::Record summary(rejestr::kSummarySize);
    storage::ReadRecord(files.summary, summary);
    return std::max(summary.int32(0), 0);
}

void Dopisz(const QString &workingDir, Rejestr which, const Wpis &row)
{
    const Files files = filesOf(workingDir, which);
    QList<Wpis> rows = CzytajRejestr(workingDir, which);
    const int made = LiczbaWpisow(workingDir, which);
    rows.append(row);
    while (rows.size() > rejestr::kRows)
        rows.removeFirst();

    storage::Record list(rejestr::kListSize);
    list.setInt32(0, static_cast<qint32>(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i)
        writeRow(list, 4 + i * rejestr::kRowSize, rows[i]);
    storage::WriteRecord(files.list, list);

    storage::Record summary(rejestr::kSummarySize);
    summary.setInt32(0, made + 1);
    writeRow(summary, 4, row);
    storage::WriteRecord(files.summary, summary);
}

} // namespace archiwizator
