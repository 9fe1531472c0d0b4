#include "odtworzdane.h"

#include "guard.h"
#include "rejestrarchiwow.h"

#include <QDir>

namespace archiwizator {

QString WpiszArchiwum(const QString &workingDir, const Archiwum &made, const QString &note)
{
    try {
        Dopisz(workingDir, Rejestr::Archiwa,
               NowyWpis(made.made, made.path, made.fileName, made.size, made.files, note));
    } catch (const storage::FileError &error) {
        return QStringLiteral("Archiwum %1 zostało zapisane i sprawdzone, ale nie udało się "
                              "wpisać go do rejestru archiwizacji: %2")
            .arg(made.fileName, error.text());
    }
    return {};
}

void WpiszOdtworzenie(const QString &workingDir, const PlanOdtworzenia &plan, int restored,
                      const QString &safety, seams::Seams &seams)
{
    const Wpis row = NowyWpis(seams.clock.now(), plan.archive, plan.fileName, plan.archiveSize,
                              restored, safety);
    seams::Guarded(seams.dialogs, [&] { Dopisz(workingDir, Rejestr::Odtworzenia, row); });
}

QString OdtworzonePliki(const QStringList &done)
{
    if (done.isEmpty())
        return QStringLiteral("Nie odtworzono żadnego pliku.");
    QStringList shown;
    for (qsizetype i = 0; i < done.size() && i < 20; ++i)
        shown.append(QDir::toNativeSeparators(done[i]));
    QString text = QStringLiteral("Odtworzone w całości pliki (%1):\n%2")
                       .arg(done.size())
                       .arg(shown.join(QLatin1Char('\n')));
    if (done.size() > shown.size())
        text += QStringLiteral("\n... i %1 innych").arg(done.size() - shown.size());
    return text;
}

WynikOdtworzenia OdtworzDane(const QString &workingDir, const Konfiguracja &config,
                             const PlanOdtworzenia &plan, const QString &destination,
                             const QDateTime &when, seams::Seams &seams, const Wykonaj &wykonaj)
{
    using enum KoniecOdtworzenia;
    Archiwum safety;
    try {
        wykonaj(QStringLiteral("Archiwizacja obecnych danych"), [&](const Postep &postep) {
            safety =
                Archiwizuj(config, destination, when, QStringLiteral("przed-odtworzeniem"), postep);
        });
    } catch (const Przerwano &stopped) {
        return {NieRozpoczete,
                {stopped.message() + QStringLiteral("\nOdtwarzanie nie zostało "
                                                    "rozpoczęte.")}};
    } catch (const Failure &failure) {
        return {NieRozpoczete,
                {QStringLiteral("Nie udało się zarchiwizować obecnych danych, więc odtwarzanie "
                                "nie zostało rozpoczęte.\n%1")
                     .arg(failure.message())}};
    }
    const QString unrecorded =
        WpiszArchiwum(workingDir, safety, QStringLiteral("kopia przed odtworzeniem"));

    int restored = 0;
    try {
        wykonaj(QStringLiteral("Odtwarzanie"),
                [&](const Postep &postep) { restored = Odtworz(plan, config.root, postep); });
    } catch (const Przerwano &stopped) {
        WpiszOdtworzenie(workingDir, plan, stopped.done().size(), safety.fileName, seams);
        return {Przerwane,
                {QStringLiteral("%1\n%2\nStan danych sprzed odtwarzania zapisano w archiwum %3.")
                     .arg(stopped.message(), OdtworzonePliki(stopped.done()), safety.fileName)}};
    } catch (const Failure &failure) {
        return {Nieudane,
                {QStringLiteral("%1\nStan danych sprzed odtwarzania zapisano w archiwum %2.")
                     .arg(failure.message(), safety.fileName)}};
    }

    WpiszOdtworzenie(workingDir, plan, restored, safety.fileName, seams);
    WynikOdtworzenia result{Wykonane, {}};
    if (!unrecorded.isEmpty())
        result.komunikaty << unrecorded;
    result.komunikaty << QStringLiteral("Dane zostały odtworzone z archiwum %1 (%2 plików).\n"
                                        "Stan danych sprzed odtwarzania zapisano w archiwum %3.")
                             .arg(plan.fileName)
                             .arg(restored)
                             .arg(safety.fileName);
    return result;
}

} // namespace archiwizator
