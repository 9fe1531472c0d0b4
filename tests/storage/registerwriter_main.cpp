// One copy of the program adding clients to a shared register as fast as it can: COUNT clients at
// positions FIRST, FIRST + STEP, ..., each expected free, named NAME and its position.
//   registerwriter BASEDIR FIRST STEP COUNT NAME
// Prints the number of clients added; ends with 6 when a position was found taken.
#include "clientrecords.h"
#include "fileerror.h"
#include "rejestr.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 6)
        return 2;
    const QString base = QString::fromLocal8Bit(argv[1]);
    const int first = std::atoi(argv[2]);
    const int step = std::atoi(argv[3]);
    const int count = std::atoi(argv[4]);
    const QString name = QString::fromLocal8Bit(argv[5]);
    int added = 0;
    for (int i = 0; i < count; ++i) {
        const int position = first + i * step;
        const QString number = storage::ClientNumber(position - 1);
        try {
            const storage::RegisterChange change = storage::ChangeRegisterLine(
                base, position, number,
                number + QLatin1Char(' ') + name + QString::number(position));
            if (change.outcome != storage::RegisterChange::Outcome::Saved) {
                std::fprintf(stderr, "position %d changed elsewhere\n", position);
                return 6;
            }
        } catch (const storage::FileError &error) {
            std::fprintf(stderr, "position %d: %s\n", position, error.what());
            return 5;
        }
        ++added;
    }
    std::printf("%d\n", added);
    return 0;
}
