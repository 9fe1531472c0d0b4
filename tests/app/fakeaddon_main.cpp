// A stand-in for an add-on program: writes the name it was started under and each argument it
// received, one per line (UTF-8), to "addon-args.txt" in its working directory.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QSaveFile out(QStringLiteral("addon-args.txt"));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    QByteArray text = QFileInfo(arguments.first()).fileName().toUtf8() + '\n';
    for (qsizetype i = 1; i < arguments.size(); ++i)
        text += "[" + arguments[i].toUtf8() + "]\n";
    out.write(text);
    return out.commit() ? 0 : 1;
}
