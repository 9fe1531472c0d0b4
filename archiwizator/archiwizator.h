#pragma once

#include "archiwum.h"
#include "archiwumklienta.h"
#include "konfiguracja.h"
#include "seams.h"
#include "wybor.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class Tarchiwizator_f;
}

// "Ochrona danych": the folder archives go to, the archives made so far, and the buttons that
// make a verified archive of the data and bring an archive back; below them, apart, the
// archives of the clients deleted from the register and the button that brings a client's files
// back from one. Archiving and restoring show their progress and can be stopped.
class Tarchiwizator_f : public QWidget
{
    Q_OBJECT

public:
    Tarchiwizator_f(const QString &workingDir, seams::Seams &seams, archiwizator::Wybor &wybor,
                    QWidget *parent = nullptr);
    ~Tarchiwizator_f() override;
    Q_DISABLE_COPY(Tarchiwizator_f)

    // Reads the configuration, the remembered folder and the register. Without a usable
    // configuration the window says why and offers only "Zamknij"; returns false then.
    bool FormCreate();
    void WybierzClick();
    void ArchiwizujClick();
    void OdtworzClick();
    void OdtworzKlientaClick();
    void ZamknijClick();

    // Brings the client's files back from one of its archives after the question, as "Odtwórz
    // klienta" does; the client's present files, if any, are archived first. Returns the text
    // to show: what was restored, why not, or what a stopped run had restored; empty when the
    // user said no.
    QString OdtworzKlientaZ(const archiwizator::ArchiwumKlienta &archive);

    // The archives "Odtwórz klienta" offers, as listed now (the newest first).
    const QList<archiwizator::ArchiwumKlienta> &archiwaKlientow() const { return m_clientArchives; }

private:
    void showRegister();
    void showClientArchives();
    void remember(const QString &folder);

    QString m_workingDir;
    seams::Seams &m_seams;
    archiwizator::Wybor &m_wybor;
    std::optional<archiwizator::Konfiguracja> m_config;
    QList<archiwizator::ArchiwumKlienta> m_clientArchives;
    std::unique_ptr<Ui::Tarchiwizator_f> m_ui;
};
