// The program as main() composes it, end of session included, with a user who opens the first
// client of the register, types the owner and January's kilometres and a rate into the mileage
// register and leaves them unsaved there. Prints READY once they are typed, then runs on until
// the session ends it.
//   sessionprobe (in the working directory)
#include "application.h"
#include "bazafirm.h"
#include "gridtyping.h"
#include "program.h"
#include "sessionend.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

template <typename T> T *widgetNamed(const QString &accessibleName)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *typed = qobject_cast<T *>(widget);
            typed && typed->isVisible() && typed->accessibleName() == accessibleName)
            return typed;
    }
    return nullptr;
}

QPushButton *buttonWithText(const QString &text)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *button = qobject_cast<QPushButton *>(widget);
            button && button->isVisible() && button->text().remove(QLatin1Char('&')) == text)
            return button;
    }
    return nullptr;
}

bool actAsTheUser(Program &program)
{
    auto *list = program.mainWindow().findChild<QListWidget *>(QStringLiteral("lista_k"));
    if (!list)
        return false;
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    const std::pair<const char *, const char *> owner[] = {
        {"Nazwa", "Jan Kowalski"},
        {"Nazwa, drugi wiersz", "ul. Żytnia 5"},
        {"Nazwa, trzeci wiersz", "00-001 Warszawa"},
        {"Nr rejestracyjny", "WA 12345"},
        {"Marka pojazdu", "Fiat"}};
    for (const auto &[name, text] : owner) {
        auto *edit = widgetNamed<QLineEdit>(QString::fromUtf8(name));
        if (!edit)
            return false;
        edit->setText(QString::fromUtf8(text));
    }
    QPushButton *mileage = buttonWithText(QStringLiteral("Przebieg"));
    if (!mileage || !QTest::qWaitFor([mileage] { return mileage->isEnabled(); }, 5000))
        return false;
    mileage->click();
    QAbstractItemView *grid = nullptr;
    if (!QTest::qWaitFor(
            [&grid] {
                grid = widgetNamed<QAbstractItemView>(QStringLiteral("Przebieg pojazdu"));
                return grid != nullptr;
            },
            5000))
        return false;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    gridtyping::typeKeys(grid, QStringLiteral("400"));
    gridtyping::press(grid, Qt::Key_Tab);
    gridtyping::typeKeys(grid, QStringLiteral("0.5"));
    gridtyping::press(grid, Qt::Key_Return);
    return grid->model()->index(0, 0).data().toString().trimmed() == QStringLiteral("400");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(QDir::currentPath(), seams::setUpApplication(application));
    const SessionEnd sessionEnd([&program] { program.mainWindow().ZakonczBezPytania(); });
    program.mainWindow().show();
    QTimer::singleShot(0, &application, [&program] {
        if (!actAsTheUser(program)) {
            std::fputs("the client could not be opened and typed into\n", stderr);
            std::exit(3);
        }
        std::puts("READY");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
