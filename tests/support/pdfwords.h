#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// One word of a PDF page as pdftotext -bbox places it, in points from the top-left corner.
struct PdfWord {
    QString text;
    QRectF box;
};

// The words of a PDF file; nothing when pdftotext is not installed or fails.
QList<PdfWord> PdfWords(const QString &path);
