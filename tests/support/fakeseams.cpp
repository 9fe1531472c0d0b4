#include "fakeseams.h"

bool FakeDialogs::question(const QString &caption, const QString &text, Default defaultButton,
                           const QString &detail)
{
    shown.append({ShownDialog::Kind::Question, caption, text, {}, defaultButton, detail});
    if (answers.isEmpty()) {
        ++unexpected;
        return false;
    }
    return answers.takeFirst();
}

void FakeDialogs::notice(const QString &caption, const QString &text)
{
    shown.append({ShownDialog::Kind::Notice, caption, text, {}, Default::Yes, {}});
}

std::optional<QString> FakeDialogs::inputText(const QString &title, const QString &prompt,
                                              const QString &initial)
{
    shown.append({ShownDialog::Kind::Input, title, prompt, initial, Default::Yes, {}});
    if (inputs.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return inputs.takeFirst();
}

void FakeDialogs::ioError(const storage::FileError &error)
{
    shown.append({ShownDialog::Kind::IoError, {}, error.text(), {}, Default::Yes, {}});
}

std::optional<QString> FakeDialogs::saveFileName(const QString &title, const QString &proposedPath,
                                                 const QString &filter)
{
    shown.append({ShownDialog::Kind::SaveFile, title, filter, proposedPath, Default::Yes, {}});
    if (savePaths.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return savePaths.takeFirst();
}

std::optional<QString> FakeDialogs::openFileName(const QString &title, const QString &proposedPath,
                                                 const QString &filter)
{
    shown.append({ShownDialog::Kind::OpenFile, title, filter, proposedPath, Default::Yes, {}});
    if (openPaths.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return openPaths.takeFirst();
}

QStringList FakeDialogs::ioErrors() const
{
    QStringList texts;
    for (const ShownDialog &dialog : shown) {
        if (dialog.kind == ShownDialog::Kind::IoError)
            texts << dialog.text;
    }
    return texts;
}
