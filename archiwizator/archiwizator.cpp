#include "archiwizator.h"

#include "ui_archiwizator.h"

#include "archiwum.h"
#include "blad.h"
#include "folderarchiwow.h"
#include "guard.h"
#include "odtwarzanie.h"
#include "odtworzdane.h"
#include "postepokno.h"
#include "rejestrarchiwow.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>

using namespace archiwizator;

namespace {

const QString kCaption = QStringLiteral("Ochrona danych");

} // namespace

Tarchiwizator_f::Tarchiwizator_f(const QString &workingDir, seams::Seams &seams, Wybor &wybor,
                                 QWidget *parent)
    : QWidget(parent), m_workingDir(workingDir), m_seams(seams), m_wybor(wybor),
      m_ui(std::make_unique<Ui::Tarchiwizator_f>())
{
    m_ui->setupUi(this);
    // The file name takes the width the other columns leave; a form cannot say so per column.
    m_ui->lista->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_ui->listaKlientow->header()->setSectionResizeMode(3, QHeaderView::Stretch);

    connect(m_ui->Wybierz, &QPushButton::clicked, this, &Tarchiwizator_f::WybierzClick);
    connect(m_ui->Archiwizuj, &QPushButton::clicked, this, &Tarchiwizator_f::ArchiwizujClick);
    connect(m_ui->Odtworz, &QPushButton::clicked, this, &Tarchiwizator_f::OdtworzClick);
    connect(m_ui->OdtworzKlienta, &QPushButton::clicked, this,
            &Tarchiwizator_f::OdtworzKlientaClick);
    connect(m_ui->Zamknij, &QPushButton::clicked, this, &Tarchiwizator_f::ZamknijClick);
}

Tarchiwizator_f::~Tarchiwizator_f() = default;

bool Tarchiwizator_f::FormCreate()
{
    m_config.reset();
    try {
        m_config = CzytajKonfiguracje(m_workingDir);
    } catch (const Failure &failure) {
        m_ui->Label3->setText(failure.message());
        m_ui->Archiwizuj->setEnabled(false);
        m_ui->Odtworz->setEnabled(false);
        m_ui->OdtworzKlienta->setEnabled(false);
        m_seams.dialogs.notice(kCaption, failure.message());
        return false;
    }
    m_ui->Label3->setText(QStringLiteral("Katalog danych: %1").arg(m_config->root));
    m_ui->Archiwizuj->setEnabled(true);
    m_ui->Odtworz->setEnabled(true);
    seams::Guarded(m_seams.dialogs,
                   [this] { m_ui->folder->setText(CzytajFolderArchiwow(m_workingDir)); });
    showRegister();
    showClientArchives();
    return true;
}

void Tarchiwizator_f::showClientArchives()
{
    m_ui->listaKlientow->clear();
    m_clientArchives = m_config ? ArchiwaKlientow(m_config->root) : QList<ArchiwumKlienta>();
    const QString dateFormat = QStringLiteral("dd%1MM%1yyyy").arg(m_seams.regional.dateSeparator());
    for (const ArchiwumKlienta &archive : std::as_const(m_clientArchives)) {
        auto *item = new QTreeWidgetItem(m_ui->listaKlientow);
        item->setText(0, archive.made.toString(dateFormat));
        item->setText(1, archive.made.toString(QStringLiteral("HH:mm")));
        item->setText(2, archive.client);
        item->setText(3, archive.fileName);
        item->setText(4, QString::number(archive.size));
        item->setToolTip(3, QDir::toNativeSeparators(archive.path));
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!m_clientArchives.isEmpty())
        m_ui->listaKlientow->setCurrentItem(m_ui->listaKlientow->topLevelItem(0));
    m_ui->OdtworzKlienta->setEnabled(!m_clientArchives.isEmpty());
}

void Tarchiwizator_f::showRegister()
{
    m_ui->lista->clear();
    seams::Guarded(m_seams.dialogs, [this] {
        const QList<Wpis> rows = CzytajRejestr(m_workingDir, Rejestr::Archiwa);
        const QString dateFormat =
            QStringLiteral("dd%1MM%1yyyy").arg(m_seams.regional.dateSeparator());
        // The newest first.
        for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
            auto *item = new QTreeWidgetItem(m_ui->lista);
            item->setText(0, it->date.toString(dateFormat));
            item->setText(1, it->time.toString(QStringLiteral("HH:mm")));
            item->setText(2, it->file);
            item->setText(3, QString::number(it->size));
            item->setText(4, QString::number(it->files));
            item->setToolTip(2, QDir::toNativeSeparators(it->folder));
            for (int column : {3, 4})
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
    });
}

void Tarchiwizator_f::remember(const QString &chosen)
{
    seams::Guarded(m_seams.dialogs, [&] { ZapiszFolderArchiwow(m_workingDir, chosen); });
}

void Tarchiwizator_f::WybierzClick()
{
    const std::optional<QString> chosen =
        m_wybor.folder(QStringLiteral("Folder archiwów"), m_ui->folder->text().trimmed());
    if (!chosen)
        return;
    m_ui->folder->setText(*chosen);
    remember(*chosen);
}

void Tarchiwizator_f::ArchiwizujClick()
{
    if (!m_config)
        return;
    const QString destination = m_ui->folder->text().trimmed();
    Archiwum made;
    const QDateTime when = m_seams.clock.now();
    try {
        WykonajZPostepem(this, QStringLiteral("Archiwizacja"), [&](const Postep &postep) {
            made = archiwizator::Archiwizuj(*m_config, destination, when, QString(), postep);
        });
    } catch (const Przerwano &stopped) {
        m_seams.dialogs.notice(kCaption, stopped.message());
        return;
    } catch (const Failure &failure) {
        m_seams.dialogs.notice(kCaption, failure.message());
        return;
    }
    remember(destination);
    const QString unrecorded = WpiszArchiwum(m_workingDir, made, QString());
    showRegister();
    if (!unrecorded.isEmpty()) {
        m_seams.dialogs.notice(kCaption, unrecorded);
        return;
    }
    m_seams.dialogs.notice(kCaption,
                           QStringLiteral("Zapisano i sprawdzono archiwum %1:\n%2 plików, %3 "
                                          "bajtów.")
                               .arg(made.fileName)
                               .arg(made.files)
                               .arg(made.size));
}

void Tarchiwizator_f::OdtworzClick()
{
    if (!m_config)
        return;
    const std::optional<QString> chosen =
        m_wybor.archive(QStringLiteral("Archiwum do odtworzenia"), m_ui->folder->text().trimmed());
    if (!chosen)
        return;

    PlanOdtworzenia plan;
    try {
        plan = SprawdzArchiwum(*chosen);
    } catch (const Failure &failure) {
        m_seams.dialogs.notice(kCaption, failure.message());
        return;
    }

    // The safety archive goes where archives go; with no folder chosen, beside the archive.
    QString destination = m_ui->folder->text().trimmed();
    if (destination.isEmpty())
        destination = QFileInfo(*chosen).path();

    QString question =
        OpisArchiwum(plan, m_seams.regional.dateSeparator()) + QStringLiteral("\n\n");
    const QStringList locks = BlokadyKlientow(m_config->root);
    if (!locks.isEmpty())
        question += QStringLiteral("Uwaga: w katalogu KOSZ są blokady klientów (%1), więc na "
                                   "innym stanowisku może być otwarty klient. Zakończ tam pracę "
                                   "programu przed odtworzeniem danych.\n\n")
                        .arg(locks.size());
    question += QStringLiteral("Obecne dane zostaną najpierw zapisane w archiwum w folderze %1.\n"
                               "Odtworzyć dane z tego archiwum do katalogu %2?")
                    .arg(QDir::toNativeSeparators(destination), m_config->root);
    // Restoring replaces the present data: Enter keeps them.
    if (!m_seams.dialogs.question(QStringLiteral("Pytanie"), question, seams::Dialogs::Default::No))
        return;

    const WynikOdtworzenia result = OdtworzDane(
        m_workingDir, *m_config, plan, destination, m_seams.clock.now(), m_seams,
        [this](const QString &caption, const std::function<void(const Postep &)> &work) {
            WykonajZPostepem(this, caption, work);
        });
    if (result.koniec != KoniecOdtworzenia::NieRozpoczete)
        showRegister();
    if (result.koniec == KoniecOdtworzenia::Przerwane ||
        result.koniec == KoniecOdtworzenia::Wykonane)
        showClientArchives();
    for (const QString &text : result.komunikaty)
        m_seams.dialogs.notice(kCaption, text);
}

void Tarchiwizator_f::OdtworzKlientaClick()
{
    const int index = m_ui->listaKlientow->indexOfTopLevelItem(m_ui->listaKlientow->currentItem());
    if (!m_config || index < 0 || index >= m_clientArchives.size())
        return;
    const ArchiwumKlienta archive = m_clientArchives[index];
    const QString message = OdtworzKlientaZ(archive);
    showRegister();
    showClientArchives();
    if (!message.isEmpty())
        m_seams.dialogs.notice(kCaption, message);
}

QString Tarchiwizator_f::OdtworzKlientaZ(const ArchiwumKlienta &archive)
{
    PlanOdtworzenia plan;
    try {
        plan = SprawdzArchiwumKlienta(archive);
    } catch (const Failure &failure) {
        return failure.message();
    }
    const bool present = !PlikiKlienta(archive.root, archive.client).isEmpty();
    QString question =
        OpisArchiwum(plan, m_seams.regional.dateSeparator()) + QStringLiteral("\n\n");
    if (present)
        question += QStringLiteral("Klient %1 ma teraz swoje pliki; zostaną najpierw zapisane w "
                                   "archiwum klienta w folderze Admini.\n")
                        .arg(archive.client);
    question += QStringLiteral("Odtworzyć pliki klienta %1 do katalogu %2?")
                    .arg(archive.client, QDir::toNativeSeparators(archive.root));
    if (!m_seams.dialogs.question(QStringLiteral("Pytanie"), question))
        return {};

    const QDateTime when = m_seams.clock.now();
    QString safety;
    if (present) {
        try {
            WykonajZPostepem(this, QStringLiteral("Archiwizacja klienta %1").arg(archive.client),
                             [&](const Postep &postep) {
                                 if (const auto made = ArchiwizujKlienta(
                                         archive.root, archive.client, when, postep))
                                     safety = made->fileName;
                             });
        } catch (const Przerwano &stopped) {
            return stopped.message() + QStringLiteral("\nOdtwarzanie nie zostało rozpoczęte.");
        } catch (const Failure &failure) {
            return QStringLiteral("Nie udało się zarchiwizować obecnych plików klienta %1, więc "
                                  "odtwarzanie nie zostało rozpoczęte.\n%2")
                .arg(archive.client, failure.message());
        }
    }
    const QString safetyLine =
        safety.isEmpty()
            ? QString()
            : QStringLiteral("\nPoprzednie pliki klienta zapisano w archiwum %1.").arg(safety);

    int restored = 0;
    try {
        WykonajZPostepem(this, QStringLiteral("Odtwarzanie klienta %1").arg(archive.client),
                         [&](const Postep &postep) {
                             restored = archiwizator::Odtworz(plan, archive.root, postep);
                         });
    } catch (const Przerwano &stopped) {
        WpiszOdtworzenie(m_workingDir, plan, stopped.done().size(), safety, m_seams);
        return QStringLiteral("%1\n%2").arg(stopped.message(), OdtworzonePliki(stopped.done())) +
               safetyLine;
    } catch (const Failure &failure) {
        return failure.message() + safetyLine;
    }
    WpiszOdtworzenie(m_workingDir, plan, restored, safety, m_seams);
    return QStringLiteral("Pliki klienta %1 zostały odtworzone z archiwum %2 (%3 plików).\n"
                          "Wpisz klienta ponownie na liście klientów.")
               .arg(archive.client, archive.fileName)
               .arg(restored) +
           safetyLine;
}

void Tarchiwizator_f::ZamknijClick()
{
    close();
}
