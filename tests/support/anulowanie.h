#pragma once

#include <QByteArray>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Stops an archiving run through its progress window at a known file, without depending on how
// fast the machine is. `pipePath` must be a named pipe among the files the run archives (made
// with MakePipe), not the last one: whoever archives it waits until a writer comes. A timer polls
// the progress window "postep" above `window`; once it names `shownName`, the timer presses
// "Anuluj" there and then opens and closes the pipe, so that the run reads an empty file, goes on
// to the next one and stops. `clicked` is set when "Anuluj" was pressed.
inline bool MakePipe(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

inline void CancelAtPipe(QWidget *window, const QString &pipePath, const QString &shownName,
                         bool *clicked)
{
    auto *timer = new QTimer(window);
    timer->setInterval(5);
    const QByteArray pipe = QFile::encodeName(pipePath);
    QObject::connect(timer, &QTimer::timeout, window, [=] {
        auto *dialog = window->findChild<QProgressDialog *>(QStringLiteral("postep"));
        if (!dialog || !dialog->isVisible() || !dialog->labelText().contains(shownName))
            return;
        timer->stop();
        timer->deleteLater();
        dialog->findChild<QPushButton *>(QStringLiteral("Anuluj"))->click();
        *clicked = true;
        const int fd = ::open(pipe.constData(), O_WRONLY);
        if (fd >= 0)
            ::close(fd);
    });
    timer->start();
}
