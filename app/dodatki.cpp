#include "dodatki.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AddOnProgram(AddOn addOn)
{
    QString name;
    switch (addOn) {
    case AddOn::TaskReader:
        name = QStringLiteral("mirtal-czytnik");
        break;
    case AddOn::Tasks:
        name = QStringLiteral("mirtal-zadania");
        break;
    case AddOn::Documents:
        name = QStringLiteral("mirtal-dokumenty");
        break;
    case AddOn::Comments:
        name = QStringLiteral("mirtal-komentarze");
        break;
    case AddOn::Schedule:
        name = QStringLiteral("mirtal-terminarz");
        break;
    case AddOn::Notes:
        name = QStringLiteral("mirtal-notatki");
        break;
    case AddOn::Archiver:
        name = QStringLiteral("mirtal-archiwizator");
        break;
    }
#ifdef Q_OS_WIN
    name += QStringLiteral(".exe");
#endif
    return name;
}

QStringList AddOnArguments(AddOn addOn, const QString &clientNumber, const QString &nazwa1,
                           const QString &nazwa2)
{
    const QString file = clientNumber + QStringLiteral(".mir");
    switch (addOn) {
    case AddOn::TaskReader:
        return {QStringLiteral("*.mir")};
    case AddOn::Tasks:
        return {file, nazwa1 + QLatin1Char(' '), nazwa2};
    case AddOn::Documents:
        return {file, QStringLiteral("Rejestr dokumentów dla: ") + nazwa1 + QLatin1Char(' ') +
                          nazwa2 + QLatin1Char(' ')};
    case AddOn::Comments:
        return {file, QStringLiteral("Komentarze dla: ") + nazwa1 + QLatin1Char(' ') + nazwa2 +
                          QLatin1Char(' ')};
    case AddOn::Schedule:
    case AddOn::Notes:
    case AddOn::Archiver:
        break;
    }
    return {};
}

QString FindAddOn(const QString &program, const QString &applicationDir, const QString &workingDir)
{
    for (const QString &dir : {applicationDir, workingDir}) {
        const QFileInfo candidate(QDir(dir), program);
        if (!dir.isEmpty() && candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(program);
}
