#include "faultprobe.h"

#include <QProcess>
#include <QStandardPaths>

ProbeRun RunFaultProbe(const QString &mountDir, const QString &mountOptions,
                       const QStringList &commands)
{
    ProbeRun run;
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty()) {
        run.skipReason = QStringLiteral("the unshare command is not installed");
        return run;
    }
    QProcess process;
    process.start(unshare, QStringList{QStringLiteral("-rm"), QStringLiteral("--"),
                                       QStringLiteral(FAULTPROBE_PATH), mountDir, mountOptions} +
                               commands);
    if (!process.waitForFinished(60000)) {
        process.kill();
        run.skipReason = QStringLiteral("the fault probe did not finish");
        return run;
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    run.lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (run.lines.value(0) != QLatin1String("MOUNTED")) {
        run.skipReason = QStringLiteral("no private tmpfs could be mounted here: %1")
                             .arg(QString::fromUtf8(process.readAllStandardError()).trimmed());
        return run;
    }
    run.lines.removeFirst();
    return run;
}
