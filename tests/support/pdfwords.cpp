#include "pdfwords.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

QList<PdfWord> PdfWords(const QString &path)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                              QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (const QRegularExpressionMatch &m : word.globalMatch(html)) {
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}
