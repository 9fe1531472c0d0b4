#include "archiwizator.h"

#include "archiwum.h"
#include "blad.h"
#include "folderarchiwow.h"
#include "guard.h"
#include "odtwarzanie.h"
#include "postepokno.h"
#include "rejestrarchiwow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace archiwizator {

namespace {

const QString kCaption = QStringLiteral("Ochrona danych");
const QString kSafetyNote = QStringLiteral("kopia przed odtworzeniem");

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    return b;
}

// "3 pliki: DANE/001.dat, DANE/001_2005.eks, DANE/001_2005.prz"; the first 20 names and how
// many more.
QString restoredFiles(const QStringList &done)
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

} // namespace

Tarchiwizator_f::Tarchiwizator_f(const QString &workingDir, storage::Seams &seams, Wybor &wybor,
                                 QWidget *parent)
    : QWidget(parent), m_workingDir(workingDir), m_seams(seams), m_wybor(wybor)
{
    setObjectName(QStringLiteral("archiwizator_f"));
    setWindowTitle(kCaption);

    auto *label1 = new QLabel(QStringLiteral("Folder archiwów:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    folder = new QLineEdit(this);
    folder->setObjectName(QStringLiteral("folder"));
    folder->setAccessibleName(QStringLiteral("Folder archiwów"));
    label1->setBuddy(folder);
    Wybierz = button(this, "Wybierz", QStringLiteral("Wybierz..."));

    auto *label2 = new QLabel(QStringLiteral("Wykonane archiwa:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    lista = new QTreeWidget(this);
    lista->setObjectName(QStringLiteral("lista"));
    lista->setAccessibleName(QStringLiteral("Wykonane archiwa"));
    lista->setRootIsDecorated(false);
    lista->setHeaderLabels({QStringLiteral("Data"), QStringLiteral("Godzina"),
                            QStringLiteral("Plik"), QStringLiteral("Rozmiar"),
                            QStringLiteral("Liczba plików")});
    lista->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    lista->header()->setStretchLastSection(false);
    label2->setBuddy(lista);

    auto *label4 = new QLabel(QStringLiteral("Archiwa klientów usuniętych z listy:"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    listaKlientow = new QTreeWidget(this);
    listaKlientow->setObjectName(QStringLiteral("listaKlientow"));
    listaKlientow->setAccessibleName(QStringLiteral("Archiwa klientów usuniętych z listy"));
    listaKlientow->setRootIsDecorated(false);
    listaKlientow->setHeaderLabels({QStringLiteral("Data"), QStringLiteral("Godzina"),
                                    QStringLiteral("Klient"), QStringLiteral("Plik"),
                                    QStringLiteral("Rozmiar")});
    listaKlientow->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    listaKlientow->header()->setStretchLastSection(false);
    label4->setBuddy(listaKlientow);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);

    Archiwizuj = button(this, "Archiwizuj", QStringLiteral("Archiwizuj"));
    Odtworz = button(this, "Odtworz", QStringLiteral("Odtwórz"));
    OdtworzKlienta = button(this, "OdtworzKlienta", QStringLiteral("Odtwórz klienta"));
    Zamknij = button(this, "Zamknij", QStringLiteral("Zamknij"));

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(label1);
    folderRow->addWidget(folder, 1);
    folderRow->addWidget(Wybierz);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Archiwizuj);
    buttons->addWidget(Odtworz);
    buttons->addWidget(OdtworzKlienta);
    buttons->addStretch(1);
    buttons->addWidget(Zamknij);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(label2);
    layout->addWidget(lista, 2);
    layout->addWidget(label4);
    layout->addWidget(listaKlientow, 1);
    layout->addWidget(Label3);
    layout->addLayout(buttons);
    resize(640, 560);

    connect(Wybierz, &QPushButton::clicked, this, &Tarchiwizator_f::WybierzClick);
    connect(Archiwizuj, &QPushButton::clicked, this, &Tarchiwizator_f::ArchiwizujClick);
    connect(Odtworz, &QPushButton::clicked, this, &Tarchiwizator_f::OdtworzClick);
    connect(OdtworzKlienta, &QPushButton::clicked, this, &Tarchiwizator_f::OdtworzKlientaClick);
    connect(Zamknij, &QPushButton::clicked, this, &Tarchiwizator_f::ZamknijClick);
}

bool Tarchiwizator_f::FormCreate()
{
    m_config.reset();
    try {
        m_config = CzytajKonfiguracje(m_workingDir);
    } catch (const Failure &failure) {
        Label3->setText(failure.message());
        Archiwizuj->setEnabled(false);
        Odtworz->setEnabled(false);
        OdtworzKlienta->setEnabled(false);
        m_seams.dialogs.notice(kCaption, failure.message());
        return false;
    }
    Label3->setText(QStringLiteral("Katalog danych: %1").arg(m_config->root));
    Archiwizuj->setEnabled(true);
    Odtworz->setEnabled(true);
    storage::Guarded(m_seams.dialogs,
                     [this] { folder->setText(CzytajFolderArchiwow(m_workingDir)); });
    showRegister();
    showClientArchives();
    return true;
}

void Tarchiwizator_f::showClientArchives()
{
    listaKlientow->clear();
    m_clientArchives = m_config ? ArchiwaKlientow(m_config->root) : QList<ArchiwumKlienta>();
    const QString dateFormat = QStringLiteral("dd%1MM%1yyyy").arg(m_seams.regional.dateSeparator());
    for (const ArchiwumKlienta &archive : std::as_const(m_clientArchives)) {
        auto *item = new QTreeWidgetItem(listaKlientow);
        item->setText(0, archive.made.toString(dateFormat));
        item->setText(1, archive.made.toString(QStringLiteral("HH:mm")));
        item->setText(2, archive.client);
        item->setText(3, archive.fileName);
        item->setText(4, QString::number(archive.size));
        item->setToolTip(3, QDir::toNativeSeparators(archive.path));
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!m_clientArchives.isEmpty())
        listaKlientow->setCurrentItem(listaKlientow->topLevelItem(0));
    OdtworzKlienta->setEnabled(!m_clientArchives.isEmpty());
}

void Tarchiwizator_f::showRegister()
{
    lista->clear();
    storage::Guarded(m_seams.dialogs, [this] {
        const QList<Wpis> rows = CzytajRejestr(m_workingDir, Rejestr::Archiwa);
        const QString dateFormat =
            QStringLiteral("dd%1MM%1yyyy").arg(m_seams.regional.dateSeparator());
        // The newest first.
        for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
            auto *item = new QTreeWidgetItem(lista);
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
    storage::Guarded(m_seams.dialogs, [&] { ZapiszFolderArchiwow(m_workingDir, chosen); });
}

QString Tarchiwizator_f::record(const Archiwum &made, const QString &note)
{
    Wpis row;
    row.date = made.made.date();
    row.time = made.made.time();
    row.file = made.fileName;
    row.size = made.size;
    row.files = made.files;
    row.folder = QDir::toNativeSeparators(QFileInfo(made.path).path());
    row.note = note;
    try {
        Dopisz(m_workingDir, Rejestr::Archiwa, row);
    } catch (const storage::FileError &error) {
        return QStringLiteral("Archiwum %1 zostało zapisane i sprawdzone, ale nie udało się "
                              "wpisać go do rejestru archiwizacji: %2")
            .arg(made.fileName, error.text());
    }
    return {};
}

void Tarchiwizator_f::WybierzClick()
{
    const std::optional<QString> chosen =
        m_wybor.folder(QStringLiteral("Folder archiwów"), folder->text().trimmed());
    if (!chosen)
        return;
    folder->setText(*chosen);
    remember(*chosen);
}

void Tarchiwizator_f::ArchiwizujClick()
{
    if (!m_config)
        return;
    const QString destination = folder->text().trimmed();
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
    const QString unrecorded = record(made, QString());
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
        m_wybor.archive(QStringLiteral("Archiwum do odtworzenia"), folder->text().trimmed());
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
    QString destination = folder->text().trimmed();
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
    if (!m_seams.dialogs.question(QStringLiteral("Pytanie"), question,
                                  storage::Dialogs::Default::No))
        return;

    Archiwum safety;
    const QDateTime when = m_seams.clock.now();
    try {
        WykonajZPostepem(
            this, QStringLiteral("Archiwizacja obecnych danych"), [&](const Postep &postep) {
                safety = archiwizator::Archiwizuj(*m_config, destination, when,
                                                  QStringLiteral("przed-odtworzeniem"), postep);
            });
    } catch (const Przerwano &stopped) {
        m_seams.dialogs.notice(kCaption,
                               stopped.message() + QStringLiteral("\nOdtwarzanie nie zostało "
                                                                  "rozpoczęte."));
        return;
    } catch (const Failure &failure) {
        m_seams.dialogs.notice(kCaption,
                               QStringLiteral("Nie udało się zarchiwizować obecnych danych, więc "
                                              "odtwarzanie nie zostało rozpoczęte.\n%1")
                                   .arg(failure.message()));
        return;
    }
    QString warnings = record(safety, kSafetyNote);

    int restored = 0;
    try {
        WykonajZPostepem(this, QStringLiteral("Odtwarzanie"), [&](const Postep &postep) {
            restored = archiwizator::Odtworz(plan, m_config->root, postep);
        });
    } catch (const Przerwano &stopped) {
        recordRestore(plan, stopped.done().size(), safety.fileName);
        showRegister();
        showClientArchives();
        m_seams.dialogs.notice(
            kCaption, QStringLiteral("%1\n%2\nStan danych sprzed odtwarzania zapisano w "
                                     "archiwum %3.")
                          .arg(stopped.message(), restoredFiles(stopped.done()), safety.fileName));
        return;
    } catch (const Failure &failure) {
        showRegister();
        m_seams.dialogs.notice(kCaption,
                               QStringLiteral("%1\nStan danych sprzed odtwarzania zapisano w "
                                              "archiwum %2.")
                                   .arg(failure.message(), safety.fileName));
        return;
    }

    recordRestore(plan, restored, safety.fileName);
    showRegister();
    showClientArchives();
    if (!warnings.isEmpty())
        m_seams.dialogs.notice(kCaption, warnings);
    m_seams.dialogs.notice(kCaption,
                           QStringLiteral("Dane zostały odtworzone z archiwum %1 (%2 plików).\n"
                                          "Stan danych sprzed odtwarzania zapisano w archiwum %3.")
                               .arg(plan.fileName)
                               .arg(restored)
                               .arg(safety.fileName));
}

void Tarchiwizator_f::recordRestore(const PlanOdtworzenia &plan, int restored,
                                    const QString &safety)
{
    const QDateTime now = m_seams.clock.now();
    Wpis row;
    row.date = now.date();
    row.time = now.time();
    row.file = plan.fileName;
    row.size = plan.archiveSize;
    row.files = restored;
    row.folder = QDir::toNativeSeparators(QFileInfo(plan.archive).path());
    row.note = safety;
    storage::Guarded(m_seams.dialogs, [&] { Dopisz(m_workingDir, Rejestr::Odtworzenia, row); });
}

void Tarchiwizator_f::OdtworzKlientaClick()
{
    const int index = listaKlientow->indexOfTopLevelItem(listaKlientow->currentItem());
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
        recordRestore(plan, stopped.done().size(), safety);
        return QStringLiteral("%1\n%2").arg(stopped.message(), restoredFiles(stopped.done())) +
               safetyLine;
    } catch (const Failure &failure) {
        return failure.message() + safetyLine;
    }
    recordRestore(plan, restored, safety);
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

} // namespace archiwizator
