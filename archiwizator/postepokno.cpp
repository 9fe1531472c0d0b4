#include "postepokno.h"

#include <QDir>
#include <QEventLoop>
#include <QMutex>
#include <QMutexLocker>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <exception>
#include <memory>
#include <optional>

namespace archiwizator {

QString OpisKroku(const Krok &step)
{
    QString what;
    switch (step.etap) {
    case Krok::Etap::Zapis:
        what = QStringLiteral("Zapisywanie pliku %1 z %2:");
        break;
    case Krok::Etap::Sprawdzenie:
        what = QStringLiteral("Sprawdzanie pliku %1 z %2:");
        break;
    case Krok::Etap::Odtwarzanie:
        what = QStringLiteral("Odtwarzanie pliku %1 z %2:");
        break;
    }
    return what.arg(step.done + 1).arg(step.total) + QLatin1Char('\n') +
           QDir::toNativeSeparators(step.file);
}

void WykonajZPostepem(QWidget *parent, const QString &caption,
                      const std::function<void(const Postep &)> &work)
{
    QProgressDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("postep"));
    dialog.setWindowTitle(caption);
    dialog.setAccessibleName(caption);
    dialog.setLabelText(QStringLiteral("Przygotowanie..."));
    auto *cancel = new QPushButton(QStringLiteral("Anuluj"), &dialog);
    cancel->setObjectName(QStringLiteral("Anuluj"));
    cancel->setAccessibleName(QStringLiteral("Anuluj"));
    dialog.setCancelButton(cancel);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setRange(0, 0);

    // The worker leaves its latest step here; the window shows it at the next tick.
    QMutex mutex;
    std::optional<Krok> latest;
    std::atomic<bool> cancelled{false};
    const Postep postep = [&](const Krok &step) {
        {
            const QMutexLocker lock(&mutex);
            latest = step;
        }
        return !cancelled.load();
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                     [&cancelled] { cancelled.store(true); });

    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(postep);
        } catch (...) {
            failure = std::current_exception();
        }
    }));

    auto show = [&] {
        std::optional<Krok> step;
        {
            const QMutexLocker lock(&mutex);
            step.swap(latest);
        }
        if (!step || cancelled.load())
            return;
        if (dialog.maximum() != step->total)
            dialog.setRange(0, step->total);
        dialog.setValue(step->done);
        dialog.setLabelText(OpisKroku(*step));
    };
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &dialog, show);

    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    tick.start();
    dialog.show();
    loop.exec();
    tick.stop();
    thread->wait();
    dialog.hide();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace archiwizator
