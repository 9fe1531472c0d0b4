#pragma once

#include <QString>

#include <optional>

namespace archiwizator {

// The file dialogs of the add-on. Production shows Qt's; tests answer from a script.
class Wybor
{
public:
    virtual ~Wybor() = default;
    // A folder, starting in `start`; nothing when cancelled.
    virtual std::optional<QString> folder(const QString &caption, const QString &start) = 0;
    // An existing archive file, starting in `start`; nothing when cancelled.
    virtual std::optional<QString> archive(const QString &caption, const QString &start) = 0;
};

} // namespace archiwizator
