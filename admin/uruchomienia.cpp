#include "uruchomienia.h"

#include "datetext.h"
#include "fixedpoint.h"
#include "paths.h"
#include "recordfile.h"

using namespace seams;
using namespace storage;

void PobierzDane(LaunchValues &launch, const QString &workingDir, Seams &seams)
{
    const QString file = historia::path(workingDir);
    CreateIfMissing(file, Record(historia::kSize));
    ReadRecord(file, launch.record);

    const QDateTime now = seams.clock.now();
    launch.date = ShortDate(now.date(), seams.regional);
    launch.time = LongTime(now.time(), seams.regional);
    const qint64 previous = ParseInt32(launch.record.text(historia::counter));
    launch.counter = QString::number(previous + 1);
}

void ZapiszUruchomienia(const LaunchValues &launch, const QString &workingDir)
{
    Record record = launch.record;
    record.setText(historia::date, launch.date);
    record.setText(historia::time, launch.time);
    record.setText(historia::counter, launch.counter);
    WriteRecord(historia::path(workingDir), record);
}
