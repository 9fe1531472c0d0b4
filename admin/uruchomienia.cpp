#include "uruchomienia.h"

#include "datetext.h"
#include "fixedpoint.h"
#include "paths.h"
#include "recordfile.h"

using namespace storage;

namespace historia {
QString path(const QString &root)
{
    return PathIn(root, QStringLiteral("/Admini/historia.dat"));
}
} // namespace historia

void PobierzDane(ProgramState &state, Seams &seams)
{
    const QString file = historia::path(state.workingDir);
    CreateIfMissing(file, Record(historia::kSize));
    ReadRecord(file, state.launch.record);

    const QDateTime now = seams.clock.now();
    state.launch.date = ShortDate(now.date(), seams.regional);
    state.launch.time = LongTime(now.time(), seams.regional);
    const qint64 previous = ParseInt32(state.launch.record.text(historia::counter));
    state.launch.counter = QString::number(previous + 1);
}

void ZapiszUruchomienia(const ProgramState &state)
{
    Record record = state.launch.record;
    record.setText(historia::date, state.launch.date);
    record.setText(historia::time, state.launch.time);
    record.setText(historia::counter, state.launch.counter);
    WriteRecord(historia::path(state.workingDir), record);
}
