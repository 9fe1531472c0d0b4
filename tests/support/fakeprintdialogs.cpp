#include "fakeprintdialogs.h"

#include "recordingpage.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <QPrinter>

bool FakePrintDialogs::print(QPrinter &printer, const QString &proposedFile)
{
    ++printDialogsShown;
    proposedFiles << proposedFile;
    if (printAnswers.isEmpty()) {
        ++unexpected;
        return false;
    }
    if (!printAnswers.takeFirst())
        return false;
    if (pdfFiles.isEmpty()) {
        ++unexpected;
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFiles.takeFirst());
    return true;
}

std::optional<printing::FontChoice> FakePrintDialogs::font(const printing::FontChoice &initial)
{
    fontInitials << initial;
    if (fontAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return fontAnswers.takeFirst();
}

void FakePrintDialogs::preview(const std::function<void(printing::Page &)> &draw)
{
    RecordingPage page;
    draw(page);
    previews << page.calls;
}

int PdfPageCount(const QString &path)
{
    if (!QFile::exists(path))
        return -1;
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess process;
        process.start(pdfinfo, {path});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return -1;
        static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                              QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match =
            pages.match(QString::fromLocal8Bit(process.readAllStandardOutput()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(file.readAll()).count(pageObject));
}

std::optional<QString> PdfText(const QString &path)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(pdftotext,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
